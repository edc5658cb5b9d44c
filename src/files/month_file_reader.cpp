#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "core/cp1250.h"
#include "core/guarded_write.h"
#include "core/text.h"
#include "editing/day_off_add.h"
#include "editing/duty_add.h"
#include "editing/message_text.h"
#include "files/month_file.h"
#include "files/month_scan.h"
#include "files/month_seal.h"
#include "files/month_wishes.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

int days_in_month(int year, int month) {
    namespace chr = std::chrono;
    const chr::year_month_day_last last{chr::year(year), chr::month_day_last(chr::month(unsigned(month)))};
    return int(unsigned(last.day()));
}

bool known_section(const std::string& folded) {
    static const char* const names[] = {"info",
                                        "okres",
                                        "urlop_normatyw",
                                        "kalendarz_ostre_dyzury",
                                        "kalendarz_wlasny",
                                        "kalendarz_notatki",
                                        "dyzury",
                                        "wolne",
                                        "normatywy_wlasne",
                                        "normatywy_wlasne_wyliczane",
                                        "wymiar_etatu",
                                        "manu_nadpracowania",
                                        "nadpracowania",
                                        "auto_nadpracowania_z_poprzedniego",
                                        "auto_nadpracowania",
                                        kWishSection, kEndSection};
    for (const char* n : names)
        if (folded == n) return true;
    if (folded.size() > 1 && folded[0] == 'g')
        return std::all_of(folded.begin() + 1, folded.end(), [](char c) { return c >= '0' && c <= '9'; });
    return false;
}

// The orphans stay with this run's months (other tabs, the autosave) after
// the tables hold another month, so their ids are remembered for the run.
void note_orphan_ids(Plan& plan) {
    for (const dyzur& d : plan.orphanDuties)
        plan.highestOrphanWorkerId = std::max(plan.highestOrphanWorkerId, d.workerId);
    for (const wolne_& w : plan.orphanDaysOff)
        plan.highestOrphanWorkerId = std::max(plan.highestOrphanWorkerId, w.workerId);
}

class month_reader {
public:
    month_reader(Plan& plan, bool live) : plan_(plan), live_(live) {}
    // The month's bytes held elsewhere (the hospital's server): read as the
    // file's would be, and no file is looked at or touched.
    month_reader(Plan& plan, const std::string& held) : plan_(plan), live_(false), held_(&held) {}
    // What the read met besides the lines: a safety copy that could not be made.
    std::vector<refusal> notes;

    std::vector<month_problem> run();

private:
    using entry = month_ini::entry;

    void report(int line, const std::string& section, const std::string& key, const std::string& reason) {
        problems_.push_back({line, section, utf8_left(key, 40), reason});
    }
    void report(const entry& e, const std::string& section, const std::string& reason) {
        report(e.line, section, e.key, reason);
    }
    // What a number is, named only when a line has to be reported: a
    // month holds tens of thousands of good fields and a few bad ones.
    struct field_name {
        const char* key = nullptr;  // of the language file; none: `polish` is the key's own name
        const char* polish = "";
        std::string said(const Translator& tr) const { return key ? tr.msg(key, polish) : polish; }
    };
    // A whole number of the range, or nothing (reported).
    std::optional<long long> number(const entry& e, const std::string& section, const std::string& text,
                                    long long lo, long long hi, const field_name& what) {
        auto v = parse_int(text);
        if (!v) {
            report(e, section,
                   fill_placeholders(plan_.tr.msg("msg_ProblemNotANumber", "%s: \"%s\" nie jest liczbą"),
                                     {what.said(plan_.tr), utf8_left(text, 20)}));
            return std::nullopt;
        }
        if (*v < lo || *v > hi) {
            report(e, section,
                   fill_placeholders(plan_.tr.msg("msg_ProblemOutOfRange", "%s %s poza zakresem %s..%s"),
                                     {what.said(plan_.tr), std::to_string(*v), std::to_string(lo), std::to_string(hi)}));
            return std::nullopt;
        }
        return v;
    }
    long long value_or(const std::string& section, const std::string& key, long long lo, long long hi,
                       long long def) {
        const entry* e = ini_.find_entry(section, key);
        if (!e) return def;
        return number(*e, section, e->value, lo, hi, field_name{nullptr, key.c_str()}).value_or(def);
    }
    bool flag_or(const std::string& section, const std::string& key, bool def) {
        auto v = ini_.value(section, key);
        return v ? parse_flag(trim(*v)) : def;
    }

