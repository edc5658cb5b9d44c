#include "editing/message_text.h"

namespace planek {

std::string fill_placeholders(const std::string& text, const std::vector<std::string>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            char c = text[i + 1];
            if (c == 's' || c == 'd') {
                if (next < args.size()) out += args[next];
                ++next;
                ++i;
                continue;
            }
            if (c == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string message(const Plan& plan, const std::string& key, const std::string& fallback,
                    const std::vector<std::string>& args) {
    return fill_placeholders(plan.tr.msg(key, fallback), args);
}

bool ask_yes_no(const Plan& plan, const std::string& key, const std::string& fallback,
                const std::vector<std::string>& args) {
    return plan.ui->ask(message(plan, key, fallback, args), Buttons::YesNo) == Answer::Yes;
}

}  // namespace planek
