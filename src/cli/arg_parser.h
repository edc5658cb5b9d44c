#pragma once
#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/types.h"

namespace planek::cli {

// The arguments of one command: its options, each applied as it is met, and
// the words that are not options, returned in order. Every mistake is a
// usage_error with the message the command has always given.
class arg_parser {
public:
    // An option standing alone.
    arg_parser& flag(const std::string& name, std::function<void()> apply);
    arg_parser& flag(const std::string& name, bool& target);
    // An option taking the next argument ("--name value" or "--name=value");
    // `missing` is said when there is none (default "<option> wymaga
    // wartości" in the run's language).
    arg_parser& value(const std::string& name, std::function<void(const std::string&)> apply, std::string missing = {});
    template <class T>
    arg_parser& text(const std::string& name, T& target) {
        return value(name, [&target](const std::string& v) { target = v; });
    }
    // The id of a group or worker (1..65535); `what` names it in the refusal
    // ("grupy", "pracownika").
    arg_parser& id(const std::string& name, std::optional<word>& target, const std::string& what,
                   std::string missing = {});
    // At most this many words; the next is refused as unexpected when met.
    arg_parser& words(std::size_t most);
    // A negative number ("-3") is a word, not an option.
    arg_parser& numbers_are_words();

    std::vector<std::string> parse(const std::vector<std::string>& args) const;

private:
    struct option {
        std::string name;
        bool takesValue = false;
        std::function<void(const std::string&)> apply;
        std::string missing;  // said when the value is missing, else the usual text
        bool needsId = false;  // the usual text asks for an id
    };
    std::vector<option> options_;
    std::size_t mostWords_ = std::numeric_limits<std::size_t>::max();
    bool numbersAreWords_ = false;

    const option* find(const std::string& name) const;
};

// The id of a group or worker given as a word.
word id_word(const std::string& text, const std::string& what);

}  // namespace planek::cli