    void load_file();
    void parse_bytes(const std::string& bytes);
    // The file did not prove itself whole: saves over it are refused.
    void damaged(const std::string& reason);
    void read_period();
    void size_tables();
    void read_calendar();
    void read_calendar_section(const std::string& name, const std::function<void(int, const std::string&)>& set);
    void read_groups();
    void read_normatyw();
    void read_duties();
    std::optional<dyzur> parse_duty(const entry& e);
    void read_days_off();
    std::optional<wolne_> parse_day_off(const entry& e);
    bool repeated_day_off(const wolne_& w, int worker) const;
    bool starts_taken(const wolne_& w, int worker) const;
    void read_workers();
    std::map<word, std::string> worker_values(const std::string& section, bool numeric, long long lo,
                                              long long hi);
    void report_unknown_sections();
    int worker_index(word id) const;
    int first_day() const { return plan_.weekMode ? plan_.weekModeFrom : 1; }
    int day_count() const { return int(plan_.days.size()); }
    // A look at one ward (read, never saved): only the workers its part
    // names get month records, not the whole hospital's staff.
    bool looks_at_part() const { return !live_ && !plan_.guards.wardOnly.empty(); }
    bool keeps_months(const prac& w) const {
        return !looks_at_part() || !w.months.empty() || partWorkers_.count(w.id) > 0;
    }
    ms_* month_of(int worker) {
        if (worker < 0 || worker >= int(plan_.workers.size())) return nullptr;
        auto& months = plan_.workers[worker].months;
        return plan_.currentMonth < int(months.size()) ? &months[plan_.currentMonth] : nullptr;
    }

    Plan& plan_;
    bool live_;
    const std::string* held_ = nullptr;
    month_ini ini_;
    std::vector<month_problem> problems_;
    // Worker id text -> first index with it, so a month of many workers is
    // read in time proportional to its lines.
    mutable std::unordered_map<std::string, int> workerIndex_;
    // The ward's workers and those its records name (ward-part reads).
    std::unordered_set<word> partWorkers_;
};

void month_reader::load_file() {
    const std::string& file = plan_.currentFile;
    if (held_) {
        plan_.guards.damaged.erase(guard_key(file));
        parse_bytes(*held_);
        return;
    }
    if (file.empty()) return;
    plan_.guards.damaged.erase(guard_key(file));
    std::error_code ec;
    const bool exists = fs::exists(fs::path(file), ec);
    if (live_) {
        fs::remove(fs::path(file + kRestoreMarker), ec);
        if (exists && !is_autosave_file(plan_, file) && plan_.options.glowne.autobackup) {
            // The month itself is read either way; the user learns the copy is missing.
            for (const auto& [ext, days] : {std::pair{".bak", 2}, std::pair{".err", 6}})
                if (const safety_copy_result copy = safety_copy(fs::path(file), ext, days, &plan_.tr);
                    !copy.error.empty())
                    notes.push_back(refused(refusal_kind::Io, copy.error, file));
        }
    }
    if (!exists) {
        // A month saved later must not find another program's new file in its place.
        plan_.guards.read[guard_key(file)] = file_fingerprint{};
        if (!live_) report(0, "", "", plan_.tr.msg("msg_ProblemNoFile", "plik nie istnieje"));
        return;
    }
    std::string bytes, error;
    const read_bound& bound = kMonthFileBound;
    if (!read_bytes(fs::path(file), bytes, error, bound, &plan_.tr) ||
        !within_line_bound(fs::path(file), bytes, bound, error, &plan_.tr)) {
        // Too large or unreadable: nothing of it is taken, and nothing goes over it.
        report(0, "", "", error.empty() ? plan_.tr.msg("msg_MonthUnreadable", "nie można odczytać pliku") : error);
        damaged(error);
        return;
    }
    if (!live_ && !plan_.guards.wardOnly.empty()) {
        // A look at one ward is never saved: its fingerprint goes without
        // the hash, which matches no file, so a save from it would meet the
        // file as changed and never write over it.
        file_fingerprint seen;
        seen.exists = true;
        seen.size = bytes.size();
        plan_.guards.read[guard_key(file)] = seen;
    } else {
        plan_.guards.read[guard_key(file)] = fingerprint_of(fs::path(file), bytes);
    }
    parse_bytes(bytes);
}

