#pragma once
// Times and texts as a ward manager types them into the dialogs.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/plan.h"

namespace planek {

// A typed time in minutes: "7:35", "7.35", "7,35", "735" (the last two digits
// are minutes once there are more than two), "8" (whole hours), blanks of a
// mask ignored, empty = 0. nullopt for anything that cannot be a time:
// letters, minutes of 60 or more, more hours than maxHours, or a sign when
// negative values are not allowed.
std::optional<int> typed_minutes(std::string_view text, int maxHours = 999, bool allowNegative = false);

// One field of a dialog to check: its caption (for the message) and its text.
struct typed_field {
    std::string caption;
    std::string text;
};

// The message for the first time field that cannot be read, or empty.
std::string bad_time_message(const Plan& plan, const std::vector<typed_field>& fields, int maxHours = 999,
                             bool allowNegative = false);

// The message for the first text field holding a character the files
// (Windows-1250) cannot keep, or empty.
std::string unencodable_message(const Plan& plan, const std::vector<typed_field>& fields);

}  // namespace planek
