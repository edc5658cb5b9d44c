#include "cli/demo_ward.h"

#include <filesystem>
#include <iterator>
#include <map>
#include <ostream>
#include <system_error>
#include <vector>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/system_error_text.h"
#include "cli/demo_months.h"
#include "files/month_lock.h"
#include "cli/ward_people.h"
#include "files/staff_group_files.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

// Leave is kept in minutes of the daily norm.
const person kPeople[] = {
    {"Anna", "Kowalska", "1|", "pielęgniarka oddziałowa", 100, work_mode::None, "", 26, 3},
    {"Małgorzata", "Wiśniewska", "1|", "pielęgniarka", 100, work_mode::Pattern, "1200", 26, 0},
    {"Katarzyna", "Wójcik", "1|", "pielęgniarka", 100, work_mode::Pattern, "1200", 26, 5},
    {"Agnieszka", "Kowalczyk", "1|", "pielęgniarka", 100, work_mode::Pattern, "1200", 20, 0},
    {"Barbara", "Kamińska", "1|", "pielęgniarka", 75, work_mode::Pattern, "12000", 26, 2},
    {"Ewa", "Lewandowska", "1|", "pielęgniarka", 100, work_mode::Pattern, "1200", 26, 0},
    {"Elżbieta", "Zielińska", "1|", "pielęgniarka", 50, work_mode::Pattern, "100200", 26, 0},
    {"Joanna", "Szymańska", "1|", "pielęgniarka", 100, work_mode::Pattern, "1200", 20, 1},
    {"Magdalena", "Woźniak", "1|", "pielęgniarka", 87.5, work_mode::Pattern, "1200", 26, 0},
    {"Dorota", "Dąbrowska", "1|", "pielęgniarka", 100, work_mode::Pattern, "2200", 26, 4},
    {"Jolanta", "Kozłowska", "1|", "pielęgniarka", 100, work_mode::Eight, "1", 26, 0},
    {"Grażyna", "Jankowska", "1|", "salowa", 100, work_mode::Eight, "1", 26, 0},
    {"Paweł", "Mazur", "1|", "pielęgniarz", 100, work_mode::Pattern, "1200", 20, 0},
    {"Łukasz", "Krawczyk", "1|", "ratownik medyczny", 62.5, work_mode::Pattern, "120000", 20, 0},
    {"Zofia", "Piotrowska", "2|", "położna oddziałowa", 100, work_mode::None, "", 26, 6},
    {"Halina", "Grabowska", "2|", "położna", 100, work_mode::Pattern, "11220033", 26, 0},
    {"Teresa", "Nowakowska", "2|", "położna", 100, work_mode::Pattern, "11220033", 26, 2},
    {"Beata", "Pawłowska", "2|", "położna", 100, work_mode::Pattern, "11220033", 26, 0},
    {"Iwona", "Michalska", "2|", "położna", 75, work_mode::Pattern, "1230", 26, 0},
    {"Renata", "Nowicka", "2|", "położna", 100, work_mode::Pattern, "11220033", 20, 0},
    {"Urszula", "Adamczyk", "2|", "położna", 100, work_mode::Eight, "1112", 26, 1},
    {"Bożena", "Dudek", "2|", "położna", 50, work_mode::Eight, "1", 26, 0},
    {"Krystyna", "Zając", "2|", "położna", 100, work_mode::Pattern, "11220033", 26, 0},
    {"Jadwiga", "Wieczorek", "2|", "pielęgniarka", 100, work_mode::Pattern, "33001122", 26, 0},
    {"Żaneta", "Jabłońska", "2|", "położna", 87.5, work_mode::Pattern, "11220033", 20, 0},
    {"Aleksandra", "Król", "2|", "położna", 100, work_mode::Pattern, "22003311", 20, 0},
    {"Justyna", "Majewska", "2|", "sanitariuszka", 100, work_mode::Eight, "1", 26, 0},
    {"Monika", "Olszewska", "1|2|", "pielęgniarka", 100, work_mode::Pattern, "1200", 26, 0},
    {"Świętosław", "Ślęzak", "2|", "pielęgniarz", 100, work_mode::None, "", 26, 0},
};

