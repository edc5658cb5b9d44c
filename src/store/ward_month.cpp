#include "store/ward_month.h"

#include <cstdlib>

#include "calendar/holidays.h"
#include "core/file_io.h"
#include "core/stored_fields.h"
#include "core/text.h"
#include "files/file_problems.h"
#include "files/month_file.h"
#include "files/month_seal.h"
#include "files/staff_file.h"
#include "files/sundays.h"

namespace planek::store {

namespace {

// No folder stands behind a session on the store's rows; the configuration's
// paths of the data folder are given as this one's.
const std::filesystem::path kNoFolder = "/dev/null/planek-store";

// The staff lines by worker id.
std::map<int, std::string> lines_by_worker(const std::vector<std::string>& lines) {
    std::map<int, std::string> by;
    for (const std::string& line : lines) {
        const std::vector<std::string> f = split_fields(line);
        if (f.size() >= 2) by.emplace(std::atoi(f[1].c_str()), line);
    }
    return by;
}

// The workers' Sundays of the month that the act changed, as marks over
// their year's record (the other months' Sundays left to the store).
std::vector<sunday_marks> sundays_of(const Plan& plan, const IniFile& stored) {
    std::vector<sunday_marks> out;
    if (plan.weekMode || plan.year < 1 || plan.month < 1 || plan.month > 12) return out;
    IniFile now = stored;
    put_month_sundays(plan, now);
    const std::string year = std::to_string(plan.year);
    for (const prac& w : plan.workers) {
        const std::string section = std::to_string(w.id);
        const std::string was = stored.readString(section, year, ""), is = now.readString(section, year, "");
        if (was == is) continue;
        sunday_marks m{int(w.id), plan.year, std::string(size_t(sundays_in_year(plan.year)), '.')};
        for (int d = 1; d <= days_in_month(plan.year, plan.month); ++d)
            if (const int at = sunday_position(plan.year, plan.month, d);
                at > 0 && size_t(at) <= m.marks.size())
                m.marks[size_t(at - 1)] = size_t(at) <= is.size() ? is[size_t(at - 1)] : '0';
        out.push_back(std::move(m));
    }
    return out;
}

}  // namespace

result<ward_month> read_ward_month(pg_connection& db, int year, int month) {
    ward_month out;
    result<pg_transaction> tx = pg_transaction::begin(db, true);
    if (!tx) return tx.error();
    if (auto r = db.exec("SET TRANSACTION READ ONLY"); !r) return r.error();
    const result<pg_rows> clock = db.exec("SELECT n FROM store_clock WHERE id = 1");
    if (!clock) return clock.error();
    out.clock = clock->empty() ? 0 : clock->number(0, 0);
    result<month_rows> found = find_month_rows(db, year, month);
    if (!found) return found.error();
    out.read = std::move(*found);
    const result<pg_rows> w = db.exec(
        "SELECT w.id, w.version, w.record, b.holiday_current, b.holiday_previous, b.care_days, b.reha_days "
        "FROM workers w LEFT JOIN balances b ON b.worker_id = w.id");
    if (!w) return w.error();
    for (size_t i = 0; i < w->rows.size(); ++i)
        out.workers[int(w->number(i, 0))] = {
            int(w->number(i, 1)),
            w->text(i, 2),
            {int(w->number(i, 0)), w->number(i, 3), w->number(i, 4), w->number(i, 5), w->number(i, 6)}};
    const result<pg_rows> su = db.exec("SELECT worker_id, year, sundays FROM worked_sundays");
    if (!su) return su.error();
    for (size_t i = 0; i < su->rows.size(); ++i) out.sundays.writeString(su->text(i, 0), su->text(i, 1), su->text(i, 2));
    result<ward_files> ward = ward_file_lines(db, Paths::local(kNoFolder).data);
    if (!ward) return ward.error();
    out.files = std::move(*ward);
    if (auto r = tx->commit(); !r) return r.error();
    if (result<> r = render_month_bytes(out); !r) return r.error();
    return out;
}

result<> render_month_bytes(ward_month& m) {
    m.bytes.clear();
    if (io_result r = lines_bytes(m.read.name, month_lines(m.read), m.bytes); !r)
        return refused(refusal_kind::Io, r.error);
    if (m.read.sealed) m.bytes = seal_month_bytes(std::move(m.bytes));
    return {};
}

month_save changes_of(const Plan& plan, const ward_month& read, int group, const std::string& act) {
    month_save save;
    save.sundays = sundays_of(plan, read.sundays);
    save.group = group;
    save.act = act;
    save.lines = month_file_lines(plan);
    file_problems ignored{plan.tr, {}};
    auto compare = [&](int id, const std::string& was, const std::string& line) {
        const auto stored = read.workers.find(id);
        if (stored == read.workers.end() || was == line) return;
        const balance_change a = balances_of(id, was), b = balances_of(id, line);
        save.balances.push_back(
            {id, b.current - a.current, b.previous - a.previous, b.care - a.care, b.reha - a.reha});
        if (without_balances(line) != without_balances(was))
            save.workers.push_back({id, stored->second.version, stored->second.record, line});
    };
    const staff_on_disk* disk = plan.staffOnDisk ? &*plan.staffOnDisk : nullptr;
    const size_t n = plan.workers.size();
    const auto aligned = [&] {
        for (size_t i = 0; i < n; ++i)
            if (disk->records[i].id != plan.workers[i].id) return false;
        return true;
    };
    if (disk && disk->records.size() == n && disk->lines.size() == n && aligned()) {
        // A worker whose stored fields are those her line was made from has
        // that line still: only the others are made into lines.
        for (size_t i = 0; i < n; ++i)
            if (!same_fields(plan.workers[i], disk->records[i], kStaffFields))
                compare(int(plan.workers[i].id), disk->lines[i], staff_file_line(plan.workers[i], ignored));
        return save;
    }
    const std::map<int, std::string> before = lines_by_worker(disk ? disk->lines : std::vector<std::string>{});
    for (const auto& [id, line] : lines_by_worker(staff_file_lines(plan.workers, ignored))) {
        const auto was = before.find(id);
        if (was != before.end()) compare(id, was->second, line);
    }
    return save;
}

}  // namespace planek::store
