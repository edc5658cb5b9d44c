#include "files/file_problems.h"

#include <cstdio>
#include <system_error>

#include "core/file_io.h"

namespace planek {

namespace fs = std::filesystem;

std::string fill_text(std::string text, std::initializer_list<std::string> args) {
    size_t from = 0;
    for (const std::string& a : args) {
        size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, a);
        from = at + a.size();
    }
    return text;
}

std::string file_problems::where(const std::string& file, int line) const {
    return fill_text(tr.msg("msg_FileLine", "%s, wiersz %s: "), {file, std::to_string(line)});
}

void file_problems::add(const std::string& file, int line, const std::string& key, const std::string& fallback,
                        std::initializer_list<std::string> args) {
    items.push_back(where(file, line) + fill_text(tr.msg(key, fallback), args));
}

refusal problems_said(const Plan& plan, const std::vector<std::string>& problems, const std::string& heading_key,
                      const std::string& heading) {
    if (problems.empty()) return {};
    // A damaged file can hold thousands of bad lines; the first ones say enough.
    constexpr size_t kShown = 25;
    std::string text = plan.tr.msg(heading_key, heading);
    for (size_t i = 0; i < problems.size() && i < kShown; ++i) text += "\n" + problems[i];
    if (problems.size() > kShown)
        text += "\n" + fill_text(plan.tr.msg("msg_MoreProblems", "…i %s innych."),
                                 {std::to_string(problems.size() - kShown)});
    return refused(refusal_kind::FileProblems, text);
}

std::string date_stamp(const Plan& plan) {
    civil_date d = plan.clock->today();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

fs::path free_dated_name(const Plan& plan, const fs::path& file, const std::string& suffix) {
    const std::string base = file.string() + suffix + date_stamp(plan);
    std::error_code ec;
    fs::path name = base;
    for (int n = 2; fs::exists(name, ec) && n < 1000; ++n) name = base + "_" + std::to_string(n);
    return name;
}

fs::path kept_copy_of(const fs::path& file, const std::string& suffix, const std::string& bytes) {
    const std::string prefix = file.filename().string() + suffix;
    std::error_code ec;
    for (fs::directory_iterator it(file.parent_path().empty() ? "." : file.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code sizeEc;
        if (name.compare(0, prefix.size(), prefix) != 0 || !it->is_regular_file(sizeEc) ||
            it->file_size(sizeEc) != bytes.size())
            continue;
        std::string theirs, error;
        if (read_bytes(it->path(), theirs, error) && theirs == bytes) return it->path();
    }
    return {};
}

fs::path keep_copy(const Plan& plan, const fs::path& file, const std::string& suffix) {
    std::string bytes, error;
    if (!read_bytes(file, bytes, error, kAnyFileBound, &plan.tr)) return {};
    // A file damaged the same way at every start is kept once, not once a start.
    if (fs::path same = kept_copy_of(file, suffix, bytes); !same.empty()) return same;
    fs::path copy = free_dated_name(plan, file, suffix);
    if (!write_bytes(copy, bytes, &plan.tr)) return {};
    return copy;
}

}  // namespace planek
