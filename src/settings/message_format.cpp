#include "settings/message_format.h"

#include <vector>

namespace planek {

std::string fill_message(const std::string& format, std::initializer_list<std::string> args) {
    return fill_message(format, std::vector<std::string>(args));
}

std::string fill_message(const std::string& format, const std::vector<std::string>& a) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        char t = format[i + 1];
        if (t == '%') {
            out += '%';
            ++i;
        } else if ((t == 's' || t == 'd') && next < a.size()) {
            out += a[next++];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace planek
