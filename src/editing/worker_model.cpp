#include "calendar/staffing.h"
#include "editing/worker_model.h"

#include <algorithm>

#include "calendar/refresh_hooks.h"
#include "calendar/time_text.h"
#include "core/text.h"
#include "editing/message_text.h"
#include "editing/typed_time.h"

namespace planek {

namespace {

std::vector<std::string> non_empty_fields(const std::string& list) {
    std::vector<std::string> out;
    for (std::string& s : split_fields(list))
        if (!trim(s).empty()) out.push_back(s);
    return out;
}

int minutes_or_zero(const std::string& text, bool allowNegative = false) {
    return typed_minutes(text, 999, allowNegative).value_or(0);
}

std::string same_name_key(const std::string& s) { return lower_pl(trim(s)); }

refusal group_need(const Plan& plan) {
    return {refusal_kind::NoGroup, message(plan, "msg_GroupNeed", "Najpierw należy utworzyć grupę.")};
}

// A worker to edit or archive: there must be groups and the worker must
// exist. Kind None when both hold.
refusal worker_chosen(const Plan& plan, int worker) {
    if (plan.groups.empty()) return group_need(plan);
    if (worker < 0 || worker >= int(plan.workers.size()))
        return {refusal_kind::NoWorker, message(plan, "msg_WorkerNeed", "Najpierw należy dodać pracownika.")};
    return {};
}

void fill_names(worker_form& f, const prac& w) {
    f.surname = w.surname;
    f.firstName = w.firstName;
    f.nick = w.nick;
    f.occupation = w.occupation;
    f.color = w.color;
    f.old = w.old;
    f.address = w.address;
    f.postOffice = w.postOffice;
    f.zipCode = w.zipCode;
    f.phone = w.phone;
    f.email = w.email;
    f.pesel = w.pesel;
    f.education = w.education;
    f.courses = w.courses;
    f.user1 = w.user1;
    f.user2 = w.user2;
    f.user3 = w.user3;
    f.employmentFrom = w.employmentFrom;
}

void fill_allowances_and_automat(worker_form& f, const prac& w) {
    f.currentYearHoliday = min2h(w.holidayCurrentYear);
    f.lastYearHoliday = min2h(w.holidayPreviousYear);
    f.careDaysMode = w.careDaysMode;
    f.careDays = w.careDaysMode == 0 ? std::min<int>(w.careDays, 2) : 0;
    f.careHours = w.careDaysMode == 0 ? "000:00" : min2h(w.careDays);
    f.rehaDays = std::min<int>(w.rehaDays, 20);
    f.mode = w.prefSystem ? auto_mode::Pattern : w.prefAuto8 ? auto_mode::Eight : auto_mode::Without;
    f.pattern8 = w.systemPattern8;
    f.startFrom8 = w.systemStartFrom8;
    f.auto8ConstStart = w.auto8ConstStart;
    f.pattern = w.systemPattern;
    f.startFrom = w.systemStartFrom;
    f.autoConstStart = w.autoConstStart;
    f.asWeek = w.systemAsWeek;
    for (size_t d = 0; d < 7; ++d) f.automatDays[d] = d < w.automatDays.size() && w.automatDays[d] == '1';
    f.automatFromHourOn = w.automatFromHourOn;
    f.automatFromHour = min2h(w.automatFromHour);
    f.prefDayNight = w.prefDayNight;
    f.prefNormalHoliday = w.prefNormalHoliday;
}

}  // namespace

colour random_light_colour(Random& random) {
    const colour r = 120 + random.below(135);
    const colour g = 120 + random.below(135);
    const colour b = 120 + random.below(135);
    return r | (g << 8) | (b << 16);
}

result<> worker_dialog_model::openAdd(const Plan& plan, Random& random) {
    if (plan.groups.empty()) return group_need(plan);
    groupIndexes.clear();
    f.groupChecks.clear();
    for (size_t g = 0; g < plan.groups.size(); ++g) {
        if (plan.groups[g].old) continue;
        groupIndexes.push_back(int(g));
        f.groupChecks.push_back(int(g) == plan.currentGroup);
    }
    editIndex = -1;
    editId = 0;
    f.old = false;
    f.surname.clear();
    f.firstName.clear();
    f.nick.clear();
    auto occ = non_empty_fields(plan.options.autofilling.Occupations);
    if (!occ.empty()) f.occupation = occ.front();
    auto edu = non_empty_fields(plan.options.autofilling.Educations);
    if (!edu.empty()) f.education = edu.front();
    f.pesel.clear();
    f.courses.clear();
    f.user1.clear();
    f.user2.clear();
    f.user3.clear();
    f.lastYearHoliday = "000:00";
    f.currentYearHoliday = "197:10";
    f.careDaysMode = 0;
    f.careDays = 0;
    f.careHours = "000:00";
    f.rehaDays = 0;
    f.partTime = f.partTimeDefault = "100";
    f.ownNorm = f.ownNormCalculated = false;
    f.ownNormDefault = f.ownNormCalculatedDefault = false;
    f.ownNormText = "000:00";
    f.ownNormValueDefault = 0;
    f.lastMonthHours = "000:00";
    f.overtimeFromPrevious = 0;
    f.pattern8 = "1";
    f.asWeek = false;
    f.startFrom8 = 1;
    f.automatDays = {true, true, true, true, true, false, false};
    f.pattern = "1200";
    f.startFrom = 1;
    f.prefDayNight = f.prefNormalHoliday = 3;
    f.color = random_light_colour(random);
    return {};
}

result<> worker_dialog_model::openEdit(const Plan& plan, int worker) {
    if (refusal none = worker_chosen(plan, worker); none.kind != refusal_kind::None) return none;
    const prac& w = plan.workers[worker];
    editIndex = worker;
    editId = w.id;
    groupIndexes.clear();
    f.groupChecks.clear();
    for (size_t g = 0; g < plan.groups.size(); ++g) {
        if (plan.groups[g].old) continue;
        groupIndexes.push_back(int(g));
        f.groupChecks.push_back(w.inGroup(plan.groups[g].id));
    }
    fill_names(f, w);
    fill_allowances_and_automat(f, w);
    const size_t m = size_t(std::max(0, plan.currentMonth));
    const ms_ month = m < w.months.size() ? w.months[m] : ms_{};
    f.partTime = real_text(month.partTime);
    f.ownNorm = month.ownNorm;
    f.ownNormCalculated = month.ownNormCalculated;
    f.ownNormText = min2h(month.ownNormValue);
    f.lastMonthHours = min2h(month.overtimeManual);
    f.overtimeFromPrevious = month.overtimeFromPrevious;
    f.partTimeDefault = real_text(w.partTimeDefault);
    f.ownNormValueDefault = w.ownNormValueDefault;
    f.ownNormDefault = w.ownNormDefault;
    f.ownNormCalculatedDefault = w.ownNormCalculatedDefault;
    return {};
}

std::vector<std::string> worker_dialog_model::groupNames(const Plan& plan) const {
    std::vector<std::string> out;
    for (int g : groupIndexes) out.push_back(plan.groups[g].name);
    return out;
}

std::string worker_dialog_model::idText(const Plan& plan) const {
    return fill_placeholders(plan.tr.tr("f_WorkerAdd", "l_Id", "id: %d"), {std::to_string(editId)});
}

std::string worker_dialog_model::customizeEntry(const Plan& plan) {
    return plan.tr.msg("msg_CustomizeList", "    *** dostosuj listę... ***");
}

std::vector<std::string> worker_dialog_model::occupations(const Plan& plan) {
    auto out = non_empty_fields(plan.options.autofilling.Occupations);
    out.push_back(customizeEntry(plan));
    return out;
}

std::vector<std::string> worker_dialog_model::educations(const Plan& plan) {
    auto out = non_empty_fields(plan.options.autofilling.Educations);
    out.push_back(customizeEntry(plan));
    return out;
}

std::vector<std::string> worker_dialog_model::employmentForms(const Plan& plan) {
    std::vector<std::string> out;
    for (const dutyas_& d : plan.dutyAs) out.push_back(d.name);
    return out;
}

bool worker_dialog_model::dayNightEnabled(const Plan& plan) {
    return plan.group() && plan.group()->shifts.size() > 1;
}

void worker_dialog_model::fillInitials() {
    const std::string s = trim(f.surname), n = trim(f.firstName);
    if (adding() && !s.empty() && !n.empty() && f.nick.empty()) f.nick = utf8_left(s, 1) + utf8_left(n, 1);
}

bool worker_dialog_model::patternKeyAccepted(const Plan& plan, char key) {
    const int shifts = plan.group() ? int(plan.group()->shifts.size()) : 0;
    return key >= '0' && key <= '9' && key - '0' <= shifts;
}

int worker_dialog_model::startMax(const std::string& pattern) {
    return std::max<int>(1, int(pattern.size()));
}

int worker_dialog_model::startMax8(const std::string& pattern8) {
    return pattern8.size() >= 2 ? int(pattern8.size()) : 1;
}

void worker_dialog_model::patternChanged() {
    f.startFrom = f.pattern.empty() ? 1 : std::clamp(f.startFrom, 1, startMax(f.pattern));
}

void worker_dialog_model::pattern8Changed() {
    f.startFrom8 = std::clamp(f.startFrom8, 1, startMax8(f.pattern8));
}

std::string worker_dialog_model::defaultPartTimeLabel() const {
    return real_text(parse_real(f.partTimeDefault).value_or(100.0)) + "%";
}

std::string worker_dialog_model::defaultNormLabel() const { return min2h(f.ownNormValueDefault) + " h"; }

void worker_dialog_model::saveAsDefault() {
    if (trim(f.partTime).empty()) return;
    f.partTimeDefault = trim(f.partTime);
    f.ownNormValueDefault = minutes_or_zero(f.ownNormText);
    f.ownNormDefault = f.ownNorm;
    f.ownNormCalculatedDefault = f.ownNormCalculated;
}

std::string worker_dialog_model::problem(const Plan& plan) const {
    const char* s = "f_WorkerAdd";
    auto cap = [&](const char* key, const char* fallback) { return plan.tr.tr(s, key, fallback); };
    if (trim(f.surname).empty())
        return message(plan, "msg_WorkerSurnameNeed", "Należy podać nazwisko pracownika.");
    std::string bad = unencodable_message(plan, {{cap("l_Surname", "Nazwisko: "), f.surname},
                                                 {cap("l_Name", "Imię: "), f.firstName},
                                                 {cap("l_Nick", "Nazwa krótka (maks. 2 znaki): "), f.nick},
                                                 {cap("l_Occupation", "Stanowisko: "), f.occupation},
                                                 {cap("l_Address", "Adres: "), f.address},
                                                 {cap("l_PostOffice", "Poczta: "), f.postOffice},
                                                 {cap("l_ZipCode", "Kod pocztowy: "), f.zipCode},
                                                 {cap("l_PhoneNumber", "Telefon: "), f.phone},
                                                 {cap("l_Email", "E-mail: "), f.email},
                                                 {cap("l_pesel", "PESEL: "), f.pesel},
                                                 {cap("l_education", "Wykształcenie: "), f.education},
                                                 {cap("l_courses", "Ukończone kursy: "), f.courses},
                                                 {cap("l_user1", "Inne 1: "), f.user1},
                                                 {cap("l_user2", "Inne 2: "), f.user2},
                                                 {cap("l_user3", "Inne 3: "), f.user3}});
    if (!bad.empty()) return bad;
    // Leave balances may be overdrawn, so they may be negative.
    bad = bad_time_message(plan,
                           {{cap("l_CurrentYearHoliday", "godzin urlopu wypoczynkowego: "), f.currentYearHoliday},
                            {cap("l_LastYearHoliday", "godzin urlopu wyp. z poprz. roku: "), f.lastYearHoliday}},
                           999, true);
    if (bad.empty())
        bad = bad_time_message(plan,
                               {{cap("l_CareDays", "dni opieki: "), f.careDaysMode ? f.careHours : ""},
                                {cap("cb_wn_Norma", "Własny normatyw miesięczny [h]"), f.ownNormText}},
                               999);
    if (bad.empty())
        bad = bad_time_message(plan, {{cap("l_LastMonthHours", "korekta ręczna:"), f.lastMonthHours}}, 500,
                               true);
    if (bad.empty() && f.automatFromHourOn)
        bad = bad_time_message(plan, {{cap("cb_AutomatFromHour", "od godziny:"), f.automatFromHour}}, 23);
    if (!bad.empty()) return bad;
    const auto part = parse_real(f.partTime);
    if (!trim(f.partTime).empty() && (!part || *part <= 0 || *part > 999))
        return message(plan, "msg_BadPartTime",
                       "Wymiar etatu \"%s\" nie jest poprawną liczbą procent (np. 100 lub 87,5).",
                       {f.partTime});
    return {};
}

prac worker_dialog_model::build(const Plan& plan) const {
    prac w = adding() ? prac{} : plan.workers[editIndex];
    w.surname = trim(f.surname);
    w.firstName = trim(f.firstName);
    w.nick = utf8_left(f.nick, 3);
    w.occupation = f.occupation;
    w.color = f.color;
    w.address = f.address;
    w.postOffice = f.postOffice;
    w.zipCode = f.zipCode;
    w.phone = f.phone;
    w.email = f.email;
    w.pesel = f.pesel;
    w.education = f.education;
    w.courses = f.courses;
    w.user1 = f.user1;
    w.user2 = f.user2;
    w.user3 = f.user3;
    w.employmentFrom = byte(std::clamp(f.employmentFrom, 0, 3));
    // An overdrawn balance is kept as the negative time it shows.
    w.holidayCurrentYear = minutes_or_zero(f.currentYearHoliday, true);
    w.holidayPreviousYear = minutes_or_zero(f.lastYearHoliday, true);
    w.prefWithoutAuto = f.mode == auto_mode::Without;
    w.prefAuto8 = f.mode == auto_mode::Eight;
    w.prefSystem = f.mode == auto_mode::Pattern;
    w.systemPattern8 = f.pattern8;
    w.systemStartFrom8 = byte(std::clamp(f.startFrom8, 1, startMax8(f.pattern8)));
    w.auto8ConstStart = f.auto8ConstStart;
    w.systemPattern = f.pattern;
    w.systemStartFrom = byte(std::clamp(f.startFrom, 1, startMax(f.pattern)));
    w.autoConstStart = f.autoConstStart;
    w.systemAsWeek = f.asWeek;
    w.automatDays.clear();
    for (bool d : f.automatDays) w.automatDays += d ? '1' : '0';
    w.automatFromHourOn = f.automatFromHourOn;
    w.automatFromHour = word(typed_minutes(f.automatFromHour, 23).value_or(0));
    w.prefDayNight = byte(f.prefDayNight);
    w.prefNormalHoliday = byte(f.prefNormalHoliday);
    w.rehaDays = byte(std::clamp(f.rehaDays, 0, 20));
    w.careDaysMode = byte(f.careDaysMode);
    w.careDays = word(f.careDaysMode ? minutes_or_zero(f.careHours) : std::clamp(f.careDays, 0, 2));
    w.groups.clear();
    for (size_t i = 0; i < groupIndexes.size() && i < f.groupChecks.size(); ++i)
        if (f.groupChecks[i]) w.groups += std::to_string(plan.groups[groupIndexes[i]].id) + "|";
    w.old = f.old;
    if (adding()) {
        w.months.assign(std::max<size_t>(1, plan.months.size()), ms_{});
        w.id = id(plan, 'k', "max");
    }
    const size_t m = size_t(std::max(0, plan.currentMonth));
    if (w.months.size() <= m) w.months.resize(m + 1);
    ms_& month = w.months[m];
    month.overtimeManual = smallint(minutes_or_zero(f.lastMonthHours, true));
    month.overtimeFromPrevious = smallint(f.overtimeFromPrevious);
    month.overtimeTotal = smallint(std::clamp(f.overtimeFromPrevious + month.overtimeManual, -32768, 32767));
    month.partTime = trim(f.partTime).empty() ? 100.0 : parse_real(f.partTime).value_or(100.0);
    month.ownNormValue = minutes_or_zero(f.ownNormText);
    month.ownNorm = f.ownNorm;
    month.ownNormCalculated = f.ownNormCalculated;
    w.partTimeDefault = parse_real(f.partTimeDefault).value_or(100.0);
    w.ownNormValueDefault = smallint(std::clamp(f.ownNormValueDefault, -32768, 32767));
    w.ownNormDefault = f.ownNormDefault;
    w.ownNormCalculatedDefault = f.ownNormCalculatedDefault;
    return w;
}

result<prac> worker_dialog_model::record(const Plan& plan) const {
    if (std::string p = problem(plan); !p.empty()) return refusal{refusal_kind::FormInvalid, p};
    return build(plan);
}

result<> worker_dialog_model::ok(Plan& plan) {
    if (!adding() && editIndex >= int(plan.workers.size())) return refusal{};
    if (std::string p = problem(plan); !p.empty()) return refusal{refusal_kind::FormInvalid, p};
    const prac w = build(plan);
    const std::string oldNick = adding() ? std::string() : plan.workers[editIndex].nick;
    if (!dodaj_pracow(plan, w, true, adding() ? 0 : editId, editIndex)) return refusal{};
    storedIndex = adding() ? int(plan.workers.size()) - 1 : editIndex;
    nickChanged = !adding() && oldNick != w.nick;
    plan.currentWorker = storedIndex;
    call_odswiez_pracownika(plan, storedIndex, false, plan.currentMonth);
    return {};
}

bool dodaj_pracow(Plan& plan, const prac& record, bool check, word id, int index) {
    uniewaznij_iledy(plan);  // the worker's groups may be new
    if (id == 0 && check) {
        const std::string s = same_name_key(record.surname), n = same_name_key(record.firstName);
        for (const prac& w : plan.workers) {
            if (same_name_key(w.surname) != s || same_name_key(w.firstName) != n) continue;
            std::string text = message(plan, "msg_Workers_already_exists_1", "Pracownik %s %s już istnieje.",
                                       {w.surname, w.firstName});
            if (w.old)
                text +=
                    "\n" + plan.tr.msg("msg_Workers_already_exists_2",
                                       "Znajduje się on wśród usuniętych pracowników i można go przywrócić.");
            if (!plan.group() || !w.inGroup(plan.group()->id))
                text +=
                    "\n" +
                    plan.tr.msg("msg_Workers_already_exists_3",
                                "Jest on członkiem innej grupy, ale można go przypisać również do bieżącej.");
            text +=
                "\n\n" +
                plan.tr.msg("msg_Workers_already_exists_4",
                            "Jeżeli chodzi o tę samą osobę, to nie należy dodawać kolejnego pracownika, a "
                            "wykorzystać już istniejącego.");
            text +=
                "\n\n" +
                plan.tr.msg("msg_Workers_already_exists_5",
                            "Czy na pewno dodać kolejnego pracownika o takim samym imieniu i nazwisku jak "
                            "już istniejący?");
            if (plan.ui->ask(text, Buttons::YesNo) != Answer::Yes) return false;
            break;
        }
    }
    if (id == 0) {
        prac w = record;
        w.months.resize(std::max<size_t>({1, plan.months.size(), w.months.size()}));
        const size_t m = size_t(std::max(0, plan.currentMonth));
        if (m < w.months.size()) {
            w.months[m].duties = {};
            w.months[m].daysOff = {};
        }
        plan.workers.push_back(std::move(w));
    } else {
        if (index < 0 || index >= int(plan.workers.size())) return false;
        note_worker_edit(plan, index);
        plan.workers[index] = record;
    }
    plan.rebuildWorkerIds();
    return true;
}

result<> usun_pracownika(Plan& plan, int worker) {
    if (refusal none = worker_chosen(plan, worker); none.kind != refusal_kind::None) return none;
    prac& w = plan.workers[worker];
    if (!ask_yes_no(plan, "msg_ConfirmWorkerDelete", "Usunąć pracownika: %s %s?", {w.surname, w.firstName}))
        return refusal{};
    note_worker_edit(plan, worker);
    w.old = true;
    return {};
}

void przywroc_pracownika(Plan& plan, int worker) {
    if (worker < 0 || worker >= int(plan.workers.size())) return;
    note_worker_edit(plan, worker);
    plan.workers[worker].old = false;
}

std::string mailto_link(const prac& worker) {
    const std::string address = trim(worker.email);
    if (address.find('@') == std::string::npos) return {};
    return "mailto:" + address;
}

}  // namespace planek
