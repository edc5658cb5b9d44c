#include "store/folder_transfer.h"

#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/text.h"
#include "files/archive.h"
#include "files/file_problems.h"
#include "files/group_file.h"
#include "files/month_file.h"
#include "files/month_ini.h"
#include "files/month_seal.h"
#include "files/staff_archive.h"
#include "files/staff_file.h"
#include "settings/message_format.h"
#include "store/history.h"
#include "store/month_rows.h"
#include "store/row_writer.h"
#include "store/schema.h"

namespace planek::store {

namespace {

namespace fs = std::filesystem;

const char* const kGroupFile = "grupy.ini";
const char* const kConfigFile = "konfiguracja.ini";
const char* const kSundaysFile = "sundays.ini";
// The configuration names the month files by their full paths; inside the
// store the data folder stands as this, so the ward can come out elsewhere.
const std::string kDataFolderMark = "${dane}";

refusal said(const Translator& tr, const char* key, const char* polish, std::initializer_list<std::string> args) {
    return refused(refusal_kind::Io, fill_message(tr.msg(key, polish), args));
}

std::string number(long long n) { return std::to_string(n); }
int field_int(const std::vector<std::string>& f, size_t n) { return n < f.size() ? std::atoi(f[n].c_str()) : 0; }

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

bool header(const std::string& line, std::string& name) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    name = month_ini::fold(line.substr(1, line.size() - 2));
    return true;
}

// The staff line's fields that hold the balances, by the balances' columns.
struct balance_fields {
    size_t current = 0, previous = 0, care = 0, reha = 0;
};
balance_fields find_balance_fields() {
    balance_fields b;
    for (size_t n = 1; !staff_field_name(n).empty(); ++n) {
        const std::string name = staff_field_name(n);
        if (name == "holidayCurrentYear") b.current = n;
        if (name == "holidayPreviousYear") b.previous = n;
        if (name == "careDays") b.care = n;
        if (name == "rehaDays") b.reha = n;
    }
    return b;
}


result<bool> store_is_empty(pg_connection& c) {
    const result<pg_rows> r = c.exec("SELECT (SELECT count(*) FROM workers) + (SELECT count(*) FROM groups) + "
                                     "(SELECT count(*) FROM months)");
    if (!r) return r.error();
    return r->number(0, 0) == 0;
}

result<> schema_ready(pg_connection& c) {
    const result<int> v = schema_version(c);
    if (!v) return v.error();
    if (*v != latest_schema_version())
        return said(c.tr(), "msg_DbNoSchema", "Baza danych nie ma aktualnego schematu programu (planek-cli db init %s).",
                    {"URL"});
    return {};
}

result<std::vector<std::string>> lines_of(const fs::path& file, const Translator& tr) {
    std::vector<std::string> lines;
    std::string error;
    if (!read_lines(file, lines, error, kAnyFileBound, &tr)) return refused(refusal_kind::Io, error, file.string());
    return lines;
}

refusal not_whole(const Translator& tr, const fs::path& file, const std::string& why) {
    return refused(refusal_kind::NotWhole,
                   fill_message(tr.msg("msg_DbFileNotWhole", "Plik %s nie jest cały (%s); do bazy nie przeniesiono nic."),
                                {file.string(), why}),
                   file.string());
}

result<> import_groups(row_writer& w, const fs::path& data, const Translator& tr, folder_counts& n) {
    const fs::path file = data / kGroupFile;
    result<std::vector<std::string>> lines = lines_of(file, tr);
    if (!lines) return lines.error();
    file_problems problems{tr, {}};
    const std::vector<grupa> groups = read_group_lines(*lines, kGroupFile, problems);
    if (!problems.empty()) return not_whole(tr, file, problems.items.front());
    int group = -1, shift = 0;
    for (const std::string& line : *lines) {
        if (trim(line).empty()) continue;
        if (split_fields(line).front() == "g") {
            const grupa& g = groups.at(size_t(++group));
            shift = 0;
            w.put("INSERT INTO groups (id, name, position, record) VALUES ($1, $2, $3, $4)",
                  {number(g.id), g.name, number(group), line});
            ++n.groups;
        } else {
            w.put("INSERT INTO shifts (group_id, no, record) VALUES ($1, $2, $3)",
                  {number(groups.at(size_t(group)).id), number(++shift), line});
            ++n.shifts;
        }
    }
    return {};
}

result<> import_staff(row_writer& w, const fs::path& data, const Translator& tr, folder_counts& n) {
    const fs::path inr = data / kStaffArchive;
    std::string bytes;
    if (const archive_check c = read_staff_member(inr, bytes); !c.ok()) return not_whole(tr, inr, archive_fault_text(tr, inr, c));
    std::vector<std::string> lines = split_text_lines(cp1250_to_utf8(bytes));
    file_problems problems{tr, {}};
    std::vector<int> at;
    const std::vector<prac> workers = read_staff_lines(lines, kStaffMember, problems, &at);
    if (!problems.empty()) return not_whole(tr, inr, problems.items.front());
    for (size_t i = 0; i < workers.size(); ++i) {
        const prac& p = workers[i];
        w.put("INSERT INTO workers (id, surname, first_name, archived, position, record) VALUES ($1, $2, $3, $4, $5, $6)",
              {number(p.id), p.surname, p.firstName, p.old ? "t" : "f", number(long(i)), lines.at(size_t(at[i] - 1))});
        w.put("INSERT INTO balances (worker_id, holiday_current, holiday_previous, care_days, reha_days) "
              "VALUES ($1, $2, $3, $4, $5)",
              {number(p.id), number(p.holidayCurrentYear), number(p.holidayPreviousYear), number(p.careDays),
               number(p.rehaDays)});
        ++n.workers;
    }
    return {};
}

// konfiguracja.ini, and whatever of sundays.ini is not a worker's year,
// line by line: the file comes back as it was.
void import_option_line(row_writer& w, const std::string& file, int position, const std::string& section,
                        const std::string& line, const fs::path& data) {
    const size_t eq = line.find('=');
    std::string name;
    if (header(line, name) || eq == std::string::npos) {
        w.put("INSERT INTO options (file, position, section, key, value) VALUES ($1, $2, $3, NULL, $4)",
              {file, number(position), section, line});
    } else {
        const std::string value = replaced(line.substr(eq + 1), data.string() + "/", kDataFolderMark + "/");
        w.put("INSERT INTO options (file, position, section, key, value) VALUES ($1, $2, $3, $4, $5)",
              {file, number(position), section, line.substr(0, eq), value});
    }
}

result<> import_options(row_writer& w, const fs::path& data, const Translator& tr) {
    for (const char* name : {kConfigFile, kSundaysFile}) {
        const fs::path file = data / name;
        std::error_code ec;
        if (!fs::exists(file, ec)) continue;
        result<std::vector<std::string>> lines = lines_of(file, tr);
        if (!lines) return lines.error();
        static const std::regex year(R"(^(\d{4})=([01]*)$)");
        std::string section;
        for (size_t i = 0; i < lines->size(); ++i) {
            const std::string& line = (*lines)[i];
            std::string s;
            if (header(line, s)) section = s;
            std::smatch m;
            const bool worker = !section.empty() && std::all_of(section.begin(), section.end(), ::isdigit);
            if (name == std::string(kSundaysFile) && worker && std::regex_match(line, m, year)) {
                w.put("INSERT INTO worked_sundays (worker_id, year, sundays, position) VALUES ($1, $2, $3, $4)",
                      {section, m[1].str(), m[2].str(), number(long(i))});
            } else {
                import_option_line(w, name, int(i), section, line, data);
            }
        }
    }
    return {};
}

}  // namespace

