#pragma once
// Cells as text, for the formats that have no types of their own.
#include <string>

#include "exports/sheet.h"

namespace planek {

// "7:35", "-0:30", "176:00": a length in hours and minutes.
std::string length_text(long long minutes);
// "07:00": a minute of the day.
std::string clock_text(int minuteOfDay);
// "2026-10-25".
std::string iso_date(int year, int month, int day);

std::string text_of(const cell& c);

}  // namespace planek
