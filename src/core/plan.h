#pragma once
#include <string>

#include "core/derived_figures.h"
#include "core/plan_services.h"
#include "core/stored_roster.h"
#include "core/view_state.h"

namespace planek {

// Everything the main window owns, in four parts so a reader can tell who
// changes what: the stored roster (what the files hold), the view state
// (what the user looks at), the derived figures (computed from both) and the
// services. The parts are plain bases, so a routine may take the narrowest
// one it needs. The GUI and the CLI each own one plan.
struct Plan : stored_roster, view_state, derived_figures, plan_services {
    const grupa* group() const;
    grupa* group();
};

// Whether a day-off kind (a row of options.dayOffKinds) counts toward the
// norm in the shown month: the month's own flag for a kind a month may set,
// else the configuration.
bool counts_toward_norm(const Plan& plan, int kindRow);

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
