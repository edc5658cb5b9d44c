#include "editing/day_duties.h"

#include "calendar/time_text.h"
#include "editing/message_text.h"
#include "editing/month_access.h"

namespace planek {

std::vector<day_duty_entry> duties_of_day(const Plan& plan, int dayIndex) {
    std::vector<day_duty_entry> entries;
    if (dayIndex < 0 || dayIndex >= kMaxDays) return entries;
    const std::string format = plan.tr.msg("msg_DayDutyEntry", "[%s %s] %s - %s");
    for (const listed_worker& lw : plan.listed) {
        const ms_* m = worker_month(plan, lw.worker);
        if (!m) continue;
        const prac& p = plan.workers[size_t(lw.worker)];
        const std::vector<dyzur>& list = m->duties[size_t(dayIndex)];
        for (size_t i = 0; i < list.size(); ++i) {
            const int end = (list[i].start + list[i].length) % 1440;
            entries.push_back({lw.worker, int(i),
                               fill_placeholders(format, {p.surname, p.firstName, min2h(list[i].start % 1440),
                                                          min2h(end)})});
        }
    }
    return entries;
}

}  // namespace planek