result<> store_month_rows(row_writer& w, const std::string& id, const month_rows& m) {
    for (size_t i = 0; i < m.rest.size(); ++i)
        w.put("INSERT INTO month_lines (month_id, position, line) VALUES ($1, $2, $3)", {id, number(long(i)), m.rest[i]});
    for (const month_row& d : m.duties) {
        const std::vector<std::string> f = split_fields(d.record);
        w.put("INSERT INTO duties (month_id, position, group_id, worker_id, day, length_minutes, shift, start_minute, "
              "record) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9)",
              {id, number(d.position), number(field_int(f, 0)), number(field_int(f, 1)), number(field_int(f, 2)),
               number(field_int(f, 3)), number(field_int(f, 4)), number(field_int(f, 5)), d.record});
    }
    for (const month_row& o : m.daysOff) {
        const std::vector<std::string> f = split_fields(o.record);
        w.put("INSERT INTO days_off (month_id, position, group_id, worker_id, day_from, day_to, kind, record) "
              "VALUES ($1, $2, $3, $4, $5, $6, $7, $8)",
              {id, number(o.position), number(field_int(f, 0)), number(field_int(f, 1)), number(field_int(f, 2)),
               number(field_int(f, 3)), f.size() > 5 ? f[5] : "", o.record});
    }
    for (const month_row& p : m.parameters)
        w.put("INSERT INTO day_parameters (month_id, section, position, key, value) VALUES ($1, $2, $3, $4, $5)",
              {id, p.section, number(p.position), p.key, p.record});
    if (w.failed().said()) return w.failed();
    return {};
}

