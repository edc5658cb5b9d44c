#pragma once
// A month file read for one ward: the lines of its records are told by
// their first two fields (group, worker) without cutting the rest of the
// file into fields, so the cost of a read follows the ward, not the hospital.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/types.h"

namespace planek {

// Calls f with each line of `text` as split_text_lines cuts them (CR LF,
// LF or CR; no empty line after a last line break).
template <class F>
void for_each_line(std::string_view text, F&& f) {
    size_t start = 0;
    const size_t n = text.size();
    while (start < n) {
        size_t end = start;
        while (end < n && text[end] != '\n' && text[end] != '\r') ++end;
        f(text.substr(start, end - start));
        if (end == n) return;
        start = end + 1;
        if (text[end] == '\r' && start < n && text[start] == '\n') ++start;
    }
}

// The lines of a month's bytes (Windows-1250) in UTF-8, as many and
// numbered as in the file, with each record of [dyzury] and [wolne] that
// `keep(group, worker)` refuses left blank. A record whose first two fields
// are not numbers is kept, so the reader says what is wrong with it.
// `highestSkippedWorker` grows to the highest worker id of a blanked record.
std::vector<std::string> month_lines_of_part(std::string_view bytes, const std::function<bool(word, word)>& keep,
                                             word& highestSkippedWorker);

// Whether the records of a month's bytes name groups, and none that `ours`
// knows (a day off of no group aside): another folder's month, told without
// reading it. Stops at the first record of one of `ours`.
bool month_bytes_of_other_groups(std::string_view bytes, const std::function<bool(word)>& ours);

}  // namespace planek
