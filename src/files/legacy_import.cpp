#include "files/legacy_import.h"

#include <algorithm>
#include <limits>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "files/record_ids.h"

namespace planek {

namespace {

const std::string kFile = "planek.ini";

// Reads keys of one section, reporting values that are not what the key
// needs; the default is taken for them.
struct section_reader {
    const IniFile& ini;
    std::string section;
    file_problems& problems;

    void bad(const std::string& key, const std::string& value, const std::string& taken) const {
        problems.add_text(fill_text(problems.tr.msg("msg_IniBadValue",
                                                    "%s, [%s] %s: błędna wartość „%s”, przyjęto %s."),
                                    {kFile, section, key, value, taken}));
    }

    template <class V>
    V whole(const std::string& key, V def) const {
        auto text = ini.value(section, key);
        if (!text || trim(*text).empty()) return def;
        auto n = parse_int(*text);
        if (!n || *n < std::numeric_limits<V>::min() || *n > std::numeric_limits<V>::max()) {
            bad(key, *text, std::to_string(def));
            return def;
        }
        return V(*n);
    }
    bool flag(const std::string& key, bool def) const {
        auto text = ini.value(section, key);
        return text ? parse_flag(trim(*text)) : def;
    }
    std::string text(const std::string& key, const std::string& def = "") const {
        return ini.value(section, key).value_or(def);
    }
    colour colour_of(const std::string& key, const std::string& def) const {
        std::string t = text(key, def);
        if (auto c = parse_colour(t)) return *c;
        bad(key, t, def);
        return *parse_colour(def);
    }
    double real(const std::string& key, double def) const {
        std::string t = text(key, real_text(def));
        if (auto d = parse_real(t)) return *d;
        bad(key, t, real_text(def));
        return def;
    }
};

zmiana_ make_shift(const std::string& symbol, word start, colour c) {
    zmiana_ z;
    z.symbol = symbol;
    z.start = start;
    z.length = 720;
    z.color = c;
    return z;
}

grupa read_group(const section_reader& r) {
    grupa g;
    g.id = r.whole<word>("id", 1);
    g.name = r.text("nazwa", "grupa_1");
    g.old = r.flag("old", false);
    g.resetBeforeAutomat = r.flag("reset_before_automat", false);
    g.dailyNorm = r.whole<word>("day8", 455);
    g.saturdayHoliday = r.flag("sob_swieto", false);
    g.dayOffForSaturdayHoliday = r.flag("wolne_za_sob_swieto", false);
    g.nightOnHolidayAsHoliday = r.flag("noc_w_swieto_jak_swieto", false);
    g.noHolidays = r.flag("bez_swiat", false);
    g.autoStaffN = r.whole<byte>("auto_staff_n", 2);
    g.autoStaffH = r.whole<byte>("auto_staff_h", 2);
    for (int j = 0; r.ini.keyExists(r.section, "zod" + std::to_string(j)); ++j) {
        const std::string n = std::to_string(j);
        zmiana_ z;
        z.start = r.whole<word>("zod" + n, 420);
        z.length = r.whole<word>("zile" + n, 720);
        z.color = r.colour_of("zkolor" + n, "clWhite");
        z.symbol = r.text("zsymbol" + n, std::to_string(j + 1));
        z.name = r.text("znazwa" + n);
        z.staffMin = r.whole<byte>("zobsada" + n, 0);
        z.staffMinS = r.whole<byte>("zobsadas" + n, 0);
        g.shifts.push_back(std::move(z));
    }
    if (g.shifts.empty()) {
        g.shifts.push_back(make_shift("R", 420, rgb(255, 255, 255)));
        g.shifts.push_back(make_shift("N", 1140, rgb(221, 221, 221)));
        g.saturdayHoliday = false;
        g.dayOffForSaturdayHoliday = true;
        g.dailyNorm = 455;
    }
    // The old layout had no defaults for month files; without these a month
    // file lacking its own settings would get a daily norm of 0.
    g.dailyNormDefault = g.dailyNorm;
    g.saturdayHolidayDefault = g.saturdayHoliday;
    g.dayOffForSaturdayHolidayDefault = g.dayOffForSaturdayHoliday;
    g.nightOnHolidayAsHolidayDefault = g.nightOnHolidayAsHoliday;
    g.noHolidaysDefault = g.noHolidays;
    return g;
}

void read_worker_texts(const section_reader& r, prac& w) {
    auto key = r.ini.value(r.section, "nazwisko");
    w.surname = key ? *key : "Błąd danych";
    w.firstName = r.text("imie");
    w.pesel = r.text("pesel");
    w.education = r.text("wyksztalcenie");
    w.courses = r.text("kursy");
    w.user1 = r.text("user1");
    w.user2 = r.text("user2");
    w.user3 = r.text("user3");
    w.address = r.text("adres");
    w.postOffice = r.text("poczta");
    w.zipCode = r.text("kod");
    w.phone = r.text("telefon");
    w.email = r.text("email");
    w.occupation = r.text("zawod");
    w.nick = utf8_left(r.text("pseudo", "Err"), 3);
}

prac read_worker(const section_reader& r, int current_month, size_t month_count) {
    prac w;
    w.id = r.whole<word>("id", 1);
    w.groupId = r.whole<word>("grupa", 1);
    // The old layout knew one group per worker; membership now lives in
    // `groups`, which a later reload would fill from groupId anyway.
    if (w.groupId != 0) w.groups = std::to_string(w.groupId) + "|";
    w.holidayCurrentYear = r.whole<word>("urlop", 26);
    w.holidayPreviousYear = r.whole<word>("urlop_prev", 26);
    w.careDays = r.whole<word>("opieka", 2);
    w.rehaDays = r.whole<byte>("reha", 10);
    const double partTime = r.real("etat", 100);
    w.months.resize(std::max({month_count, size_t(current_month) + 1, w.months.size()}));
    w.months[current_month].partTime = partTime;
    // Also the default, or every month read later without its own entry
    // would count the worker at 0 % of a full time.
    w.partTimeDefault = partTime;
    w.prefDayNight = r.whole<byte>("pref_dn", 5);
    w.prefNormalHoliday = r.whole<byte>("pref_zs", 5);
    w.prefWithoutAuto = r.flag("pref_without_auto", true);
    w.prefAuto8 = r.flag("pref_8", false);
    w.systemPattern8 = r.text("pref_8_shift_no", "1");
    w.prefSystem = r.flag("pref_system", false);
    w.systemStartFrom = r.whole<byte>("pref_system_start_from", 1);
    w.systemStartFrom8 = r.whole<byte>("pref_system_start_from8", 1);
    w.systemPattern = r.text("pref_system_pattern", "1200");
    w.systemAsWeek = r.flag("pref_system_as_week", false);
    w.automatDays = r.text("pref_system8_days", "1111100");
    read_worker_texts(r, w);
    w.color = r.colour_of("kolor", "clyellow");
    w.old = r.flag("old", false);
    return w;
}

}  // namespace

bool wczytaj_stary_planek_ini(Plan& plan, file_problems& problems) {
    const auto file = plan.paths.data / kFile;
    if (safety_copy_result copy = safety_copy(file, ".bak", 4, &plan.tr); !copy.error.empty())
        problems.add_text(std::move(copy.error));
    IniFile ini;
    if (!ini.load(file)) {
        problems.add_text(fill_text(plan.tr.msg("msg_CantReadFile", "Nie można odczytać pliku %s."),
                                    {file.string()}));
        return false;
    }
    std::vector<grupa> groups;
    std::vector<std::string> where;
    for (int i = 0; ini.sectionExists("g" + std::to_string(i)); ++i) {
        groups.push_back(read_group({ini, "g" + std::to_string(i), problems}));
        where.push_back(kFile + ", [g" + std::to_string(i) + "]: ");
    }
    mend_ids(
        groups, where,
        [&problems](const grupa& g) {
            return fill_text(problems.tr.msg("msg_OwnerGroup", "grupa „%s”"), {g.name});
        },
        problems);
    for (grupa& g : groups) plan.groups.push_back(std::move(g));

    std::vector<prac> workers;
    where.clear();
    const int month = std::max(plan.currentMonth, 0);
    for (int i = 0; ini.sectionExists("k" + std::to_string(i)); ++i) {
        workers.push_back(read_worker({ini, "k" + std::to_string(i), problems}, month, plan.months.size()));
        where.push_back(kFile + ", [k" + std::to_string(i) + "]: ");
    }
    mend_ids(
        workers, where,
        [&problems](const prac& w) {
            return fill_text(problems.tr.msg("msg_OwnerWorker", "pracownik „%s”"), {w.fullName()});
        },
        problems);
    for (prac& w : workers) plan.workers.push_back(std::move(w));
    plan.rebuildWorkerIds();
    return true;
}

}  // namespace planek
