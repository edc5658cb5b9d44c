#include "settings/options_file.h"

#include <functional>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "core/plan.h"
#include "core/text.h"
#include "settings/language.h"
#include "settings/net_settings.h"
#include "settings/option_values.h"
#include "settings/settings_file.h"

namespace planek {

namespace {

constexpr int kDayMinutes = 24 * 60 - 1;   // a time of day: 00:00 .. 23:59
constexpr int kNightLength = 24 * 60;      // the night lasts at most a day
constexpr int kThreshold = 99 * 60 + 59;   // two-digit hours of the dialog

// Reads typed values, keeping the default for a value that cannot be used
// and noting its key.
class Reader {
public:
    Reader(const IniFile& ini, std::vector<std::string>& ignored) : ini_(ini), ignored_(ignored) {}

    void integer(const std::string& section, const std::string& key, int& field, int lo, int hi) {
        auto v = ini_.value(section, key);
        if (!v) return;
        auto n = parse_int(*v);
        if (n && *n >= lo && *n <= hi)
            field = int(*n);
        else
            ignore(section, key);
    }
    void flag(const std::string& section, const std::string& key, bool& field) {
        auto v = ini_.value(section, key);
        if (!v) return;
        // Only "1" is on: "tak" or "2" must not switch anything on. A value
        // that is no flag at all is still noted.
        std::string t = trim(*v);
        field = parse_flag(t);
        if (t != "1" && t != "0") ignore(section, key);
    }
    void time(const std::string& section, const std::string& key, int& field, int max) {
        auto v = ini_.value(section, key);
        if (!v) return;
        if (auto m = parse_option_time(*v, max))
            field = *m;
        else
            ignore(section, key);
    }
    void text(const std::string& section, const std::string& key, std::string& field) {
        if (auto v = ini_.value(section, key)) field = *v;
    }
    void ignore(const std::string& section, const std::string& key) { ignored_.push_back(section + "." + key); }
    const IniFile& ini() const { return ini_; }

private:
    const IniFile& ini_;
    std::vector<std::string>& ignored_;
};

// A text a line-based file can hold: line breaks become "¤", so a typed
// value can never start a line of its own (a new key or section).
std::string one_line(const std::string& s) {
    std::string out = multi_line(s, "\r\n", std::string(kSep));
    out = multi_line(out, "\n", std::string(kSep));
    return multi_line(out, "\r", std::string(kSep));
}

void read_glowne(Reader& r, glowne_options& g) {
    const std::string s = "glowne";
    r.integer(s, "dyz8", g.dyz8, 1, 24 * 60);
    r.integer(s, "dyz12", g.dyz12, 1, 24 * 60);
    r.integer(s, "autoarchiving", g.autoarchiving, 0, 100000);
    r.integer(s, "autosave", g.autosave, 0, 100000);
    r.integer(s, "AutomatSeconds", g.automatSeconds, 1, 3600);
    r.flag(s, "autobackup", g.autobackup);
    r.flag(s, "DeletePrintoutsFilesAfterClose", g.DeletePrintoutsFilesAfterClose);
    for (auto [key, field] : {std::pair{"miejscowosc", &g.miejscowosc}, {"kod", &g.kod}, {"adres", &g.adres},
                              {"vat_no", &g.vat_no}})
        r.text(s, key, *field);
    r.text(s, "firma", g.firma);
    g.firma = multi_line(g.firma, std::string(kSep), "\n");  // a memo, kept on one line
    for (auto [key, field] : {std::pair{"symbol_8", &g.symbol_8}, {"symbol_d", &g.symbol_d},
                              {"symbol_other", &g.symbol_other}, {"symbol_medical_duty", &g.symbol_medical_duty},
                              {"symbol_duty_as_overtime", &g.symbol_duty_as_overtime}})
        r.text(s, key, *field);
    g.symbol_8 = utf8_left(g.symbol_8, 2);
    // A symbol cell outside 16..160 pixels falls back to 16.
    for (auto [key, field] : {std::pair{"symbol_width", &g.symbol_width}, {"symbol_height", &g.symbol_height}}) {
        r.integer(s, key, *field, INT32_MIN, INT32_MAX);
        if (*field < 16 || *field > 160) {
            if (*field != 16) r.ignore(s, key);
            *field = 16;
        }
    }
    r.integer(s, "symbol_font_height", g.symbol_font_height, 6, 30);
    r.integer(s, "CalendarDisplay", g.CalendarDisplay, 0, 2);
}

void read_wydruki(Reader& r, wydruki_options& w) {
    const std::string s = "wydruki";
    r.time(s, "ng_powyzej", w.ng_powyzej, kThreshold);
    r.time(s, "ng_od", w.ng_od, kDayMinutes);
    r.time(s, "ng_do", w.ng_do, kDayMinutes);
    r.flag(s, "ng_swieto", w.ng_swieto);
    r.flag(s, "ng_wolne_za_swieto", w.ng_wolne_za_swieto);
    r.flag(s, "ng_dyzur0", w.ng_dyzur0);
    r.time(s, "noc_od", w.noc_od, kDayMinutes);
    r.time(s, "noc_do", w.noc_do, kNightLength);
    r.time(s, "doba_od", w.doba_od, kDayMinutes);
}

// The rules of the warnings section, in the dialog's (and the file's) order:
// key of the switch, key of the threshold ("" = none), and how the threshold
// is kept.
struct warning_rule {
    const char* flag;
    bool warnings_options::*on;
    const char* value;
    int warnings_options::*threshold;
    bool isTime;
    int lo, hi;
};

const std::vector<warning_rule>& warning_rules() {
    using W = warnings_options;
    static const std::vector<warning_rule> rules = {
        {"2Nigths", &W::Nights2, "", nullptr, false, 0, 0},
        {"DutyNexttoDuty", &W::DutyNexttoDuty, "vDutyNexttoDuty", &W::vDutyNexttoDuty, true, 0, kThreshold},
        {"DutyTooLong", &W::DutyTooLong, "vDutyTooLong", &W::vDutyTooLong, true, 0, kThreshold},
        {"DutyTooShort", &W::DutyTooShort, "vDutyTooShort", &W::vDutyTooShort, true, 0, kThreshold},
        {"NormativeExceeded", &W::NormativeExceeded, "vNormativeExceeded", &W::vNormativeExceeded, true, 0,
         kThreshold},
        {"LacksDuties", &W::LacksDuties, "vLacksDuties", &W::vLacksDuties, true, 0, kThreshold},
        {"WeekIntervalTooShort", &W::WeekIntervalTooShort, "vWeekIntervalTooShort", &W::vWeekIntervalTooShort,
         true, 0, kThreshold},
        {"WorkSundaysMaxCount", &W::WorkSundaysMaxCount, "vWorkSundaysMaxCount", &W::vWorkSundaysMaxCount, false,
         1, 10},
        {"StaffLess", &W::StaffLess, "vStaffLess", &W::vStaffLess, false, 1, 20},
        {"StaffBigger", &W::StaffBigger, "vStaffBigger", &W::vStaffBigger, false, 1, 20},
        {"StaffLessPercent", &W::StaffLessPercent, "vStaffLessPercent", &W::vStaffLessPercent, false, 1, 100},
        {"StaffBiggerPercent", &W::StaffBiggerPercent, "vStaffBiggerPercent", &W::vStaffBiggerPercent, false,
         100, 500},
        {"DiscontinuosStaff", &W::DiscontinuosStaff, "", nullptr, false, 0, 0},
        {"WeekWorkTime", &W::WeekWorkTime, "vWeekWorkTime", &W::vWeekWorkTime, false, 1, 100},
    };
    return rules;
}

void read_warnings(Reader& r, warnings_options& w) {
    for (const warning_rule& rule : warning_rules()) {
        r.flag("warnings", rule.flag, w.*rule.on);
        if (!rule.threshold) continue;
        if (rule.isTime)
            r.time("warnings", rule.value, w.*rule.threshold, rule.hi);
        else
            r.integer("warnings", rule.value, w.*rule.threshold, rule.lo, rule.hi);
    }
}

const char* const kBuiltInDutyAs[4] = {"Etat", "Kontrakt", "Umowa-zlecenie", "Inny"};

void read_duty_as(Reader& r, const Translator& tr, std::vector<dutyas_>& dutyAs) {
    dutyAs = default_duty_as(tr);
    for (int i = 0; i < 4; ++i) {
        std::string key = std::to_string(i + 1);
        auto v = r.ini().value("dyzur_jako", key);
        if (!v) continue;
        std::vector<std::string> f = split_fields(*v);
        dutyas_& d = dutyAs[size_t(i)];
        // The built-in Polish name stands for the default, as an empty one does.
        if (f.size() > 0 && !f[0].empty() && f[0] != kBuiltInDutyAs[i]) d.name = f[0];
        // The symbol is one character; the record holds one byte.
        if (f.size() > 1 && !f[1].empty()) {
            unsigned char c = static_cast<unsigned char>(f[1][0]);
            if (c < 0x80)
                d.symbol = char(c);
            else
                r.ignore("dyzur_jako", key);
        }
        if (f.size() > 2 && !trim(f[2]).empty()) {
            if (auto c = parse_colour(trim(f[2])))
                d.color = *c;
            else
                r.ignore("dyzur_jako", key);
        }
    }
}

// One of the numbers of a user duty symbol: -1 for an empty field (and a
// field that is missing), nullopt for one that is no usable number.
std::optional<int> symbol_number(const std::vector<std::string>& f, size_t i, bool& empty) {
    if (i >= f.size() || trim(f[i]).empty()) {
        empty = true;
        return -1;
    }
    auto n = parse_int(f[i]);
    if (!n || *n < -1 || *n > INT16_MAX) return std::nullopt;
    return int(*n);
}

void read_user_symbols(Reader& r, std::vector<dyz_symb_>& symbols) {
    symbols.clear();
    for (int i = 1;; ++i) {
        std::string key = std::to_string(i);
        auto v = r.ini().value("symbole_dyz_uzytk", key);
        if (!v) break;
        std::vector<std::string> f = split_fields(*v);
        bool empty = false;
        auto start = symbol_number(f, 0, empty);
        auto length = symbol_number(f, 1, empty);
        auto overtime = symbol_number(f, 2, empty);
        if (!start || !length || !overtime) {
            r.ignore("symbole_dyz_uzytk", key);
            continue;
        }
        // A symbol for any length needs a start to go with.
        if (*length == -1 && (*start == -1 || empty)) continue;
        dyz_symb_ s;
        s.start = std::int16_t(*start);
        s.length = std::int16_t(*length);
        s.overtime = std::int16_t(*overtime);
        s.symbol = f.size() > 3 ? f[3] : "";
        symbols.push_back(std::move(s));
    }
}

void read_day_off_kinds(Reader& r, std::vector<day_off_kind>& kinds) {
    std::vector<day_off_kind> builtIn = default_day_off_kinds();
    if (kinds.size() != builtIn.size()) kinds = builtIn;
    for (size_t i = 0; i < kinds.size(); ++i) {
        day_off_kind& k = kinds[i];
        k.symbol = builtIn[i].symbol;
        k.normatyw = builtIn[i].normatyw;
        // Kinds that never consume the norm are not read.
        if (k.settable) r.text("urlop_normatyw", k.code, k.normatyw);
        r.text("urlop_symbol", k.code, k.symbol);
        // Profile files drop blanks at the ends of a value; a blank symbol
        // comes back empty and is a blank again.
        if (k.symbol.empty()) k.symbol = " ";
    }
}

// No folder means no file: a plan without a program root neither reads nor
// writes anything relative to the working folder.
std::filesystem::path config_file(const std::filesystem::path& folder) {
    return folder.empty() ? std::filesystem::path() : folder / kConfigFileName;
}

// The data folder's file is the program's own and is written back whole, so
// one it cannot read is set aside; a server's configuration is only read.
IniFile read_ini(const plan_services& plan, const std::filesystem::path& file) {
    if (file.empty()) return IniFile();
    if (same_folder(file.parent_path(), plan.paths.data)) return read_settings_file(plan, file);
    return IniFile(file);
}

result<> save_ini(const Plan& plan, const IniFile& ini, const std::filesystem::path& file) {
    if (file.empty())
        return refused(refusal_kind::Io, plan.tr.msg("msg_NoProgramDataFolder", "Nie wskazano folderu danych programu."));
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ini.saveAs(file, &plan.tr)) return {};
    return refused(refusal_kind::Io, ini.error().empty() ? file.string() : ini.error(), file.string());
}

// Some keys changed on the file as it is now: when another program writes it
// between our read and our write, the change is made again on its version,
// so neither loses the keys the other wrote.
result<> update_ini(const Plan& plan, const std::filesystem::path& file, const std::function<void(IniFile&)>& change) {
    for (int round = 0;; ++round) {
        IniFile ini = read_ini(plan, file);
        change(ini);
        result<> saved = save_ini(plan, ini, file);
        if (saved || !ini.changedOnDisk() || round == 5) return saved;
    }
}

}  // namespace

