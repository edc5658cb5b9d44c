#include "files/staff_file.h"

#include <algorithm>

#include "core/text.h"
#include "files/record_lines.h"

namespace planek {

namespace {

constexpr size_t kGroupsField = 33;

const std::string kFile = "kadra.ini";

}  // namespace

std::string staff_field_name(size_t n) {
    if (n == 0) return "tag";
    return n <= std::size(kStaffFields) ? kStaffFields[n - 1].name : "";
}

bool is_staff_balance(size_t n) {
    if (n == 0 || n > std::size(kStaffFields)) return false;
    const auto& m = kStaffFields[n - 1].member;
    using I = std::int32_t prac::*;
    const I balances[] = {&prac::holidayCurrentYear, &prac::holidayPreviousYear, &prac::careDays, &prac::rehaDays};
    return std::holds_alternative<I>(m) &&
           std::find(std::begin(balances), std::end(balances), std::get<I>(m)) != std::end(balances);
}

std::string staff_file_line(const prac& w, file_problems& problems) {
    return record_line("p", w, kStaffFields,
                       fill_text(problems.tr.msg("msg_OwnerWorker", "pracownik „%s”"), {w.fullName()}), kFile,
                       problems);
}

std::vector<std::string> staff_file_lines(const std::vector<prac>& workers, file_problems& problems) {
    std::vector<std::string> lines;
    lines.reserve(workers.size());
    for (const prac& w : workers) lines.push_back(staff_file_line(w, problems));
    return lines;
}

prac read_staff_line(const std::string& line, const std::string& file_name, int line_number,
                     file_problems& problems) {
    // A fresh record holds the defaults of the fields older lines lack:
    // part time 100, automatDays "1111100", systemStartFrom8 1, flags off.
    prac w;
    std::vector<std::string> parts = split_fields(line);
    read_record_fields(w, parts, kStaffFields, file_name, line_number, problems);
    w.nick = utf8_left(w.nick, 3);
    // Older lines knew a single group only. Group 0 means none.
    if ((parts.size() <= kGroupsField || parts[kGroupsField].empty()) && w.groupId != 0)
        w.groups = std::to_string(w.groupId);
    if (!w.groups.empty() && w.groups.back() != '|') w.groups += '|';
    return w;
}

std::vector<prac> read_staff_lines(const std::vector<std::string>& lines, const std::string& file_name,
                                   file_problems& problems, std::vector<int>* line_numbers) {
    std::vector<prac> workers;
    if (line_numbers) line_numbers->clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (trim(lines[i]).empty()) continue;
        const int line = int(i) + 1;
        if (lines[i].find(kSep) == std::string::npos) {
            problems.add(file_name, line, "msg_NotDataLine", "wiersz bez pól danych, pominięto.", {});
            continue;
        }
        if (!lines[i].starts_with("p" + std::string(kSep)))
            problems.add(file_name, line, "msg_UnknownTagWorker",
                         "nieznany znacznik „%s”, wiersz wczytano jako pracownika.", {split_fields(lines[i])[0]});
        workers.push_back(read_staff_line(lines[i], file_name, line, problems));
        if (line_numbers) line_numbers->push_back(line);
    }
    return workers;
}

}  // namespace planek
