#include "store/month_rows.h"

#include <charconv>
#include <map>
#include <regex>

#include "core/text.h"
#include "files/month_ini.h"
#include "settings/message_format.h"

namespace planek::store {

namespace {

bool heading(const std::string& line, std::string& name) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    name = month_ini::fold(line.substr(1, line.size() - 2));
    return true;
}

int field_int(const std::string& record, size_t n) {
    const std::vector<std::string> f = split_fields(record);
    return n < f.size() ? std::atoi(f[n].c_str()) : 0;
}

}  // namespace

month_rows split_month_lines(const std::vector<std::string>& lines) {
    static const std::regex duty(R"(^d(\d+)=(.*)$)"), dayOff(R"(^w(\d+)=(.*)$)");
    month_rows m;
    std::string section;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        std::smatch g;
        std::string s;
        if (heading(line, s)) {
            section = s;
        } else if (section == "dyzury" && std::regex_match(line, g, duty)) {
            m.duties.push_back({std::stoi(g[1].str()), g[2].str(), 0, field_int(g[2].str(), 1), {}, {}});
            continue;
        } else if (section == "wolne" && std::regex_match(line, g, dayOff)) {
            m.daysOff.push_back({std::stoi(g[1].str()), g[2].str(), 0, field_int(g[2].str(), 1), {}, {}});
            continue;
        } else if (section.rfind("kalendarz_", 0) == 0 && line.find('=') != std::string::npos) {
            const size_t eq = line.find('=');
            m.parameters.push_back({int(i), line.substr(eq + 1), 0, 0, section, line.substr(0, eq)});
            continue;
        }
        m.rest.push_back(line);
    }
    return m;
}

std::vector<std::string> month_lines(const month_rows& m) {
    std::map<std::string, std::vector<const month_row*>> parameters;
    for (const month_row& p : m.parameters) parameters[p.section].push_back(&p);
    auto by_position = [](std::vector<month_row> rows) {
        std::stable_sort(rows.begin(), rows.end(), [](const month_row& a, const month_row& b) { return a.position < b.position; });
        return rows;
    };
    std::vector<std::string> lines;
    bool hasDuties = false, hasDaysOff = false;
    for (const std::string& line : m.rest) {
        lines.push_back(line);
        std::string section;
        if (!heading(line, section)) continue;
        if (section == "dyzury") hasDuties = true;
        if (section == "wolne") hasDaysOff = true;
        // The section's entries follow its heading, as the writer puts them.
        int n = 0;
        if (section == "dyzury")
            for (const month_row& d : by_position(m.duties)) lines.push_back("d" + std::to_string(++n) + "=" + d.record);
        else if (section == "wolne")
            for (const month_row& w : by_position(m.daysOff)) lines.push_back("w" + std::to_string(++n) + "=" + w.record);
        else if (auto it = parameters.find(section); it != parameters.end()) {
            for (const month_row* p : it->second) lines.push_back(p->key + "=" + p->record);
            parameters.erase(it);
        }
    }
    // Rows of a section the month had no heading for: the heading is added, as the writer would.
    auto add_section = [&](const std::string& name, const std::vector<std::string>& entries) {
        if (entries.empty()) return;
        if (!lines.empty() && !lines.back().empty()) lines.push_back("");
        lines.push_back("[" + name + "]");
        lines.insert(lines.end(), entries.begin(), entries.end());
    };
    std::vector<std::string> more;
    int n = 0;
    if (!hasDuties)
        for (const month_row& d : by_position(m.duties)) more.push_back("d" + std::to_string(++n) + "=" + d.record);
    add_section("dyzury", more);
    more.clear(), n = 0;
    if (!hasDaysOff)
        for (const month_row& w : by_position(m.daysOff)) more.push_back("w" + std::to_string(++n) + "=" + w.record);
    add_section("wolne", more);
    for (const auto& [section, rows] : parameters) {
        more.clear();
        for (const month_row* p : rows) more.push_back(p->key + "=" + p->record);
        add_section(section, more);
    }
    return lines;
}

double stored_place(const std::string& text) {
    double at = 0;
    std::from_chars(text.data(), text.data() + text.size(), at);
    return at;
}

result<month_rows> read_month_rows(pg_connection& c, int id) {
    const std::string key = std::to_string(id);
    const result<pg_rows> head = c.exec("SELECT id, name, year, month, sealed FROM months WHERE id = $1", {key});
    if (!head) return head.error();
    if (head->empty())
        return refused(refusal_kind::NoSuchFile, fill_message(c.tr().msg("msg_DbNoMonth", "W bazie danych nie ma miesiąca %s."), {key}));
    month_rows m;
    m.id = id;
    m.name = head->text(0, 1);
    m.year = int(head->number(0, 2));
    m.month = int(head->number(0, 3));
    m.sealed = head->text(0, 4) == "t";
    const result<pg_rows> rest =
        c.exec("SELECT line, position FROM month_lines WHERE month_id = $1 ORDER BY position", {key});
    const result<pg_rows> d = c.exec(
        "SELECT position, record, version, worker_id FROM duties WHERE month_id = $1 ORDER BY position", {key});
    const result<pg_rows> w = c.exec(
        "SELECT position, record, version, worker_id FROM days_off WHERE month_id = $1 ORDER BY position", {key});
    const result<pg_rows> p = c.exec(
        "SELECT position, value, version, section, key FROM day_parameters WHERE month_id = $1 ORDER BY section, position",
        {key});
    for (const result<pg_rows>* r : {&rest, &d, &w, &p})
        if (!*r) return r->error();
    for (size_t i = 0; i < rest->rows.size(); ++i) {
        m.rest.push_back(rest->text(i, 0));
        m.restPlaces.push_back(stored_place(rest->text(i, 1)));
    }
    for (size_t i = 0; i < d->rows.size(); ++i)
        m.duties.push_back({int(d->number(i, 0)), d->text(i, 1), int(d->number(i, 2)), int(d->number(i, 3)), {}, {}});
    for (size_t i = 0; i < w->rows.size(); ++i)
        m.daysOff.push_back({int(w->number(i, 0)), w->text(i, 1), int(w->number(i, 2)), int(w->number(i, 3)), {}, {}});
    for (size_t i = 0; i < p->rows.size(); ++i)
        m.parameters.push_back({int(p->number(i, 0)), p->text(i, 1), int(p->number(i, 2)), 0, p->text(i, 3), p->text(i, 4)});
    return m;
}

result<month_rows> find_month_rows(pg_connection& c, int year, int month) {
    const result<pg_rows> r = c.exec("SELECT id FROM months WHERE year = $1 AND month = $2 ORDER BY name LIMIT 1",
                                     {std::to_string(year), std::to_string(month)});
    if (!r) return r.error();
    if (r->empty()) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d-%02d", year, month);
        return refused(refusal_kind::NoSuchFile,
                       fill_message(c.tr().msg("msg_DbNoMonth", "W bazie danych nie ma miesiąca %s."), {name}));
    }
    return read_month_rows(c, int(r->number(0, 0)));
}

}  // namespace planek::store
