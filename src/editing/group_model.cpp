#include "calendar/staffing.h"
#include "editing/group_model.h"

#include <algorithm>

#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "calendar/time_text.h"
#include "core/text.h"
#include "editing/message_text.h"
#include "editing/typed_time.h"
#include "editing/worker_model.h"

namespace planek {

namespace {

constexpr int kDay = 1440;

int staffing(const std::string& text) {
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        v = std::min(255, v * 10 + (c - '0'));
    }
    return v;
}

std::optional<int> cell_minutes(const std::string& text) { return typed_minutes(text, 24); }

// A start is a time of the day; a length is more than nothing and at most a day.
bool fits_column(int column, const std::optional<int>& minutes) {
    if (!minutes) return false;
    return column == 1 ? *minutes < kDay : *minutes > 0 && *minutes <= kDay;
}

refusal no_group(const Plan& plan) {
    return {refusal_kind::NoGroup, message(plan, "msg_GroupNeed", "Najpierw należy utworzyć grupę.")};
}

shift_row row_of(const zmiana_& z) {
    return {min2h(z.start),
            min2h(z.length),
            z.symbol,
            colour_text(z.color),
            z.name,
            std::to_string(z.staffMin),
            std::to_string(z.staffMinS)};
}

}  // namespace

void group_dialog_model::openAdd(const Plan&, Random& random) {
    editIndex = -1;
    editId = 0;
    name.clear();
    nick.clear();
    if (rows.size() > 2) rows.resize(2);
    color = random_light_colour(random);
}

result<> group_dialog_model::openEdit(const Plan& plan) {
    const grupa* g = plan.group();
    if (!g) return no_group(plan);
    editIndex = plan.currentGroup;
    editId = g->id;
    customNorm = g->customNorm;
    normText = min2h(g->customNorm ? g->customNormMinutes : g->monthNorm);
    name = g->name;
    nick = g->nick;
    color = g->color;
    rows.clear();
    for (size_t i = 0; i < g->shifts.size() && i < size_t(kMaxShifts); ++i)
        rows.push_back(row_of(g->shifts[i]));
    if (rows.empty()) rows.push_back({"7:00", "12:00", "", "clWhite", "", "0", "0"});
    day8 = min2h(g->dailyNorm);
    saturdayHoliday = g->saturdayHoliday;
    dayOffForSaturdayHoliday = g->dayOffForSaturdayHoliday;
    nightOnHolidayAsHoliday = g->nightOnHolidayAsHoliday;
    noHolidays = g->noHolidays;
    resetBeforeAutomat = g->resetBeforeAutomat;
    algorithm = g->algorithm;
    aim = g->aim;
    residueBox = g->residueDistribution == 0;
    dayOffForHolidayWork = g->dayOffForHolidayWorkDistribution;
    return {};
}

std::string group_dialog_model::idText(const Plan& plan) const {
    return fill_placeholders(plan.tr.tr("f_GroupAdd", "l_Id", "id: %d"), {std::to_string(editId)});
}

bool group_dialog_model::append() {
    if (!canInsert()) return false;
    rows.push_back({"", "", "", "clWhite", "", "", ""});
    return true;
}

bool group_dialog_model::insertBefore(int row) {
    if (!canInsert() || row < 0 || row > int(rows.size())) return false;
    rows.insert(rows.begin() + row, shift_row{"", "", "", "clWhite", "", "", ""});
    return true;
}

bool group_dialog_model::deleteRow(const Plan& plan, int row) {
    if (!canDelete() || row < 0 || row >= int(rows.size())) return false;
    if (plan.ui->ask(plan.tr.msg("msg_ConfirmShiftDelete", "Czy usunąć wybraną zmianę?"), Buttons::YesNo) !=
        Answer::Yes)
        return false;
    rows.erase(rows.begin() + row);
    return true;
}

bool group_dialog_model::keyAccepted(int column, const std::string& cellText, char& key) {
    if (key == '\b' || key == '\r' || key == '\n') return true;
    const bool digit = key >= '0' && key <= '9';
    switch (column) {
        case 6:
        case 7:
            return digit || key == '/';
        case 1:
        case 2:
            if (key == ',' || key == '.') key = ':';
            return digit || key == ':' || key == '/';
        case 3:
            return utf8_length(cellText) < 2;
        default:
            return true;
    }
}

std::string group_dialog_model::cellProblem(const Plan& plan, int row, int column, const std::string& text) {
    const std::string no = std::to_string(row + 1);
    const auto m = cell_minutes(text);
    if (column == 1 && !fits_column(1, m))
        return message(plan, "msg_BadShiftStart", "Zmiana nr %s: \"%s\" nie jest poprawną godziną początku.",
                       {no, text});
    if (column == 2 && !fits_column(2, m))
        return message(plan, "msg_BadShiftLength",
                       "Zmiana nr %s: czas trwania \"%s\" musi być dłuższy od 0:00 i nie dłuższy niż 24:00.",
                       {no, text});
    return {};
}

std::string group_dialog_model::storedNick(const std::string& typed) { return utf8_left(typed, 2); }

