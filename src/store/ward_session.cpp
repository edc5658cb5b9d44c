#include "store/ward_session.h"

#include "core/ini_file.h"
#include "core/paths.h"
#include "core/stored_fields.h"
#include "files/file_problems.h"
#include "files/group_file.h"
#include "files/staff_archive.h"
#include "files/staff_file.h"
#include "files/staff_group_files.h"
#include "settings/language.h"
#include "settings/message_format.h"
#include "settings/options_file.h"

namespace planek::store {

namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

}  // namespace

result<> open_ward_session(Plan& plan, const ward_files& files, const std::optional<std::string>& language,
                           const std::filesystem::path& languageFolder) {
    // No folder stands behind the session: its paths lead nowhere a write
    // could land, so a stray one fails instead of writing into the current folder.
    plan.paths = Paths::local("/dev/null/planek-store");
    plan.paths.lang = languageFolder;
    IniFile config;
    config.loadText(joined(files.config));
    const long long saved = config.readInt("glowne", "lang", -1);
    plan.options.glowne.lang = saved >= 0 && saved < (long long)language_list().size() ? int(saved) : -1;
    std::optional<int> chosen;
    if (language && language_index(*language) >= 0) chosen = language_index(*language);
    // Without its file the language keeps the built-in texts, and says so.
    result<> opened;
    opened.note_all(said_by(cb_LanguageChange(plan, chosen)));
    if (chosen) plan.options.glowne.lang = int(saved);
    (void)read_language_options(plan, config);
    (void)read_machine_options(plan, config);
    (void)read_general_options(plan, config);

    file_problems problems{plan.tr, {}};
    std::vector<grupa> groups = read_group_lines(files.groups, "grupy.ini", problems);
    std::vector<prac> workers = read_staff_lines(files.staff, kStaffMember, problems);
    if (!problems.empty())
        return refused(refusal_kind::NotWhole,
                       fill_message(plan.tr.msg("msg_DbFileNotWhole",
                                                "Plik %s nie jest cały (%s); do bazy nie przeniesiono nic."),
                                    {kStaffMember, problems.items.front()}));
    plan.groups.clear();
    plan.workers.clear();
    append_loaded_groups(plan, std::move(groups));
    append_loaded_workers(plan, std::move(workers));
    remember_on_disk(plan);
    plan.currentGroup = plan.groups.empty() ? -1 : 0;
    plan.currentWorker = -1;
    return opened;
}

bool renew_ward_workers(Plan& plan, const std::vector<std::string>& was, const std::vector<std::string>& now) {
    const size_t n = plan.workers.size();
    if (was.size() != n || now.size() != n || !plan.staffOnDisk || plan.staffOnDisk->lines.size() != n ||
        plan.staffOnDisk->records.size() != n)
        return false;
    std::vector<std::pair<size_t, prac>> renewed;
    for (size_t i = 0; i < n; ++i) {
        if (was[i] == now[i]) continue;
        file_problems problems{plan.tr, {}};
        std::vector<prac> read = read_staff_lines({now[i]}, kStaffMember, problems);
        if (!problems.empty() || read.size() != 1 || read[0].id != plan.workers[i].id) return false;
        renewed.emplace_back(i, std::move(read[0]));
    }
    file_problems ignored{plan.tr, {}};
    for (auto& [i, w] : renewed) {
        w.months.resize(plan.workers[i].months.size());
        plan.staffOnDisk->lines[i] = staff_file_line(w, ignored);
        plan.staffOnDisk->records[i] = prac{};
        copy_fields(plan.staffOnDisk->records[i], w, kStaffFields);
        plan.workers[i] = std::move(w);
    }
    return true;
}

}  // namespace planek::store
