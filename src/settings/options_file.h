#pragma once
// konfiguracja.ini: reading the options into the Plan and writing them back.
#include <filesystem>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/duty_symbols.h"
#include "core/options.h"
#include "core/result.h"
#include "core/translator.h"

namespace planek {

struct Plan;
struct plan_services;

inline constexpr const char* kConfigFileName = "konfiguracja.ini";

// The name of the language's autofilling section.
std::string autofilling_section(const std::string& language);

// Reads the options of konfiguracja.ini in the configuration folder.
// "opcje": glowne, wydruki, warnings, dyzur_jako, symbole_dyz_uzytk,
// urlop_normatyw, urlop_symbol (and, from the data folder's file, the
// machine's own keys: windows, program, recent files, last backup and the
// three switches written at exit). "lang": urlop_nazwa and the autofilling
// lists of the chosen language. Missing keys keep their defaults; returns
// "section.key" of every key whose value was unusable and was ignored.
std::vector<std::string> czytaj_opcje(Plan& plan, const std::string& selector);

// The saved position in the language list (glowne.lang, -1 when none or
// unusable), read at start before the language is applied; also stored in
// plan.options.glowne.lang.
int read_saved_language(plan_services& plan);

// The same from files already read (tests, and the two-file split above).
std::vector<std::string> read_general_options(Plan& plan, const IniFile& config);
std::vector<std::string> read_machine_options(plan_services& plan, const IniFile& local);
std::vector<std::string> read_language_options(plan_services& plan, const IniFile& config);

// The duty-as categories of a language when the file has none: names and
// symbols from muv_DutyAsName / muv_DutyAsSymbol when each holds exactly
// four entries, else the built-in ones.
std::vector<dutyas_> default_duty_as(const Translator& tr);

// Writes the options into `ini` in the order of the options dialog's save.
// Names the user left at their defaults are written empty, so that they
// follow the language chosen later instead of staying in this one.
void write_options(const Plan& plan, IniFile& ini);

// After a change of language: the day-off and duty-as names the user typed
// (`kinds` and `dutyAs` as they were, `oldDefaults` the duty-as defaults of
// the language left) stay; those that were defaults become the new
// language's.
void carry_typed_names(Plan& plan, const std::vector<day_off_kind>& kinds, const std::vector<dutyas_>& dutyAs,
                       const std::vector<dutyas_>& oldDefaults);

enum class SaveOptionsResult { Saved, ServerConfig };

// The options dialog's "Zapisz": recomputes the paths; writes
// konfiguracja.ini only when the configuration folder is the local data
// folder (a configuration taken from a server is never written); then
// net.ini when the network page is visible. Refused with the first file
// that could not be written.
result<SaveOptionsResult> sb_SaveClick(Plan& plan);

// Makes the options in the plan take effect now rather than at the next
// start: what start-up works out from them is worked out again, and the
// view's hook (plan.hooks.options) re-arms what it holds, such as the
// autosave timer. Called by sb_SaveClick, whether or not a file was written.
void apply_saved_options(Plan& plan);

// What the program writes at exit into the data folder's file: last_backup,
// AutoCalcShifts, ReadAllGroup, cb_OnlyWorkersWithDutiesOrDayoffs and the
// window placement.
result<> write_exit_options(const Plan& plan);

// The last folder and the recent projects and templates, into the data
// folder's file.
result<> write_recent_files(const Plan& plan);

// The same keys into a file in memory.
void write_exit_keys(const Plan& plan, IniFile& ini);
void write_recent_keys(const Plan& plan, IniFile& ini);

// Every option of the plan as "section.key" and its text in the file's form,
// sections in the order of the options dialog's save.
std::vector<std::pair<std::string, std::string>> effective_options(const Plan& plan);

// Whether two folders are the same place (lexically, after normalising).
bool same_folder(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace planek
