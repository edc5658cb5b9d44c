#pragma once
// Language files: "<name>.lng" in the lang folder, an INI text in
// Windows-1250 whose sections are form names, "h" (hints), "messages",
// "dialogs" and "MostUsedValues". A missing file, section or key leaves the
// built-in Polish text in place.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "core/translator.h"

namespace planek {

struct Plan;
struct plan_services;

// The entries of the language list, in list order.
const std::vector<std::string>& language_list();
// Position of a language name in the list (case-insensitive), or -1.
int language_index(const std::string& name);

// The language of the system locale (LC_ALL, LC_MESSAGES, LANG in that
// order): "polski" when its primary language is Polish, else "english".
std::string system_language();

// The application title for a language.
std::string app_title(const std::string& language);

std::filesystem::path language_file(const std::filesystem::path& lang_folder, const std::string& language);

// Reads a language file into the translator (which is emptied first).
// Broken lines are skipped; false when the file cannot be read.
bool load_language_file(Translator& tr, const std::filesystem::path& file);
// The same from text already decoded to UTF-8.
void load_language_text(Translator& tr, const std::string& utf8);

// Chooses and applies the language: `chosen` is a position in the language
// list; without one the saved position (glowne.lang) is taken, and without
// that the system's language. Sets the title; when the language's file
// exists, loads it, renames the day-off kinds from muv_DayOffNames and
// re-reads the language-dependent options. When it is missing, refuses with
// msg_LangFileMissing and keeps the texts.
result<> cb_LanguageChange(Plan& plan, std::optional<int> chosen = std::nullopt);

// The built-in Polish names of the day-off kinds overlaid with the
// language's muv_DayOffNames, when that list holds 1 to 24 names.
void apply_day_off_names(plan_services& plan);

// A value as the file holds it to the text in memory: blanks around it and
// enclosing double quotes go; the two-character sequences backslash-n and
// backslash-r become a line feed and a carriage return, so lists in memory
// (and in the built-in defaults) use the real characters.
std::string decode_language_value(std::string_view raw);

// Value encodings of list controls, on decoded values.
// Replaces every occurrence of `from` by `to`.
std::string multi_line(std::string text, const std::string& from, const std::string& to);
// Items of a list control, separated by line feeds: a value with fewer items
// keeps the remaining built-in ones, extra items are dropped.
void apply_items(std::vector<std::string>& items, const std::string& value);
// A radio group: caption, carriage return, items. A value without "\r" changes nothing.
bool apply_radio(std::string& caption, std::vector<std::string>& items, const std::string& value);
// A string grid: rows separated by carriage returns, cells by line feeds;
// only existing cells are filled.
void apply_grid(std::vector<std::vector<std::string>>& cells, const std::string& value);
// A "¤"-separated list of MostUsedValues, an empty last entry dropped.
std::vector<std::string> muv_entries(const std::string& value);

}  // namespace planek