void month_reader::parse_bytes(const std::string& bytes) {
    if (plan_.guards.wardOnly.empty()) {
        ini_.parse(split_text_lines(cp1250_to_utf8(bytes)), problems_, &plan_.tr);
    } else {
        // Only the ward's records and its workers' others: the rest of the
        // hospital's lines are never cut into fields.
        const std::vector<word>& groups = plan_.guards.wardOnly;
        std::unordered_set<word> workers;
        for (const prac& w : plan_.workers)
            if (std::any_of(groups.begin(), groups.end(), [&](word g) { return w.inGroup(g); })) workers.insert(w.id);
        partWorkers_ = workers;
        word skipped = 0;
        ini_.parse(month_lines_of_part(
                       bytes,
                       [&](word group, word worker) {
                           if (workers.count(worker) > 0) return true;
                           if (std::find(groups.begin(), groups.end(), group) == groups.end()) return false;
                           // Someone from outside the ward on its roster.
                           partWorkers_.insert(worker);
                           return true;
                       },
                       skipped),
                   problems_, &plan_.tr);
        // A new worker's id must stay clear of the ids the unread records name.
        plan_.highestOrphanWorkerId = std::max(plan_.highestOrphanWorkerId, skipped);
    }
    const month_end_check end = check_month_end(bytes, ini_);
    if (!end.trusted()) {
        const std::string reason = month_end_reason(plan_.tr, end);
        report(end.line, kEndSection, "", reason);
        damaged(reason);
    }
}

void month_reader::damaged(const std::string& reason) {
    const std::string file = plan_.currentFile;
    plan_.guards.damaged[guard_key(file)] =
        message(plan_, "msg_MonthDamaged",
                "Plik %s nie wczytał się w całości (%s). Nie zostanie nadpisany: zapisz miesiąc pod inną nazwą "
                "(Zapisz jako…).",
                {file, reason});
}

void month_reader::read_period() {
    const year_month ym = ustal_miesiac(plan_, ini_, plan_.currentFile);
    for (const char* key : {"FromYear", "FromMonth"}) {
        if (const entry* e = ini_.find_entry("okres", key)) {
            if (std::string(key) == "FromYear")
                number(*e, "okres", e->value, 1900, 9999, field_name{nullptr, key});
            else
                number(*e, "okres", e->value, 1, 12, field_name{nullptr, key});
        }
    }
    plan_.year = ym.year;
    plan_.month = ym.month;
    plan_.approvedStatus = value_or("info", "status", 0, 1, 1) == 1 ? 1 : 0;
    plan_.planType = int(value_or("info", "stan", 0, 1, 0));
    plan_.weekMode = value_or("okres", "WeekMode", 0, 1, 0) == 1;
    plan_.weekModeFrom = int(value_or("okres", "WeekModeFrom", 1, 53, 1));
    // The day slots of a worker's month hold 31 days, so no longer run of
    // weeks can be kept.
    plan_.weekModeCount = int(value_or("okres", "WeekModeCount", 1, kMaxDays, 15));
}

void month_reader::size_tables() {
    if (plan_.months.empty()) plan_.months.resize(1);
    plan_.currentMonth = std::clamp(plan_.currentMonth, 0, int(plan_.months.size()) - 1);
    const size_t need = size_t(plan_.currentMonth) + 1;
    for (prac& w : plan_.workers)
        if (w.months.size() < need && keeps_months(w)) w.months.resize(need);
    for (grupa& g : plan_.groups)
        if (g.monthSettings.size() < need) g.monthSettings.resize(need);

    miesiac& m = plan_.months[plan_.currentMonth];
    m.year = word(plan_.year);
    m.month = byte(plan_.month);
    const int count = plan_.weekMode ? plan_.weekModeCount : days_in_month(plan_.year, plan_.month);
    const int from = plan_.weekMode ? plan_.weekModeFrom : 1;
    plan_.days.assign(size_t(count), day{});
    m.days.assign(size_t(count), day_param{});
    for (int i = 0; i < count; ++i) m.days[i].dayNumber = byte(from + i);
    m.dayCount = byte(count);
    if (plan_.workerIds.size() != plan_.workers.size()) plan_.rebuildWorkerIds();
}

void month_reader::read_calendar_section(const std::string& name,
                                         const std::function<void(int, const std::string&)>& set) {
    const month_ini::section* s = ini_.find(name);
    if (!s) return;
    for (const entry& e : s->entries)
        if (auto d = number(e, s->name, e.key, 0, day_count() - 1, field_name{"msg_FieldDay", "dzień"}))
            set(int(*d), e.value);
}

void month_reader::read_calendar() {
    auto& days = plan_.months[plan_.currentMonth].days;
    read_calendar_section("kalendarz_wlasny", [&](int d, const std::string& v) { days[d].ownHoliday = parse_flag(trim(v)); });
    read_calendar_section("kalendarz_ostre_dyzury", [&](int d, const std::string& v) { days[d].erDuty = parse_flag(trim(v)); });
    read_calendar_section("kalendarz_notatki", [&](int d, const std::string& v) {
        days[d].note = join_fields(split_fields(v), "\r\n");
    });
}

