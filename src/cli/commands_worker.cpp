// planek-cli worker: the staff list kept from a script, through the worker
// form and the acts the window's worker dialog and menu use.
#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/text.h"
#include "document/staff_acts.h"
#include "editing/refusal.h"
#include "editing/worker_model.h"

namespace planek::cli {

namespace {

// What the options change in the form; a field not given keeps what the
// form holds (a new worker's defaults, or the worker's own values).
struct worker_changes {
    std::optional<std::string> surname, firstName, nick, occupation, partTime;
    std::optional<std::string> email, phone, address, postOffice, zipCode, pesel, education, courses;
    std::optional<std::string> holiday, lastYearHoliday;
    std::optional<std::string> ownNorm, careHours, employment, user1, user2, user3;
    std::optional<bool> ownNormPerDay, everyMonth, asWeek;
    std::optional<std::string> fromHour;
    std::optional<int> prefDayNight, prefNormalHoliday;
    std::optional<auto_mode> mode;
    std::optional<std::string> pattern, pattern8;
    std::optional<int> start, careDays, rehaDays;
    std::optional<std::array<bool, 7>> weekdays;
    std::optional<colour> color;
    std::vector<word> groups;  // the groups she belongs to, all of them
};

word worker_id_word(const std::string& text) {
    const auto v = parse_int(text);
    if (!v || *v < 1 || *v > 65535)
        throw usage_error("cli_WorkerBadId", "niepoprawny identyfikator pracownika „%s”", {text});
    return word(*v);
}

// A preference slider of the dialog: 1 (days, ordinary days) to 5 (nights, holidays).
std::function<void(const std::string&)> preference(std::optional<int>& target, const char* option) {
    return [&target, option](const std::string& v) {
        const auto n = parse_int(v);
        if (!n || *n < 1 || *n > 5)
            throw usage_error("cli_WorkerBadPreference", "%s przyjmuje liczbę od 1 do 5, nie „%s”", {option, v});
        target = int(*n);
    };
}

std::function<void(const std::string&)> yes_no(std::optional<bool>& target, const char* option) {
    return [&target, option](const std::string& v) {
        if (v != "yes" && v != "no")
            throw usage_error("cli_WorkerBadYesNo", "%s przyjmuje yes albo no, nie „%s”", {option, v});
        target = v == "yes";
    };
}

arg_parser form_options(worker_changes& w) {
    auto text = [](std::optional<std::string>& target) {
        return [&target](const std::string& v) { target = v; };
    };
    arg_parser p;
    p.value("--surname", text(w.surname))
        .value("--first-name", text(w.firstName))
        .value("--nick", text(w.nick))
        .value("--occupation", text(w.occupation))
        .value("--part-time", text(w.partTime))
        .value("--email", text(w.email))
        .value("--phone", text(w.phone))
        .value("--address", text(w.address))
        .value("--post-office", text(w.postOffice))
        .value("--zip-code", text(w.zipCode))
        .value("--pesel", text(w.pesel))
        .value("--education", text(w.education))
        .value("--courses", text(w.courses))
        .value("--care-days",
               [&w](const std::string& v) {
                   const auto n = parse_int(v);
                   if (!n || *n < 0 || *n > 2)
                       throw usage_error("cli_WorkerBadCareDays", "--care-days przyjmuje 0, 1 albo 2, nie „%s”", {v});
                   w.careDays = int(*n);
               })
        .value("--reha-days",
               [&w](const std::string& v) {
                   const auto n = parse_int(v);
                   if (!n || *n < 0 || *n > 20)
                       throw usage_error("cli_WorkerBadRehaDays", "--reha-days przyjmuje liczbę od 0 do 20, nie „%s”", {v});
                   w.rehaDays = int(*n);
               })
        .value("--weekdays",
               [&w](const std::string& v) {
                   // Monday first, as the dialog lists the days: "1111100".
                   std::array<bool, 7> days{};
                   bool ok = v.size() == 7;
                   for (size_t d = 0; ok && d < 7; ++d) {
                       ok = v[d] == '0' || v[d] == '1';
                       days[d] = v[d] == '1';
                   }
                   if (!ok)
                       throw usage_error("cli_WorkerBadWeekdays",
                                         "--weekdays wymaga siedmiu cyfr 0 albo 1 od poniedziałku, nie „%s”", {v});
                   w.weekdays = days;
               })
        .value("--care-hours", text(w.careHours))
        .value("--own-norm", text(w.ownNorm))
        .value("--own-norm-per-day", yes_no(w.ownNormPerDay, "--own-norm-per-day"))
        .value("--every-month", yes_no(w.everyMonth, "--every-month"))
        .value("--as-week", yes_no(w.asWeek, "--as-week"))
        .value("--from-hour", text(w.fromHour))
        .value("--employment", text(w.employment))
        .value("--user1", text(w.user1))
        .value("--user2", text(w.user2))
        .value("--user3", text(w.user3))
        .value("--pref-day-night", preference(w.prefDayNight, "--pref-day-night"))
        .value("--pref-normal-holiday", preference(w.prefNormalHoliday, "--pref-normal-holiday"))
        .value("--holiday", text(w.holiday))
        .value("--holiday-last-year", text(w.lastYearHoliday))
        .value("--group",
               [&w](const std::string& v) {
                   const auto id = parse_int(v);
                   if (!id || *id < 1 || *id > 65535)
                       throw usage_error("cli_WorkerBadGroup", "niepoprawny identyfikator grupy „%s”", {v});
                   w.groups.push_back(word(*id));
               })
        .value("--mode",
               [&w](const std::string& v) {
                   if (v == "none") w.mode = auto_mode::Without;
                   else if (v == "eight") w.mode = auto_mode::Eight;
                   else if (v == "pattern") w.mode = auto_mode::Pattern;
                   else throw usage_error("cli_WorkerBadMode", "--mode przyjmuje none, eight albo pattern, nie „%s”", {v});
               })
        .value("--pattern", text(w.pattern))
        .value("--pattern8", text(w.pattern8))
        .value("--start",
               [&w](const std::string& v) {
                   const auto n = parse_int(v);
                   if (!n || *n < 1 || *n > 255)
                       throw usage_error("cli_WorkerBadStart", "--start wymaga numeru dnia wzoru od 1, nie „%s”", {v});
                   w.start = int(*n);
               })
        .value("--colour", [&w](const std::string& v) {
            // #RRGGBB as a user writes it, or a colour as the files keep it.
            std::optional<colour> c;
            if (v.size() == 7 && v[0] == '#') {
                if (const auto n = parse_colour("$00" + v.substr(5, 2) + v.substr(3, 2) + v.substr(1, 2))) c = n;
            } else {
                c = parse_colour(v);
            }
            if (!c) throw usage_error("cli_WorkerBadColour", "niepoprawny kolor „%s” (np. #FFE0C0)", {v});
            w.color = c;
        });
    return p;
}

// The options into the form, as the user would type them into the dialog.
// False when a group named is not one the form offers.
bool fill_form(context& c, worker_dialog_model& m, const worker_changes& w) {
    worker_form& f = m.f;
    auto set = [](std::string& field, const std::optional<std::string>& v) {
        if (v) field = *v;
    };
    set(f.surname, w.surname);
    set(f.firstName, w.firstName);
    // A new worker's short name is her initials unless one is given, as
    // leaving the name fields of the dialog fills it.
    if (m.adding() && !w.nick) m.fillInitials();
    set(f.nick, w.nick);
    set(f.occupation, w.occupation);
    set(f.email, w.email);
    set(f.phone, w.phone);
    set(f.address, w.address);
    set(f.postOffice, w.postOffice);
    set(f.zipCode, w.zipCode);
    set(f.pesel, w.pesel);
    set(f.education, w.education);
    set(f.courses, w.courses);
    // Care days counted in days, as the dialog offers them first.
    if (w.careDays) {
        f.careDaysMode = 0;
        f.careDays = *w.careDays;
    }
    // Or in hours, the dialog's other choice.
    if (w.careHours) {
        f.careDaysMode = 1;
        f.careHours = *w.careHours;
    }
    if (w.rehaDays) f.rehaDays = *w.rehaDays;
    set(f.user1, w.user1);
    set(f.user2, w.user2);
    set(f.user3, w.user3);
    if (w.employment) {
        // The form of employment as the dialog's list has it: its place or its name.
        const std::vector<std::string> forms = worker_dialog_model::employmentForms(c.plan);
        int chosen = -1;
        const auto n = parse_int(*w.employment);
        if (n && *n >= 1 && *n <= int(forms.size())) chosen = int(*n) - 1;
        for (size_t i = 0; chosen < 0 && i < forms.size(); ++i)
            if (forms[i] == *w.employment) chosen = int(i);
        if (chosen < 0) {
            std::string listed;
            for (size_t i = 0; i < forms.size(); ++i)
                listed += (i ? ", " : "") + std::to_string(i + 1) + " " + forms[i];
            c.err << say(c.plan, "cli_WorkerNoEmployment", "Nie ma formy zatrudnienia „%s” (są: %s)",
                         {*w.employment, listed})
                  << "\n";
            return false;
        }
        f.employmentFrom = chosen;
    }
    if (w.prefDayNight) {
        // The slider is off while the group has a single shift.
        if (!worker_dialog_model::dayNightEnabled(c.plan)) {
            c.err << say(c.plan, "cli_WorkerNoDayNight",
                         "--pref-day-night wymaga grupy o więcej niż jednej zmianie")
                  << "\n";
            return false;
        }
        f.prefDayNight = *w.prefDayNight;
    }
    if (w.prefNormalHoliday) f.prefNormalHoliday = *w.prefNormalHoliday;
    if (w.weekdays) f.automatDays = *w.weekdays;
    set(f.currentYearHoliday, w.holiday);
    set(f.lastYearHoliday, w.lastYearHoliday);
    // The staff list keeps the worker's own part time, which each new month
    // starts from: the dialog's "save as default" beside the field.
    // The own monthly norm sits beside it and is kept by the same button.
    if (w.ownNorm) {
        f.ownNorm = *w.ownNorm != "none";
        if (f.ownNorm) f.ownNormText = *w.ownNorm;
    }
    if (w.ownNormPerDay) f.ownNormCalculated = *w.ownNormPerDay;
    if (w.partTime) f.partTime = *w.partTime;
    if (w.partTime || w.ownNorm || w.ownNormPerDay) m.saveAsDefault();
    if (w.color) f.color = *w.color;
    // The dialog's pattern fields take only the digits of the shifts the group has.
    for (const std::optional<std::string>* pattern : {&w.pattern, &w.pattern8}) {
        if (!*pattern) continue;
        for (char key : **pattern)
            if (!worker_dialog_model::patternKeyAccepted(c.plan, key)) {
                c.err << say(c.plan, "cli_WorkerBadPattern",
                             "Wzór „%s” może mieć tylko cyfry od 0 do liczby zmian grupy (%s)",
                             {**pattern, std::to_string(c.plan.group() ? c.plan.group()->shifts.size() : 0)})
                      << "\n";
                return false;
            }
    }
    if (w.pattern) {
        f.pattern = *w.pattern;
        m.patternChanged();
        if (!w.mode) f.mode = auto_mode::Pattern;
    }
    if (w.pattern8) {
        f.pattern8 = *w.pattern8;
        m.pattern8Changed();
        if (!w.mode) f.mode = auto_mode::Eight;
    }
    if (w.mode) f.mode = *w.mode;
    // "Co miesiąc": the mode's box, one beside each pattern.
    if (w.everyMonth) (f.mode == auto_mode::Eight ? f.auto8ConstStart : f.autoConstStart) = *w.everyMonth;
    if (w.asWeek) f.asWeek = *w.asWeek;
    if (w.fromHour) {
        f.automatFromHourOn = *w.fromHour != "none";
        if (f.automatFromHourOn) f.automatFromHour = *w.fromHour;
    }
    if (w.start) {
        if (f.mode == auto_mode::Eight) f.startFrom8 = std::min(*w.start, worker_dialog_model::startMax8(f.pattern8));
        else f.startFrom = std::min(*w.start, worker_dialog_model::startMax(f.pattern));
    }
    if (!w.groups.empty()) {
        for (size_t i = 0; i < f.groupChecks.size(); ++i) f.groupChecks[i] = false;
        for (word id : w.groups) {
            bool offered = false;
            for (size_t i = 0; i < m.groupIndexes.size(); ++i)
                if (c.plan.groups[size_t(m.groupIndexes[i])].id == id) f.groupChecks[i] = offered = true;
            if (!offered) {
                c.err << say(c.plan, "cli_NoGroup", "Nie ma grupy %s", {std::to_string(id)}) << "\n";
                return false;
            }
        }
    }
    return true;
}

// The worker's id as an index of the staff, or -1 said.
int worker_index(context& c, word id) {
    const int w = c.plan.workerIndexById(id);
    if (w < 0) c.err << say(c.plan, "cli_NoWorker", "Nie ma pracownika %s", {std::to_string(id)}) << "\n";
    return w;
}

int store(context& c, worker_dialog_model& m, const worker_changes& w) {
    if (!fill_form(c, m, w)) return kExitFailure;
    const result<prac> record = m.record(c.plan);
    if (!record) {
        tell_user(*c.ui, record);
        return kExitFailure;
    }
    const bool adding = m.adding();
    const result<int> stored = save_worker(c.doc, *record, m.editIndex);
    tell_user(*c.ui, stored);
    if (!stored) {
        // The question about a worker of the same name was not answered Yes.
        if (stored.error().text.empty())
            c.err << say(c.plan, "cli_WorkerNotStored", "Nie zapisano pracownika (zob. --yes)") << "\n";
        return kExitFailure;
    }
    const prac& p = c.plan.workers[size_t(*stored)];
    c.out << (adding ? say(c.plan, "cli_WorkerAdded", "Dodano pracownika %s: %s", {std::to_string(p.id), p.fullName()})
                     : say(c.plan, "cli_WorkerSaved", "Zapisano pracownika %s: %s", {std::to_string(p.id), p.fullName()}))
          << "\n";
    return kExitOk;
}

int worker_add(context& c, const std::vector<std::string>& args) {
    worker_changes w;
    form_options(w).words(0).parse(args);
    if (!w.surname) throw usage_error("cli_WorkerNeedsSurname", "nowy pracownik wymaga --surname");
    if (!c.load_staff()) return kExitFailure;
    worker_dialog_model m;
    const result<> opened = m.openAdd(c.plan, c.doc.random());
    if (!opened) {
        tell_user(*c.ui, opened);
        if (opened.error().text.empty())
            c.err << say(c.plan, "cli_WorkerNoGroupYet", "Nie ma jeszcze żadnej grupy: pracownik musi do jakiejś należeć")
                  << "\n";
        return kExitFailure;
    }
    return store(c, m, w);
}

int worker_edit(context& c, const std::vector<std::string>& args) {
    worker_changes w;
    const std::vector<std::string> words = form_options(w).words(1).parse(args);
    if (words.empty()) throw usage_error("cli_WorkerNeedsId", "podaj identyfikator pracownika");
    const word id = worker_id_word(words[0]);
    if (!c.load_staff()) return kExitFailure;
    const int index = worker_index(c, id);
    if (index < 0) return kExitFailure;
    worker_dialog_model m;
    const result<> opened = m.openEdit(c.plan, index);
    if (!opened) {
        tell_user(*c.ui, opened);
        return kExitFailure;
    }
    return store(c, m, w);
}

// Archive and restore: the worker menu's two entries.
int worker_status(context& c, const std::vector<std::string>& args, bool archive) {
    const std::vector<std::string> words = arg_parser().words(1).parse(args);
    if (words.empty()) throw usage_error("cli_WorkerNeedsId", "podaj identyfikator pracownika");
    const word id = worker_id_word(words[0]);
    if (!c.load_staff()) return kExitFailure;
    const int index = worker_index(c, id);
    if (index < 0) return kExitFailure;
    const prac& p = c.plan.workers[size_t(index)];
    if (p.old == archive) {
        c.err << (archive ? say(c.plan, "cli_WorkerAlreadyArchived", "Pracownik %s jest już w archiwum", {words[0]})
                          : say(c.plan, "cli_WorkerNotArchived", "Pracownik %s nie jest w archiwum", {words[0]}))
              << "\n";
        return kExitFailure;
    }
    const result<> done = archive ? archive_worker(c.doc, index) : restore_worker(c.doc, index);
    tell_user(*c.ui, done);
    if (!done) {
        if (done.error().text.empty())
            c.err << say(c.plan, "cli_WorkerNotArchivedAnswer", "Nie przeniesiono pracownika do archiwum (zob. --yes)")
                  << "\n";
        return kExitFailure;
    }
    const prac& now = c.plan.workers[size_t(index)];
    c.out << (archive ? say(c.plan, "cli_WorkerArchived", "Pracownik %s: %s w archiwum", {words[0], now.fullName()})
                      : say(c.plan, "cli_WorkerRestored", "Pracownik %s: %s przywrócony", {words[0], now.fullName()}))
          << "\n";
    return kExitOk;
}

int worker(context& c) {
    if (c.args.empty())
        throw usage_error("cli_WorkerNeedsAction", "podaj, co zrobić: add, edit, archive albo restore");
    const std::string action = c.args[0];
    const std::vector<std::string> rest(c.args.begin() + 1, c.args.end());
    if (action == "add") return worker_add(c, rest);
    if (action == "edit") return worker_edit(c, rest);
    if (action == "archive") return worker_status(c, rest, true);
    if (action == "restore") return worker_status(c, rest, false);
    throw unknown_action(c, action, {"add", "edit", "archive", "restore"}, "cli_WorkerNeedsAction",
                         "podaj, co zrobić: add, edit, archive albo restore");
}

}  // namespace

std::vector<command> worker_commands() {
    return {{"worker",
             "add --surname NAZWISKO [POLA] | edit ID [POLA] | archive ID | restore ID",
             "dodaje, zmienia, przenosi do archiwum albo przywraca pracownika; POLA: --first-name --nick --group (po "
             "jednej na grupę) --part-time --holiday --holiday-last-year --mode --pattern --pattern8 --start --weekdays "
             "--colour --occupation --education --courses --email --phone --address --post-office --zip-code --pesel "
             "--care-days --care-hours --reha-days --own-norm --own-norm-per-day --employment --user1 --user2 --user3 "
             "--pref-day-night --pref-normal-holiday --every-month --as-week --from-hour",
             worker}};
}

}  // namespace planek::cli
