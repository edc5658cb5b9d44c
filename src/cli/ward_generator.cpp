#include "cli/ward_generator.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>

#include "core/seeded_random.h"
#include "cli/demo_ward.h"
#include "cli/ward_people.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_dialog_model.h"
#include "editing/duty_add.h"
#include "editing/duty_moves.h"
#include "editing/month_access.h"
#include "files/month_file.h"
#include "files/month_project.h"
#include "files/program_session.h"
#include "files/recent_files.h"
#include "scheduler/scheduler.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

// ---- Groups ----

// Twelve: day and night of 12 hours. Eight: three shifts of 8 hours.
// Mixed: 12-hour day and night, plus the 7:35 morning of the 8-hour staff
// and an afternoon.
enum class layout { Twelve, Eight, Mixed };

struct ward_name {
    const char* name;
    const char* nick;
};

// Short names of two letters, what the group dialog stores.
const ward_name kWards[] = {
    {"Oddział Chirurgii", "CH"},    {"Blok Porodowy", "BP"},        {"Oddział Wewnętrzny", "IN"},
    {"Oddział Kardiologii", "KA"},  {"Oddział Pediatrii", "PE"},    {"Oddział Neurologii", "NE"},
    {"Izba Przyjęć", "IP"},         {"Oddział Ortopedii", "OR"},    {"Intensywna Terapia", "IT"},
    {"Oddział Onkologii", "ON"},    {"Oddział Geriatrii", "GE"},    {"Blok Operacyjny", "BO"},
    {"Oddział Urologii", "UR"},     {"Oddział Laryngologii", "LA"}, {"Oddział Okulistyki", "OK"},
    {"Oddział Psychiatrii", "PS"},
};
constexpr int kWardCount = int(std::size(kWards));

std::vector<zmiana_> shifts_of(layout l) {
    const colour white = rgb(255, 255, 255), grey = rgb(221, 221, 221), cream = rgb(0xFF, 0xFF, 0xE0);
    switch (l) {
        case layout::Twelve:
            return {make_shift("D", "Dzienna", 7 * 60, 720, 0, 0, white),
                    make_shift("N", "Nocna", 19 * 60, 720, 0, 0, grey)};
        case layout::Eight:
            return {make_shift("R", "Ranna", 6 * 60, 480, 0, 0, white),
                    make_shift("P", "Popołudniowa", 14 * 60, 480, 0, 0, cream),
                    make_shift("N", "Nocna", 22 * 60, 480, 0, 0, grey)};
        case layout::Mixed:
            break;
    }
    return {make_shift("D", "Dzienna", 7 * 60, 720, 0, 0, white), make_shift("N", "Nocna", 19 * 60, 720, 0, 0, grey),
            make_shift("R", "Ranna", 7 * 60, kHealthCareNorm, 0, 0, rgb(0xE0, 0xFF, 0xE0)),
            make_shift("P", "Popołudniowa", 12 * 60, 480, 0, 0, cream)};
}

layout layout_of(const grupa& g) {
    return g.shifts.size() == 2 ? layout::Twelve : g.shifts.size() == 3 ? layout::Eight : layout::Mixed;
}

grupa generated_group(int index, seeded_random& rng) {
    const ward_name& w = kWards[index % kWardCount];
    std::string name = w.name, nick = w.nick;
    if (index >= kWardCount) {  // a second ward of the same kind
        const int round = index / kWardCount + 1;
        name += " " + std::to_string(round);
        nick = first_chars(nick, 1) + char('0' + round % 10);
    }
    const int red = 0xE0 + rng.below(32), green = 0xE0 + rng.below(32);
    grupa g = make_group(word(index + 1), name, nick, rgb(red, green, 0xF0));
    // The first three show each layout; the rest are mostly 12-hour wards.
    const int r = rng.below(100);
    const layout l = index < 3 ? layout(index == 1 ? 1 : index == 2 ? 2 : 0)
                               : r < 50 ? layout::Twelve : r < 80 ? layout::Eight : layout::Mixed;
    g.shifts = shifts_of(l);
    g.algorithm = byte(l == layout::Eight ? 1 : 0);
    return g;
}