namespace {

result<> import_month(row_writer& w, pg_connection& c, const fs::path& file, const Translator& tr, folder_counts& n) {
    bool sealed = true;
    const result<std::vector<std::string>> read = read_month_file_lines(file, tr, sealed);
    if (!read) return read.error();
    const std::vector<std::string>& lines = *read;
    month_ini ini;
    std::vector<month_problem> ignored;
    ini.parse(lines, ignored, &tr);
    const std::string name = file.filename().string();
    int year = std::atoi(ini.value("okres", "FromYear").value_or("0").c_str());
    int month = std::atoi(ini.value("okres", "FromMonth").value_or("0").c_str());
    if (year == 0 && name.size() >= 7) year = std::atoi(name.substr(0, 4).c_str()), month = std::atoi(name.substr(5, 2).c_str());
    if (w.failed().said()) return w.failed();
    const result<pg_rows> made = c.exec("INSERT INTO months (name, year, month, sealed) VALUES ($1, $2, $3, $4) RETURNING id",
                                        {name, number(year), number(month), sealed ? "t" : "f"});
    if (!made) return made.error();
    const std::string id = made->text(0, 0);
    const month_rows rows = split_month_lines(lines);
    if (result<> r = store_month_rows(w, id, rows); !r) return r;
    n.duties += int(rows.duties.size());
    n.daysOff += int(rows.daysOff.size());
    n.dayParameters += int(rows.parameters.size());
    ++n.months;
    return {};
}

std::vector<fs::path> month_files(const fs::path& data) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(data, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && it->path().extension() == ".pnk") found.push_back(it->path());
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

result<folder_counts> import_folder(pg_connection& c, const fs::path& data) {
    const Translator& tr = c.tr();
    std::error_code ec;
    if (!fs::is_directory(data, ec))
        return said(tr, "msg_DbNoDataFolder", "Nie ma folderu danych %s.", {data.string()});
    if (result<> ready = schema_ready(c); !ready) return ready.error();
    result<pg_transaction> t = pg_transaction::begin(c);
    if (!t) return t.error();
    // One ward per store: a second import would mix two wards' ids.
    if (auto r = c.exec("LOCK TABLE workers, groups, months IN EXCLUSIVE MODE"); !r) return r.error();
    const result<bool> empty = store_is_empty(c);
    if (!empty) return empty.error();
    if (!*empty)
        return refused(refusal_kind::Conflict,
                       tr.msg("msg_DbNotEmpty", "Baza danych ma już oddział; folder można przenieść tylko do pustej bazy."));
    folder_counts n;
    row_writer w(c);
    if (result<> r = import_groups(w, data, tr, n); !r) return r.error();
    if (result<> r = import_staff(w, data, tr, n); !r) return r.error();
    if (result<> r = import_options(w, data, tr); !r) return r.error();
    for (const fs::path& file : month_files(data))
        if (result<> r = import_month(w, c, file, tr, n); !r) return r.error();
    if (w.failed().said()) return w.failed();
    const std::string after = "{\"folder\": \"" + replaced(data.string(), "\"", "\\\"") + "\", \"workers\": " +
                              number(n.workers) + ", \"months\": " + number(n.months) + "}";
    if (result<> r = append_history(c, "import", "", std::nullopt, "", after); !r) return r.error();
    if (result<> r = t->commit(); !r) return r.error();
    return n;
}

namespace {

result<std::vector<std::string>> group_lines(pg_connection& c, const fs::path& data, folder_counts& n) {
    const result<pg_rows> g = c.exec("SELECT id, record FROM groups ORDER BY position");
    const result<pg_rows> s = c.exec("SELECT group_id, record FROM shifts ORDER BY group_id, no");
    if (!g) return g.error();
    if (!s) return s.error();
    std::map<std::string, std::vector<std::string>> shifts;
    for (size_t i = 0; i < s->rows.size(); ++i) shifts[s->text(i, 0)].push_back(s->text(i, 1));
    std::vector<std::string> lines;
    for (size_t i = 0; i < g->rows.size(); ++i) {
        lines.push_back(g->text(i, 1));
        for (const std::string& z : shifts[g->text(i, 0)]) lines.push_back(z), ++n.shifts;
        ++n.groups;
    }
    // Read back by the program's reader first: what the store holds must be a group file.
    file_problems problems{c.tr(), {}};
    (void)read_group_lines(lines, kGroupFile, problems);
    if (!problems.empty()) return not_whole(c.tr(), data / kGroupFile, problems.items.front());
    return lines;
}

result<> export_groups(pg_connection& c, const fs::path& data, folder_counts& n) {
    const result<std::vector<std::string>> lines = group_lines(c, data, n);
    if (!lines) return lines.error();
    if (io_result r = write_lines(data / kGroupFile, *lines); !r) return refused(refusal_kind::Io, r.error);
    return {};
}

// Checked by the staff reader unless the caller reads them with it anyway.
result<std::vector<std::string>> staff_lines(pg_connection& c, const fs::path& data, folder_counts& n,
                                             bool check = true) {
    const result<pg_rows> r = c.exec(
        "SELECT w.record, b.holiday_current, b.holiday_previous, b.care_days, b.reha_days FROM workers w "
        "LEFT JOIN balances b ON b.worker_id = w.id ORDER BY w.position");
    if (!r) return r.error();
    static const balance_fields at = find_balance_fields();
    std::vector<std::string> lines;
    for (size_t i = 0; i < r->rows.size(); ++i) {
        std::vector<std::string> f = split_fields(r->text(i, 0));
        // The balances are the store's: acts change them there, by their difference.
        if (r->rows[i][1]) {
            const size_t fields[] = {at.current, at.previous, at.care, at.reha};
            for (size_t k = 0; k < 4; ++k)
                if (fields[k] && fields[k] < f.size()) f[fields[k]] = r->text(i, k + 1);
        }
        lines.push_back(join_fields(f));
        ++n.workers;
    }
    if (!check) return lines;
    file_problems problems{c.tr(), {}};
    (void)read_staff_lines(lines, kStaffMember, problems);
    if (!problems.empty()) return not_whole(c.tr(), data / kStaffArchive, problems.items.front());
    return lines;
}

result<> export_staff(pg_connection& c, const fs::path& data, folder_counts& n) {
    const result<std::vector<std::string>> lines = staff_lines(c, data, n);
    if (!lines) return lines.error();
    std::string bytes;
    if (io_result e = lines_bytes(data / kStaffMember, *lines, bytes); !e)
        return refused(refusal_kind::Io, e.error);
    if (io_result e = archive_pack_members({{kStaffMember, bytes}}, data / kStaffArchive); !e)
        return refused(refusal_kind::Io, e.error);
    return {};
}

result<std::vector<std::string>> option_lines(pg_connection& c, const fs::path& data, const char* name) {
    const result<pg_rows> o = c.exec(
        "SELECT position, CASE WHEN key IS NULL THEN value ELSE key || '=' || value END FROM options WHERE "
        "file = $1 "
        "UNION ALL SELECT position, year || '=' || sundays FROM worked_sundays WHERE $1 = $2 ORDER BY 1",
        {name, kSundaysFile});
    if (!o) return o.error();
    std::vector<std::string> lines;
    for (size_t i = 0; i < o->rows.size(); ++i)
        lines.push_back(replaced(o->text(i, 1), kDataFolderMark + "/", data.string() + "/"));
    return lines;
}

result<> export_options(pg_connection& c, const fs::path& data) {
    for (const char* name : {kConfigFile, kSundaysFile}) {
        const result<std::vector<std::string>> lines = option_lines(c, data, name);
        if (!lines) return lines.error();
        if (lines->empty()) continue;
        if (io_result r = write_lines(data / name, *lines); !r) return refused(refusal_kind::Io, r.error);
    }
    return {};
}

result<> export_month(pg_connection& c, const fs::path& data, int id, folder_counts& n) {
    const result<month_rows> m = read_month_rows(c, id);
    if (!m) return m.error();
    // A name is a bare file name; one from a tampered store never leaves the folder.
    if (m->name.empty() || fs::path(m->name).has_parent_path() || m->name == "." || m->name == "..") return {};
    const fs::path file = data / m->name;
    std::string bytes;
    if (io_result r = lines_bytes(file, month_lines(*m), bytes); !r) return refused(refusal_kind::Io, r.error);
    if (m->sealed) bytes = seal_month_bytes(std::move(bytes));
    if (io_result r = write_bytes(file, bytes); !r) return refused(refusal_kind::Io, r.error);
    ++n.months;
    n.duties += int(m->duties.size());
    n.daysOff += int(m->daysOff.size());
    n.dayParameters += int(m->parameters.size());
    return {};
}

}  // namespace

result<ward_files> ward_file_lines(pg_connection& c, const fs::path& data) {
    folder_counts n;
    ward_files w;
    result<std::vector<std::string>> groups = group_lines(c, data, n);
    if (!groups) return groups.error();
    result<std::vector<std::string>> staff = staff_lines(c, data, n, false);
    if (!staff) return staff.error();
    result<std::vector<std::string>> config = option_lines(c, data, kConfigFile);
    if (!config) return config.error();
    w.groups = std::move(*groups);
    w.staff = std::move(*staff);
    w.config = std::move(*config);
    return w;
}

result<folder_counts> export_folder_into(pg_connection& c, const fs::path& data, std::optional<int> onlyMonth) {
    std::error_code ec;
    fs::create_directories(data, ec);
    folder_counts n;
    if (result<> r = export_groups(c, data, n); !r) return r.error();
    if (result<> r = export_staff(c, data, n); !r) return r.error();
    if (result<> r = export_options(c, data); !r) return r.error();
    if (onlyMonth) {
        if (result<> r = export_month(c, data, *onlyMonth, n); !r) return r.error();
        return n;
    }
    const result<pg_rows> months = c.exec("SELECT id FROM months ORDER BY name");
    if (!months) return months.error();
    for (size_t i = 0; i < months->rows.size(); ++i)
        if (result<> r = export_month(c, data, int(months->number(i, 0)), n); !r) return r.error();
    return n;
}

result<folder_counts> export_folder(pg_connection& c, const fs::path& data) {
    const Translator& tr = c.tr();
    if (result<> ready = schema_ready(c); !ready) return ready.error();
    std::error_code ec;
    for (const char* name : {kGroupFile, kStaffArchive})
        if (fs::exists(data / name, ec))
            return refused(refusal_kind::Conflict,
                           fill_message(tr.msg("msg_DbFolderHasWard",
                                               "Folder danych %s ma już oddział (%s); eksport nie zapisuje na nim."),
                                        {data.string(), name}));
    // One snapshot: an act committed meanwhile is either wholly in the files or not at all.
    result<pg_transaction> t = pg_transaction::begin(c, true);
    if (!t) return t.error();
    if (auto r = c.exec("SET TRANSACTION READ ONLY"); !r) return r.error();
    result<folder_counts> n = export_folder_into(c, data, std::nullopt);
    if (!n) return n;
    if (result<> r = t->commit(); !r) return r.error();
    return n;
}

result<std::vector<std::string>> read_month_file_lines(const fs::path& file, const Translator& tr, bool& sealed) {
    std::string raw, error;
    if (!read_bytes(file, raw, error, kAnyFileBound, &tr)) return refused(refusal_kind::Io, error, file.string());
    std::vector<std::string> lines = split_text_lines(cp1250_to_utf8(raw));
    month_ini ini;
    std::vector<month_problem> problems;
    ini.parse(lines, problems, &tr);
    const month_end_check end = check_month_end(raw, ini);
    if (!end.trusted()) return not_whole(tr, file, month_end_reason(tr, end));
    if (!problems.empty()) return not_whole(tr, file, problem_text(problems.front(), tr));
    // The end section is the writer's proof of a whole file, made again on the way out.
    sealed = end.state == month_end::whole;
    if (sealed) {
        const auto seal = std::find(lines.begin(), lines.end(), std::string("[") + kEndSection + "]");
        lines.erase(seal, lines.end());
        if (!lines.empty() && lines.back().empty()) lines.pop_back();  // the seal's own empty line before it
    }
    return lines;
}

}  // namespace planek::store
