// A month kept between acts and brought up to date by what was stamped
// since: after any mix of others' acts it is what a fresh read gives, row
// for row and byte for byte, and a save judged by it meets the rules a save
// judged by a fresh read meets.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "cli/cli_runner.h"
#include "core/text.h"
#include "store/month_save.h"
#include "store/pg_connection.h"
#include "store/ward_month.h"
#include "store/ward_refresh.h"
#include "support/store_ward.h"

namespace planek {
namespace {

using namespace planek::store;

using row_key = std::tuple<std::string, int, std::string, std::string, int, int>;
std::vector<row_key> keys(const std::vector<month_row>& rows) {
    std::vector<row_key> out;
    for (const month_row& r : rows) out.emplace_back(r.section, r.position, r.key, r.record, r.version, r.worker);
    std::sort(out.begin(), out.end());
    return out;
}

void expect_same(const ward_month& kept, const ward_month& fresh) {
    EXPECT_EQ(kept.clock, fresh.clock);
    EXPECT_EQ(keys(kept.read.duties), keys(fresh.read.duties));
    EXPECT_EQ(keys(kept.read.daysOff), keys(fresh.read.daysOff));
    EXPECT_EQ(keys(kept.read.parameters), keys(fresh.read.parameters));
    EXPECT_EQ(kept.read.rest, fresh.read.rest);
    EXPECT_EQ(kept.read.restPlaces, fresh.read.restPlaces);
    EXPECT_EQ(kept.files.staff, fresh.files.staff);
    ASSERT_EQ(kept.workers.size(), fresh.workers.size());
    for (const auto& [id, w] : fresh.workers) {
        const worker_read& k = kept.workers.at(id);
        EXPECT_EQ(k.version, w.version) << id;
        EXPECT_EQ(k.record, w.record) << id;
        EXPECT_EQ(k.balances.current, w.balances.current) << id;
        EXPECT_EQ(k.balances.previous, w.balances.previous) << id;
    }
    for (const auto& [id, w] : fresh.workers)
        for (const char* year : {"2026", "2027"})
            EXPECT_EQ(kept.sundays.readString(std::to_string(id), year, ""),
                      fresh.sundays.readString(std::to_string(id), year, ""))
                << id << " " << year;
    EXPECT_EQ(kept.bytes, fresh.bytes);
}

class StoreRefresh : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string url;
    std::optional<pg_connection> db;

    void SetUp() override {
        test::import_generated_ward(dir, dir / "ward",
                                    {"--workers", "8", "--groups", "1", "--months", "1", "--from", "2027-03", "--seed", "9"},
                                    url, db);
    }

    ward_month march() {
        result<ward_month> m = read_ward_month(*db, 2027, 3);
        EXPECT_TRUE(m.ok()) << m.error().text;
        return m.ok() ? std::move(*m) : ward_month{};
    }

    // Another planner's act, as a user runs it.
    void act(std::vector<std::string> words) {
        words.insert(words.begin(), {"--yes", "db", "act", url, "2027-03"});
        const test::result r = test::run_cli(dir, words);
        ASSERT_EQ(r.code, 0) << r.out << r.err;
    }

    refresh_outcome refresh(ward_month& m) {
        const result<refresh_outcome> r = refresh_ward_month(*db, m);
        EXPECT_TRUE(r.ok()) << r.error().text;
        return r.ok() ? *r : refresh_outcome::ReadAgain;
    }

    // A worker with a duty in March, and that duty's day.
    std::pair<int, int> a_duty(const ward_month& m) {
        const std::vector<std::string> f = split_fields(m.read.duties.at(0).record);
        return {std::atoi(f.at(1).c_str()), std::atoi(f.at(2).c_str())};
    }
};

TEST_F(StoreRefresh, AMonthKeptThroughOthersActsIsWhatAFreshReadGives) {
    ward_month kept = march();
    EXPECT_EQ(refresh(kept), refresh_outcome::Unchanged);

    const auto [worker, day] = a_duty(kept);
    act({"remove", std::to_string(worker), std::to_string(day)});
    act({"add-duty", "3", "28", "1", "--note", "kept-1"});
    ASSERT_EQ(refresh(kept), refresh_outcome::Refreshed);
    expect_same(kept, march());

    // Leave moves a balance and the staff line with it; a day's note is a
    // parameter; a removed day off leaves only its key behind.
    act({"add-dayoff", "2", "29", "u"});
    act({"add-dayoff", "4", "30", "u"});
    act({"set-day", "12", "--note", "kept-2"});
    ASSERT_EQ(refresh(kept), refresh_outcome::Refreshed);
    expect_same(kept, march());
    act({"remove", "2", "29", "--dayoff"});
    act({"add-duty", "5", "29", "1"});
    act({"set-day", "12", "--no-note"});
    ASSERT_EQ(refresh(kept), refresh_outcome::Refreshed);
    expect_same(kept, march());
    EXPECT_EQ(refresh(kept), refresh_outcome::Unchanged);
}

TEST_F(StoreRefresh, AStaleMonthsSaveIsRefusedAndTheSameEditAfterARefreshIsSaved) {
    ward_month kept = march();
    const auto [worker, day] = a_duty(kept);
    const std::string target = kept.read.duties.at(0).record;
    // Someone changes the very duty this program is about to remove.
    act({"remove", std::to_string(worker), std::to_string(day)});
    act({"add-duty", std::to_string(worker), std::to_string(day), "1", "--note", "theirs"});

    auto removing_first_of = [&](const ward_month& m, const std::string& worker_day) {
        month_rows now = m.read;
        const auto it = std::find_if(now.duties.begin(), now.duties.end(), [&](const month_row& r) {
            const std::vector<std::string> f = split_fields(r.record);
            return f.at(1) + " " + f.at(2) == worker_day;
        });
        EXPECT_NE(it, now.duties.end());
        if (it != now.duties.end()) now.duties.erase(it);
        month_save s;
        s.act = "test";
        s.lines = month_lines(now);
        return s;
    };
    const std::string wd = std::to_string(worker) + " " + std::to_string(day);
    const result<save_outcome> stale = save_month(*db, kept.read, removing_first_of(kept, wd));
    ASSERT_FALSE(stale.ok());
    EXPECT_EQ(stale.error().kind, refusal_kind::Conflict);

    ASSERT_EQ(refresh(kept), refresh_outcome::Refreshed);
    const result<save_outcome> again = save_month(*db, kept.read, removing_first_of(kept, wd));
    ASSERT_TRUE(again.ok()) << again.error().text;
    EXPECT_EQ(again->removed, 1);
    const ward_month after = march();
    for (const month_row& r : after.read.duties) {
        EXPECT_EQ(r.record.find("theirs"), std::string::npos) << "the new duty was the one removed";
        EXPECT_NE(r.record, target);
    }
    // The program's own save comes back to it as any other's.
    ASSERT_EQ(refresh(kept), refresh_outcome::Refreshed);
    expect_same(kept, after);
}

TEST_F(StoreRefresh, AChangedWardReadsTheMonthWhole) {
    ward_month kept = march();
    ASSERT_TRUE(db->exec("UPDATE store_clock SET n = n + 1").ok());
    ASSERT_TRUE(db->exec("UPDATE groups SET name = name || 'x'").ok());
    EXPECT_EQ(refresh(kept), refresh_outcome::ReadAgain);
    expect_same(kept, march());
}

}  // namespace
}  // namespace planek