std::string autofilling_section(const std::string& language) { return "autofilling_" + lower_pl(language); }

std::vector<dutyas_> default_duty_as(const Translator& tr) {
    std::vector<std::string> names = muv_entries(tr.muv("muv_DutyAsName", "Etat¤Kontrakt¤Umowa-zlecenie¤Inny"));
    std::vector<std::string> symbols = muv_entries(tr.muv("muv_DutyAsSymbol", "E¤K¤Z¤I"));
    if (names.size() != 4) names = {kBuiltInDutyAs, kBuiltInDutyAs + 4};
    if (symbols.size() != 4 || std::any_of(symbols.begin(), symbols.end(), [](const std::string& s) {
            return s.empty() || static_cast<unsigned char>(s[0]) >= 0x80;
        }))
        symbols = {"E", "K", "Z", "I"};
    static const colour colours[4] = {rgb(255, 255, 255), rgb(255, 255, 0), rgb(255, 0, 255), rgb(0, 128, 0)};
    std::vector<dutyas_> d(4);
    for (size_t i = 0; i < 4; ++i) {
        d[i].name = names[i];
        d[i].symbol = symbols[i][0];
        d[i].color = colours[i];
    }
    return d;
}

std::vector<std::string> read_general_options(Plan& plan, const IniFile& config) {
    std::vector<std::string> ignored;
    Reader r(config, ignored);
    Options& o = plan.options;
    glowne_options g;
    // Keys kept elsewhere: the language choice and those of the data
    // folder's own file.
    g.lang = o.glowne.lang;
    g.last_backup = o.glowne.last_backup;
    g.AutoCalcShifts = o.glowne.AutoCalcShifts;
    read_glowne(r, g);
    o.glowne = g;

    wydruki_options w;
    w.ReadAllGroup = o.wydruki.ReadAllGroup;
    w.cb_OnlyWorkersWithDutiesOrDayoffs = o.wydruki.cb_OnlyWorkersWithDutiesOrDayoffs;
    read_wydruki(r, w);
    o.wydruki = w;

    o.warnings = warnings_options{};
    read_warnings(r, o.warnings);
    read_duty_as(r, plan.tr, plan.dutyAs);
    read_user_symbols(r, plan.dutySymbols);
    read_day_off_kinds(r, o.dayOffKinds);
    return ignored;
}

