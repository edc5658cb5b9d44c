#pragma once
// Names of the calendar panels: "p<worker>_<day>_<position>" for a duty,
// "u<worker>_<day>" for a day off (its head day). The drag and drop, the
// popup commands and the dialogs find their record through these names.
#include <optional>
#include <string>

namespace planek {

inline constexpr const char* kMovingPanel = "p_temp";

struct panel_ref {
    bool duty = true;  // false: a day-off panel
    int worker = -1;
    int day = -1;       // day index
    int position = -1;  // duty panels only
};

std::string duty_panel_name(int worker, int dayIndex, int position);
std::string day_off_panel_name(int worker, int dayIndex);
// Nullopt for anything that is not a well-formed panel name ("p_temp",
// source items, a wrong count of parts, non-digits).
std::optional<panel_ref> parse_panel_name(const std::string& name);

}  // namespace planek