std::string group_dialog_model::nickNotice(const Plan& plan, const std::string& typed) {
    if (utf8_length(typed) <= 2) return {};
    return message(plan, "msg_GroupNickCut",
                   "Nazwa krótka grupy ma najwyżej 2 znaki: zostanie zapisane \"%s\".", {storedNick(typed)});
}

void group_dialog_model::cellEdited(int row, int column) {
    if (row < 0 || row >= int(rows.size())) return;
    shift_row& r = rows[row];
    if (column == 1 || column == 2) {
        std::string& text = column == 1 ? r.start : r.length;
        // A text that is no time stays as typed for OK to name; nothing is
        // chained from it.
        const auto m = cell_minutes(text);
        if (!fits_column(column, m)) return;
        text = min2h(*m);
        if (autoCalc) chain();
    } else if (column == 3) {
        r.symbol = utf8_left(r.symbol, 2);
    }
}

void group_dialog_model::chain() {
    if (rows.size() < 2) return;
    int others = 0;
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        const int start = cell_minutes(rows[i].start).value_or(0);
        const int length = cell_minutes(rows[i].length).value_or(0);
        others += length;
        rows[i + 1].start = min2h((start + length) % kDay);
    }
    rows.back().length = min2h(kDay - others);
}

std::string group_dialog_model::problem(const Plan& plan) const {
    const char* s = "f_GroupAdd";
    if (trim(name).empty()) return message(plan, "msg_GroupNameNeed", "Należy podać nazwę grupy.");
    std::vector<typed_field> texts{{plan.tr.tr(s, "l_GroupName", "Nazwa: "), name},
                                   {plan.tr.tr(s, "l_Nick", "Nazwa krótka (maks. 2 znaki): "), nick}};
    for (const shift_row& r : rows) {
        texts.push_back({plan.tr.tr(s, "sag_Shifts3", "Symbol dyżuru"), r.symbol});
        texts.push_back({plan.tr.tr(s, "sag_Shifts5", "Nazwa"), r.name});
    }
    std::string bad = unencodable_message(plan, texts);
    if (bad.empty())
        bad = bad_time_message(plan,
                               {{plan.tr.tr(s, "l_Duty8Length", "Długość dyżuru 8-godzinnego: "), day8}}, 24);
    if (bad.empty() && customNorm)
        bad = bad_time_message(plan, {{plan.tr.tr(s, "cb_CustomNorma", "Normatyw własny: "), normText}}, 999);
    for (size_t i = 0; bad.empty() && i < rows.size(); ++i) {
        bad = cellProblem(plan, int(i), 1, rows[i].start);
        if (bad.empty()) bad = cellProblem(plan, int(i), 2, rows[i].length);
        if (bad.empty() && !parse_colour(rows[i].color))
            bad = message(plan, "msg_BadShiftColour", "Zmiana nr %s: nieznany kolor \"%s\".",
                          {std::to_string(i + 1), rows[i].color});
    }
    return bad;
}

grupa group_dialog_model::build(const Plan& plan) const {
    const grupa* existing =
        !adding() && editIndex < int(plan.groups.size()) ? &plan.groups[editIndex] : nullptr;
    grupa g;
    if (existing) {
        g.dailyNormDefault = existing->dailyNormDefault;
        g.saturdayHolidayDefault = existing->saturdayHolidayDefault;
        g.dayOffForSaturdayHolidayDefault = existing->dayOffForSaturdayHolidayDefault;
        g.nightOnHolidayAsHolidayDefault = existing->nightOnHolidayAsHolidayDefault;
        g.noHolidaysDefault = existing->noHolidaysDefault;
        g.shifts2 = existing->shifts2;
        g.autoStaffN = existing->autoStaffN;
        g.autoStaffH = existing->autoStaffH;
        g.monthNorm = existing->monthNorm;
    }
    g.name = trim(name);
    g.nick = storedNick(nick);
    g.color = color;
    g.old = false;
    g.customNorm = customNorm;
    g.customNormMinutes = word(customNorm ? typed_minutes(normText, 999).value_or(0)
                               : existing ? existing->customNormMinutes
                                          : 0);
    g.resetBeforeAutomat = resetBeforeAutomat;
    g.algorithm = byte(algorithm);
    g.aim = byte(aim == 1 ? 1 : 0);
    g.residueDistribution = byte(residueBox ? residueChoice : 1);
    g.dayOffForHolidayWorkDistribution = dayOffForHolidayWork;
    g.dailyNorm = word(typed_minutes(day8, 24).value_or(0));
    g.saturdayHoliday = saturdayHoliday;
    g.dayOffForSaturdayHoliday = dayOffForSaturdayHoliday;
    g.nightOnHolidayAsHoliday = nightOnHolidayAsHoliday;
    g.noHolidays = noHolidays;
    for (const shift_row& r : rows) {
        zmiana_ z;
        z.start = word(cell_minutes(r.start).value_or(0));
        z.length = word(std::max(0, cell_minutes(r.length).value_or(0)));
        z.symbol = utf8_left(r.symbol, 2);
        z.color = parse_colour(r.color).value_or(0xFFFFFF);
        z.name = r.name;
        z.staffMin = byte(staffing(r.staff));
        z.staffMinS = byte(staffing(r.staffS));
        g.shifts.push_back(z);
    }
    g.id = existing ? existing->id : id(plan, 'g', "max");
    return g;
}

