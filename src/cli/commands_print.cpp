// planek-cli print and templates: documents from the template files.
#include <filesystem>
#include <ostream>

#include "calendar/refresh_hooks.h"
#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "cli/standard_output.h"
#include "document/output_acts.h"
#include "core/text.h"
#include "files/month_project.h"
#include "files/program_root.h"
#include "printouts/generation.h"
#include "printouts/period_sums.h"
#include "printouts/template_file.h"
#include "printouts/template_install.h"
#include "settings/options_file.h"
#ifdef PLANEK_PDF
#include "cli/pdf_maker.h"
#endif

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

struct print_args {
    std::string templateName;
    std::vector<std::string> files;
    std::optional<word> group;
    std::optional<word> worker;
    bool allGroups = false;
    bool onlyWorked = false;
    bool pdf = false;
    fs::path outDir;
};

print_args parse_print_args(const std::vector<std::string>& args) {
    print_args a;
    const std::vector<std::string> words = arg_parser()
                                               .id("--group", a.group, "grupy")
                                               .id("--worker", a.worker, "pracownika")
                                               .flag("--all-groups", a.allGroups)
                                               .flag("--only-worked", a.onlyWorked)
                                               .flag("--pdf", a.pdf)
                                               .text("-o", a.outDir)
                                               .parse(args);
    if (words.empty()) throw usage_error("cli_NoTemplateGiven", "brak szablonu");
    a.templateName = words.front();
    a.files.assign(words.begin() + 1, words.end());
    if (a.files.empty()) throw usage_error("cli_NoMonthFileGiven", "brak pliku miesiąca");
    return a;
}

// A template given by path, or by name (with or without ".wzr") in the
// root's templates folder.
fs::path find_template(const Plan& plan, const std::string& name) {
    std::error_code ec;
    if (fs::is_regular_file(name, ec)) return fs::absolute(name, ec);
    for (const fs::path& folder : {language_template_folder(plan), plan.paths.templates})
        for (const fs::path& p : {folder / name, folder / (name + ".wzr")})
            if (fs::is_regular_file(p, ec)) return p;
    return {};
}


// The PDF beside the printout, same name; only HTML and text printouts,
// an RTF document is left to the word processor. Its name is printed unless
// the PDF itself goes to standard output.
bool write_pdf_beside(context& c, const fs::path& printout, bool announce = true) {
#ifdef PLANEK_PDF
    if (printout.extension() == ".rtf") {
        c.err << say(c, "cli_PdfOnlyHtml", "PDF powstaje tylko z wydruków HTML i tekstowych, nie z %s",
                     {printout.string()})
              << "\n";
        return false;
    }
    fs::path pdf = printout;
    pdf.replace_extension(".pdf");
    if (const result<> w = make_pdf(c.plan, printout, pdf); !w) {
        c.err << w.error().text << "\n";
        return false;
    }
    if (announce) c.out << pdf.string() << "\n";
    return true;
#else
    (void)printout;
    (void)announce;
    c.err << say(c, "cli_NoPdf", "Ta wersja planek-cli nie tworzy PDF (zbudowano ją bez Qt)") << "\n";
    return false;
#endif
}

int print(context& c) {
    print_args a = parse_print_args(c.args);
#ifndef PLANEK_PDF
    if (a.pdf) return write_pdf_beside(c, {}) ? kExitOk : kExitFailure;
#endif
    if (!c.load_staff()) return kExitFailure;
    fs::path tmpl = find_template(c.plan, a.templateName);
    if (tmpl.empty()) {
        c.err << say(c, "cli_NoTemplate", "Nie ma szablonu %s", {a.templateName}) << "\n";
        return kExitFailure;
    }
    if (!is_template_file(tmpl)) {
        c.err << say(c, "cli_NotATemplate",
                     "Plik %s nie jest szablonem wydruku (nie ma nagłówka <HEADER>…</HEADER>).",
                     {tmpl.string()})
              << "\n";
        return kExitFailure;
    }
    // One group's members need no other ward's lines.
    if (!c.read_months(a.files, a.group, false, !a.allGroups && !a.worker)) return kExitFailure;
    // The group's members as the main window lists them, or the one worker.
    printout_request request;
    request.templateFile = tmpl;
    request.people = a.worker ? printout_people::OneWorker : printout_people::GroupMembers;
    request.worker = a.worker.value_or(0);
    request.options.allGroups = a.allGroups;
    request.options.onlyWorked = a.onlyWorked;
    // "-o -": made in a scratch folder, and the one document (or its PDF) goes to standard output.
    const output_target target(a.outDir, {});
    request.options.outputFolder = target.to_standard_output() ? target.folder() : a.outDir;
    const result<gen_result> made = make_printout(c.doc, request);
    if (!made) {
        if (made.error().kind == refusal_kind::NoWorker)
            c.err << say(c, "cli_NoWorker", "Nie ma pracownika %s", {std::to_string(*a.worker)}) << "\n";
        else if (made.error().kind == refusal_kind::NoStaff)
            c.err << say(c, "cli_GroupWithoutWorkers", "Grupa nie ma pracowników") << "\n";
        else
            c.err << made.error().text << "\n";
        return kExitFailure;
    }
    const gen_result& r = *made;
    if (r.truncated)
        c.err << say(c, "cli_PrintoutTruncated", "Dokument skrócono: szablon daje zbyt wiele tekstu.")
              << "\n";
    if (target.to_standard_output()) {
        if (a.pdf && !write_pdf_beside(c, r.file, false)) return kExitFailure;
        fs::path document = r.file;
        if (a.pdf) document.replace_extension(".pdf");
        std::string error;
        if (target.deliver(c.out, document, speaking(c), error)) return kExitOk;
        c.err << error << "\n";
        return kExitFailure;
    }
    c.out << r.file.string() << "\n";
    if (a.pdf && !write_pdf_beside(c, r.file)) return kExitFailure;
    return kExitOk;
}

int templates(context& c) {
    bool install = false;
    for (const std::string& s : c.args) {
        if (s == "--install") install = true;
        else
            throw usage_error("cli_UnexpectedArgument", "nieoczekiwany argument „%s”", {s});
    }
    if (!c.open_root()) return kExitFailure;
    const fs::path folder = c.plan.paths.templates;
    if (install) {
        fs::path shipped = shipped_template_folder(executable_folder());
        if (shipped.empty()) {
            c.err << say(c, "cli_NoShippedTemplates", "Nie znaleziono szablonów dołączonych do programu")
                  << "\n";
            return kExitFailure;
        }
        int n = install_templates(shipped, folder);
        if (n < 0) {
            c.err << say(c, "cli_TemplatesNotCopied", "Nie można skopiować szablonów do %s",
                         {folder.string()})
                  << "\n";
            return kExitFailure;
        }
        c.out << say(c, "cli_TemplatesCopied", "Skopiowano szablonów: %s", {std::to_string(n)}) << "\n";
    }
    Plan look = c.doc.copy();
    for (const szablon& t : ZnajdzPliki(look, language_template_folder(look)))
        c.out << t.title << "\t" << t.path.string() << "\n";
    return kExitOk;
}

}  // namespace

std::vector<command> print_commands() {
    return {
        {"print", "SZABLON PLIK.pnk... [--group ID] [--worker ID] [--all-groups] [--only-worked] [--pdf] [-o FOLDER]",
         "tworzy dokument z szablonu dla podanych miesięcy i wypisuje jego ścieżkę (--pdf: także PDF obok)", print},
        {"templates", "[--install]", "wypisuje tytuły i ścieżki szablonów (--install: kopiuje szablony programu)",
         templates},
    };
}

}  // namespace planek::cli