void month_reader::read_groups() {
    for (grupa& g : plan_.groups) {
        const std::string s = "g" + std::to_string(g.id);
        g.dailyNorm = word(value_or(s, "day8", 0, 1440, g.dailyNormDefault));
        g.saturdayHoliday = flag_or(s, "sob_swieto", g.saturdayHolidayDefault);
        g.dayOffForSaturdayHoliday = flag_or(s, "wolne_za_sob_swieto", g.dayOffForSaturdayHolidayDefault);
        g.nightOnHolidayAsHoliday = flag_or(s, "noc_w_swieto_jak_swieto", g.nightOnHolidayAsHolidayDefault);
        g.noHolidays = flag_or(s, "bez_swiat", g.noHolidaysDefault);
        g.customNorm = ini_.has(s) && flag_or(s, "CustomNorma", false);
        g.customNormMinutes = ini_.has(s) ? word(value_or(s, "Norma", 0, 65535, 0)) : 0;
        group_month_settings& ms = g.monthSettings[plan_.currentMonth];
        ms.customNorm = g.customNorm;
        ms.dayOffForSaturdayHoliday = g.dayOffForSaturdayHoliday;
        ms.customNormMinutes = g.customNormMinutes;
    }
}

void month_reader::read_normatyw() {
    // The month's own flags: what its file does not say is on, whatever the
    // configuration or the month read before held. Only a new plan follows
    // the configuration, which no month file changes.
    plan_.dayOffNorms.clear();
    if (plan_.currentFile.empty()) return;
    plan_.dayOffNorms.assign(plan_.options.dayOffKinds.size(), true);
    const month_ini::section* s = ini_.find("urlop_normatyw");
    if (!s) return;
    for (const entry& e : s->entries) {
        const int k = plan_.options.dayOffKindIndex(month_ini::fold(e.key));
        if (k < 0) {
            report(e, s->name, plan_.tr.msg("msg_ProblemUnknownKind", "nieznany rodzaj wolnego"));
            continue;
        }
        if (!plan_.options.dayOffKinds[k].settable) continue;
        const std::string v = trim(e.value);
        plan_.dayOffNorms[size_t(k)] = parse_flag(v) || v == kNormatywOn;
    }
}

int month_reader::worker_index(word id) const {
    if (workerIndex_.empty())
        for (size_t i = 0; i < plan_.workerIds.size(); ++i) workerIndex_.emplace(plan_.workerIds[i], int(i));
    const auto it = workerIndex_.find(std::to_string(id));
    return it == workerIndex_.end() ? int(plan_.workers.size()) : it->second;
}

