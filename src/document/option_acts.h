#pragma once
// The options: applied (they count at once, for this run), saved (to the
// configuration and the per-user settings), the start password.
#include <string>
#include <vector>

#include "core/result.h"
#include "document/roster_document.h"

namespace planek {

// What the options dialog edits: the options record, the duty-as categories
// and the duty symbols.
struct options_choice {
    Options options;
    std::vector<dutyas_> dutyAs;
    std::vector<dyz_symb_> dutySymbols;
};
// The choice as the plan holds it now, for a dialog to start from.
options_choice current_options(const Plan& plan);

// OK: applied without being saved. A new language carries the names the
// user typed over into it.
result<> apply_options(roster_document& doc, const options_choice& choice);
// "Zapisz": applied, then written (a configuration that comes from the
// server is not written here: said as a notice).
result<> save_options(roster_document& doc, const options_choice& choice);
// One option the window keeps as the user leaves it (the group dialog's
// automatic shift times).
result<> set_auto_calc_shifts(roster_document& doc, bool on);
// The printouts dialog's two choices, kept as the user leaves them: all
// groups, only the workers with duties or days off.
result<> set_printout_choices(roster_document& doc, bool allGroups, bool onlyWorked);
// The start password, written to the per-user settings.
result<> set_start_password(roster_document& doc, const std::string& password);

}  // namespace planek
