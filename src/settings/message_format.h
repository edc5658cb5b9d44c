#pragma once
// Fills the "%s"/"%d" placeholders of a message text (from the language file
// or the built-in default) with ready-made texts, in order. "%%" gives "%";
// a placeholder without an argument stays as written, so a translated text
// with too many placeholders cannot read past the arguments.
#include <initializer_list>
#include <string>
#include <vector>

namespace planek {

std::string fill_message(const std::string& format, std::initializer_list<std::string> args);
std::string fill_message(const std::string& format, const std::vector<std::string>& args);

}  // namespace planek