std::vector<std::string> read_machine_options(plan_services& plan, const IniFile& local) {
    std::vector<std::string> ignored;
    Reader r(local, ignored);
    Options& o = plan.options;
    o.glowne.last_backup = plan.clock->today();
    if (auto v = local.value("glowne", "last_backup")) {
        if (auto d = parse_option_date(*v))
            o.glowne.last_backup = *d;
        else
            r.ignore("glowne", "last_backup");
    }
    o.glowne.AutoCalcShifts = true;
    r.flag("glowne", "AutoCalcShifts", o.glowne.AutoCalcShifts);
    o.wydruki.ReadAllGroup = false;
    o.wydruki.cb_OnlyWorkersWithDutiesOrDayoffs = false;
    r.flag("wydruki", "ReadAllGroup", o.wydruki.ReadAllGroup);
    r.flag("wydruki", "cb_OnlyWorkersWithDutiesOrDayoffs", o.wydruki.cb_OnlyWorkersWithDutiesOrDayoffs);

    o.windows = windows_options{};
    for (auto [key, field] : {std::pair{"window_pos_x", &o.windows.window_pos_x},
                              {"window_pos_y", &o.windows.window_pos_y}})
        r.integer("windows", key, *field, -100000, 100000);
    for (auto [key, field] : {std::pair{"window_width", &o.windows.window_width},
                              {"window_height", &o.windows.window_height}})
        r.integer("windows", key, *field, 0, 100000);
    r.flag("windows", "window_state_max", o.windows.window_state_max);

    o.programPath = local.readString("program", "path", "");
    for (size_t i = 0; i < 4; ++i) {
        std::string key = "plik" + std::to_string(i + 1);
        o.recentProjects[i] = local.readString("pliki_Project", key, "");
        o.recentTemplates[i] = local.readString("pliki_Templates", key, "");
    }
    return ignored;
}

