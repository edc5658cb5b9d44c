#pragma once
// The dialogs of the month and its days (Tf_Parameters, Tf_DayProperties)
// and the duty dialog bound to its headless model.
#include <string>

#include "core/plan.h"
#include "editing/duty_moves.h"

class QWidget;

namespace planek::ui {

// The first and last year the parameters dialog offers: from 2005 to five
// years past this one, so a ward can always plan the coming January.
int first_plan_year();
int last_plan_year(const Plan& plan);

// Shows Tf_Parameters; true when OK changed something the window must show.
bool run_parameters_dialog(Plan& plan, QWidget* parent);
// Shows Tf_DayProperties for a day index; true after OK.
bool run_day_properties_dialog(Plan& plan, int dayIndex, QWidget* parent);
// The duty dialog for a prepared new duty, or for the duty behind a panel.
bool run_duty_dialog(Plan& plan, const drop_result& drop, QWidget* parent);
bool run_duty_edit_dialog(Plan& plan, const std::string& panel, QWidget* parent);

}  // namespace planek::ui
