#pragma once
// What a user reads for a stored colour ("clWhite", "$00E0FFFF"): a name in
// the chosen language for the named colours, "#RRGGBB" for the others.
#include <string>

#include "core/plan.h"

namespace planek {

// Empty for a text that is no colour.
std::string colour_caption(const Plan& plan, const std::string& stored);

}  // namespace planek