std::vector<std::string> read_language_options(plan_services& plan, const IniFile& config) {
    std::vector<std::string> ignored;
    Reader r(config, ignored);
    Options& o = plan.options;
    const std::vector<day_off_kind> builtIn = default_day_off_kinds();
    for (size_t i = 0; i < o.dayOffKinds.size(); ++i) {
        day_off_kind& k = o.dayOffKinds[i];
        std::string stored;
        r.text("urlop_nazwa", k.code, stored);
        // Empty, or the built-in Polish name an older copy wrote for every
        // kind: the default, in the chosen language.
        const bool standard = stored.empty() || (i < builtIn.size() && stored == builtIn[i].name);
        k.ownName = standard ? k.name : stored;
    }
    autofilling_options a;
    a.Occupations = plan.tr.muv("muv_Occupations", a.Occupations);
    a.Educations = plan.tr.muv("muv_Educations", a.Educations);
    std::string section = autofilling_section(o.language);
    r.text(section, "Occupations", a.Occupations);
    r.text(section, "Educations", a.Educations);
    o.autofilling = a;
    return ignored;
}

int read_saved_language(plan_services& plan) {
    IniFile config = read_ini(plan, config_file(plan.paths.config));
    std::vector<std::string> ignored;
    Reader r(config, ignored);
    int lang = -1;
    r.integer("glowne", "lang", lang, -1, int(language_list().size()) - 1);
    plan.options.glowne.lang = lang;
    return lang;
}

