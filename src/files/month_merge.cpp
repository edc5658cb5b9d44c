#include "files/month_merge.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/text.h"

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
