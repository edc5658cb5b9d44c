#pragma once
// Removing duties and days off: single panels, the remove dialog and the
// bulk commands of the calendar menu.
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

// A panel that took a new name because an earlier duty of its day went.
struct panel_rename {
    std::string from;
    std::string to;
};

// Removes the worker's duties of day indexes first..last. position -1 takes
// every duty of a day, otherwise only that position. Returns the renamed
// panels of the later duties of each day touched.
std::vector<panel_rename> usun_dyzur_dx(Plan& plan, int worker, int firstIndex, int lastIndex, bool noConfirm,
                                        bool onlyProposed, bool refresh, bool onlySelectedGroup, int position);

// The trash: removes the duty or day off behind a panel, without asking to
// confirm (a day off still offers its allowance back).
std::vector<panel_rename> kosz(Plan& plan, const std::string& panel);

// Popup "delete" on a duty panel: a duty taken at the worker's request is
// removed only after the user confirms. False when nothing was removed.
bool usun_dyzur_panelu(Plan& plan, const std::string& panel);

// The remove dialog ("Usuń").
struct remove_dialog_model {
    bool duties = false;
    bool daysOff = false;
    bool currentWorkerOnly = true;   // rg_RemoveFor: "tylko dla: ..." / "dla wszystkich pracowników"
    bool selectedGroupOnly = true;   // rg_RemoveFrom: "z grupy: ..." / "z wszystkich grup"

    // Presets the boxes from the menu item used ("duties" / "dayoff" in its name).
    void open(const std::string& menuItemName);
    std::string workerScopeCaption(const Plan& plan) const;
    std::string groupScopeCaption(const Plan& plan) const;
    // OK: asks the confirmation and removes. False when nothing was done.
    bool ok(Plan& plan) const;
};

enum class bulk_removal {
    DutiesOfWorker,   // mi_d_CurrentWorkerClick
    DutiesOfGroup,    // mi_d_CurrentGroupClick
    AllDuties,        // mi_d_AllClick
    DaysOffOfWorker,  // mi_do_CurrentWorkerClick
    DaysOffOfGroup,   // mi_do_CurrentGroupClick
    AllDaysOff,       // mi_do_AllClick
};

// Asks the command's question and removes over the whole open month.
bool usun_zbiorczo(Plan& plan, bulk_removal what);

}  // namespace planek
