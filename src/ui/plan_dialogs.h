#pragma once
// The dialogs of the month and its days (Tf_Parameters, Tf_DayProperties).
#include <string>

#include "core/plan.h"
#include "document/roster_document.h"

class QWidget;

namespace planek::ui {

// The first and last year the parameters dialog offers: from 2005 to five
// years past this one, so a ward can always plan the coming January.
int first_plan_year();
int last_plan_year(const Plan& plan);

// Shows Tf_Parameters; true when OK changed something the window must show.
bool run_parameters_dialog(roster_document& doc, QWidget* parent);
// Shows Tf_DayProperties for a day index; true when anything changed. Its
// buttons act at once; the caller takes the visit as one step.
bool run_day_properties_dialog(roster_document& doc, int dayIndex, QWidget* parent);

}  // namespace planek::ui