std::vector<std::string> czytaj_opcje(Plan& plan, const std::string& selector) {
    IniFile config = read_ini(plan, config_file(plan.paths.config));
    if (selector == "lang") return read_language_options(plan, config);
    if (selector != "opcje") return {};
    std::vector<std::string> ignored;
    if (same_folder(plan.paths.config, plan.paths.data)) {
        ignored = read_machine_options(plan, config);
    } else {
        IniFile local = read_ini(plan, config_file(plan.paths.data));
        ignored = read_machine_options(plan, local);
    }
    std::vector<std::string> general = read_general_options(plan, config);
    ignored.insert(ignored.end(), general.begin(), general.end());
    return ignored;
}

namespace {

// The duty-as entries, the day-off kinds' symbols and norm flags, and their
// names; names left at their defaults are written empty unless `shown`.
void write_names(const Plan& plan, IniFile& ini, bool shown) {
    const std::vector<dutyas_> defaults = default_duty_as(plan.tr);
    for (size_t i = 0; i < plan.dutyAs.size() && i < 4; ++i) {
        const dutyas_& d = plan.dutyAs[i];
        std::string symbol = d.symbol ? std::string(1, d.symbol) : "";
        const bool standard = !shown && i < defaults.size() && d.name == defaults[i].name;
        ini.writeString("dyzur_jako", std::to_string(i + 1),
                        join_fields({standard ? std::string() : one_line(d.name), symbol, colour_text(d.color)}));
    }
    const Options& o = plan.options;
    for (const day_off_kind& k : o.dayOffKinds) ini.writeString("urlop_normatyw", k.code, one_line(k.normatyw));
    for (const day_off_kind& k : o.dayOffKinds) ini.writeString("urlop_symbol", k.code, one_line(k.symbol));
    for (const day_off_kind& k : o.dayOffKinds)
        ini.writeString("urlop_nazwa", k.code,
                        !shown && k.ownName == k.name ? std::string() : one_line(k.shownName()));
}

}  // namespace