result<grupa> group_dialog_model::record(const Plan& plan) const {
    if (std::string p = problem(plan); !p.empty()) return refusal{refusal_kind::FormInvalid, p};
    return build(plan);
}

result<> group_dialog_model::ok(Plan& plan) {
    if (std::string p = problem(plan); !p.empty()) return refusal{refusal_kind::FormInvalid, p};
    if (!adding() && editIndex >= int(plan.groups.size())) return refusal{};
    const grupa g = build(plan);
    dodaj_grupe(plan, g, editIndex);
    storedIndex = adding() ? int(plan.groups.size()) - 1 : editIndex;
    plan.currentGroup = storedIndex;
    if (!plan.workers.empty() && !plan.months.empty()) {
        normatyw(plan, false, plan.currentMonth, false);
        call_odswiez_okres(plan, false, false, -1);
        if (plan.currentWorker >= 0 && plan.currentWorker < int(plan.workers.size()))
            call_odswiez_pracownika(plan, plan.currentWorker, false, plan.currentMonth);
    }
    return {};
}

group_norm_defaults group_dialog_model::defaults() const {
    group_norm_defaults d;
    if (auto m = typed_minutes(day8, 24)) d.dailyNorm = *m;
    d.saturdayHoliday = saturdayHoliday;
    d.dayOffForSaturdayHoliday = dayOffForSaturdayHoliday;
    d.nightOnHolidayAsHoliday = nightOnHolidayAsHoliday;
    d.noHolidays = noHolidays;
    return d;
}

bool zapisz_domyslne_grupy(Plan& plan, const group_norm_defaults& d) {
    grupa* g = plan.group();
    if (!g) return false;
    if (d.dailyNorm >= 0) g->dailyNormDefault = word(d.dailyNorm);
    g->saturdayHolidayDefault = d.saturdayHoliday;
    g->dayOffForSaturdayHolidayDefault = d.dayOffForSaturdayHoliday;
    g->nightOnHolidayAsHolidayDefault = d.nightOnHolidayAsHoliday;
    g->noHolidaysDefault = d.noHolidays;
    return true;
}

void dodaj_grupe(Plan& plan, const grupa& record, int editIndex) {
    uniewaznij_iledy(plan);  // the shifts may be new
    if (editIndex < 0 || editIndex >= int(plan.groups.size())) {
        plan.groups.emplace_back();
        editIndex = int(plan.groups.size()) - 1;
    }
    grupa& target = plan.groups[editIndex];
    std::vector<group_month_settings> kept = target.monthSettings;
    if (kept.empty()) kept.resize(1);
    target = record;
    target.monthSettings = std::move(kept);
    const size_t m = size_t(std::max(0, plan.currentMonth));
    if (target.monthSettings.size() <= m) target.monthSettings.resize(m + 1);
    group_month_settings& ms = target.monthSettings[m];
    ms.customNorm = record.customNorm;
    ms.dayOffForSaturdayHoliday = record.dayOffForSaturdayHoliday;
    ms.customNormMinutes = record.customNormMinutes;
}

result<> usun_grupe(Plan& plan, int group) {
    if (group < 0 || group >= int(plan.groups.size())) return no_group(plan);
    if (!ask_yes_no(
            plan, "msg_ConfirmGroupDelete",
            "Czy usunąć wybraną grupę?%sPracownicy nie zostaną usunięci - mogą oni zostać przypisani do "
            "innych grup.",
            {kLineBreak}))
        return refusal{};
    const std::string gid = std::to_string(plan.groups[group].id);
    for (size_t i = 0; i < plan.workers.size(); ++i) {
        prac& w = plan.workers[i];
        std::string kept;
        for (const std::string& entry : split_fields(w.groups, "|"))
            if (!entry.empty() && entry != gid) kept += entry + "|";
        if (kept == w.groups) continue;
        note_worker_edit(plan, int(i));
        w.groups = kept;
    }
    plan.groups[group].old = true;
    plan.currentGroup = -1;
    for (size_t g = 0; g < plan.groups.size(); ++g)
        if (!plan.groups[g].old) {
            plan.currentGroup = int(g);
            break;
        }
    return {};
}

void resetuj_start_wzorcow(Plan& plan) {
    plan.patternsReset = true;
    const grupa* g = plan.group();
    if (!g) return;
    int k = 0;
    for (size_t i = 0; i < plan.workers.size(); ++i) {
        prac& w = plan.workers[i];
        if (w.old || !w.prefSystem || !w.inGroup(g->id)) continue;
        note_worker_edit(plan, int(i));
        const int length = int(w.systemPattern.size());
        // a pattern-mode worker without a pattern has only position 1
        w.systemStartFrom = length > 0 ? byte(((k / length) % length) + 1) : 1;
        ++k;
    }
}

}  // namespace planek