bool numbered_key(const std::string& key, char letter) {
    if (key.size() < 2 || (key[0] != letter && key[0] != char(letter - 'a' + 'A'))) return false;
    return std::all_of(key.begin() + 1, key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<dyzur> month_reader::parse_duty(const entry& e) {
    std::vector<std::string> f = split_fields(e.value);
    if (f.size() < 7) {
        report(e, "dyzury",
               fill_placeholders(plan_.tr.msg("msg_ProblemFewFields", "za mało pól (%s z %s)"),
                                 {std::to_string(f.size()), "12"}));
        return std::nullopt;
    }
    static const char* const fill[] = {"", "0", "1", "0", "0"};  // fields 8..12 of older versions
    while (f.size() < 12) f.push_back(fill[f.size() - 7]);
    const int lastDay = first_day() + day_count() - 1;
    auto groupId = number(e, "dyzury", f[0], 1, 65535, field_name{"msg_FieldGroup", "grupa"});
    auto workerId = groupId
                        ? number(e, "dyzury", f[1], 1, 65535, field_name{"msg_FieldWorker", "pracownik"})
                        : std::nullopt;
    auto dayNo = workerId
                     ? number(e, "dyzury", f[2], first_day(), lastDay, field_name{"msg_FieldDay", "dzień"})
                     : std::nullopt;
    auto length = dayNo ? number(e, "dyzury", f[3], 0, 2880, field_name{"msg_FieldLength", "czas trwania"})
                        : std::nullopt;
    auto shift =
        length ? number(e, "dyzury", f[4], 0, 255, field_name{"msg_FieldShift", "zmiana"}) : std::nullopt;
    auto start =
        shift ? number(e, "dyzury", f[5], 0, 2880, field_name{"msg_FieldStart", "początek"}) : std::nullopt;
    auto overtime =
        start ? number(e, "dyzury", f[6], -2880, 2880, field_name{"msg_FieldOvertime", "nadgodziny"})
              : std::nullopt;
    auto dutyAs =
        overtime ? number(e, "dyzury", f[9], 0, 4, field_name{"msg_FieldDutyAs", "jako"}) : std::nullopt;
    if (!dutyAs) return std::nullopt;
    dyzur d;
    d.groupId = word(*groupId);
    d.workerId = word(*workerId);
    d.day = word(*dayNo);
    d.length = word(*length);
    d.shift = byte(*shift);
    d.start = word(*start);
    d.overtime = smallint(*overtime);
    d.note = f[7];
    if (utf8_length(d.note) > 30) {
        report(e, "dyzury", plan_.tr.msg("msg_ProblemNoteCut", "notatka dłuższa niż 30 znaków, skrócono"));
        d.note = utf8_left(d.note, 30);
    }
    d.onRequest = parse_flag(f[8]);
    d.dutyAs = byte(*dutyAs);
    d.medical = parse_flag(f[10]);
    d.alsoOvertime = parse_flag(f[11]);
    d.loaded = true;
    return d;
}

void month_reader::read_duties() {
    plan_.dutyCounter = 0;
    const month_ini::section* s = ini_.find("dyzury");
    if (!s) return;
    for (const entry& e : s->entries) {
        if (!numbered_key(e.key, 'd')) {
            report(e, s->name,
                   fill_placeholders(plan_.tr.msg("msg_ProblemKeyForm", "klucz nie ma postaci %s<numer>"),
                                     {"d"}));
            continue;
        }
        std::optional<dyzur> d = parse_duty(e);
        if (!d) continue;
        const int worker = worker_index(d->workerId);
        const result<> added = dodaj_dyzur(plan_, *d, -1, false, worker);
        if (!added && worker < int(plan_.workers.size()))
            report(e, s->name,
                   added.error().text.empty() ? plan_.tr.msg("msg_ProblemDutyRefused", "dyżur odrzucony")
                                              : added.error().text);
    }
}

std::optional<wolne_> month_reader::parse_day_off(const entry& e) {
    std::vector<std::string> f = split_fields(e.value);
    if (f.size() < 5) {
        report(e, "wolne",
               fill_placeholders(plan_.tr.msg("msg_ProblemFewFields", "za mało pól (%s z %s)"),
                                 {std::to_string(f.size()), "9"}));
        return std::nullopt;
    }
    while (f.size() < 9) f.push_back("");
    if (trim(f[5]).empty()) f[5] = "i";
    if (trim(f[6]).empty()) f[6] = "0";
    if (trim(f[7]).empty()) f[7] = "1";
    if (trim(f[8]).empty()) f[8] = "0";
    const int lastDay = first_day() + day_count() - 1;
    auto groupId = number(e, "wolne", f[0], 0, 65535, field_name{"msg_FieldGroup", "grupa"});
    auto workerId = groupId ? number(e, "wolne", f[1], 1, 65535, field_name{"msg_FieldWorker", "pracownik"})
                            : std::nullopt;
    auto from = workerId ? number(e, "wolne", f[2], first_day(), lastDay,
                                  field_name{"msg_FieldDayFrom", "dzień od"})
                         : std::nullopt;
    auto to = from
                  ? number(e, "wolne", f[3], first_day(), lastDay, field_name{"msg_FieldDayTo", "dzień do"})
                  : std::nullopt;
    auto norm =
        to ? number(e, "wolne", f[4], 0, 65535, field_name{"msg_FieldNorm", "normatyw"}) : std::nullopt;
    auto custom =
        norm ? number(e, "wolne", f[8], 0, 65535, field_name{"msg_FieldOwnNorm", "normatyw własny"})
             : std::nullopt;
    if (!custom) return std::nullopt;
    const std::string code = month_ini::fold(f[5]);
    const std::optional<char> symbol = kind_symbol(code);
    if (plan_.options.dayOffKindIndex(code) < 0 || !symbol) {
        report(e, "wolne",
               fill_placeholders(plan_.tr.msg("msg_ProblemUnknownKindOf", "nieznany rodzaj wolnego \"%s\""),
                                 {utf8_left(f[5], 10)}));
        return std::nullopt;
    }
    wolne_ w;
    w.groupId = word(*groupId);
    w.workerId = word(*workerId);
    w.dayFrom = byte(std::min(*from, *to));
    w.dayTo = byte(std::max(*from, *to));
    w.normMinutes = word(*norm);
    w.symbol = *symbol;
    w.customNorm = parse_flag(trim(f[6]));
    w.normWithPartTime = parse_flag(trim(f[7]));
    w.customNormMinutes = word(*custom);
    w.loaded = true;
    return w;
}

bool same_day_off(const wolne_& a, const wolne_& b) {
    return a.groupId == b.groupId && a.workerId == b.workerId && a.dayFrom == b.dayFrom && a.dayTo == b.dayTo &&
           a.normMinutes == b.normMinutes && a.symbol == b.symbol && a.customNorm == b.customNorm &&
           a.normWithPartTime == b.normWithPartTime && a.customNormMinutes == b.customNormMinutes;
}

// A day off of several days is written once per day it covers; the further
// copies add nothing.
bool month_reader::repeated_day_off(const wolne_& w, int worker) const {
    if (worker >= int(plan_.workers.size())) {
        return std::any_of(plan_.orphanDaysOff.begin(), plan_.orphanDaysOff.end(),
                           [&](const wolne_& o) { return same_day_off(o, w); });
    }
    const auto& months = plan_.workers[worker].months;
    if (plan_.currentMonth >= int(months.size())) return false;
    const int head = int(w.dayFrom) - first_day();
    if (head < 0 || head >= kMaxDays) return false;
    const wolne_& slot = months[plan_.currentMonth].daysOff[head];
    return slot.used() && same_day_off(slot, w);
}

// Two different days off cannot share a head slot; the second would replace
// the first without a word.
bool month_reader::starts_taken(const wolne_& w, int worker) const {
    if (worker >= int(plan_.workers.size())) return false;
    const auto& months = plan_.workers[worker].months;
    const int head = int(w.dayFrom) - first_day();
    if (plan_.currentMonth >= int(months.size()) || head < 0 || head >= kMaxDays) return false;
    return months[plan_.currentMonth].daysOff[head].used();
}

void month_reader::read_days_off() {
    plan_.dayOffCounter = 0;
    const month_ini::section* s = ini_.find("wolne");
    if (!s) return;
    for (const entry& e : s->entries) {
        if (!numbered_key(e.key, 'w')) {
            report(e, s->name,
                   fill_placeholders(plan_.tr.msg("msg_ProblemKeyForm", "klucz nie ma postaci %s<numer>"),
                                     {"w"}));
            continue;
        }
        std::optional<wolne_> w = parse_day_off(e);
        if (!w) continue;
        const int worker = worker_index(w->workerId);
        if (repeated_day_off(*w, worker)) continue;
        if (starts_taken(*w, worker)) {
            report(e, s->name,
                   plan_.tr.msg("msg_ProblemDayOffTaken", "inne wolne zaczyna się już tego dnia"));
            continue;
        }
        const result<> added = dodaj_wolne(plan_, *w, worker, false, true);
        if (worker < int(plan_.workers.size())) {
            if (!added)
                report(e, s->name,
                       added.error().text.empty()
                           ? plan_.tr.msg("msg_ProblemDayOffRefused", "wolne odrzucone")
                           : added.error().text);
            else if (!said_of(added).text.empty())
                report(e, s->name, said_of(added).text);
        }
    }
}

std::map<word, std::string> month_reader::worker_values(const std::string& section, bool numeric, long long lo,
                                                        long long hi) {
    std::map<word, std::string> values;
    const month_ini::section* s = ini_.find(section);
    if (!s) return values;
    for (const entry& e : s->entries) {
        auto id = number(e, s->name, e.key, 1, 65535,
                         field_name{"msg_FieldWorkerId", "identyfikator pracownika"});
        if (!id) continue;
        const std::string v = trim(e.value);
        if (numeric && !number(e, s->name, v, lo, hi, field_name{"msg_FieldValue", "wartość"})) continue;
        if (!numeric && section == "wymiar_etatu") {
            auto r = parse_real(v);
            if (!r || !std::isfinite(*r) || *r < 0 || *r > 1000) {
                report(e, s->name,
                       fill_placeholders(
                           plan_.tr.msg("msg_ProblemPartTime", "wymiar etatu \"%s\" nie jest liczbą 0..1000"),
                           {utf8_left(v, 20)}));
                continue;
            }
        }
        values[word(*id)] = v;
    }
    return values;
}

void month_reader::read_workers() {
    const auto older = worker_values("nadpracowania", true, -32768, 32767);
    const auto manual = worker_values("manu_nadpracowania", true, -32768, 32767);
    const auto previous = worker_values("auto_nadpracowania_z_poprzedniego", true, -32768, 32767);
    const auto own = worker_values("normatywy_wlasne", true, -2147483647, 2147483647);
    const auto ownCalc = worker_values("normatywy_wlasne_wyliczane", false, 0, 0);
    const auto partTime = worker_values("wymiar_etatu", false, 0, 0);
    worker_values("auto_nadpracowania", true, -2147483647, 2147483647);  // checked only
    auto get = [](const std::map<word, std::string>& m, word id) -> const std::string* {
        auto it = m.find(id);
        return it == m.end() ? nullptr : &it->second;
    };
    for (int i = 0; i < int(plan_.workers.size()); ++i) {
        prac& w = plan_.workers[i];
        ms_* m = month_of(i);
        if (!m) continue;
        const std::string* v = get(older, w.id);
        if (!v) v = get(manual, w.id);
        m->overtimeManual = v ? smallint(*parse_int(*v)) : 0;
        v = get(previous, w.id);
        m->overtimeFromPrevious = v ? smallint(*parse_int(*v)) : 0;
        v = get(own, w.id);
        m->ownNorm = v != nullptr;
        m->ownNormValue = v ? std::int32_t(*parse_int(*v)) : 0;
        v = get(ownCalc, w.id);
        m->ownNormCalculated = v ? parse_flag(*v) : w.ownNormCalculatedDefault;
        v = get(partTime, w.id);
        m->partTime = v ? *parse_real(*v) : w.partTimeDefault;
    }
    for (prac& w : plan_.workers)
        for (ms_& m : w.months) m.overtimeTotal = smallint(m.overtimeFromPrevious + m.overtimeManual);
}

void month_reader::report_unknown_sections() {
    for (const month_ini::section& s : ini_.sections())
        if (!known_section(month_ini::fold(s.name)))
            report(s.line, s.name, "",
                   plan_.tr.msg("msg_ProblemUnknownSection", "nieznana sekcja, pominięto"));
}

std::vector<month_problem> month_reader::run() {
    load_file();
    read_period();
    size_tables();
    czysc_dyzury_i_wolne(plan_);
    read_calendar();
    read_groups();
    read_normatyw();
    read_duties();
    read_days_off();
    note_orphan_ids(plan_);
    if (!plan_.workers.empty()) read_workers();
    read_wishes(plan_, ini_, first_day(), [&](const entry& e, const std::string& reason) {
        report(e, kWishSection, reason);
    });
    report_unknown_sections();
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const month_problem& a, const month_problem& b) { return a.line < b.line; });
    return problems_;
}

}  // namespace

