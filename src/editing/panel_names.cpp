#include "editing/panel_names.h"

#include <vector>

namespace planek {

namespace {

std::optional<int> number(const std::string& s) {
    if (s.empty() || s.size() > 6) return std::nullopt;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::vector<std::string> split_underscore(const std::string& s) {
    std::vector<std::string> parts(1);
    for (char c : s) {
        if (c == '_') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

}  // namespace

std::string duty_panel_name(int worker, int dayIndex, int position) {
    return "p" + std::to_string(worker) + "_" + std::to_string(dayIndex) + "_" + std::to_string(position);
}

std::string day_off_panel_name(int worker, int dayIndex) {
    return "u" + std::to_string(worker) + "_" + std::to_string(dayIndex);
}

std::optional<panel_ref> parse_panel_name(const std::string& name) {
    if (name.size() < 2 || (name[0] != 'p' && name[0] != 'u')) return std::nullopt;
    const std::vector<std::string> parts = split_underscore(name.substr(1));
    panel_ref ref;
    ref.duty = name[0] == 'p';
    if (parts.size() != (ref.duty ? 3u : 2u)) return std::nullopt;
    const auto w = number(parts[0]);
    const auto d = number(parts[1]);
    if (!w || !d) return std::nullopt;
    ref.worker = *w;
    ref.day = *d;
    if (ref.duty) {
        const auto p = number(parts[2]);
        if (!p) return std::nullopt;
        ref.position = *p;
    }
    return ref;
}

}  // namespace planek
