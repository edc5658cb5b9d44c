#pragma once
#include "core/plan.h"
#include "files/file_problems.h"

namespace planek {

// Reads the older single-file layout, planek.ini in the data folder, into
// the group and worker tables (appending). Keys missing from the file take
// their old defaults; a bad number is reported with its section and key.
// The file itself is never changed; the data go out in the current layout
// on the next save. Returns false when the file could not be read.
//
// Leave allowances (urlop, urlop_prev) are taken over as stored: the old
// layout kept days where the fields now count minutes, and the old default
// of 26 shows as 0:26 until the user corrects it in the worker dialog.
bool wczytaj_stary_planek_ini(Plan& plan, file_problems& problems);

}  // namespace planek
