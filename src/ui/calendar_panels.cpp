#include "ui/calendar_panels.h"

#include <algorithm>
#include <cstdio>

#include "calendar/calendar_grid.h"
#include "calendar/time_text.h"
#include "editing/day_off_rules.h"
#include "editing/message_text.h"
#include "editing/panel_names.h"
#include "editing/symbols.h"

namespace planek::ui {

namespace {

constexpr colour kProposalBack = rgb(250, 250, 250);
constexpr colour kProposalText = rgb(50, 50, 50);
constexpr colour kWhite = rgb(255, 255, 255);
constexpr colour kBlack = rgb(0, 0, 0);
constexpr colour kRed = rgb(255, 0, 0);

// The head slot of the day-off covering a day, or nullptr; headDay gets its
// day index.
const wolne_* day_off_at(const ms_& m, int dayIndex, int* headDay = nullptr) {
    if (dayIndex < 0 || dayIndex >= kMaxDays) return nullptr;
    const wolne_& slot = m.daysOff[dayIndex];
    if (slot.used()) {
        if (headDay) *headDay = dayIndex;
        return &slot;
    }
    if (slot.headIndex < kMaxDays && m.daysOff[slot.headIndex].used()) {
        if (headDay) *headDay = slot.headIndex;
        return &m.daysOff[slot.headIndex];
    }
    return nullptr;
}

bool hides_duties(const wolne_* w) { return w && w->blocks && !w->customNorm; }

int cell_index(const Plan& plan, const calendar_cell* c) { return int(c - plan.calendar.grid.data()); }

std::string hm(int minutes) { return min2h(minutes, "txt", true); }

struct builder {
    const Plan& plan;
    const calendar_view_options& view;
    calendar_layout out{};
    const grupa* group = plan.group();
    int slots = std::max(1, plan.calendar.gridSlots);

    // Grid cell index of every day and slot, found once instead of a scan of
    // the grid per panel.
    std::vector<int> cellOf{};

    const calendar_cell* cell_of(int dayIndex, int slot) const {
        const size_t i = size_t(dayIndex) * size_t(slots) + size_t(slot - 1);
        if (dayIndex < 0 || slot < 1 || slot > slots || i >= cellOf.size() || cellOf[i] < 0) return nullptr;
        return &plan.calendar.grid[size_t(cellOf[i])];
    }

    void size_counters() {
        cellOf.assign(plan.days.size() * size_t(slots), -1);
        for (size_t i = 0; i < plan.calendar.grid.size(); ++i) {
            const calendar_cell& c = plan.calendar.grid[i];
            if (c.dayIndex < 0 || c.slot < 1 || c.slot > slots || size_t(c.dayIndex) >= plan.days.size()) continue;
            int& at = cellOf[size_t(c.dayIndex) * size_t(slots) + size_t(c.slot - 1)];
            if (at < 0) at = int(i);
        }
        const size_t n = plan.days.size();
        out.slotPanels.assign(n, std::vector<int>(size_t(slots), 0));
        out.slotMinutes.assign(n, std::vector<int>(size_t(slots), 0));
        out.dayOffPanels.assign(n, 0);
        out.cellPanels.assign(n, std::vector<int>(size_t(slots), 0));
    }

    bool selectedOnly() const { return plan.showWho == 1; }

    void add_outsider(int w) {
        for (const listed_worker& lw : plan.listed)
            if (lw.worker == w && !lw.outsider) return;
        for (int o : out.outsiders)
            if (o == w) return;
        out.outsiders.push_back(w);
    }

    void duty_panel(int w, int d, int pos, const dyzur& duty, bool blocked) {
        const int slot = std::clamp(int(duty.shift), 1, slots);
        const calendar_cell* cell = cell_of(d, slot);
        if (!cell) return;
        const prac& p = plan.workers[size_t(w)];
        calendar_panel panel;
        panel.name = duty_panel_name(w, d, pos);
        panel.worker = w;
        panel.dayIndex = d;
        panel.position = pos;
        const int idx = cell_index(plan, cell);
        panel.row = idx / plan.calendar.gridColumns();
        panel.column = idx % plan.calendar.gridColumns();
        out.slotPanels[size_t(d)][size_t(slot - 1)]++;
        panel.stack = out.cellPanels[size_t(d)][size_t(slot - 1)]++;
        out.slotMinutes[size_t(d)][size_t(slot - 1)] += int(duty.length) + int(duty.overtime);

        if (plan.showWho == 0 && view.captions == PanelCaptions::ShortName)
            panel.text = p.nick;
        else if (view.captions == PanelCaptions::DutyAs && duty.dutyAs >= 1 && duty.dutyAs <= 4)
            panel.text = std::string(1, plan.dutyAs[duty.dutyAs - 1].symbol);
        else
            panel.text = dyzur2symbol(plan, duty, "ksymbol");

        const bool outsider = !p.old && !(group && p.inGroup(group->id));
        if (!duty.loaded) {
            panel.back = kProposalBack;
            panel.fore = kProposalText;
        } else {
            if (view.dutyAsColours && duty.dutyAs >= 1 && duty.dutyAs <= 4)
                panel.back = plan.dutyAs[duty.dutyAs - 1].color;
            else if (selectedOnly()) {
                const int g = plan.groupIndexById(duty.groupId);
                panel.back = g >= 0 ? plan.groups[size_t(g)].color : p.color;
            } else
                panel.back = p.color;
            if (selectedOnly() && blocked)
                panel.fore = kRed;
            else
                panel.buttonText = true;
        }
        if (outsider) {
            panel.outsider = true;
            panel.fore = kWhite;
            panel.buttonText = false;
            add_outsider(w);
        }
        panel.bold = duty.alsoOvertime;
        panel.underline = !duty.note.empty();
        panel.italic = duty.onRequest;
        panel.border = w == plan.currentWorker;
        out.panels.push_back(std::move(panel));
    }