void write_options(const Plan& plan, IniFile& ini) {
    const Options& o = plan.options;
    const glowne_options& g = o.glowne;
    ini.writeInt("normatyw", "test", 1);

    const std::string gl = "glowne";
    ini.writeInt(gl, "autosave", g.autosave);
    ini.writeInt(gl, "autoarchiving", g.autoarchiving);
    ini.writeBool(gl, "autobackup", g.autobackup);
    ini.writeBool(gl, "DeletePrintoutsFilesAfterClose", g.DeletePrintoutsFilesAfterClose);
    ini.writeString(gl, "miejscowosc", one_line(g.miejscowosc));
    ini.writeString(gl, "kod", one_line(g.kod));
    ini.writeString(gl, "adres", one_line(g.adres));
    ini.writeString(gl, "vat_no", one_line(g.vat_no));
    ini.writeString(gl, "firma", one_line(g.firma));
    ini.writeString(gl, "symbol_8", one_line(g.symbol_8));
    ini.writeString(gl, "symbol_d", one_line(g.symbol_d));
    ini.writeString(gl, "symbol_other", one_line(g.symbol_other));
    ini.writeString(gl, "symbol_medical_duty", one_line(g.symbol_medical_duty));
    ini.writeString(gl, "symbol_duty_as_overtime", one_line(g.symbol_duty_as_overtime));

    std::string af = autofilling_section(o.language);
    ini.writeString(af, "Occupations", one_line(o.autofilling.Occupations));
    ini.writeString(af, "Educations", one_line(o.autofilling.Educations));

    ini.writeInt(gl, "lang", g.lang);
    ini.writeInt(gl, "CalendarDisplay", g.CalendarDisplay);
    ini.writeInt(gl, "symbol_width", g.symbol_width);
    ini.writeInt(gl, "symbol_height", g.symbol_height);
    ini.writeInt(gl, "symbol_font_height", g.symbol_font_height);
    ini.writeInt(gl, "AutomatSeconds", g.automatSeconds);

    const wydruki_options& w = o.wydruki;
    const std::string wy = "wydruki";
    ini.writeString(wy, "ng_powyzej", option_time_text(w.ng_powyzej));
    ini.writeString(wy, "ng_od", option_time_text(w.ng_od));
    ini.writeString(wy, "ng_do", option_time_text(w.ng_do));
    ini.writeBool(wy, "ng_swieto", w.ng_swieto);
    ini.writeBool(wy, "ng_wolne_za_swieto", w.ng_wolne_za_swieto);
    ini.writeBool(wy, "ng_dyzur0", w.ng_dyzur0);
    ini.writeString(wy, "noc_od", option_time_text(w.noc_od));
    ini.writeString(wy, "noc_do", option_time_text(w.noc_do));
    ini.writeString(wy, "doba_od", option_time_text(w.doba_od));

    write_names(plan, ini, false);

    for (const warning_rule& rule : warning_rules()) {
        ini.writeBool("warnings", rule.flag, o.warnings.*rule.on);
        if (!rule.threshold) continue;
        int v = o.warnings.*rule.threshold;
        if (rule.isTime)
            ini.writeString("warnings", rule.value, option_time_text(v));
        else
            ini.writeInt("warnings", rule.value, v);
    }

    ini.eraseSection("symbole_dyz_uzytk");
    for (size_t i = 0; i < plan.dutySymbols.size(); ++i) {
        const dyz_symb_& s = plan.dutySymbols[i];
        ini.writeString("symbole_dyz_uzytk", std::to_string(i + 1),
                        join_fields({std::to_string(s.start), std::to_string(s.length), std::to_string(s.overtime),
                                     one_line(s.symbol)}));
    }
}

void carry_typed_names(Plan& plan, const std::vector<day_off_kind>& kinds, const std::vector<dutyas_>& dutyAs,
                       const std::vector<dutyas_>& oldDefaults) {
    for (size_t i = 0; i < plan.options.dayOffKinds.size() && i < kinds.size(); ++i) {
        day_off_kind& k = plan.options.dayOffKinds[i];
        const bool typed = !kinds[i].ownName.empty() && kinds[i].ownName != kinds[i].name;
        k.ownName = typed ? kinds[i].ownName : k.name;
    }
    const std::vector<dutyas_> defaults = default_duty_as(plan.tr);
    for (size_t i = 0; i < plan.dutyAs.size() && i < dutyAs.size(); ++i) {
        const bool oldDefault = i < oldDefaults.size() && dutyAs[i].name == oldDefaults[i].name;
        plan.dutyAs[i].name = oldDefault && i < defaults.size() ? defaults[i].name : dutyAs[i].name;
    }
}

