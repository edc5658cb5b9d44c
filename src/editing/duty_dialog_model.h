#pragma once
// The duty dialog ("Dodaj/Edytuj dyżur") without its widgets: the choices,
// the duty bar arithmetic and what OK does. The GUI binds controls to it.
#include <functional>
#include <string>
#include <vector>

#include "core/plan.h"
#include "editing/entry_store.h"
#include "editing/refusal.h"

namespace planek {

// rg_DutyType
enum class duty_type { None = -1, Eight = 0, WholeShift = 1, WorkerTopUp = 2, GroupTopUp = 3, Other = 4 };

// The duty bar (pb_ShiftLength) as the dialog draws it.
struct duty_bar {
    bool enabled = false;
    int max = 0;       // range 0..max
    int thumb = 0;     // thumb size: the duty's length
    int position = 0;  // start minus the shift's start
    std::string hint;  // "start - end"
};

enum class duty_dialog_result { NoLength, FilledMonth, Added, Edited, Refused };

struct duty_dialog_model {
    // What the dialog received.
    int worker = -1;
    int dayIndex = -1;
    int shift = 1;          // the chosen cell's shift
    int editPosition = -1;  // position of the edited duty in its day
    std::string panel;      // the edited duty's panel; empty when adding

    // Controls.
    int groupIndex = -1;  // index into groupEntries(), -1 = none selected
    duty_type type = duty_type::WholeShift;
    duty_type openedType = duty_type::WholeShift;
    bool worker8 = false;       // cb_Worker8 "Pracownika"
    std::string timeText;       // me_Time
    std::string startText;      // me_DutyFrom
    std::string overtimeText = "00:00";  // me_DutyOvertime
    std::string note;
    bool onRequest = false;     // "Na życzenie"
    bool medical = false;       // "Dyżur medyczny"
    bool alsoOvertime = false;  // "Dyżur licz także jako godziny nadliczbowe"
    bool overtimeEnabled = true;
    int dutyAsIndex = 0;        // cb_DutyAs position
    int dayOfMonth = 0;         // the day list's choice

    // Adding: from the prepared duty of a drop (start, length, shift...).
    void openAdd(const Plan& plan, int worker, int dayIndex, const dyzur& prepared);
    // Editing the duty behind a "p..." panel; false when the name does not
    // lead to a duty.
    bool openEdit(const Plan& plan, const std::string& panelName);

    // Non-archived groups as "id=name", and their indexes in the group table.
    std::vector<std::string> groupEntries(const Plan& plan) const;
    std::vector<int> groupTableIndexes(const Plan& plan) const;
    std::string captionLine(const Plan& plan) const;
    std::string dateLine(const Plan& plan) const;
    std::string shiftBarLabels(const Plan& plan) const;  // "| start" and "end |"
    bool worker8Visible(const Plan& plan) const;
    std::vector<std::string> dutyAsEntries(const Plan& plan) const;

    // Duty length of the chosen type; -1 when no type is chosen.
    int length(const Plan& plan) const;
    // odswiez_pasek
    duty_bar bar(const Plan& plan) const;
    std::string typeCaption(const Plan& plan) const;  // "Czas trwania dyżuru: %s"
    // Moving the bar: writes the start; false (nothing changes) when the
    // thumb would pass the shift's end.
    bool moveBar(const Plan& plan, int position);
    void setWorker8(bool on);
    void setTimeText(const std::string& text);
    void setAlsoOvertime(bool on);

    // What was typed as the arguments of a duty; refused (NoDutyLength)
    // without a length.
    result<duty_args> args(const Plan& plan) const;
    // The edited duty's place; nothing while adding.
    std::optional<duty_place> editedPlace() const;
    // OK: the arguments stored (store_dialog_duty); fillMonth takes the
    // whole-month offer. What the rules said comes back for the caller to show.
    dialog_outcome<duty_dialog_result> ok(Plan& plan, const fill_month_fn& fillMonth = {});
    // The record OK would store.
    dyzur buildDuty(const Plan& plan) const;

private:
    duty_args typed(const Plan& plan) const;
    const zmiana_* chosenShift(const Plan& plan) const;
    int chosenShiftNumber(const Plan& plan) const;
    const dyzur* editedDuty(const Plan& plan) const;
    int selectedGroupIndex(const Plan& plan) const;
};

}  // namespace planek
