#pragma once
#include <string>
#include <vector>

#include "core/text.h"
#include "files/file_problems.h"
#include "files/line_text.h"
#include "files/record_fields.h"

namespace planek {

// Builds a stored line: the tag, then the fields in order. String fields are
// cleaned for the line format; `owner` names the record in the report.
template <class R, size_t N>
std::string record_line(const char* tag, const R& rec, const record_field<R> (&fields)[N], const std::string& owner,
                        const std::string& file_name, file_problems& problems) {
    std::vector<std::string> out{tag};
    for (const record_field<R>& f : fields) {
        std::string text = field_text(rec, f);
        if (std::holds_alternative<std::string R::*>(f.member) && clean_field_text(text))
            problems.add_text(fill_text(problems.tr.msg("msg_TextReplaced",
                                                         "%s: w polu %s zastąpiono znaki, których nie można "
                                                         "zapisać w pliku %s."),
                                        {owner, f.name, file_name}));
        out.push_back(std::move(text));
    }
    return join_fields(out);
}

// Reads fields 1.. of a stored line into the record. Missing and empty
// fields keep the record's values; a bad number keeps them too and is
// reported with the file and line.
template <class R, size_t N>
void read_record_fields(R& rec, const std::vector<std::string>& parts, const record_field<R> (&fields)[N],
                        const std::string& file_name, int line, file_problems& problems) {
    for (size_t i = 0; i < N && i + 1 < parts.size(); ++i) {
        if (read_field(rec, fields[i], parts[i + 1])) continue;
        problems.add(file_name, line, "msg_BadNumber", "pole %s (%s) ma błędną wartość „%s”, przyjęto %s.",
                     {std::to_string(i + 1), fields[i].name, parts[i + 1], field_text(rec, fields[i])});
    }
}

}  // namespace planek
