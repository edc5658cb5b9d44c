#include "editing/colour_names.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "core/text.h"

namespace planek {

namespace {

struct colour_name {
    std::string_view stored;
    const char* key;
    const char* polish;
};

constexpr std::array<colour_name, 16> kNames = {{
    {"clBlack", "msg_Colour_Black", "czarny"},
    {"clMaroon", "msg_Colour_Maroon", "bordowy"},
    {"clGreen", "msg_Colour_Green", "zielony"},
    {"clOlive", "msg_Colour_Olive", "oliwkowy"},
    {"clNavy", "msg_Colour_Navy", "granatowy"},
    {"clPurple", "msg_Colour_Purple", "fioletowy"},
    {"clTeal", "msg_Colour_Teal", "morski"},
    {"clGray", "msg_Colour_Gray", "szary"},
    {"clSilver", "msg_Colour_Silver", "srebrny"},
    {"clRed", "msg_Colour_Red", "czerwony"},
    {"clLime", "msg_Colour_Lime", "limonkowy"},
    {"clYellow", "msg_Colour_Yellow", "żółty"},
    {"clBlue", "msg_Colour_Blue", "niebieski"},
    {"clFuchsia", "msg_Colour_Fuchsia", "fuksja"},
    {"clAqua", "msg_Colour_Aqua", "turkusowy"},
    {"clWhite", "msg_Colour_White", "biały"},
}};

}  // namespace

std::string colour_caption(const Plan& plan, const std::string& stored) {
    const std::optional<colour> c = parse_colour(stored);
    if (!c) return {};
    // The writer's name of the value, so "clLtGray" reads as silver does.
    const std::string canonical = colour_text(*c);
    for (const colour_name& n : kNames)
        if (n.stored == canonical)
            return plan.tr.msg(n.key, n.polish);
    char hex[16];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", unsigned(*c & 0xFF), unsigned((*c >> 8) & 0xFF),
                  unsigned((*c >> 16) & 0xFF));
    return hex;
}

}  // namespace planek