    void duties() {
        if (!view.showDuties || plan.groups.empty() || plan.workers.empty() || !group) return;
        const int month = plan.currentMonth;
        for (int w = 0; w < int(plan.workers.size()); ++w) {
            if (selectedOnly() && w != plan.currentWorker) continue;
            const prac& p = plan.workers[size_t(w)];
            if (month < 0 || month >= int(p.months.size())) continue;
            const ms_& m = p.months[size_t(month)];
            for (int d = 0; d < int(plan.days.size()) && d < kMaxDays; ++d) {
                const bool blocked = hides_duties(day_off_at(m, d));
                const auto& list = m.duties[size_t(d)];
                for (int pos = 0; pos < int(list.size()); ++pos) {
                    const dyzur& duty = list[size_t(pos)];
                    if (!selectedOnly() && duty.groupId != group->id) continue;
                    if (!selectedOnly() && blocked) continue;
                    if (duty.dutyAs >= 1 && duty.dutyAs <= 4 && !plan.dutyAsFilter[duty.dutyAs - 1]) continue;
                    duty_panel(w, d, pos, duty, blocked);
                }
            }
        }
    }

    void day_off_panel(int w, int d, int head, const wolne_& off) {
        const calendar_cell* cell = cell_of(d, 1);
        if (!cell) return;
        const prac& p = plan.workers[size_t(w)];
        calendar_panel panel;
        panel.duty = false;
        panel.name = day_off_panel_name(w, head);
        panel.worker = w;
        panel.dayIndex = d;
        panel.headDay = head;
        const int idx = cell_index(plan, cell);
        panel.row = idx / plan.calendar.gridColumns();
        panel.column = idx % plan.calendar.gridColumns();
        // Days off share the first slot's cell with its duties and follow
        // them, so neither covers the other.
        out.dayOffPanels[size_t(d)]++;
        panel.stack = out.cellPanels[size_t(d)][0]++;
        panel.text = off.dayTo <= off.dayFrom ? "x" : (d == head ? "»" : "«");
        if (selectedOnly()) {
            const int g = plan.groupIndexById(off.groupId);
            panel.back = g >= 0 ? plan.groups[size_t(g)].color : p.color;
        } else
            panel.back = p.color;
        panel.buttonText = true;
        const byte kind = byte(off.symbol);
        const char* special = kind == '7' ? "so" : kind == '1' ? "ni" : kind == '5' ? "5d" : kind == '9' ? "sw" : nullptr;
        if (special) {
            panel.back = kWhite;
            panel.text = special;
        } else if (kind == kNoDutyWanted) {
            panel.back = kBlack;
            panel.fore = kWhite;
            panel.buttonText = false;
            panel.text = off.customNorm ? hm(off.customNormMinutes) : "d";
        }
        // Among short names a bare "»" or "ni" reads as the neighbour's: the
        // panel names its own worker first.
        if (plan.showWho == 0 && view.captions == PanelCaptions::ShortName && !p.nick.empty())
            panel.text = p.nick + "\u2009" + panel.text;
        panel.border = w == plan.currentWorker;
        out.panels.push_back(std::move(panel));
    }

