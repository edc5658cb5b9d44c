#include "files/staff_merge.h"

#include <map>
#include <set>

#include "core/text.h"
#include "files/staff_file.h"

namespace planek {

namespace {

// The worker id of a staff line: the field after the tag.
std::string staff_key(const std::string& line) {
    const std::vector<std::string> f = split_fields(line);
    return f.size() > 1 ? f[1] : line;
}

std::map<std::string, std::string> by_worker(const std::vector<std::string>& lines) {
    std::map<std::string, std::string> m;
    for (const std::string& l : lines)
        if (!trim(l).empty()) m.emplace(staff_key(l), l);
    return m;
}

std::string field(const std::vector<std::string>& f, size_t n) { return n < f.size() ? f[n] : std::string(); }

// theirs + (ours - base), or nothing when a side is not a number.
std::optional<std::string> moved_balance(const std::string& base, const std::string& ours, const std::string& theirs) {
    const auto b = parse_int(base.empty() ? "0" : base), o = parse_int(ours.empty() ? "0" : ours),
               t = parse_int(theirs.empty() ? "0" : theirs);
    if (!b || !o || !t) return std::nullopt;
    return std::to_string(*t + (*o - *b));
}

// One worker changed on both sides: theirs where only they changed a field,
// ours where only we did, balances by our difference, clashes noted.
std::string merged_worker(const std::string* base, const std::string& ours, const std::string& theirs,
                          std::vector<staff_clash>& clashes) {
    const std::vector<std::string> b = base ? split_fields(*base) : std::vector<std::string>{},
                                    o = split_fields(ours), t = split_fields(theirs);
    std::vector<std::string> out;
    const size_t n = std::max(o.size(), t.size());
    for (size_t i = 0; i < n; ++i) {
        const std::string bv = field(b, i), ov = field(o, i), tv = field(t, i);
        // Two equal deductions are two leaves, not one: a balance always
        // moves by this program's difference.
        if (base && is_staff_balance(i) && ov != bv && moved_balance(bv, ov, tv)) {
            out.push_back(*moved_balance(bv, ov, tv));
        } else if (ov == tv || (base && ov == bv)) {
            out.push_back(tv);
        } else if (base && tv == bv) {
            out.push_back(ov);
        } else {
            clashes.push_back({field(t, 1), field(t, 16) + " " + field(t, 17), staff_field_name(i), ov, tv});
            out.push_back(ov);
        }
    }
    return join_fields(out);
}

}  // namespace

staff_merge merge_staff_lines(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                              const std::vector<std::string>& theirs) {
    const auto was = by_worker(base), now = by_worker(ours);
    auto read_as = [&](const std::string& key) -> const std::string* {
        const auto b = was.find(key);
        return b == was.end() ? nullptr : &b->second;
    };
    auto changed_here = [&](const std::string& key) {
        const auto o = now.find(key);
        if (o == now.end()) return false;
        const std::string* b = read_as(key);
        return !b || *b != o->second;
    };
    staff_merge merged;
    std::set<std::string> placed;
    for (const std::string& line : theirs) {
        if (trim(line).empty()) continue;
        const std::string key = staff_key(line);
        if (!placed.insert(key).second) continue;
        // A worker this program removed goes only when the other left it as read.
        if (!now.count(key) && read_as(key) && *read_as(key) == line) continue;
        merged.lines.push_back(changed_here(key) ? merged_worker(read_as(key), now.at(key), line, merged.clashes)
                                                 : line);
    }
    for (const std::string& line : ours) {
        const std::string key = staff_key(line);
        if (trim(line).empty() || placed.count(key)) continue;
        // Removed there: back only when this program changed the worker since.
        if (changed_here(key)) merged.lines.push_back(line);
    }
    return merged;
}

}  // namespace planek
