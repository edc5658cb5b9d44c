#include "editing/duty_add.h"

#include <string>

#include "editing/calendar_calls.h"
#include "editing/message_text.h"
#include "editing/month_access.h"

namespace planek {

namespace {

constexpr int kMaxDutiesPerDay = 10;

int duty_end(const dyzur& d) { return int(d.start) + int(d.length) + int(d.overtime); }

word shift_start(const Plan& plan, int shift) {
    const grupa* g = plan.group();
    if (!g || shift < 1 || shift > int(g->shifts.size())) return 0;
    return g->shifts[shift - 1].start;
}

// Touching ends do not overlap: a duty may begin the minute another ends.
bool overlaps_previous_day(const std::vector<dyzur>& previous, const dyzur& d) {
    for (const dyzur& p : previous)
        if (duty_end(p) > int(d.start) + 1440) return true;
    return false;
}

bool overlaps_same_day(const std::vector<dyzur>& today, const dyzur& d, int editIndex) {
    for (int i = 0; i < int(today.size()); ++i) {
        if (i == editIndex) continue;
        const dyzur& q = today[i];
        if (q.start <= d.start && duty_end(q) > int(d.start)) return true;
        if (q.start > d.start && duty_end(d) > int(q.start)) return true;
    }
    return false;
}

bool overlaps_next_day(const std::vector<dyzur>& next, const dyzur& d) {
    for (const dyzur& n : next)
        if (duty_end(d) - 1440 > int(n.start)) return true;
    return false;
}

}  // namespace

result<> dodaj_dyzur(Plan& plan, dyzur d, int editIndex, bool refresh, int worker) {
    const int dayCount = month_day_count(plan);
    const int dayIndex = int(d.day) - first_day_of_month(plan);
    if (dayIndex < 0 || dayIndex >= dayCount) return refusal{};
    d.dayIndex = byte(dayIndex);

    ms_* month = worker_month(plan, worker);
    if (worker < 0 || worker >= int(plan.workers.size())) {
        plan.orphanDuties.push_back(d);
        return refusal{};
    }
    if (!month) return refusal{};

    std::vector<dyzur>& today = month->duties[dayIndex];
    // An index past the list is no edit of anything: treat it as an add.
    if (editIndex >= int(today.size())) editIndex = -1;
    if (editIndex < 0 && int(today.size()) >= kMaxDutiesPerDay) {
        return refusal{refusal_kind::TooManyDuties,
                        message(plan, "msg_DutyCountOver",
                                "Pracownik osiągnął już maksymalną ilość dyżurów w tej dobie (%d).%sDyżuru nie dodano.",
                                {std::to_string(kMaxDutiesPerDay), kLineBreak})};
    }

    // Id 0 means "no duty", so the counter skips it when it wraps.
    if (++plan.dutyCounter == 0) ++plan.dutyCounter;
    d.id = plan.dutyCounter;
    d.prioWorker = 1.0;
    d.prioStaff = 1.0;
    d.month = byte(plan.month);
    d.year = word(plan.year);
    if (d.start == 0) d.start = shift_start(plan, d.shift);

    bool clash = false;
    if (dayIndex > 0) clash = overlaps_previous_day(month->duties[dayIndex - 1], d);
    if (!clash) clash = overlaps_same_day(today, d, editIndex);
    if (!clash && dayIndex + 1 < dayCount) clash = overlaps_next_day(month->duties[dayIndex + 1], d);
    if (clash) {
        return refusal{refusal_kind::DutyOverlaps,
                        message(plan, "msg_DutyOverDuty",
                                "Dodawany dyżur nakłada się na już istniejący!%sDyżuru nie dodano.", {kLineBreak})};
    }

    if (editIndex < 0) {
        today.push_back(d);
    } else {
        today[editIndex] = d;
    }
    if (refresh) refresh_worker(plan, worker);
    return {};
}

}  // namespace planek