std::string kind_text(char symbol) {
    if (symbol == 0) return "";
    return cp1250_to_utf8(std::string(1, symbol));
}

std::optional<char> kind_symbol(const std::string& text) {
    if (text.empty()) return std::nullopt;
    auto bytes = utf8_to_cp1250(text);
    if (!bytes || bytes->size() != 1) return std::nullopt;
    return (*bytes)[0];
}

year_month ustal_miesiac(const Plan& plan, const month_ini& ini, const std::string& file) {
    const civil_date today = plan.clock->today();
    year_month ym{today.year, today.month};
    if (ini.has("okres")) {
        if (auto y = parse_int(ini.value("okres", "FromYear").value_or("")); y && *y >= 1900 && *y <= 9999)
            ym.year = int(*y);
        if (auto m = parse_int(ini.value("okres", "FromMonth").value_or("")); m && *m >= 1 && *m <= 12)
            ym.month = int(*m);
        return ym;
    }
    const std::string name = fs::path(file).filename().string();
    if (name.size() >= 4) {
        if (auto y = parse_int(name.substr(0, 4)); y && *y >= 1900 && *y <= 9999) ym.year = int(*y);
    }
    if (name.size() >= 7) {
        if (auto m = parse_int(name.substr(5, 2)); m && *m >= 1 && *m <= 12) ym.month = int(*m);
    }
    return ym;
}

