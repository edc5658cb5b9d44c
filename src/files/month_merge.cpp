#include "files/month_merge.h"

#include <algorithm>
#include <map>
#include <iterator>
#include <optional>
#include <set>

#include "core/text.h"
#include "files/month_seal.h"

namespace planek {

namespace {

// One line of a month: its section and its text, the running number of a
// numbered entry left out (a merge numbers them again).
struct item {
    std::string section;
    std::string text;
    bool operator<(const item& o) const { return std::tie(section, text) < std::tie(o.section, o.text); }
    bool operator==(const item& o) const { return section == o.section && text == o.text; }
};

struct parsed_month {
    std::vector<std::string> sections;                // in the order they come
    std::map<std::string, std::vector<item>> parts;   // owner -> its lines, in file order
};

// Entries numbered d1, w1, z1...: their numbers carry nothing.
char numbered_letter(const std::string& section) {
    if (section == "dyzury") return 'd';
    if (section == "wolne") return 'w';
    if (section == "zyczenia") return 'z';
    return 0;
}

bool is_group_section(const std::string& s) {
    return s.size() > 1 && s[0] == 'g' && std::all_of(s.begin() + 1, s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool is_worker_section(const std::string& s) {
    return s == "normatywy_wlasne" || s == "normatywy_wlasne_wyliczane" || s == "wymiar_etatu" ||
           s == "manu_nadpracowania" || s == "auto_nadpracowania_z_poprzedniego" || s == "nadpracowania";
}

// Parts that follow from the rest and are never a clash: the date of the
// save, the format's own marks, the overtime the duties give.
bool is_derived(const std::string& owner) { return owner.starts_with("stamp") || owner.starts_with("derived:"); }

std::string owner_of(const std::string& section, const std::string& key, const std::string& value) {
    if (numbered_letter(section)) {
        const std::vector<std::string> f = split_fields(value);
        const std::string first = f.empty() ? std::string() : f[0];
        // Duties and days off name their group first, wishes their worker.
        return section == "zyczenia" ? "worker:" + first : "group:" + first;
    }
    // A group's settings are a part of their own: an empty month's file
    // holds none, so both sides add them on their first save, alike.
    if (is_group_section(section)) return "group settings:" + section.substr(1);
    if (section == "info" && key != "status" && key != "stan") return "stamp:" + key;
    if (section == "auto_nadpracowania") return "derived:" + key;
    if (is_worker_section(section)) return "worker:" + key + ":" + section;
    return "month:" + section + ":" + key;
}

parsed_month parse(const std::vector<std::string>& lines) {
    parsed_month m;
    std::string section;
    for (const std::string& raw : lines) {
        const std::string line = trim(raw);
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            if (std::find(m.sections.begin(), m.sections.end(), section) == m.sections.end())
                m.sections.push_back(section);
            // A group's section is its part even while it holds nothing.
            if (is_group_section(section)) m.parts["group settings:" + section.substr(1)];
            continue;
        }
        const size_t eq = line.find('=');
        const std::string key = eq == std::string::npos ? line : line.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        const std::string text = numbered_letter(section) ? value : line;
        m.parts[owner_of(section, key, value)].push_back({section, text});
    }
    return m;
}

std::vector<item> sorted(std::vector<item> v) {
    std::sort(v.begin(), v.end());
    return v;
}

const std::vector<item>& part_of(const parsed_month& m, const std::string& owner) {
    static const std::vector<item> none;
    const auto it = m.parts.find(owner);
    return it == m.parts.end() ? none : it->second;
}

}  // namespace

month_merge merge_month_lines(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                              const std::vector<std::string>& theirs) {
    const parsed_month b = parse(base), o = parse(ours), t = parse(theirs);
    std::set<std::string> owners;
    for (const parsed_month* m : {&b, &o, &t})
        for (const auto& [owner, items] : m->parts) owners.insert(owner);

    month_merge merged;
    std::map<std::string, std::vector<item>> chosen;  // owner -> the lines it keeps
    for (const std::string& owner : owners) {
        const std::vector<item>&bi = part_of(b, owner), &oi = part_of(o, owner), &ti = part_of(t, owner);
        const bool oursChanged = sorted(oi) != sorted(bi), theirsChanged = sorted(ti) != sorted(bi);
        if (!oursChanged) chosen[owner] = ti;
        else if (!theirsChanged || sorted(oi) == sorted(ti) || is_derived(owner)) chosen[owner] = oi;
        else merged.clashes.push_back(owner);
    }
    if (!merged.ok()) return merged;

    std::vector<std::string> sections = o.sections;
    for (const std::string& s : t.sections)
        if (std::find(sections.begin(), sections.end(), s) == sections.end()) sections.push_back(s);
    // A group whose part is gone on both sides takes its section with it.
    std::erase_if(sections, [&](const std::string& s) {
        const std::string owner = "group settings:" + s.substr(1);
        return is_group_section(s) && !chosen.count(owner);
    });
    for (const std::string& s : sections) {
        if (!merged.lines.empty()) merged.lines.push_back("");
        merged.lines.push_back("[" + s + "]");
        const char letter = numbered_letter(s);
        int n = 0;
        for (const auto& [owner, items] : chosen)
            for (const item& i : items)
                if (i.section == s)
                    merged.lines.push_back(letter ? std::string(1, letter) + std::to_string(++n) + "=" + i.text : i.text);
    }
    return merged;
}

std::set<word> changed_groups(const std::vector<std::string>& base, const std::vector<std::string>& ours) {
    const parsed_month b = parse(base), o = parse(ours);
    std::set<std::string> owners;
    for (const parsed_month* m : {&b, &o})
        for (const auto& [owner, items] : m->parts) owners.insert(owner);
    std::set<word> groups;
    for (const std::string& owner : owners) {
        const size_t colon = owner.find(':');
        const std::string kind = owner.substr(0, colon);
        if (kind != "group" && kind != "group settings") continue;
        if (sorted(part_of(b, owner)) == sorted(part_of(o, owner))) continue;
        // A duty naming no group that can be read is nobody's ward.
        if (const std::optional<long long> id = parse_int(owner.substr(colon + 1)); id && *id >= 0 && *id <= 0xFFFF)
            groups.insert(word(*id));
    }
    return groups;
}

}  // namespace planek

namespace planek {

namespace {

struct keyed_line {
    std::string key;  // folded
    std::string line;
};

// One section of the file as it stands: its header line and its lines.
struct file_section {
    std::string name;  // folded; empty before the first header
    std::vector<std::string> lines;
};

std::string folded_key(const std::string& line) {
    const size_t eq = line.find('=');
    return lower_pl(trim(eq == std::string::npos ? line : line.substr(0, eq)));
}

std::string value_of(const std::string& line) {
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : trim(line.substr(eq + 1));
}

std::optional<std::string> header_name(const std::string& line) {
    const std::string t = trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
    return lower_pl(t.substr(1, t.size() - 2));
}

std::vector<file_section> sections_of(const std::vector<std::string>& lines) {
    std::vector<file_section> out(1);
    for (const std::string& l : lines) {
        if (const auto name = header_name(l)) out.push_back({*name, {}});
        out.back().lines.push_back(l);
    }
    return out;
}

// What one side holds of a section, as the writer writes it.
struct side_section {
    std::multiset<std::string> values;      // a numbered section's records
    std::map<std::string, std::string> keyed;  // folded key -> line
};

std::map<std::string, side_section> side_of(const std::vector<std::string>& lines) {
    std::map<std::string, side_section> out;
    std::string section;
    for (const std::string& l : lines) {
        if (const auto name = header_name(l)) {
            section = *name;
            out[section];
            continue;
        }
        if (trim(l).empty()) continue;
        side_section& s = out[section];
        if (numbered_letter(section)) s.values.insert(value_of(l));
        else s.keyed.emplace(folded_key(l), trim(l));
    }
    return out;
}

// Lines whose change never clashes: the save's own stamp and what the
// duties give.
bool derived_line(const std::string& section, const std::string& key) {
    return (section == "info" && key != "status" && key != "stan") || section == "auto_nadpracowania";
}

file_section& section_named(std::vector<file_section>& file, const std::string& name) {
    for (file_section& s : file)
        if (s.name == name) return s;
    // A section the file lacks goes at its end, after an empty line.
    if (!file.back().lines.empty() && !trim(file.back().lines.back()).empty()) file.back().lines.push_back("");
    file.push_back({name, {"[" + name + "]"}});
    return file.back();
}

void splice_records(file_section& s, char letter, const std::multiset<std::string>& removed,
                    const std::multiset<std::string>& added, std::vector<std::string>& clashes) {
    struct slot {
        size_t at;  // index in s.lines
        std::string key;
    };
    std::vector<slot> records;
    int highest = 0;
    for (size_t i = 1; i < s.lines.size(); ++i) {
        if (trim(s.lines[i]).empty()) continue;
        const size_t eq = s.lines[i].find('=');
        const std::string key = trim(eq == std::string::npos ? s.lines[i] : s.lines[i].substr(0, eq));
        records.push_back({i, key});
        if (key.size() > 1 && (key[0] == letter || key[0] == letter - 'a' + 'A'))
            if (const auto n = parse_int(key.substr(1))) highest = std::max(highest, int(*n));
    }
    std::vector<bool> gone(records.size(), false);
    for (const std::string& v : removed) {
        bool found = false;
        for (size_t r = 0; r < records.size() && !found; ++r)
            if (!gone[r] && value_of(s.lines[records[r].at]) == v) gone[r] = found = true;
        if (!found) clashes.push_back(s.name + ": " + v);
    }
    if (!clashes.empty()) return;
    auto it = added.begin();
    // The gaps take the records added first, then the last records.
    for (size_t r = 0; r < records.size(); ++r) {
        if (!gone[r]) continue;
        if (it != added.end()) {
            s.lines[records[r].at] = records[r].key + "=" + *it++;
            gone[r] = false;
            continue;
        }
        size_t last = records.size();
        while (last > r + 1 && gone[last - 1]) --last;
        if (last <= r + 1) break;
        s.lines[records[r].at] = records[r].key + "=" + value_of(s.lines[records[last - 1].at]);
        gone[r] = false;
        gone[last - 1] = true;
    }
    std::vector<std::string> kept;
    for (size_t i = 0, r = 0; i < s.lines.size(); ++i) {
        while (r < records.size() && records[r].at < i) ++r;
        if (r < records.size() && records[r].at == i && gone[r]) continue;
        kept.push_back(s.lines[i]);
    }
    // New records go after the section's last record, before its blank lines.
    size_t end = kept.size();
    while (end > 1 && trim(kept[end - 1]).empty()) --end;
    std::vector<std::string> tail;
    for (; it != added.end(); ++it) tail.push_back(std::string(1, letter) + std::to_string(++highest) + "=" + *it);
    kept.insert(kept.begin() + long(end), tail.begin(), tail.end());
    s.lines = std::move(kept);
}

void splice_keyed(file_section& s, const std::string& key, const std::optional<std::string>& was,
                  const std::optional<std::string>& now, std::vector<std::string>& clashes) {
    size_t at = 0;
    for (size_t i = 1; i < s.lines.size() && !at; ++i)
        if (!trim(s.lines[i]).empty() && folded_key(s.lines[i]) == key) at = i;
    const std::optional<std::string> theirs = at ? std::optional<std::string>(trim(s.lines[at])) : std::nullopt;
    if (theirs == now) return;
    if (theirs != was && !derived_line(s.name, key)) {
        clashes.push_back(s.name + ": " + key);
        return;
    }
    if (at && now) {
        s.lines[at] = *now;
    } else if (at) {
        s.lines.erase(s.lines.begin() + long(at));
    } else if (now) {
        size_t end = s.lines.size();
        while (end > 1 && trim(s.lines[end - 1]).empty()) --end;
        s.lines.insert(s.lines.begin() + long(end), *now);
    }
}

}  // namespace

std::vector<std::string> unsealed_month_lines(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (const auto name = header_name(l); name && *name == "koniec") break;
        out.push_back(l);
    }
    while (!out.empty() && trim(out.back()).empty()) out.pop_back();
    return out;
}

month_merge splice_month_lines(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                               const std::vector<std::string>& theirs) {
    const std::map<std::string, side_section> b = side_of(base), o = side_of(ours);
    std::vector<file_section> file = sections_of(theirs);
    month_merge m;
    std::set<std::string> names;
    for (const auto* side : {&b, &o})
        for (const auto& [name, part] : *side) names.insert(name);
    static const side_section none;
    for (const std::string& name : names) {
        const auto bi = b.find(name), oi = o.find(name);
        const side_section& bs = bi == b.end() ? none : bi->second;
        const side_section& os = oi == o.end() ? none : oi->second;
        if (const char letter = numbered_letter(name)) {
            std::multiset<std::string> removed, added;
            std::set_difference(bs.values.begin(), bs.values.end(), os.values.begin(), os.values.end(),
                                std::inserter(removed, removed.end()));
            std::set_difference(os.values.begin(), os.values.end(), bs.values.begin(), bs.values.end(),
                                std::inserter(added, added.end()));
            if (removed.empty() && added.empty()) continue;
            splice_records(section_named(file, name), letter, removed, added, m.clashes);
            continue;
        }
        std::set<std::string> keys;
        for (const auto* s : {&bs, &os})
            for (const auto& [key, line] : s->keyed) keys.insert(key);
        for (const std::string& key : keys) {
            const auto was = bs.keyed.find(key), now = os.keyed.find(key);
            const std::optional<std::string> w = was == bs.keyed.end() ? std::nullopt : std::optional(was->second);
            const std::optional<std::string> n = now == os.keyed.end() ? std::nullopt : std::optional(now->second);
            if (w != n) splice_keyed(section_named(file, name), key, w, n, m.clashes);
        }
    }
    if (!m.ok()) return m;
    // The seal this program adds must be announced, or a cut would not show.
    file_section& info = section_named(file, "info");
    if (std::none_of(info.lines.begin() + 1, info.lines.end(),
                     [](const std::string& l) { return folded_key(l) == kEndAnnounced; }))
        splice_keyed(info, kEndAnnounced, std::nullopt, std::string(kEndAnnounced) + "=1", m.clashes);
    // A section this program no longer writes (the wishes, once none is
    // left) goes when nothing of anybody's is left in it.
    std::erase_if(file, [&](const file_section& s) {
        if (s.name.empty() || !b.count(s.name) || o.count(s.name)) return false;
        return std::all_of(s.lines.begin() + 1, s.lines.end(), [](const std::string& l) { return trim(l).empty(); });
    });
    for (const file_section& s : file) m.lines.insert(m.lines.end(), s.lines.begin(), s.lines.end());
    while (!m.lines.empty() && trim(m.lines.back()).empty()) m.lines.pop_back();
    return m;
}

}  // namespace planek
