#pragma once
// Expansion of a template into a document: repetition of the tag tree,
// variables, and the output file in the printouts folder.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "printouts/roster_fragments.h"
#include "printouts/rtf_writer.h"
#include "printouts/tag_tree.h"
#include "printouts/template_text.h"
#include "printouts/template_file.h"

namespace planek {

struct Plan;
struct var_entry;

// Limits that keep a hostile template within bounded time and size.
inline constexpr size_t kMaxLineRecords = 2'000'000;
inline constexpr size_t kMaxOutputBytes = 64u << 20;
inline constexpr int kMaxExpansionDepth = 8;

// State of one run, reset by generuj.
struct gen_state {
    char timeSep = ':';
    bool clearAutoEols = false;
    bool allGroups = false;   // include duties of other groups
    bool onlyWorked = false;  // only workers with worked hours
    bool withoutMedical = false;
    long long workerNo = 0;
};

// One repetition of a tree node and its context (-1 = not set). A plain
// record of numbers: a ward's printout makes tens of thousands of them and
// every variable works on a copy of one.
struct gen_line {
    int node = -1;  // the tree node whose text this record repeats
    int worker = -1;
    int group = -1;
    int day = -1;
    int shift = -1;
    int month = -1;
    int duty = -1;
    int level = 0;
    bool duty8 = false;  // the shift field holds a standard-duty table row
};

// What the caller chooses for a run.
struct gen_options {
    bool allGroups = false;
    bool onlyWorked = false;
    // Write here instead of the printouts folder (command line).
    std::filesystem::path outputFolder;
    size_t maxOutputBytes = kMaxOutputBytes;
};

struct gen_result {
    bool ok = false;
    std::filesystem::path file;
    std::string error;
    bool truncated = false;  // a size limit cut the document short
};

// What a tag repeats over, from its caption.
enum class repeat_kind { day, dayoff, dayoff_desc, worker, shift, duty8from, group, month, duty, overt, other };
repeat_kind repeat_kind_of(const std::string& caption);

// A variable's text taken apart: its name without the format and flag
// marks, its parameters and its condition (operand not yet expanded).
struct variable_text {
    std::string name;
    std::string p1;
    std::string yes = "Tak";
    std::string no = "Nie";
    bool condition = false;
    std::string op = "?";  // "?" = no condition
    std::string operand;
    bool plain = false;    // a trailing ":" (time as text)
    bool decimal = false;  // a trailing "#" (time as decimal hours)
    char flag = 0;         // a trailing "0" or "_"
    const var_entry* entry = nullptr;  // the variable of that name; none for a numbered shift or an unknown name
};

// Takes apart the text that follows "@_".
variable_text parse_variable_text(const std::string& text);

struct gen_run {
    const Plan& plan;
    gen_state state;
    szablon tmpl;
    tag_tree tree;
    std::vector<std::vector<var_site>> nodeSites;  // the variables of each node's text, by node index
    std::vector<repeat_kind> nodeKinds;            // each node's kind, by node index
    std::unordered_map<std::string, variable_text> variableTexts;  // by the text as written
    std::vector<gen_line> lines;
    std::vector<duty8_row> duty8;
    rtf_writer rtf;
    std::vector<std::string> output;
    bool truncated = false;
    int depth = 0;  // nesting of expansions (yes/no texts, operands)
    // The document is HTML: every text of the user's goes in escaped, in
    // nested expansions too (their own format is "txt").
    bool html = false;

    explicit gen_run(const Plan& p) : plan(p) {}
};

// Runs a template: resets the state, builds and writes the document,
// remembers the template among the recent ones and refreshes the current
// worker's sums afterwards unless other groups were included.
gen_result generuj(Plan& plan, const std::filesystem::path& templatePath, const gen_options& options = {});

// Builds and writes the document of one template: the staffing and sums
// the variables read are counted on `plan` first, the run reads it.
gen_result gen_wypelnij_wzorzec(Plan& plan, gen_run& run, const std::filesystem::path& templatePath,
                                const gen_options& options);

// Appends the line records of the node and of its following siblings.
void gen_drzewo_replikator(gen_run& run, int parent, size_t first = 0);

// Expands every variable of one line; with `toRtf` the pieces also go to
// the RTF writer (values in bold).
// `sites` are the line's variables, when the caller keeps them.
std::string gen_wypelnij_linie(gen_run& run, const std::string& line, const std::string& format,
                               const gen_line& ctx, bool toRtf = false, const std::vector<var_site>* sites = nullptr);

// The value of one variable text (name, flags and parameters).
std::string gen_zamien(gen_run& run, const std::string& text, const std::string& format, const gen_line& ctx);

// Expands a line for the plan's current worker, group and month with a
// fresh state (the header's <FILE_NAME>).
std::string gen_wypelnij_linie_plain(const Plan& plan, const std::string& line, const std::string& format);

// The context defaults filled in before a record is expanded.
gen_line with_defaults(const Plan& plan, gen_line ctx);

// The folder the document goes to.
std::filesystem::path printouts_folder(const Plan& plan);

// Puts a template first in the recent list (four distinct paths, none with
// "autosave").
void remember_template(Plan& plan, const std::string& path);

}  // namespace planek
