#include "files/program_session.h"

#include <algorithm>
#include <system_error>

#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "calendar/staffing.h"
#include "core/ini_file.h"
#include "files/interrupted_saves.h"
#include "files/month_file.h"
#include "files/month_project.h"
#include "files/month_scan.h"
#include "files/program_root.h"
#include "files/staff_group_files.h"
#include "settings/language_install.h"
#include "settings/message_format.h"
#include "settings/options_file.h"
#include "settings/startup_settings.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

// A configuration file that exists but cannot be read would silently give
// every option its default; the first such file is named.
std::string unreadable_config(const Plan& plan) {
    for (const fs::path& folder : {plan.paths.config, plan.paths.data}) {
        if (folder.empty()) continue;
        const fs::path file = folder / kConfigFileName;
        std::error_code ec;
        if (!fs::exists(file, ec)) continue;
        IniFile probe;
        if (!fs::is_regular_file(file, ec) || !probe.load(file)) return file.string();
    }
    return {};
}

// The group the months are shown for: the one asked for, else the current
// one, else the first in use. -1 when the asked one does not exist.
int shown_group(const Plan& plan, const std::optional<word>& id) {
    if (id) return plan.groupIndexById(*id);
    if (plan.group() && !plan.group()->old) return plan.currentGroup;
    for (size_t g = 0; g < plan.groups.size(); ++g)
        if (!plan.groups[g].old) return int(g);
    return plan.groups.empty() ? -1 : 0;
}

bool known_group(const Plan& plan, word id) { return plan.groupIndexById(id) >= 0; }

// Whether the shown month holds records and none of them belongs to a group
// of this folder: a month of some other ward.
bool month_of_other_groups(const Plan& plan) {
    int records = 0, ours = 0;
    auto seen = [&](word group) {
        ++records;
        if (known_group(plan, group)) ++ours;
    };
    for (const prac& w : plan.workers) {
        if (plan.currentMonth >= int(w.months.size())) continue;
        const ms_& m = w.months[size_t(plan.currentMonth)];
        for (const std::vector<dyzur>& day : m.duties)
            for (const dyzur& d : day) seen(d.groupId);
        for (const wolne_& off : m.daysOff)
            if (off.used() && off.groupId != 0) seen(off.groupId);
    }
    for (const dyzur& d : plan.orphanDuties) seen(d.groupId);
    for (const wolne_& off : plan.orphanDaysOff)
        if (off.groupId != 0) seen(off.groupId);
    return records > 0 && ours == 0;
}

// Whether the records of month file `file` name groups and none of this folder's.
bool month_of_other_groups(const Plan& plan, const std::string& file) {
    std::string bytes, error;
    if (!read_bytes(fs::path(file), bytes, error, kMonthFileBound)) return false;  // the read says why
    return month_bytes_of_other_groups(bytes, [&](word g) { return known_group(plan, g); });
}

// The groups whose part alone is read, or none for the whole month.
std::vector<word> ward_part(const Plan& plan, const months_request& request, int shown) {
    if (!request.wardOnly || plan.showWorkers != ShowWorkers::Group || shown < 0 || shown >= int(plan.groups.size()))
        return {};
    return {plan.groups[size_t(shown)].id};
}

}  // namespace

std::string damaged_staff_refusal(const Plan& plan) {
    for (const char* name : {"kadra.inr", "grupy.ini"})
        if (const auto it = plan.guards.damaged.find(guard_key(plan.paths.data / name)); it != plan.guards.damaged.end())
            return it->second + " " +
                   plan.tr.msg("msg_WritesRefusedUntilReplaced",
                               "Polecenia zapisujące nie działają, dopóki plik nie zostanie zastąpiony dobrą kopią.");
    return {};
}