result<SaveOptionsResult> sb_SaveClick(Plan& plan) {
    const result<> paths = PathsUpdate(plan);
    result<SaveOptionsResult> saved = SaveOptionsResult::ServerConfig;
    saved.note_all(paths.notes);
    if (same_folder(plan.paths.config, plan.paths.data)) {
        result<> written = update_ini(plan, config_file(plan.paths.data), [&](IniFile& ini) { write_options(plan, ini); });
        saved = written ? result<SaveOptionsResult>(SaveOptionsResult::Saved) : written.error();
    }
    // net.ini is the data folder's own, so it is written even while the
    // configuration comes from a server: that is how the user gets back.
    if (plan.options.networkPageVisible)
        if (result<> net = write_net_options(plan); !net && saved) saved = net.error();
    apply_saved_options(plan);
    return saved;
}

void apply_saved_options(Plan& plan) {
    // Worked out once at start from net.ini; the hiding switch just saved
    // counts from now on.
    plan.options.networkPageVisible = network_page_visible(plan);
    if (plan.hooks.options.applied) plan.hooks.options.applied(plan);
}

void write_exit_keys(const Plan& plan, IniFile& ini) {
    const Options& o = plan.options;
    ini.writeString("glowne", "last_backup", option_date_text(o.glowne.last_backup));
    ini.writeBool("glowne", "AutoCalcShifts", o.glowne.AutoCalcShifts);
    ini.writeBool("wydruki", "ReadAllGroup", o.wydruki.ReadAllGroup);
    ini.writeBool("wydruki", "cb_OnlyWorkersWithDutiesOrDayoffs", o.wydruki.cb_OnlyWorkersWithDutiesOrDayoffs);
    ini.writeInt("windows", "window_pos_x", o.windows.window_pos_x);
    ini.writeInt("windows", "window_pos_y", o.windows.window_pos_y);
    ini.writeInt("windows", "window_width", o.windows.window_width);
    ini.writeInt("windows", "window_height", o.windows.window_height);
    ini.writeBool("windows", "window_state_max", o.windows.window_state_max);
}

void write_recent_keys(const Plan& plan, IniFile& ini) {
    const Options& o = plan.options;
    ini.writeString("program", "path", one_line(o.programPath));
    for (size_t i = 0; i < 4; ++i) {
        std::string key = "plik" + std::to_string(i + 1);
        ini.writeString("pliki_Project", key, one_line(o.recentProjects[i]));
        ini.writeString("pliki_Templates", key, one_line(o.recentTemplates[i]));
    }
}

result<> write_exit_options(const Plan& plan) {
    return update_ini(plan, config_file(plan.paths.data), [&](IniFile& ini) { write_exit_keys(plan, ini); });
}

result<> write_recent_files(const Plan& plan) {
    return update_ini(plan, config_file(plan.paths.data), [&](IniFile& ini) { write_recent_keys(plan, ini); });
}

std::vector<std::pair<std::string, std::string>> effective_options(const Plan& plan) {
    IniFile ini;
    ini.writeInt("glowne", "dyz8", plan.options.glowne.dyz8);
    ini.writeInt("glowne", "dyz12", plan.options.glowne.dyz12);
    write_options(plan, ini);
    write_names(plan, ini, true);  // what is in force, defaults included
    write_exit_keys(plan, ini);
    write_recent_keys(plan, ini);
    std::vector<std::pair<std::string, std::string>> all;
    for (const std::string& section : ini.sections()) {
        if (section == "normatyw") continue;  // a marker, not an option
        for (const std::string& key : ini.keys(section))
            all.emplace_back(section + "." + key, ini.readString(section, key, ""));
    }
    return all;
}

bool same_folder(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    auto norm = [&](const std::filesystem::path& p) {
        std::filesystem::path w = std::filesystem::weakly_canonical(p, ec);
        if (ec) w = p.lexically_normal();
        std::string s = w.string();
        while (s.size() > 1 && s.back() == '/') s.pop_back();
        return s;
    };
    return norm(a) == norm(b);
}

}  // namespace planek