// Staffing targets the group's staff can meet: the working time its members
// bring in a day, shared among the shifts and cut by a tenth for leave.
void set_staffing(Plan& plan, grupa& g) {
    double perDay = 0;  // minutes a day
    for (const prac& w : plan.workers)
        if (w.inGroup(g.id) && !w.old) perDay += kHealthCareNorm * 21.0 / 30.4 * w.partTimeDefault / 100.0;
    static const std::vector<int> twelve = {55, 45}, eight = {40, 33, 27}, mixed = {38, 32, 18, 12};
    const layout l = layout_of(g);
    const std::vector<int>& share = l == layout::Twelve ? twelve : l == layout::Eight ? eight : mixed;
    for (size_t s = 0; s < g.shifts.size(); ++s) {
        zmiana_& z = g.shifts[s];
        const int min = std::clamp(int(perDay * share[s] / 100.0 / z.length * 0.9), 1, 255);
        const bool night = z.symbol == "N";
        const bool shortShift = l == layout::Mixed && s >= 2;
        z.staffMin = byte(min);
        z.staffMinS = byte(night ? min : shortShift ? 0 : std::max(1, min * 2 / 3));
    }
}

// ---- Workers ----

struct name_pool {
    std::vector<std::string> firsts, surnames;
};

name_pool names_of_demo_people() {
    name_pool pool;
    for (const person& p : demo_people()) {
        if (std::find(pool.firsts.begin(), pool.firsts.end(), p.first) == pool.firsts.end())
            pool.firsts.push_back(p.first);
        if (std::find(pool.surnames.begin(), pool.surnames.end(), p.surname) == pool.surnames.end())
            pool.surnames.push_back(p.surname);
    }
    return pool;
}

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Polish first names of women end in "a"; a man's surname of the "-ska"
// kind takes its masculine ending.
bool is_male(const std::string& first) { return !ends_with(first, "a"); }

std::string surname_for(std::string surname, bool male) {
    if (male && (ends_with(surname, "ska") || ends_with(surname, "cka"))) surname.back() = 'i';
    return surname;
}

std::string pattern_for(layout l, double partTime, seeded_random& rng) {
    if (l == layout::Eight) {
        if (partTime >= 87.5) return rng.pick(std::vector<std::string>{"11220033", "22003311", "33001122", "1230"});
        return partTime >= 75 ? "12300" : "1020300";
    }
    if (partTime >= 87.5) return rng.pick(std::vector<std::string>{"1200", "1200", "1200", "11002200", "1020"});
    if (partTime >= 75) return "12000";
    return partTime >= 62.5 ? "120000" : "100200";
}

std::string eight_pattern_for(layout l, seeded_random& rng) {
    if (l == layout::Mixed) return "3";
    if (l == layout::Eight) return rng.chance(30) ? "1112" : "1";
    return "1";
}

double part_time(seeded_random& rng) {
    const int q = rng.below(100);
    return q < 68 ? 100 : q < 78 ? 75 : q < 86 ? 87.5 : q < 94 ? 50 : 62.5;
}

std::string occupation(layout l, work_mode mode, bool head, bool male, seeded_random& rng) {
    const bool midwife = l == layout::Eight;
    if (head) return midwife ? "położna oddziałowa" : male ? "pielęgniarz oddziałowy" : "pielęgniarka oddziałowa";
    if (mode == work_mode::Eight && rng.chance(40)) return male ? "sanitariusz" : rng.chance(50) ? "salowa" : "sanitariuszka";
    if (male) return rng.chance(30) ? "ratownik medyczny" : "pielęgniarz";
    return midwife && rng.chance(85) ? "położna" : "pielęgniarka";
}

