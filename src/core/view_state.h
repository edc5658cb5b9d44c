#pragma once
// What the user is looking at: the current group, worker and period month,
// the shown year and month, the filters and the selection. The front ends
// change it; the rules read it to know which group and month an edit is for.
#include <array>
#include <string>
#include <vector>

namespace planek {

// One entry of the worker list box: the worker shown, its text, and whether it
// is an outsider listed only for this view (its text then ends with "¤").
struct listed_worker {
    int worker = -1;
    std::string text;
    bool outsider = false;
};

enum class ShowWorkers { Group = 0, All = 1 };

struct view_state {
    int currentGroup = -1;
    int currentWorker = -1;
    int currentMonth = 0;  // index of the period month shown
    int year = 0;
    int month = 0;
    bool weekMode = false;
    int weekModeFrom = 1;
    int weekModeCount = 15;

    std::array<bool, 4> dutyAsFilter{true, true, true, true};
    ShowWorkers showWorkers = ShowWorkers::Group;
    bool showDeleted = false;
    int showWho = 0;
    std::vector<listed_worker> listed;
    int selectedCellDay = -1;
    int selectedCellShift = -1;
    std::string lastTemplate;  // the printout template chosen last, chosen again next time
};

}  // namespace planek