    void days_off() {
        if (!view.showDayOffs || plan.groups.empty() || plan.workers.empty() || !group) return;
        const int month = plan.currentMonth;
        for (int w = 0; w < int(plan.workers.size()); ++w) {
            if (selectedOnly() && w != plan.currentWorker) continue;
            const prac& p = plan.workers[size_t(w)];
            if (month < 0 || month >= int(p.months.size())) continue;
            if (!selectedOnly() && !p.inGroup(group->id)) continue;
            const ms_& m = p.months[size_t(month)];
            for (int d = 0; d < int(plan.days.size()) && d < kMaxDays; ++d) {
                int head = -1;
                if (const wolne_* off = day_off_at(m, d, &head)) day_off_panel(w, d, head, *off);
            }
        }
    }
};

}  // namespace

std::string duty_hint(const Plan& plan, int worker, const dyzur& d, bool outsider) {
    const prac& p = plan.workers[size_t(worker)];
    std::string first = p.fullName();
    if (outsider)
        first += " [" + plan.tr.msg("msg_WorkerFromOutsideGroup", "Pracownik spoza grupy") + "]";
    if (plan.weekMode) return first + kLineBreak + d.note;
    const std::string as = d.dutyAs >= 1 && d.dutyAs <= 4 ? plan.dutyAs[d.dutyAs - 1].name : "";
    std::string hint = message(plan, "msg_DutyHint", "%sW godzinach: %s-%s%sCzas trwania: %s%s%s",
                               {first + kLineBreak, min2h(d.start, "txt", true, true),
                                min2h(int(d.start) + d.length + d.overtime, "txt", true, true), kLineBreak,
                                hm(d.length), kLineBreak, as});
    if (d.overtime != 0)
        hint += message(plan, "msg_DutyHintOvertime", "%sGodziny nadliczbowe: %s", {kLineBreak, hm(d.overtime)});
    if (d.alsoOvertime)
        hint += message(plan, "msg_DutyHintDutyAsOvertime", "%sDyżur liczony dodatkowo jako godziny nadliczbowe",
                        {kLineBreak});
    if (!d.note.empty()) hint += kLineBreak + d.note;
    return hint;
}

std::string panel_hint(const Plan& plan, const calendar_panel& panel) {
    if (panel.worker < 0 || panel.worker >= int(plan.workers.size())) return {};
    const prac& p = plan.workers[size_t(panel.worker)];
    const int month = plan.currentMonth;
    if (month < 0 || month >= int(p.months.size())) return {};
    const ms_& m = p.months[size_t(month)];
    if (panel.duty) {
        if (panel.dayIndex < 0 || panel.dayIndex >= kMaxDays) return {};
        const auto& list = m.duties[size_t(panel.dayIndex)];
        if (panel.position < 0 || panel.position >= int(list.size())) return {};
        return duty_hint(plan, panel.worker, list[size_t(panel.position)], panel.outsider);
    }
    if (panel.headDay < 0 || panel.headDay >= kMaxDays || !m.daysOff[size_t(panel.headDay)].used()) return {};
    const wolne_& off = m.daysOff[size_t(panel.headDay)];
    std::string hint = plan.tr.msg("msg_DayoffHintPrefix", "[Urlop] ") + wolne2nazwa(plan, off.symbol) + kLineBreak +
                       p.fullName();
    const std::string from = std::to_string(off.dayFrom), to = std::to_string(off.dayTo);
    if (plan.weekMode || byte(off.symbol) == kNoDutyWanted)
        return message(plan, "msg_DayoffHintWM", "%sod %d do %d", {hint + kLineBreak, from, to});
    return message(plan, "msg_DayoffHint", "%sod %d do %d%sNormatyw: %s",
                   {hint + kLineBreak, from, to, kLineBreak, hm(off.normMinutes)});
}

int calendar_layout::panelsInCell(const Plan& plan, int row, int column) const {
    if (plan.calendar.grid.empty()) return 0;
    const calendar_cell& c = plan.calendar.cell(row, column);
    if (c.dayIndex < 0 || c.dayIndex >= int(slotPanels.size())) return 0;
    const auto& slots = slotPanels[size_t(c.dayIndex)];
    return c.slot >= 1 && c.slot <= int(slots.size()) ? slots[size_t(c.slot - 1)] : 0;
}

cell_fit fit_panels(int cellWidth, int cellHeight, int preferredWidth, int preferredHeight, int minWidth,
                    int minHeight, int count) {
    const int w = std::max(1, cellWidth), h = std::max(1, cellHeight);
    const int minW = std::clamp(minWidth, 1, w), minH = std::clamp(minHeight, 1, h);
    const int prefW = std::max(preferredWidth, minW), prefH = std::max(preferredHeight, minH);
    cell_fit f;
    f.columns = std::max(1, w / prefW);
    f.rows = std::max(1, h / prefH);
    f.width = std::min(prefW, w);
    f.height = std::min(prefH, h);
    f.shown = std::max(0, count);
    if (count <= f.columns * f.rows) return f;

    // Smaller places: the largest that still holds every panel.
    long best = 0;
    for (int rows = 1; rows <= h / minH; ++rows) {
        const int columns = (count + rows - 1) / rows;
        const int pw = std::min(prefW, w / columns), ph = std::min(prefH, h / rows);
        if (pw < minW || ph < minH) continue;
        if (long(pw) * ph > best) {
            best = long(pw) * ph;
            f = {columns, rows, pw, ph, count, 0};
        }
    }
    if (best > 0) return f;

    f.columns = w / minW;
    f.rows = h / minH;
    f.width = std::min(prefW, w / f.columns);
    f.height = std::min(prefH, h / f.rows);
    f.shown = f.columns * f.rows - 1;
    f.hidden = count - f.shown;
    return f;
}

calendar_layout zbuduj_panele(const Plan& plan, const calendar_view_options& view) {
    builder b{plan, view};
    b.size_counters();
    b.duties();
    b.days_off();
    if (!plan.weekMode) b.out.staffing = oznacz_obsady(plan);
    return std::move(b.out);
}

}  // namespace planek::ui
