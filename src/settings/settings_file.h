#pragma once
// Reading a settings file that the program later writes back whole
// (konfiguracja.ini, sundays.ini): one it cannot read is never rewritten from
// the little that was read.
#include <filesystem>

#include "core/clock.h"
#include "core/ini_file.h"

namespace planek {

struct plan_services;

// Loads `file` (missing or empty path: an empty file). When it exists but
// cannot be read it is moved aside as "<file>.bad_<yyyy-mm-dd>" (a number
// added when that name is taken) and the user is told with both names; the
// returned file is then empty, so the defaults go on in memory and the next
// save starts a fresh file. When it cannot even be moved aside, the returned
// file keeps refusing to be saved, and the user is told that too.
IniFile read_settings_file(const plan_services& plan, const std::filesystem::path& file);

// The name an unreadable file is kept under: "<file>.bad_<date>", or with
// "_2", "_3"... after it when that is taken.
std::filesystem::path unreadable_copy_name(const std::filesystem::path& file, const civil_date& today);

}  // namespace planek
