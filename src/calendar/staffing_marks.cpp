#include "calendar/staffing_marks.h"

#include <algorithm>
#include <utility>

#include "calendar/caption_format.h"
#include "calendar/staffing.h"

namespace planek {

staffing_level staffing_level_of(const Plan& plan, int headcount, int required) {
    if (headcount < required) return staffing_level::Under;
    const warnings_options& o = plan.options.warnings;
    // The same threshold as the warnings' rule, so a mark and a warning
    // never disagree about one cell.
    if (o.StaffBigger && headcount - required >= std::max(o.vStaffBigger, 1)) return staffing_level::Over;
    return staffing_level::Enough;
}

std::vector<std::vector<cell_staffing>> oznacz_obsady(Plan& plan) {
    if (plan.group()) odswiez_iledy_gdy_trzeba(plan);
    return oznacz_obsady(std::as_const(plan));
}

std::vector<std::vector<cell_staffing>> oznacz_obsady(const Plan& plan) {
    std::vector<std::vector<cell_staffing>> marks;
    const grupa* g = plan.group();
    if (!g || g->shifts.empty()) return marks;
    const size_t days = std::min<size_t>(plan.days.size(), kMaxDays);
    marks.assign(days, std::vector<cell_staffing>(g->shifts.size()));
    for (size_t d = 0; d < days; ++d) {
        const day& today = plan.days[d];
        for (size_t s = 0; s < g->shifts.size(); ++s) {
            cell_staffing& m = marks[d][s];
            m.headcount = s < today.shiftHeadcount.size() ? today.shiftHeadcount[s] : 0;
            m.required = today.holiday ? g->shifts[s].staffMinS : g->shifts[s].staffMin;
            m.level = staffing_level_of(plan, m.headcount, m.required);
        }
    }
    return marks;
}

std::string staffing_mark_text(const Plan& plan, int shiftIndex, const cell_staffing& mark) {
    const grupa* g = plan.group();
    std::string symbol = std::to_string(shiftIndex + 1);
    if (g && shiftIndex >= 0 && shiftIndex < int(g->shifts.size()) && !g->shifts[size_t(shiftIndex)].symbol.empty())
        symbol = g->shifts[size_t(shiftIndex)].symbol;
    return format_caption(plan.tr.msg("msg_DaySummaryShift", "%s: %d z %d"), {symbol, mark.headcount, mark.required});
}

}  // namespace planek
