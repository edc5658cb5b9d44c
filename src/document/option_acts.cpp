#include "document/option_acts.h"

#include "document/act.h"
#include "settings/language.h"
#include "settings/net_settings.h"
#include "settings/options_file.h"
#include "settings/user_settings.h"

namespace planek {

options_choice current_options(const Plan& plan) { return {plan.options, plan.dutyAs, plan.dutySymbols}; }

result<> apply_options(roster_document& doc, const options_choice& choice) {
    act a(doc, change::options | change::days | change::entries);
    Plan& plan = a.plan();
    const bool languageChanged = choice.options.glowne.lang != language_index(plan.options.language);
    const std::vector<dutyas_> oldDefaults = default_duty_as(plan.tr);
    Options edited = choice.options;
    edited.user.pwd = plan.options.user.pwd;  // changed by its own act
    plan.options = edited;
    bool normsChanged = false;
    for (size_t r = 0; r < plan.dayOffNorms.size() && r < edited.dayOffKinds.size(); ++r) {
        normsChanged = normsChanged || plan.dayOffNorms[r] != edited.dayOffKinds[r].countsTowardNorm();
        plan.dayOffNorms[r] = edited.dayOffKinds[r].countsTowardNorm();
    }
    // The month keeps its own day-off norm flags: changed, they wait for a save.
    if (normsChanged) a.month_off_disk();
    plan.dutyAs = choice.dutyAs;
    plan.dutySymbols = choice.dutySymbols;
    result<> applied = PathsUpdate(plan);
    if (languageChanged && edited.glowne.lang >= 0) {
        const result<> language = cb_LanguageChange(plan, edited.glowne.lang);
        if (language) carry_typed_names(plan, edited.dayOffKinds, choice.dutyAs, oldDefaults);
        applied.note_all(said_by(language));
    }
    return a.finish(std::move(applied));
}

result<> save_options(roster_document& doc, const options_choice& choice) {
    act a(doc, unsigned(change::options));
    result<> saved = apply_options(doc, choice);
    Plan& plan = a.plan();
    const result<SaveOptionsResult> written = sb_SaveClick(plan);
    if (!written) return a.finish(failed_as<void>(written));
    if (*written == SaveOptionsResult::ServerConfig)
        saved.note(notice(plan.tr.msg("msg_ConfigFromServer",
                                      "Konfiguracja pochodzi z serwera i nie została zapisana na tym komputerze.")));
    if (!plan.options.userSettingsFolder.empty())
        if (const result<> user = write_user_settings(plan); !user) saved.note(user.error());
    return a.finish(std::move(saved));
}

result<> set_auto_calc_shifts(roster_document& doc, bool on) {
    act a(doc, 0);
    a.plan().options.glowne.AutoCalcShifts = on;
    return a.finish();
}

result<> set_printout_choices(roster_document& doc, bool allGroups, bool onlyWorked) {
    act a(doc, 0);
    a.plan().options.wydruki.ReadAllGroup = allGroups;
    a.plan().options.wydruki.cb_OnlyWorkersWithDutiesOrDayoffs = onlyWorked;
    return a.finish();
}

result<> set_start_password(roster_document& doc, const std::string& password) {
    act a(doc, 0);
    Plan& plan = a.plan();
    set_password(plan, password);
    if (!plan.options.userSettingsFolder.empty())
        if (result<> written = write_user_settings(plan); !written) return a.finish(std::move(written));
    return a.finish();
}

}  // namespace planek