person generated_person(const Plan& plan, int groupIndex, bool head, const name_pool& pool,
                        std::set<std::string>& used, seeded_random& rng) {
    person p;
    for (int attempt = 0; attempt < 30; ++attempt) {
        p.first = rng.pick(pool.firsts);
        p.surname = surname_for(rng.pick(pool.surnames), is_male(p.first));
        if (used.insert(p.first + " " + p.surname).second) break;
    }
    const grupa& g = plan.groups[size_t(groupIndex)];
    const layout l = layout_of(g);
    const int r = rng.below(100);
    p.mode = head ? work_mode::None : r < 12 ? work_mode::Eight : r < 15 ? work_mode::None : work_mode::Pattern;
    p.partTime = head || p.mode == work_mode::None ? 100 : part_time(rng);
    p.pattern = p.mode == work_mode::Pattern ? pattern_for(l, p.partTime, rng)
                : p.mode == work_mode::Eight ? eight_pattern_for(l, rng)
                                             : "";
    p.groups = std::to_string(g.id) + "|";
    // A few pattern workers help out on the next ward.
    if (p.mode == work_mode::Pattern && plan.groups.size() > 1 && rng.chance(4))
        p.groups += std::to_string(plan.groups[(size_t(groupIndex) + 1) % plan.groups.size()].id) + "|";
    p.occupation = occupation(l, p.mode, head, is_male(p.first), rng);
    p.leaveDays = rng.chance(70) ? 26 : 20;
    p.leftDays = rng.chance(40) ? rng.between(1, 8) : 0;
    return p;
}

// ---- Months ----

int kind_row(const Plan& plan, const std::string& code) {
    for (size_t k = 0; k < plan.options.dayOffKinds.size(); ++k)
        if (plan.options.dayOffKinds[k].code == code) return int(k);
    return -1;
}

int home_group(const Plan& plan, const prac& w) {
    for (size_t g = 0; g < plan.groups.size(); ++g)
        if (!plan.groups[g].old && w.inGroup(plan.groups[g].id)) return int(g);
    return -1;
}

// A day off entered the way the day-off dialog enters it.
bool hand_day_off(Plan& plan, int worker, const std::string& code, int from, int to, int shift) {
    const int row = kind_row(plan, code);
    const int dayIndex = from - first_day_of_month(plan);
    if (row < 0 || upusc_wolne(plan, worker, dayIndex).outcome != drop_outcome::OpenDayOffDialog) return false;
    day_off_dialog_model dialog;
    dialog.openAdd(plan, worker, dayIndex);
    dialog.kindIndex = row;
    dialog.secondDay = dialog.noDutyKind(plan) ? shift : to;
    dialog.refreshNorm(plan);
    return dialog.ok(plan) == day_off_dialog_result::Added;
}

// Leave, sick leave, care and wishes, entered before the scheduler runs so
// that it plans around them.
void hand_days_off(Plan& plan, seeded_random& rng) {
    const int days = month_day_count(plan);
    const int first = first_day_of_month(plan);
    for (int w = 0; w < int(plan.workers.size()); ++w) {
        const prac& p = plan.workers[w];
        const int g = home_group(plan, p);
        if (p.old || g < 0) continue;
        plan.currentGroup = g;
        const int r = rng.below(100);
        const int from = first + rng.below(days);
        if (r < 12) {
            hand_day_off(plan, w, "u", from, std::min(first + days - 1, from + rng.between(2, 9)), 0);
        } else if (r < 17) {
            hand_day_off(plan, w, "z", from, std::min(first + days - 1, from + rng.between(1, 6)), 0);
        } else if (r < 19) {
            hand_day_off(plan, w, "o", from, from, 0);
        } else if (r < 21) {
            hand_day_off(plan, w, "a", from, from, 0);
        }
        if (rng.chance(8)) {
            const int shifts = int(plan.groups[size_t(g)].shifts.size());
            const int day = first + rng.below(days);
            hand_day_off(plan, w, "ż", day, 0, rng.below(shifts + 1));  // shift 0: any shift
        }
    }
}

