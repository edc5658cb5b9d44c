#pragma once
// The options of the configuration file, with their defaults; read and
// written by the settings library (settings/options_file.h).
//
// Field names are the key names of konfiguracja.ini. Times ("h:mm" in the
// file) are held here as whole minutes; flags as bool. The duty-as
// categories and the user duty symbols live in the Plan (dutyAs,
// dutySymbols), filled from the same file.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"

namespace planek {

// Cell texts of the day-off grid's "Normatyw" column, stored as is in the
// file. Only the "on" glyph counts.
inline constexpr const char* kNormatywOn = "ţ";   // byte 0xFE on disk
inline constexpr const char* kNormatywOff = "¨";  // byte 0xA8 on disk
inline constexpr int kDayOffKindCount = 24;

// One row of the day-off kind table.
struct day_off_kind {
    std::string code;      // one character ("ż" is the no-duty-wanted kind)
    std::string symbol;    // urlop_symbol: printout / calendar symbol
    std::string name;      // the kind's name in the chosen language
    std::string ownName;   // urlop_nazwa: the user's own name (default: name)
    std::string normatyw;  // urlop_normatyw cell as stored; "" for kinds that cannot be set
    bool settable = true;  // false for the six kinds that never consume the norm

    bool countsTowardNorm() const { return normatyw == kNormatywOn; }
    // The name shown wherever a kind is named.
    const std::string& shownName() const { return ownName.empty() ? name : ownName; }
    bool operator==(const day_off_kind&) const = default;
};

// The built-in table, in row order (the order of the day-off dialog's list
// and of the month file's [urlop_normatyw] keys). Names of the last eight
// kinds come from the language only.
inline std::vector<day_off_kind> default_day_off_kinds() {
    struct row {
        const char* code;
        const char* symbol;
        const char* name;
        bool settable;
    };
    static const row rows[kDayOffKindCount] = {
        {"ż", " ", "Dzień bez dyżuru", false},
        {"u", "U", "Wypoczynkowy", true},
        {"m", "A", "Macierzyński", true},
        {"w", "A", "Wychowawczy", true},
        {"s", "A", "Szkoleniowy", true},
        {"z", "A", "Zwolnienie lekarskie", true},
        {"o", "A", "Opieka nad dzieckiem", true},
        {"n", "Z", "Wagary", false},
        {"i", "A", "Inny", true},
        {"1", " ", "Za pracę w niedzielę", false},
        {"7", " ", "Za pracę w sobotę", false},
        {"b", "B", "Bezpłatny", true},
        {"r", "A", "Opieka nad członkiem rodziny", true},
        {"d", "A", "Zwolnienie na dziecko", true},
        {"h", "H", "Rehabilitacyjny", true},
        {"a", "Q", "Na żądanie", true},
        {"9", "9", "", false},
        {"k", "O", "", true},
        {"j", "A", "", true},
        {"t", "A", "", true},
        {"c", "A", "", true},
        {"5", " ", "", false},
        {"v", "A", "", true},
        {"y", "A", "", true},
    };
    std::vector<day_off_kind> kinds;
    kinds.reserve(kDayOffKindCount);
    for (const row& r : rows) {
        day_off_kind k;
        k.code = r.code;
        k.symbol = r.symbol;
        k.name = r.name;
        k.settable = r.settable;
        k.normatyw = r.settable ? kNormatywOn : "";
        kinds.push_back(std::move(k));
    }
    return kinds;
}

// Section glowne.
struct glowne_options {
    int dyz8 = 455;   // never written
    int dyz12 = 720;  // never written
    civil_date last_backup{};  // reader sets today when missing or not a date
    int autoarchiving = 90;    // days, 0 = never
    int autosave = 10;         // minutes
    bool autobackup = true;
    bool DeletePrintoutsFilesAfterClose = false;
    bool AutoCalcShifts = true;
    std::string miejscowosc;
    std::string kod;
    std::string adres;
    std::string vat_no;
    std::string firma;
    std::string symbol_8 = "8";
    std::string symbol_d = "D";
    std::string symbol_other = "I";
    std::string symbol_medical_duty = "DM";
    std::string symbol_duty_as_overtime = "GN";
    int symbol_width = 16;  // 16..160, else 16
    int symbol_height = 16;
    int symbol_font_height = 8;
    int CalendarDisplay = 0;  // 0 shift number, 1 day number, 2 number of duties
    int lang = -1;            // position in the language list, -1 = none chosen
    // The longest the second scheduling algorithm may search, in seconds: a
    // bound for a slow machine, which a normal run does not reach.
    int automatSeconds = 5;  // 1..3600

