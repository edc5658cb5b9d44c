#pragma once
// The yearly record of worked Sundays, sundays.ini in the data folder: one
// section per worker id, one key per year, one "1"/"0" per Sunday of the year.
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "core/plan.h"
#include "files/save_set.h"

namespace planek {

// Number of Sundays of the year: (days in the year - day of the first
// Sunday) div 7 + 1.
int sundays_in_year(int year);
// 1-based ordinal of the date among the Sundays of its year; 0 when the date
// is no Sunday.
int sunday_position(int year, int month, int day);

std::filesystem::path sundays_file(const Plan& plan);

// Updates the record for the Sundays of the shown month. A failed write is
// returned (and shown) and leaves the old file whole.
io_result zapisz_niedziele(Plan& plan);
// The same update added to a save of several files instead of written; a
// record that cannot be written is returned (and shown) and not added.
io_result stage_niedziele(Plan& plan, save_set& set);

}  // namespace planek