namespace {
// Only the lines of [okres]: what a project needs of every file before it
// reads one. This program writes the section once, at the top, so the
// file's head is read first and the rest only when the section goes on
// past it.
month_ini parse_period_quietly(const std::string& file) {
    month_ini ini;
    std::vector<month_problem> ignored;
    std::error_code ec;
    if (file.empty() || !fs::exists(fs::path(file), ec)) return ini;
    auto period_lines = [](std::string_view bytes, bool& ended) {
        std::vector<std::string> lines;
        bool inPeriod = false;
        ended = false;
        for_each_line(bytes, [&](std::string_view line) {
            if (ended) return;
            const size_t first = line.find_first_not_of(" \t");
            if (first != std::string_view::npos && line[first] == '[') {
                const bool period = month_ini::fold(std::string(line.substr(first))) == "[okres]";
                if (inPeriod && !period) ended = true;
                inPeriod = period;
            }
            if (inPeriod) lines.push_back(cp1250_to_utf8(std::string(line)));
        });
        return lines;
    };
    constexpr size_t kHead = 16 * 1024;
    std::string head(kHead, '\0');
    {
        std::ifstream in(fs::path(file), std::ios::binary);
        in.read(head.data(), std::streamsize(kHead));
        head.resize(size_t(in.gcount()));
    }
    bool ended = false;
    std::vector<std::string> lines = period_lines(head, ended);
    if (!ended && head.size() == kHead) {
        std::string bytes, error;
        if (!read_bytes(fs::path(file), bytes, error, kMonthFileBound)) return ini;
        lines = period_lines(bytes, ended);
    }
    ini.parse(lines, ignored);
    return ini;
}
}  // namespace

