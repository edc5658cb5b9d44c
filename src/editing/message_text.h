#pragma once
// Message texts of the editing rules: lookup by key with the built-in Polish
// default, printf-like placeholders filled in order.
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

// Replaces each "%s" or "%d" of the text, in order, by the next argument;
// missing arguments leave an empty text, "%%" stays a single "%".
std::string fill_placeholders(const std::string& text, const std::vector<std::string>& args);

// The message of this key with its placeholders filled.
std::string message(const Plan& plan, const std::string& key, const std::string& fallback,
                    const std::vector<std::string>& args = {});

bool ask_yes_no(const Plan& plan, const std::string& key, const std::string& fallback,
                const std::vector<std::string>& args = {});

inline constexpr const char* kLineBreak = "\n";

}  // namespace planek
