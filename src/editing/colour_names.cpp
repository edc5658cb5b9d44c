#include "editing/colour_names.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "core/text.h"

namespace planek {

namespace {

struct colour_name {
    std::string_view stored;
    const char* polish;
};

constexpr std::array<colour_name, 16> kNames = {{
    {"clBlack", "czarny"},     {"clMaroon", "bordowy"},  {"clGreen", "zielony"},    {"clOlive", "oliwkowy"},
    {"clNavy", "granatowy"},   {"clPurple", "fioletowy"}, {"clTeal", "morski"},      {"clGray", "szary"},
    {"clSilver", "srebrny"},   {"clRed", "czerwony"},    {"clLime", "limonkowy"},  {"clYellow", "żółty"},
    {"clBlue", "niebieski"},   {"clFuchsia", "fuksja"},  {"clAqua", "turkusowy"},  {"clWhite", "biały"},
}};

}  // namespace

std::string colour_caption(const Plan& plan, const std::string& stored) {
    const std::optional<colour> c = parse_colour(stored);
    if (!c) return {};
    // The writer's name of the value, so "clLtGray" reads as silver does.
    const std::string canonical = colour_text(*c);
    for (const colour_name& n : kNames)
        if (n.stored == canonical)
            return plan.tr.msg("msg_Colour_" + std::string(n.stored.substr(2)), n.polish);
    char hex[16];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", unsigned(*c & 0xFF), unsigned((*c >> 8) & 0xFF),
                  unsigned((*c >> 16) & 0xFF));
    return hex;
}

}  // namespace planek
