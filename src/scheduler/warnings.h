#pragma once
// The warnings check (a_Warnings, "Ostrzeżenia"): the open month of the
// current group against the rules switched on in the options, one line of
// text per finding, sorted and written to warnings.txt in the program's
// folder. Apart from refreshing the worked-Sundays record it changes no
// stored data.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/plan.h"
#include "scheduler/warnings_text.h"

namespace planek {

// Refused in week mode with this text (not translated).
inline constexpr const char* kWarningsWeekMode = "Ostrzeżenia są niedostępne w trybie tygodniowym Kalendarza.";
inline constexpr const char* kWarningsFileName = "warnings.txt";

struct warnings_hooks {
    // The group list's click handler, run for the current group so that the
    // worker list and the worker sums are current. Without one the check
    // lists the group's workers the way the main window does and recomputes
    // their summaries itself.
    std::function<void(Plan&)> reselectGroup;
    // Opens the written file (the desktop's default opener); nothing is
    // opened without one.
    std::function<void(const std::filesystem::path&)> openFile;
};

enum class warnings_outcome {
    WeekMode,     // refused with kWarningsWeekMode
    NoGroup,      // no current group: nothing done, nothing said
    Written,      // the lines are in the file
    WriteFailed,  // the lines were found but the file could not be written
};

struct warnings_report {
    warnings_outcome outcome = warnings_outcome::NoGroup;
    std::vector<std::string> lines;  // sorted; "Brak uwag" when nothing was found
    std::vector<warning_place> places;  // one per line: what a click on it shows
    std::filesystem::path file;
    std::string error;  // why the file could not be written
};

// Runs the whole check: the refusals, the preparation, the rules, the sort,
// the file and the opening hook. A failed write is shown through plan.ui.
warnings_report a_WarningsExecute(Plan& plan, const warnings_hooks& hooks = {});

// The preparation: the group re-selected (hook or the check's own), the
// daily staffing recounted, every worker's per-day duty lists rebuilt for
// the shown month, and, when rule k or a rule j is on, the per-minute head
// counts and the average staffing.
void przygotuj_ostrzezenia(Plan& plan, const warnings_hooks& hooks = {});

// The rules over the prepared plan, in their order, then the finish: the
// text "Brak uwag" when nothing was found, else the sorted lines. Rule i
// refreshes sundays.ini first.
// Given `places`, it receives the place of each returned line.
std::vector<std::string> sprawdz_ostrzezenia(const Plan& plan, std::vector<warning_place>* places = nullptr);

// Case-insensitive, Polish-aware order of the lines (stable for lines that
// differ only in case).
void sortuj_ostrzezenia(std::vector<std::string>& lines);

// warnings.txt in the program's folder.
std::filesystem::path warnings_file(const Plan& plan);

}  // namespace planek
