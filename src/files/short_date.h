#pragma once
// Dates as the stored files and archive names show them ("2026-12-08"), and
// back. The reader also takes "08.12.2026" and "08-12-2026".
#include <optional>
#include <string>

#include "core/clock.h"

namespace planek {

std::string short_date(const civil_date& d);
std::optional<civil_date> parse_short_date(const std::string& text);
// Whole days from a to b (negative when b is earlier).
long days_between(const civil_date& a, const civil_date& b);

}  // namespace planek
