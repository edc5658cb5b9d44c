#include "files/group_file.h"

#include "core/text.h"
#include "files/record_lines.h"

namespace planek {

namespace {

const std::string kFile = "grupy.ini";

// Fields 15..19 came later; a line of an older version without them would
// leave a new month with a daily norm of 0, so they start from the group's
// own settings, as the import of the oldest layout does.
void default_missing_defaults(grupa& g, const std::vector<std::string>& parts) {
    auto missing = [&](size_t field) { return field >= parts.size() || trim(parts[field]).empty(); };
    if (missing(15)) g.dailyNormDefault = g.dailyNorm;
    if (missing(16)) g.saturdayHolidayDefault = g.saturdayHoliday;
    if (missing(17)) g.dayOffForSaturdayHolidayDefault = g.dayOffForSaturdayHoliday;
    if (missing(18)) g.nightOnHolidayAsHolidayDefault = g.nightOnHolidayAsHoliday;
    if (missing(19)) g.noHolidaysDefault = g.noHolidays;
}

}  // namespace

std::vector<std::string> group_file_lines(const std::vector<grupa>& groups, file_problems& problems) {
    std::vector<std::string> lines;
    for (const grupa& g : groups) {
        const std::string owner = fill_text(problems.tr.msg("msg_OwnerGroup", "grupa „%s”"), {g.name});
        lines.push_back(record_line("g", g, kGroupFields, owner, kFile, problems));
        for (size_t s = 0; s < g.shifts.size(); ++s)
            lines.push_back(record_line(
                "z", g.shifts[s], kShiftFields,
                fill_text(problems.tr.msg("msg_OwnerShift", "%s, zmiana %s"), {owner, std::to_string(s + 1)}),
                kFile, problems));
    }
    return lines;
}

std::vector<grupa> read_group_lines(const std::vector<std::string>& lines, const std::string& file_name,
                                    file_problems& problems, std::vector<int>* line_numbers) {
    std::vector<grupa> groups;
    if (line_numbers) line_numbers->clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (trim(lines[i]).empty()) continue;
        const int line = int(i) + 1;
        std::vector<std::string> parts = split_fields(lines[i]);
        if (parts[0] == "g") {
            grupa g;
            read_record_fields(g, parts, kGroupFields, file_name, line, problems);
            default_missing_defaults(g, parts);
            g.nick = utf8_left(g.nick, 3);
            groups.push_back(std::move(g));
            if (line_numbers) line_numbers->push_back(line);
            continue;
        }
        if (groups.empty()) {
            // A shift needs a group to belong to; the copy kept of the file
            // still holds the line.
            problems.add(file_name, line, "msg_ShiftWithoutGroup", "zmiana przed pierwszą grupą, pominięto.", {});
            continue;
        }
        if (parts.size() < 2) {
            problems.add(file_name, line, "msg_NotDataLine", "wiersz bez pól danych, pominięto.", {});
            continue;
        }
        if (parts[0] != "z")
            problems.add(file_name, line, "msg_UnknownTagShift", "nieznany znacznik „%s”, wiersz wczytano jako zmianę.",
                         {parts[0]});
        zmiana_ z;
        read_record_fields(z, parts, kShiftFields, file_name, line, problems);
        groups.back().shifts.push_back(std::move(z));
    }
    return groups;
}

}  // namespace planek
