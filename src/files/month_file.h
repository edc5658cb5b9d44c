#pragma once
// The month schedule file (*.pnk): everything that belongs to one month of
// the plan. The writer and the reader are kept as mirror images: every key
// written is read back, except [info] wersja/data and [auto_nadpracowania]
// (read from the previous month by the overtime carry-over).
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/plan.h"
#include "core/result.h"
#include "files/month_ini.h"

namespace planek {

inline constexpr const char* kMonthFileVersion = "3.82_testowa";
inline constexpr const char* kAutosaveName = "autosave.~pn";
inline constexpr const char* kRestoreMarker = ".~ak";

// The autosave file of the program folder.
std::filesystem::path autosave_file(const Plan& plan);
bool is_autosave_file(const Plan& plan, const std::string& path);

// True when no group has a typed-in norm and no worker has a duty, a day
// off or overtime (carried or typed in) in the shown month.
bool czy_puste_dyzury_i_wolne(const Plan& plan);

// A month file holding only its month, for a month to be made from nothing
// (the command line's new, the generated wards).
io_result write_empty_month_file(const std::filesystem::path& file, int year, int month,
                                 const Translator* tr = nullptr);

// The lines of the month file for the shown month (UTF-8).
std::vector<std::string> month_file_lines(const Plan& plan);
// The bytes `file` gets for the shown month: those lines in Windows-1250,
// then the end section that proves them whole (files/month_seal.h).
io_result month_file_bytes(const Plan& plan, const std::filesystem::path& file, std::string& bytes);

// Writes the shown month to plan.currentFile. Refuses a read-only file, and
// a file that did not read whole (plan.guards.damaged), and a failed write
// with the reason; in all cases the old file stays whole and the plan stays
// modified. The notes say what went wrong beside it (the Sunday record, the
// staff's problems, a month saved under another name).
result<> zapisz_dyzury_i_wolne(Plan& plan);

// Reads plan.currentFile into the shown month (an empty month when there is
// no file). Never throws: every line it could not use is skipped and
// returned; what the user is to hear (one summary of those lines, a safety
// copy that could not be made) goes to `notes` when given.
std::vector<month_problem> wczytaj_dyzury_i_wolne(Plan& plan, std::vector<refusal>* notes = nullptr);
// The same without touching any file: no safety copies, the restore marker
// left alone (for readers that only look, like the command line).
std::vector<month_problem> wczytaj_tylko_do_odczytu(Plan& plan, std::vector<refusal>* notes = nullptr);
// The shown month read from the bytes a month file would hold (the
// hospital's server keeps the month as rows, not as a file): plan.currentFile
// only names it, and no file is looked at, copied or locked.
std::vector<month_problem> read_month_bytes(Plan& plan, const std::string& bytes);
// The one summary of the lines of `file` that could not be used.
refusal month_problems_said(const Plan& plan, const std::string& file, const std::vector<month_problem>& problems);

// Reads `file` into a copy of the plan, without any side effect on disk or on
// the plan, and returns every line that could not be used.
std::vector<month_problem> check_month_file(const Plan& plan, const std::filesystem::path& file);
// The same, keeping the copy with what was read in its shown month (for a
// check of whose month it is). The copy has no history and no views.
struct month_probe {
    Plan read;
    std::vector<month_problem> problems;
};
// With `wardOnly`, only those groups' part is read (see file_guards).
month_probe probe_month_file(const Plan& plan, const std::filesystem::path& file,
                             const std::vector<word>& wardOnly = {});

// One problem as a line of text: "wiersz N [section] key: reason", the
// word for the line in the language of `tr` when one is given.
std::string problem_text(const month_problem& p);
std::string problem_text(const month_problem& p, const Translator& tr);

// Year and month of a month file: [okres] FromYear/FromMonth, else (no
// [okres]) the name "YYYY_MM...", else today.
struct year_month {
    int year = 0;
    int month = 0;
};
year_month ustal_miesiac(const Plan& plan, const std::string& file);
// The same from a parsed file and its name.
year_month ustal_miesiac(const Plan& plan, const month_ini& ini, const std::string& file);
// The WeekMode flag of a month file (false when missing or unreadable).
bool month_file_week_mode(const std::string& file);

// The day-off kind code as text ("ż" for the code byte 0xBF) and back; the
// record keeps the Windows-1250 byte of the kind.
std::string kind_text(char symbol);
std::optional<char> kind_symbol(const std::string& text);

}  // namespace planek
