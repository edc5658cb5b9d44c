#include "printouts/templates_dialog.h"

#include "core/plan.h"
#include "printouts/template_text.h"

namespace planek {

std::vector<int> e_SearchChange(const std::vector<szablon>& list, const std::string& search) {
    const std::string needle = lower_text(search);
    std::vector<int> out;
    for (size_t i = 0; i < list.size(); ++i)
        if (needle.empty() || lower_text(list[i].title).find(needle) != std::string::npos) out.push_back(int(i));
    return out;
}

std::string template_edit_question(const Plan& plan, const std::string& title) {
    std::string text = plan.tr.msg("msg_DocumentTemplateEditQuestion",
                                   "Do edycji wybrano wzorzec: %sWprowadzone zmiany będą miały wpływ %sna wygląd "
                                   "generowanych dokumentów. %sCzy napewno przejść do edycji wzorca?");
    // Three placeholders: the title with two line breaks, then line breaks.
    const std::string fills[] = {title + "\n\n", "\n", "\n"};
    std::string out;
    size_t pos = 0;
    for (const std::string& fill : fills) {
        size_t at = text.find("%s", pos);
        if (at == std::string::npos) break;
        out += text.substr(pos, at - pos) + fill;
        pos = at + 2;
    }
    return out + text.substr(pos);
}

gen_options gen_options_from_settings(const Plan& plan) {
    gen_options o;
    o.allGroups = plan.options.wydruki.ReadAllGroup;
    o.onlyWorked = plan.options.wydruki.cb_OnlyWorkersWithDutiesOrDayoffs;
    return o;
}

}  // namespace planek
