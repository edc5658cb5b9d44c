#include "exports/worker_calendar.h"

#include "core/text.h"
#include "editing/symbols.h"
#include "exports/cell_text.h"
#include "settings/message_format.h"

namespace planek {

namespace {

// Ids that depend only on whose folder, who, which day and which duty of the
// day, so a calendar that reads a later export of the same month replaces the
// events it has instead of adding them again, and worker 2 of one ward never
// replaces worker 2 of another.
std::string uid(const std::string& folder, word worker, const civil_date& d, const std::string& what) {
    return "planek-" + std::to_string(worker) + "-" + iso_date(d.year, d.month, d.day) + "-" + what + "@" + folder;
}

std::string group_name(const Plan& plan, word groupId) {
    const int g = plan.groupIndexById(groupId);
    if (g >= 0) return plan.groups[size_t(g)].name;
    return plan.group() ? plan.group()->name : std::string();
}

calendar_event duty_event(const Plan& plan, const std::string& folder, const prac& p, const dyzur& d,
                          const civil_date& date, int position) {
    calendar_event e;
    e.uid = uid(folder, p.id, date, std::to_string(position));
    e.date = date;
    e.start = d.start;
    e.end = d.end() + d.overtime;
    std::string symbol = trim(dyzur2symbol(plan, d, "symbol"));
    if (symbol.empty()) symbol = clock_text(e.start % 1440) + "-" + clock_text(((e.end % 1440) + 1440) % 1440);
    e.summary = fill_message(plan.tr.tr("exports", "ics_Summary", "Dyżur %s — %s"), {symbol, group_name(plan, d.groupId)});
    e.description = d.note;
    return e;
}

calendar_event day_off_event(const Plan& plan, const std::string& folder, const prac& p, const wolne_& w,
                             const civil_date& date) {
    calendar_event e;
    e.uid = uid(folder, p.id, date, "wolne");
    e.allDay = true;
    e.date = date;
    e.end = std::max(1, int(w.dayTo) - int(w.dayFrom) + 1);
    e.summary = trim(wolne2nazwa(plan, w.symbol));
    return e;
}

}  // namespace

std::vector<calendar_event> worker_events(const Plan& plan, int worker, const std::string& folderId) {
    std::vector<calendar_event> events;
    const prac& p = plan.workers[size_t(worker)];
    const ms_& m = p.months[size_t(plan.currentMonth)];
    const int days = std::min(int(plan.days.size()), kMaxDays);
    for (int d = 0; d < days; ++d) {
        const civil_date date{plan.year, plan.month, d + 1};
        int position = 0;
        for (const dyzur& duty : m.duties[size_t(d)])
            if (duty.loaded) events.push_back(duty_event(plan, folderId, p, duty, date, ++position));
        const wolne_& slot = m.daysOff[size_t(d)];
        if (slot.used()) events.push_back(day_off_event(plan, folderId, p, slot, date));
    }
    return events;
}

}  // namespace planek
