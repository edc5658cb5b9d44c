#include "files/sundays.h"

#include <algorithm>
#include <chrono>

#include "core/file_fingerprint.h"
#include "core/ini_file.h"
#include "settings/message_format.h"
#include "settings/settings_file.h"

namespace planek {

namespace fs = std::filesystem;
namespace chr = std::chrono;

namespace {

unsigned weekday_of(int year, int month, int day) {
    const chr::year_month_day ymd{chr::year(year), chr::month(unsigned(month)), chr::day(unsigned(day))};
    return chr::weekday(chr::sys_days(ymd)).c_encoding();  // 0 = Sunday
}

int day_of_year(int year, int month, int day) {
    const chr::sys_days first{chr::year(year) / chr::January / 1};
    const chr::sys_days date{chr::year(year) / chr::month(unsigned(month)) / chr::day(unsigned(day))};
    return int((date - first).count()) + 1;
}

int first_sunday(int year) {
    const unsigned wd = weekday_of(year, 1, 1);
    return 1 + int((7 - wd) % 7);
}

int days_in_month(int year, int month) {
    const chr::year_month_day_last last{chr::year(year), chr::month_day_last(chr::month(unsigned(month)))};
    return int(unsigned(last.day()));
}

}  // namespace

int sundays_in_year(int year) {
    const int days = chr::year(year).is_leap() ? 366 : 365;
    return (days - first_sunday(year)) / 7 + 1;
}

int sunday_position(int year, int month, int day) {
    if (weekday_of(year, month, day) != 0) return 0;
    return (day_of_year(year, month, day) - first_sunday(year)) / 7 + 1;
}

fs::path sundays_file(const Plan& plan) { return plan.paths.data / "sundays.ini"; }

namespace {

// The record with the Sundays of the shown month brought up to date; false
// when that changes nothing.
// The shown month's Sundays of every worker put into the record.
void mark_month_sundays(const Plan& plan, IniFile& ini) {
    const std::string key = std::to_string(plan.year);
    const std::string zeros(size_t(sundays_in_year(plan.year)), '0');
    const int days = std::min(days_in_month(plan.year, plan.month), kMaxDays);
    const std::vector<word>& part = plan.guards.wardOnly;
    for (const prac& w : plan.workers) {
        // A month read for one ward's part holds only its workers' duties:
        // the others' Sundays are not this read's to judge.
        if (!part.empty() && std::none_of(part.begin(), part.end(), [&](word g) { return w.inGroup(g); }))
            continue;
        const std::string section = std::to_string(w.id);
        std::string v = ini.readString(section, key, zeros);
        // A damaged value is brought to the year's length rather than trusted.
        if (v.size() != zeros.size()) v.resize(zeros.size(), '0');
        const ms_* m = (plan.currentMonth >= 0 && plan.currentMonth < int(w.months.size()))
                           ? &w.months[plan.currentMonth]
                           : nullptr;
        for (int d = 1; d <= days; ++d) {
            const int pos = sunday_position(plan.year, plan.month, d);
            if (pos == 0) continue;
            const bool worked = m && !m->duties[d - 1].empty();
            v[size_t(pos - 1)] = worked ? '1' : '0';
        }
        if (v != zeros) {
            ini.writeString(section, key, v);
        } else if (ini.keyExists(section, key)) {
            ini.deleteKey(section, key);
        }
    }
}

bool month_known(const Plan& plan) { return plan.year >= 1 && plan.month >= 1 && plan.month <= 12; }

bool updated_sundays(const Plan& plan, IniFile& ini) {
    if (!month_known(plan)) return false;
    ini = read_settings_file(plan, sundays_file(plan));
    const std::string before = ini.text();
    mark_month_sundays(plan, ini);
    return ini.text() != before;
}

refusal not_saved(const Plan& plan, const IniFile& ini) {
    const std::string file = sundays_file(plan).string();
    return refused(refusal_kind::Io,
                   ini.error().empty() ? fill_message(plan.tr.msg("msg_FileNotWritten", "Nie udało się zapisać pliku %s"), {file})
                                       : ini.error(),
                   file);
}

}  // namespace

void put_month_sundays(const Plan& plan, IniFile& ini) {
    if (month_known(plan)) mark_month_sundays(plan, ini);
}

IniFile niedziele_z_miesiacem(const Plan& plan) {
    IniFile ini(sundays_file(plan));
    if (month_known(plan)) mark_month_sundays(plan, ini);
    return ini;
}

result<> zapisz_niedziele(Plan& plan) {
    // Only this month's Sundays of the shown workers are ours: when another
    // program wrote the file meanwhile, they are put onto its version.
    for (int round = 0;; ++round) {
        IniFile ini;
        if (!updated_sundays(plan, ini) || ini.saveAs(sundays_file(plan), &plan.tr)) return {};
        if (ini.changedOnDisk() && round < 5) continue;
        return not_saved(plan, ini);
    }
}

result<> stage_niedziele(Plan& plan, save_set& set) {
    IniFile ini;
    if (!updated_sundays(plan, ini)) return {};
    std::string bytes;
    if (!ini.bytesFor(sundays_file(plan), bytes)) return not_saved(plan, ini);
    // Checked again under the save lock just before the rename.
    plan.guards.read[guard_key(sundays_file(plan))] = ini.loadedAs();
    set.add(sundays_file(plan), std::move(bytes));
    return {};
}

}  // namespace planek