    bool operator==(const glowne_options&) const = default;
};

// Section wydruki: overtime and night rules, two printout switches.
struct wydruki_options {
    int ng_powyzej = 120;   // "02:00"
    int ng_od = 19 * 60;    // "19:00"
    int ng_do = 7 * 60;     // "07:00"
    bool ng_swieto = true;
    bool ng_wolne_za_swieto = false;
    bool ng_dyzur0 = true;
    int noc_od = 22 * 60;   // "22:00"
    int noc_do = 8 * 60;    // night length, "08:00"
    int doba_od = 0;        // "00:00"
    bool ReadAllGroup = false;
    bool cb_OnlyWorkersWithDutiesOrDayoffs = false;

    bool operator==(const wydruki_options&) const = default;
};

// Section warnings: a switch and a threshold per rule. Time thresholds are
// minutes.
struct warnings_options {
    bool Nights2 = true;  // key "2Nigths"
    bool DutyNexttoDuty = true;
    int vDutyNexttoDuty = 12 * 60;
    bool DutyTooLong = true;
    int vDutyTooLong = 12 * 60;
    bool DutyTooShort = true;
    int vDutyTooShort = 3 * 60;
    bool NormativeExceeded = true;
    int vNormativeExceeded = 10 * 60;
    bool LacksDuties = true;
    int vLacksDuties = 10 * 60;
    bool WeekIntervalTooShort = true;
    int vWeekIntervalTooShort = 35 * 60;
    bool WorkSundaysMaxCount = true;
    int vWorkSundaysMaxCount = 3;  // 1..10
    bool StaffLess = true;
    int vStaffLess = 1;  // 1..20
    bool StaffBigger = true;
    int vStaffBigger = 1;  // 1..20
    bool StaffLessPercent = true;
    int vStaffLessPercent = 100;  // 1..100
    bool StaffBiggerPercent = true;
    int vStaffBiggerPercent = 200;  // 100..500
    bool DiscontinuosStaff = true;
    bool WeekWorkTime = true;
    int vWeekWorkTime = 10;  // 1..100

    bool operator==(const warnings_options&) const = default;
};

// Section autofilling_<language>: suggestion lists of the worker dialog,
// entries joined by "¤" as stored.
struct autofilling_options {
    std::string Occupations =
        "Pielęgniarka¤Starsza pielęgniarka¤Wolontariuszka¤Stażystka¤Położna¤Salowa¤"
        "Oddziałowa¤Zastępca oddziałowej¤";
    std::string Educations = "Wyższe¤Średnie¤";

    bool operator==(const autofilling_options&) const = default;
};

// Section windows: main window placement; 0 width/height = screen size.
struct windows_options {
    int window_pos_x = 0;
    int window_pos_y = 0;
    int window_width = 0;
    int window_height = 0;
    bool window_state_max = true;

    bool operator==(const windows_options&) const = default;
};

// net.ini of the data folder, section net.
struct net_options {
    std::string ServerPath;  // folder of the copy that acts as server
    bool Template = false;   // templates from the server
    bool Printout = false;   // printouts into the server's folder
    bool PrintoutOnlyAccepted = true;
    bool Config = false;     // configuration from the server
    bool HideNetworkTab = false;

    bool operator==(const net_options&) const = default;
};

// The per-user settings (one small file per user, see
// settings/user_settings.h).
struct user_options {
    std::string pwd;  // decimal text of the password hash; empty = no password
    std::string user_name;
    std::optional<bool> tab_adress_visible;  // absent = leave the page as it is
    std::optional<bool> tab_other_visible;
    // The hospital server's store this user works on, as libpq takes it
    // (never with a password: that stays in ~/.pgpass); empty = the folder.
    std::string db_url;

    bool operator==(const user_options&) const = default;
};

struct Options {
    glowne_options glowne;
    wydruki_options wydruki;
    warnings_options warnings;
    autofilling_options autofilling;
    windows_options windows;
    std::vector<day_off_kind> dayOffKinds = default_day_off_kinds();
    std::string programPath;                      // section program, key path
    std::array<std::string, 4> recentProjects;    // pliki_Project plik1..plik4
    std::array<std::string, 4> recentTemplates;   // pliki_Templates plik1..plik4
    net_options net;
    user_options user;
    // Folder of the per-user settings file; empty = none is read or written
    // (the programs set it at start, tests point it at a temporary folder).
    std::filesystem::path userSettingsFolder;
    // Whether the configuration dialog shows its network page; saving the
    // options writes net.ini only then.
    bool networkPageVisible = true;

    // The chosen language (not a key of the file beyond glowne.lang).
    std::string language = "polski";
    std::string languageFile;  // full path of the applied .lng, empty when none
    std::string appTitle = "PlanekPro";

    // Index of a kind in dayOffKinds by code, or -1.
    int dayOffKindIndex(const std::string& code) const {
        for (std::size_t i = 0; i < dayOffKinds.size(); ++i)
            if (dayOffKinds[i].code == code) return int(i);
        return -1;
    }
    bool operator==(const Options&) const = default;
};

}  // namespace planek
