#pragma once
// What the start does about saves a killed program left unfinished.
#include <filesystem>
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

// The program's log in the data folder, one dated line per entry.
std::filesystem::path log_file(const Plan& plan);
void append_log(const Plan& plan, const std::vector<std::string>& lines);

// Finishes the journals of interrupted saves in the data folder and removes
// the temporary files of our naming (older than a minute) and the locks whose
// process is gone on this computer in the data folder, the program folder
// and the folders of the recent months; says each in the log. Returns the
// lines logged. The lines the user must hear (a file of an interrupted save
// that could not land) go to `toTell` as well.
std::vector<std::string> tidy_after_killed_saves(const Plan& plan, std::vector<std::string>* toTell = nullptr);

}  // namespace planek
