#pragma once
#include <string>

#include "core/types.h"

namespace planek {

// A user duty symbol: a duty matching start, length and overtime (-1 = any)
// is shown with this symbol.
struct dyz_symb_ {
    std::int16_t start = -1;
    std::int16_t length = -1;
    std::int16_t overtime = -1;
    std::string symbol;
};

// One of the four duty-as categories, numbered 1..4.
struct dutyas_ {
    std::string name;
    char symbol = 0;
    colour color = 0xFFFFFF;
};

}  // namespace planek
