#pragma once
// The yearly record of worked Sundays, sundays.ini in the data folder: one
// section per worker id, one key per year, one "1"/"0" per Sunday of the year.
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/plan.h"
#include "core/result.h"
#include "files/save_set.h"

namespace planek {

// Number of Sundays of the year: (days in the year - day of the first
// Sunday) div 7 + 1.
int sundays_in_year(int year);
// 1-based ordinal of the date among the Sundays of its year; 0 when the date
// is no Sunday.
int sunday_position(int year, int month, int day);

std::filesystem::path sundays_file(const Plan& plan);

// The record as it stands with the Sundays of the shown month counted in,
// in memory: what a check reads without writing anything.
IniFile niedziele_z_miesiacem(const Plan& plan);

// The shown month's Sundays of every worker put into a record held
// elsewhere (the hospital's server keeps it as rows); nothing when the month
// is not known.
void put_month_sundays(const Plan& plan, IniFile& ini);

// Updates the record for the Sundays of the shown month. A failed write is
// refused and leaves the old file whole.
result<> zapisz_niedziele(Plan& plan);
// The same update added to a save of several files instead of written; a
// record that cannot be written is refused and not added.
result<> stage_niedziele(Plan& plan, save_set& set);

}  // namespace planek
