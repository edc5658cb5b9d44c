#pragma once
// The day parameters (holiday, emergency duty, the note) and the month's
// own (month and year, week layout, status and type, the overtime carried
// from the month before).
#include <filesystem>
#include <string>

#include "calendar/period_params.h"
#include "core/result.h"
#include "document/roster_document.h"

namespace planek {

// "Święto" and "Ostry dyżur" switched on or off for a day of the shown month.
result<> toggle_holiday(roster_document& doc, int dayIndex);
result<> toggle_er_duty(roster_document& doc, int dayIndex);
// The day dialog's OK (the note cut to its length) and its button that
// gives the day back its built-in holiday status.
result<> save_day_properties(roster_document& doc, int dayIndex, const std::string& note, bool erDuty);
result<> restore_default_holiday(roster_document& doc, int dayIndex);

// The parameters dialog's OK: status and type, then a change of month or of
// the week layout (which asks what becomes of the entries; Cancel refuses).
result<ParametersOutcome> change_parameters(roster_document& doc, const plan_parameters& parameters);

// Every listed worker takes the overtime balance another month file
// carries; or the balances carried are set to zero.
result<> load_overtime(roster_document& doc, const std::filesystem::path& monthFile);
result<> clear_overtime(roster_document& doc);

}  // namespace planek
