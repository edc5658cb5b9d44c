#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace planek {

// Raised by h2min on text that is not a time; whoever takes typed text
// catches it where the person typed it and shows a message.
class time_text_error : public std::invalid_argument {
public:
    explicit time_text_error(const std::string& text);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// "h:mm" (or whole hours) to minutes, within the 16-bit signed range.
// "7:35" -> 455, "-1:30" -> -90, "8" -> 480, "" and ":" -> 0.
int h2min(std::string_view text);
// The same, with nullopt instead of the error.
std::optional<int> try_h2min(std::string_view text);

// Minutes to text. format is "txt" or "htm", optionally followed by one
// separator character ("#" stands for ","; "," gives decimal hours).
std::string min2h(long long minutes, std::string_view format = "txt", bool showZero = true,
                  bool wrapDay = false);

// A time of day or a length a user reads in a field or a sentence: "h:mm"
// as min2h gives it, with midnight and nothing as "00:00" rather than a bare
// "0" that reads as a count.
std::string clock_time(long long minutes);

}  // namespace planek
