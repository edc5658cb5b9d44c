#include "editing/entry_args.h"

#include "editing/month_access.h"

namespace planek {

std::optional<duty_place> find_duty(const Plan& plan, duty_id id) {
    if (id.value == 0) return std::nullopt;
    for (int w = 0; w < int(plan.workers.size()); ++w) {
        const ms_* m = worker_month(plan, w);
        if (!m) continue;
        for (int d = 0; d < kMaxDays; ++d)
            for (int p = 0; p < int(m->duties[size_t(d)].size()); ++p)
                if (m->duties[size_t(d)][size_t(p)].id == id.value) return duty_place{w, d, p};
    }
    return std::nullopt;
}

std::optional<duty_id> duty_at(const Plan& plan, const duty_place& place) {
    const ms_* m = worker_month(plan, place.worker);
    if (!m || place.dayIndex < 0 || place.dayIndex >= kMaxDays) return std::nullopt;
    const std::vector<dyzur>& list = m->duties[size_t(place.dayIndex)];
    if (place.position < 0 || place.position >= int(list.size())) return std::nullopt;
    return duty_id{list[size_t(place.position)].id};
}

std::optional<day_off_place> find_day_off(const Plan& plan, day_off_id id) {
    if (id.value == 0) return std::nullopt;
    for (int w = 0; w < int(plan.workers.size()); ++w) {
        const ms_* m = worker_month(plan, w);
        if (!m) continue;
        for (int d = 0; d < kMaxDays; ++d)
            if (m->daysOff[size_t(d)].used() && m->daysOff[size_t(d)].id == id.value) return day_off_place{w, d};
    }
    return std::nullopt;
}

std::optional<day_off_id> day_off_at(const Plan& plan, int worker, int dayIndex) {
    const ms_* m = worker_month(plan, worker);
    if (!m || dayIndex < 0 || dayIndex >= kMaxDays) return std::nullopt;
    const wolne_& slot = m->daysOff[size_t(dayIndex)];
    if (slot.used()) return day_off_id{slot.id};
    if (slot.headIndex < kMaxDays && m->daysOff[slot.headIndex].used())
        return day_off_id{m->daysOff[slot.headIndex].id};
    return std::nullopt;
}

}  // namespace planek
