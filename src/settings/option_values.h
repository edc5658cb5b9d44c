#pragma once
// Conversions of the value forms the configuration file uses: times "hh:mm"
// and dates.
#include <optional>
#include <string>
#include <string_view>

#include "core/clock.h"

namespace planek {

// "hh:mm" (or "h:mm") to minutes; nullopt for anything else, minutes above
// 59 and a minute part without two digits included. `max_minutes` bounds the result (a time of day stays below
// 24:00, a threshold may run to 99:59).
std::optional<int> parse_option_time(std::string_view text, int max_minutes = 99 * 60 + 59);
// Minutes as the dialog's masked fields store them: two digits, colon, two
// digits ("02:00").
std::string option_time_text(int minutes);

// A stored date: "yyyy-mm-dd", or "dd.mm.yyyy" / "dd-mm-yyyy" /
// "dd/mm/yyyy"; nullopt when it is no real calendar date.
std::optional<civil_date> parse_option_date(std::string_view text);
// Writes "yyyy-mm-dd".
std::string option_date_text(const civil_date& d);

}  // namespace planek