session_start open_program_session(Plan& plan, const session_request& request) {
    session_start s;
    if (io_result r = open_program_root(plan, request.root, request.mayCreateRoot, request.startLanguage);
        !r) {
        s.outcome = session_outcome::NoRoot;
        s.error = r.error;
        return s;
    }
    // Newer shipped language files reach a root made by an older copy.
    if (ensure_language_files(plan.paths.lang) < 0)
        s.notes.push_back(refused(refusal_kind::Io, language_files_not_installed(plan), plan.paths.lang.string()));
    // Probed before the settings are loaded: loading sets an unreadable file
    // aside and goes on with the defaults, which a script must not take for
    // the ward's own options.
    s.unreadableConfig = unreadable_config(plan);
    if (!s.unreadableConfig.empty()) {
        s.error = fill_message(plan.tr.msg("msg_ConfigUnreadable", "Nie można odczytać pliku konfiguracji %s."),
                               {s.unreadableConfig});
        if (request.stopOnUnreadableConfig) {
            s.outcome = session_outcome::Stopped;
            return s;
        }
    }
    result<std::vector<std::string>> loaded = load_startup_settings(plan, request.language);
    s.ignoredOptions = std::move(*loaded);
    for (const refusal& note : loaded.notes) s.notes.push_back(note);
    if (request.beforeStaff && !request.beforeStaff(plan)) {
        s.outcome = session_outcome::Stopped;
        return s;
    }
    plan.currentFile.clear();
    // A save killed halfway is finished (or dropped) before anything is read.
    std::vector<std::string> toTell;
    s.tidied = tidy_after_killed_saves(plan, &toTell);
    for (std::string& line : toTell) s.notes.push_back(refused(refusal_kind::Conflict, std::move(line)));
    const files_report staff = wczytaj(plan);
    s.staffRead = staff.ok();
    if (staff.said.said()) s.notes.push_back(staff.said);
    if (plan.currentGroup < 0 && !plan.groups.empty()) plan.currentGroup = 0;
    return s;
}

result<std::vector<std::string>> check_session_months(const Plan& plan, const months_request& request) {
    if (plan.workers.empty() || plan.groups.empty())
        return refused(refusal_kind::NoStaff,
                       fill_message(plan.tr.msg("msg_NoStaffInFolder", "W folderze %s nie ma kadry ani grup."),
                                    {plan.paths.data.string()}));
    // A command that writes waits until the damaged staff files are replaced.
    if (request.wholeFilesOnly)
        if (const std::string refusal = damaged_staff_refusal(plan); !refusal.empty())
            return refused(refusal_kind::NotWhole, refusal);
    std::vector<std::string> files;
    for (const std::string& f : request.files) {
        std::error_code ec;
        if (!fs::is_regular_file(f, ec))
            return refused(refusal_kind::NoSuchFile, fill_message(plan.tr.msg("msg_NoMonthFile", "Nie ma pliku %s."), {f}), f);
        files.push_back(fs::absolute(f, ec).lexically_normal().string());
    }
    if (request.tab < 0 && shown_group(plan, request.group) < 0)
        return refused(refusal_kind::NoSuchGroup,
                       fill_message(plan.tr.msg("msg_NoSuchGroup", "Nie ma grupy %s."),
                                    {std::to_string(request.group ? *request.group : 0)}));
    const int shown = shown_group(plan, request.group);
    const std::vector<word> part = ward_part(plan, request, shown);
    for (const std::string& f : files) {
        if (!request.wholeFilesOnly) {
            // Only whose month it is: told by the groups its records name.
            if (month_of_other_groups(plan, f))
                return refused(refusal_kind::OtherGroups,
                               fill_message(plan.tr.msg("msg_MonthOfOtherGroup",
                                                        "Plik %s to miesiąc grup spoza tego folderu."),
                                            {f}),
                               f);
            continue;
        }
        // Read into a copy first: a refused month must not replace the one shown.
        const month_probe probe = probe_month_file(plan, f, part);
        // The first problem says what is missing; `check` lists them all.
        if (request.wholeFilesOnly && !probe.problems.empty())
            return refused(refusal_kind::NotWhole,
                           fill_message(plan.tr.msg("msg_MonthNotWhole",
                                                    "Pliku %s nie da się wczytać w całości; nic nie zapisano."),
                                        {f}) +
                               " (" + problem_text(probe.problems.front(), plan.tr) + ")",
                           f, probe.problems.front().line);
        if (month_of_other_groups(probe.read))
            return refused(refusal_kind::OtherGroups,
                           fill_message(plan.tr.msg("msg_MonthOfOtherGroup",
                                                    "Plik %s to miesiąc grup spoza tego folderu."),
                                        {f}),
                           f);
    }
    return files;
}

