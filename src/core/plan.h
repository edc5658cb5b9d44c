#pragma once
#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/calendar_state.h"
#include "core/clock.h"
#include "core/duty_symbols.h"
#include "core/file_guards.h"
#include "core/group.h"
#include "core/interaction.h"
#include "core/options.h"
#include "core/paths.h"
#include "core/period.h"
#include "core/plan_hooks.h"
#include "core/random.h"
#include "core/translator.h"
#include "core/worker.h"

namespace planek {

// One entry of the worker list box: the worker shown, its text, and whether it
// is an outsider listed only for this view (its text then ends with "¤").
struct listed_worker {
    int worker = -1;
    std::string text;
    bool outsider = false;
};

enum class ShowWorkers { Group = 0, All = 1 };

// What the day table's shift counts (shiftHeadcount, shiftMinutes) were last
// counted for. Edits keep the counts current one worker at a time while the
// view is the same; a different group, month, duty-as filter, day table or staff
// makes them stale, and so does anything that clears `current`.
struct staffing_mark {
    bool current = false;
    int group = -1;
    int month = -1;
    std::array<bool, 4> filter{};
    size_t days = 0;
    size_t shifts = 0;
    size_t workers = 0;
    int workerOut = -1;  // the worker whose share an edit has taken out
};

// Everything the main window owns: the tables of the roster, the state of the
// open plan, the view state that rules read, and the services they use.
// The GUI and the CLI each own one.
struct Plan {
    // Tables.
    std::vector<prac> workers;
    std::vector<grupa> groups;
    std::vector<miesiac> months;  // the settlement period, in tab order
    std::vector<day> days;        // the shown month (or week columns)
    std::vector<dyzur> orphanDuties;
    std::vector<wolne_> orphanDaysOff;
    std::vector<std::string> workerIds;  // parallel to workers
    std::vector<dyz_symb_> dutySymbols;
    std::vector<dutyas_> dutyAs = std::vector<dutyas_>(4);
    word dutyCounter = 0;
    word dayOffCounter = 0;
    std::vector<std::string> openFiles;
    std::set<std::string> printoutFiles;

    // State of the open plan.
    int currentGroup = -1;
    int currentWorker = -1;
    int currentMonth = 0;
    int year = 0;
    int month = 0;
    bool weekMode = false;
    int weekModeFrom = 1;
    int weekModeCount = 15;
    std::string currentFile;
    bool modified = false;
    int approvedStatus = 0;
    int planType = 0;
    calendar_state calendar;  // derived by the norm routine
    // Per minute of a day: how many shifts of the current group cover it.
    std::array<word, 1440> shiftCoverage{};
    period_summary period;  // settlement-period totals (odswiez_okres)
    staffing_mark staffing;
    bool saveStaffAtExit = true;  // cleared by the staff restore
    // The group and staff file lines as this run last read or wrote them, so
    // a change reaches the disk before the exit; unset until they were read.
    std::optional<std::vector<std::string>> groupLinesOnDisk, staffLinesOnDisk;
    // The highest worker id an orphan of a month read in this run (an open
    // tab, the autosave) refers to: a new worker must not inherit its duties.
    word highestOrphanWorkerId = 0;
    // The files shared with other programs: as read, locked, or opened read-only.
    file_guards guards;
    // The pattern start positions were reset; the next automatic run starts
    // its pattern workers one day apart. Cleared when a run is accepted.
    bool patternsReset = false;

    // View state the rules read.
    std::array<bool, 4> dutyAsFilter{true, true, true, true};
    ShowWorkers showWorkers = ShowWorkers::Group;
    bool showDeleted = false;
    int showWho = 0;
    std::vector<listed_worker> listed;
    int selectedCellDay = -1;
    int selectedCellShift = -1;

    // Services.
    Options options;
    Paths paths;
    Translator tr;
    Random random;
    std::shared_ptr<Clock> clock = std::make_shared<SystemClock>();
    std::shared_ptr<Interaction> ui = std::make_shared<SilentInteraction>();
    plan_hooks hooks;

    const grupa* group() const;
    grupa* group();
    // Index of the worker whose id has this decimal text, or -1.
    int workerIndexById(word id) const;
    int groupIndexById(word id) const;
    void rebuildWorkerIds();
};

// Highest id + 1 for kind "g" (groups) or "k" (workers) with request "max";
// 0 for anything else. A worker id is also above every id an orphan duty or
// day off refers to.
word id(const Plan& plan, char kind, const std::string& request);

// Empties the current month's duty lists and day-off slots of every worker
// and both orphan lists.
void czysc_dyzury_i_wolne(Plan& plan);

// Empties the first eight lists of a who-works record and sizes its shift
// list to the group's shifts.
void czysc_kto(const grupa* group, kty& who);

// Trims a name list and drops its trailing ",<br>" or ",".
void tidy_kto(std::string& text);

// Drops the temporary (outsider) entries of the worker list.
void usun_tymczasowych_pracownikow(Plan& plan);

// Fills the worker list as the main window shows it: the members of the
// current group (every worker in the "all" view), archived ones only when
// they are shown, each as "%.4d=%s %s" (index, surname, first name).
void odswiez_liste_prac_panel(Plan& plan);

// Sum of the day counts of the period months before m.
int dall_from(const Plan& plan, int m);
void odswiez_dall(Plan& plan, int m, bool init);
void odswiez_dall2(Plan& plan, int m);

}  // namespace planek