// Workers planned by hand (the head nurses) get their weekday mornings
// through the duty dialog's whole-month offer.
void hand_planned(Plan& plan) {
    for (int w = 0; w < int(plan.workers.size()); ++w) {
        const prac& p = plan.workers[w];
        const int g = home_group(plan, p);
        if (p.old || !p.prefWithoutAuto || g < 0) continue;
        plan.currentGroup = g;
        refresh_worker(plan, w);
        const zmiana_& morning = plan.groups[size_t(g)].shifts[0];
        dyzur templ;
        templ.workerId = p.id;
        templ.groupId = plan.groups[size_t(g)].id;
        templ.shift = 1;
        templ.start = morning.start;
        templ.length = p.dailyNorm ? p.dailyNorm : kHealthCareNorm;
        templ.dutyAs = 1;
        templ.loaded = true;
        rozpisz_8(plan, w, templ, false, true);
    }
}

// A random duty of the worker in the open month: day index and position.
bool some_duty(const ms_& m, int days, seeded_random& rng, int& day, int& position) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        day = rng.below(days);
        if (!m.duties[size_t(day)].empty()) {
            position = rng.below(int(m.duties[size_t(day)].size()));
            return true;
        }
    }
    return false;
}

// What a ward manager changes afterwards: overtime after a duty, a note, a
// duty taken at the worker's request, notes and emergency days in the calendar.
void hand_touches(Plan& plan, seeded_random& rng) {
    static const std::vector<std::string> dutyNotes = {"zamiana", "szkolenie", "za koleżankę", "na prośbę",
                                                       "transport pacjenta"};
    static const std::vector<std::string> dayNotes = {"Zebranie oddziału", "Szkolenie BHP\r\nsala 12",
                                                      "Audyt akredytacyjny", "Przegląd aparatury",
                                                      "Szczepienia personelu"};
    const int days = month_day_count(plan);
    for (int w = 0; w < int(plan.workers.size()); ++w) {
        ms_* m = worker_month(plan, w);
        int day = 0, pos = 0;
        if (!m || plan.workers[w].old) continue;
        if (rng.chance(10) && some_duty(*m, days, rng, day, pos)) {
            dyzur d = m->duties[size_t(day)][size_t(pos)];
            d.overtime = smallint(15 * rng.between(2, 8));
            (void)dodaj_dyzur(plan, d, pos, false, w);  // refused when it would reach the next duty
        }
        if (rng.chance(4) && some_duty(*m, days, rng, day, pos))
            m->duties[size_t(day)][size_t(pos)].note = rng.pick(dutyNotes);
        if (rng.chance(5) && some_duty(*m, days, rng, day, pos)) m->duties[size_t(day)][size_t(pos)].onRequest = true;
    }
    std::vector<day_param>& cal = plan.months[size_t(plan.currentMonth)].days;
    const int noted = rng.between(1, 3);
    for (int k = 0; k < noted && !cal.empty(); ++k) cal[size_t(rng.below(int(cal.size())))].note = rng.pick(dayNotes);
    const int emergency = rng.between(3, 6);
    for (int k = 0; k < emergency && !cal.empty(); ++k) cal[size_t(rng.below(int(cal.size())))].erDuty = 1;
}

void count_month(const Plan& plan, generated_months& out) {
    for (size_t w = 0; w < plan.workers.size(); ++w) {
        const ms_* m = worker_month(plan, int(w));
        if (!m) continue;
        for (const auto& list : m->duties) out.duties += int(list.size());
        for (const wolne_& slot : m->daysOff) out.daysOff += slot.used();
    }
}

std::string month_file_name(int year, int month) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d_%02d.pnk", year, month);
    return buf;
}

}  // namespace

