#pragma once
// The day-off dialog ("Dodaj/Edytuj wolne") without its widgets.
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

enum class day_off_dialog_result { Added, Edited, Refused };

struct day_off_dialog_model {
    int worker = -1;
    std::string panel;  // the edited day off's panel; empty when adding

    // Controls.
    int kindIndex = 1;            // list position; kind row = position + 1
    bool kindListEnabled = true;
    int firstDay = 1;             // day of month ("Od" / "Dnia")
    int secondDay = 1;            // day of month ("Do"), or the shift number for the no-duty kind
    bool customNorm = false;      // cb_CustomNorma "Własny:"
    std::string normText;         // me_Norma
    bool normWithPartTime = false;  // "Normatyw dzienny proporcjonalny do etatu"
    int oldNorm = 0;

    void openAdd(Plan& plan, int worker, int dayIndex);
    // Editing the day off behind a "u..." panel; false when there is none.
    bool openEdit(Plan& plan, const std::string& panelName);

    // "[symbol] name  (norm mark)" per kind row.
    std::vector<std::string> kindEntries(const Plan& plan) const;
    // Captions of the two day fields.
    std::string firstFieldLabel(const Plan& plan) const;
    std::string secondFieldLabel(const Plan& plan) const;
    bool noDutyKind(const Plan& plan) const;
    // The norm of the chosen range in minutes (working days in week mode).
    int rangeNorm(Plan& plan) const;
    // The minutes the chosen range is worth, in both modes: what is stored
    // with the day off and what the worker's summary credits for it.
    int rangeMinutes(Plan& plan) const;
    // The label under the list: the norm as h:mm, or the working days in week mode.
    std::string normLabel(Plan& plan) const;
    // While "Własny:" is unticked me_Norma shows the minutes the range is worth.
    void refreshNorm(Plan& plan);
    bool normEditable() const { return customNorm; }

    wolne_ buildRecord(Plan& plan) const;
    day_off_dialog_result ok(Plan& plan);

private:
    int headIndex = -1;  // the edited day off's head slot
};

}  // namespace planek