year_month ustal_miesiac(const Plan& plan, const std::string& file) {
    return ustal_miesiac(plan, parse_period_quietly(file), file);
}

bool month_file_week_mode(const std::string& file) {
    return trim(parse_period_quietly(file).value("okres", "WeekMode").value_or("0")) == "1";
}

refusal month_problems_said(const Plan& plan, const std::string& file, const std::vector<month_problem>& problems) {
    if (problems.empty()) return {};
    // That the file cannot be trusted, when so, and how many lines could not
    // be used with the first of them.
    std::string text;
    size_t lineProblems = problems.size();
    if (const auto it = plan.guards.damaged.find(guard_key(fs::path(file))); it != plan.guards.damaged.end()) {
        text = it->second;
        --lineProblems;
    }
    const auto first = std::find_if(problems.begin(), problems.end(),
                                    [](const month_problem& p) { return p.section != kEndSection; });
    const month_problem& shown = first == problems.end() ? problems.front() : *first;
    if (lineProblems > 0) {
        if (!text.empty()) text += kLineBreak;
        text += message(plan, "msg_MonthFileProblems",
                        "Nie wszystkie wiersze pliku %s dało się odczytać (pominięto: %d).%sPierwszy: %s",
                        {fs::path(file).filename().string(), std::to_string(lineProblems), kLineBreak,
                         problem_text(shown, plan.tr)});
    }
    return refused(refusal_kind::FileProblems, text, file, shown.line);
}

std::vector<month_problem> wczytaj_dyzury_i_wolne(Plan& plan, std::vector<refusal>* notes) {
    month_reader reader(plan, true);
    std::vector<month_problem> problems = reader.run();
    // What a merge by group starts from; a month not read whole has nothing to merge from.
    const std::string key = guard_key(fs::path(plan.currentFile));
    if (plan.guards.lockedGroup && problems.empty()) plan.guards.monthLines[key] = month_file_lines(plan);
    else plan.guards.monthLines.erase(key);
    if (notes) {
        notes->insert(notes->end(), reader.notes.begin(), reader.notes.end());
        if (refusal said = month_problems_said(plan, plan.currentFile, problems); said.said()) notes->push_back(said);
    }
    return problems;
}

std::vector<month_problem> wczytaj_tylko_do_odczytu(Plan& plan, std::vector<refusal>* notes) {
    month_reader reader(plan, false);
    std::vector<month_problem> problems = reader.run();
    if (notes)
        if (refusal said = month_problems_said(plan, plan.currentFile, problems); said.said()) notes->push_back(said);
    return problems;
}

month_probe probe_month_file(const Plan& plan, const fs::path& file, const std::vector<word>& wardOnly) {
    month_probe probe{plan, {}};
    Plan& copy = probe.read;
    copy.guards.wardOnly = wardOnly;
    // The copy's reading is nobody's edit and nothing a view shows.
    copy.journal.reset();
    copy.hooks = {};
    copy.ui = std::make_shared<SilentInteraction>();
    copy.currentFile = file.string();
    month_reader reader(copy, false);
    probe.problems = reader.run();
    return probe;
}

std::vector<month_problem> read_month_bytes(Plan& plan, const std::string& bytes) {
    month_reader reader(plan, bytes);
    return reader.run();
}

std::vector<month_problem> check_month_file(const Plan& plan, const fs::path& file) {
    return probe_month_file(plan, file).problems;
}

std::string problem_text(const month_problem& p) {
    static const Translator polish;
    return problem_text(p, polish);
}

std::string problem_text(const month_problem& p, const Translator& tr) {
    // A refusal of the whole file (too large, unreadable) has no line to name.
    if (p.line <= 0 && p.section.empty() && p.key.empty()) return p.reason;
    std::string s = tr.msg("msg_ProblemLine", "wiersz") + " " + std::to_string(p.line);
    if (!p.section.empty()) s += " [" + p.section + "]";
    if (!p.key.empty()) s += " " + p.key;
    return s + ": " + p.reason;
}

}  // namespace planek