int ward_group_count(const ward_options& o) {
    const int wanted = o.groups > 0 ? o.groups : (o.workers + 15) / 30;
    return std::clamp(wanted, 1, std::max(1, o.workers));
}

void build_generated_ward(Plan& plan, const ward_options& o) {
    seeded_random rng(o.seed);
    const int groups = ward_group_count(o);
    plan.groups.clear();
    for (int g = 0; g < groups; ++g) plan.groups.push_back(generated_group(g, rng));
    plan.workers.clear();
    const name_pool pool = names_of_demo_people();
    std::set<std::string> used;
    for (int i = 0; i < o.workers; ++i) {
        // Contiguous blocks of ids per group; the first of each block leads it.
        const int g = int(long(i) * groups / o.workers);
        const bool head = i == 0 || int(long(i - 1) * groups / o.workers) != g;
        const person p = generated_person(plan, g, head, pool, used, rng);
        prac w = make_worker(p, word(i + 1), plan.workers);
        if (w.prefAuto8) {
            const int r = rng.below(100);
            w.automatDays = r < 70 ? "1111100" : r < 90 ? "1111000" : "0111110";
        }
        plan.workers.push_back(std::move(w));
    }
    for (grupa& g : plan.groups) set_staffing(plan, g);
    plan.rebuildWorkerIds();
}

generated_months write_generated_months(Plan& plan, const ward_options& o) {
    generated_months out;
    seeded_random rng(o.seed ^ 0x5D0A4E8B1F37C26BULL);  // a stream apart from the ward's
    plan.random.seed(o.seed);
    int year = o.fromYear, month = o.fromMonth;
    if (year == 0) {
        const civil_date today = plan.clock->today();
        year = today.year;
        month = today.month;
    }
    std::vector<std::string> files;
    std::vector<std::pair<int, int>> periods;
    for (int m = 0; m < o.months; ++m) {
        files.push_back((plan.paths.data / month_file_name(year, month)).string());
        periods.emplace_back(year, month);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    for (size_t m = 0; m < files.size(); ++m)
        if (!write_empty_month_file(files[m], periods[m].first, periods[m].second)) return out;

    const std::shared_ptr<Interaction> usual = plan.ui;
    plan.ui = std::make_shared<SilentInteraction>(Answer::Yes);
    // Files of its own making: no safety copies, locks or recent list yet.
    months_request opening;
    opening.files = files;
    opening.group = plan.groups.empty() ? std::nullopt : std::optional<word>(plan.groups.front().id);
    const result<std::vector<std::string>> opened = open_session_months(plan, opening);
    if (opened && opened->size() == files.size()) {
        for (size_t m = 0; m < files.size(); ++m) {
            months_request tab;
            tab.files = {(*opened)[m]};
            tab.tab = int(m);
            if (!open_session_months(plan, tab)) break;
            hand_days_off(plan, rng);
            for (size_t g = 0; g < plan.groups.size(); ++g) {
                if (plan.groups[g].old) continue;
                plan.currentGroup = int(g);
                // The search's effort follows the time granted; a short,
                // fixed grant ends on its step count well before the clock
                // (even in a sanitizer build), so the same seed gives the
                // same ward anywhere, and a hospital of 1 200 workers over a
                // year is made in minutes, not hours.
                scheduler_choice choice;
                choice.seconds = 0.25;
                uloz_planek(plan, choice);
            }
            hand_planned(plan);
            hand_touches(plan, rng);
            // The months before the last were approved and carried out.
            const bool past = m + 1 < files.size();
            plan.approvedStatus = past ? 1 : 0;
            plan.planType = past ? 1 : 0;
            plan.currentGroup = 0;
            count_month(plan, out);
            if (zapisz_dyzury_i_wolne(plan)) out.files.push_back(files[m]);
        }
        [[maybe_unused]] const refusal unsaved = seed_recent_projects(plan, out.files);
    }
    plan.ui = usual;
    return out;
}

}  // namespace planek::cli