result<std::vector<std::string>> open_session_months(Plan& plan, const months_request& request) {
    std::vector<std::string> files = request.files;
    if (!request.checked) {
        result<std::vector<std::string>> checked = check_session_months(plan, request);
        if (!checked) return checked;
        files = std::move(*checked);
    }
    result<std::vector<std::string>> opened(std::vector<std::string>{});
    if (request.tab >= 0) {
        if (!files.empty()) {
            const result<> tab = otworz(plan, files.front(), request.touchFiles);
            opened.note_all(said_by(tab));
            if (tab) opened->push_back(files.front());
        }
    } else {
        plan.currentGroup = shown_group(plan, request.group);
        plan.guards.wardOnly = ward_part(plan, request, plan.currentGroup);
        // The list first: a month read while it is empty gets no worker sums.
        odswiez_liste_prac_panel(plan);
        opened = otworz_projekt(plan, files, request.touchFiles);
    }
    if (opened->empty()) {
        // Why each file was left out was said; else that it was.
        const std::string first = files.empty() ? std::string() : files.front();
        result<std::vector<std::string>> none(
            opened.notes.empty() ? refused(refusal_kind::Io,
                                           fill_message(plan.tr.msg("msg_MonthNotOpened", "Nie udało się otworzyć %s."), {first}),
                                           first)
                                 : opened.notes.back());
        if (!opened.notes.empty()) opened.notes.pop_back();
        none.note_all(opened.notes);
        return none;
    }
    call_odswiez_okres(plan, false, plan.showWorkers == ShowWorkers::All, -1);
    odswiez_iledy_gdy_trzeba(plan);
    return opened;
}

result<std::vector<std::string>> open_session_held_month(Plan& plan, const std::string& name,
                                                         const std::string& bytes,
                                                         const months_request& request) {
    if (plan.workers.empty() || plan.groups.empty())
        return refused(
            refusal_kind::NoStaff,
            fill_message(plan.tr.msg("msg_NoStaffInFolder", "W folderze %s nie ma kadry ani grup."),
                         {plan.paths.data.string()}));
    if (shown_group(plan, request.group) < 0)
        return refused(refusal_kind::NoSuchGroup,
                       fill_message(plan.tr.msg("msg_NoSuchGroup", "Nie ma grupy %s."),
                                    {std::to_string(request.group ? *request.group : 0)}));
    // Read straight into the plan, with no copy to try it on first: a held
    // month's session is made for the one command and dropped with its refusal.
    plan.currentGroup = shown_group(plan, request.group);
    // A look at one ward reads its part, as from a file; an edit reads the whole month.
    plan.guards.wardOnly = request.wholeFilesOnly ? std::vector<word>{} : ward_part(plan, request, plan.currentGroup);
    odswiez_liste_prac_panel(plan);
    std::vector<month_problem> problems;
    const result<> one = otworz_z_bajtow(plan, name, bytes, problems);
    if (!one) return one.error();
    if (request.wholeFilesOnly && !problems.empty())
        return refused(refusal_kind::NotWhole,
                       fill_message(plan.tr.msg("msg_MonthNotWhole",
                                                "Pliku %s nie da się wczytać w całości; nic nie zapisano."),
                                    {name}) +
                           " (" + problem_text(problems.front(), plan.tr) + ")",
                       name, problems.front().line);
    if (month_of_other_groups(plan))
        return refused(
            refusal_kind::OtherGroups,
            fill_message(plan.tr.msg("msg_MonthOfOtherGroup", "Plik %s to miesiąc grup spoza tego folderu."),
                         {name}),
            name);
    result<std::vector<std::string>> opened(std::vector<std::string>{name});
    opened.note_all(said_by(one));
    call_odswiez_okres(plan, false, plan.showWorkers == ShowWorkers::All, -1);
    odswiez_iledy_gdy_trzeba(plan);
    return opened;
}

result<std::vector<std::string>> open_session_calendar(Plan& plan, const std::string& file, std::optional<word> group) {
    if (group) {
        const int g = plan.groupIndexById(*group);
        if (g < 0)
            return refused(refusal_kind::NoSuchGroup,
                           fill_message(plan.tr.msg("msg_NoSuchGroup", "Nie ma grupy %s."), {std::to_string(*group)}));
        plan.currentGroup = g;
    }
    plan.months.assign(1, miesiac{});
    plan.currentMonth = 0;
    for (grupa& g : plan.groups) g.monthSettings.resize(1);
    for (prac& w : plan.workers) w.months.resize(1);
    std::error_code ec;
    plan.currentFile = fs::absolute(file, ec).string();
    if (ec) plan.currentFile = file;
    wczytaj_tylko_do_odczytu(plan);
    normatyw(plan, true, 0, true);
    return std::vector<std::string>{plan.currentFile};
}

}  // namespace planek