// Workers on one cyclic pattern start it at evenly spaced places, so each
// day and each night of the month gets the same share of them: started
// together they would crowd some shifts and leave others empty, and the
// calendar would mark the demo month as badly staffed all over.
void spread_pattern_starts(std::vector<prac>& workers) {
    std::map<std::string, int> count, taken;
    for (const prac& w : workers)
        if (w.prefSystem && !w.systemPattern.empty()) ++count[w.systemPattern];
    for (prac& w : workers) {
        if (!w.prefSystem || w.systemPattern.empty()) continue;
        const std::string& key = w.systemPattern;
        const int length = int(w.systemPattern.size());
        w.systemStartFrom = byte(1 + taken[key]++ * length / count[key]);
    }
}

int demo(context& c) {
    // An option mistyped is refused, never taken for the folder's name.
    const std::vector<std::string> words = arg_parser().parse(c.args);
    if (words.size() > 1) throw usage_error("cli_TooManyArguments", "za dużo argumentów");
    if (words.empty() && !c.root) throw usage_error("cli_NoFolderName", "brak nazwy folderu");
    if (!words.empty()) c.root = words[0];
    c.mayCreateRoot = true;
    if (!c.open_root()) return kExitFailure;
    const Paths& paths = c.plan.paths;
    std::error_code ec;
    if (fs::exists(paths.data / "grupy.ini", ec) || fs::exists(paths.data / "kadra.inr", ec)) {
        Answer a = c.ui->ask(
            say(c, "cli_ReplaceWithDemo", "Folder %s zawiera już dane. Zastąpić je danymi przykładowymi?",
                {paths.data.string()}),
            Buttons::YesNo);
        if (a != Answer::Yes) {
            c.err << say(c, "cli_NothingSaved", "Nic nie zapisano.") << "\n";
            return kExitFailure;
        }
    }
    for (const fs::path& p : {paths.templates, paths.printouts, paths.lang}) {
        fs::create_directories(p, ec);
        if (ec) {
            c.err << say(c, "cli_CannotMakeFolder", "Nie można utworzyć folderu %s: %s",
                         {p.string(), system_error_text(ec, &speaking(c))})
                  << "\n";
            return kExitFailure;
        }
    }
    // The ward is built apart and written; the session had none to change.
    Plan ward = c.doc.copy();
    build_demo_ward(ward);
    if (!zapisz(ward).ok()) return kExitFailure;
    const std::vector<std::string> months = write_demo_months(ward);
    release_month_locks(ward);
    c.out << say(c, "cli_DemoSaved",
                 "Zapisano dane przykładowe w %s: %s grupy, %s pracowników, %s pliki miesięcy.",
                 {paths.root.string(), std::to_string(ward.groups.size()),
                  std::to_string(ward.workers.size()), std::to_string(months.size())})
          << "\n";
    return kExitOk;
}

}  // namespace

// The targets are what the demo staff gives at their norms: on working days
// the head nurse and the eight-hour staff stand beside the day shift's nurses.
void build_demo_ward(Plan& plan) {
    // Short names of two letters: what the group dialog stores.
    grupa surgery = make_group(1, "Oddział Chirurgii", "CH", rgb(0xE8, 0xF0, 0xFF));
    surgery.shifts = {make_shift("D", "Dzienna", 7 * 60, 720, 4, 2, rgb(255, 255, 255)),
                      make_shift("N", "Nocna", 19 * 60, 720, 3, 2, rgb(221, 221, 221))};
    grupa delivery = make_group(2, "Blok Porodowy", "BP", rgb(0xFF, 0xF0, 0xF5));
    delivery.algorithm = 1;
    delivery.shifts = {make_shift("R", "Ranna", 6 * 60, 480, 4, 2, rgb(255, 255, 255)),
                       make_shift("P", "Popołudniowa", 14 * 60, 480, 2, 2, rgb(0xFF, 0xFF, 0xE0)),
                       make_shift("N", "Nocna", 22 * 60, 480, 2, 2, rgb(221, 221, 221))};
    plan.groups = {surgery, delivery};
    plan.workers.clear();
    word id = 1;
    for (const person& p : kPeople) plan.workers.push_back(make_worker(p, id++, plan.workers));
    plan.workers.back().old = true;  // a former worker, kept in the file
    spread_pattern_starts(plan.workers);
    plan.workers[10].automatDays = "1111000";
    plan.workers[21].automatDays = "0111110";
    plan.rebuildWorkerIds();
}

std::vector<person> demo_people() { return {std::begin(kPeople), std::end(kPeople)}; }

std::vector<command> demo_commands() {
    return {{"demo", "DIR", "zapisuje w folderze DIR przykładowy oddział (dwie grupy, 29 osób)", demo}};
}

}  // namespace planek::cli
