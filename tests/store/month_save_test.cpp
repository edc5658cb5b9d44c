// A month saved through the store while others save it too: an act changes
// only the rows it changed, a row changed under it refuses the act instead
// of being overwritten, and the balances add up whoever moved them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>

#include "cli/cli_runner.h"
#include "core/text.h"
#include "store/folder_transfer.h"
#include "store/history.h"
#include "store/month_rows.h"
#include "store/month_save.h"
#include "store/pg_connection.h"
#include "store/schema.h"
#include "support/pg_cluster.h"
#include "support/store_ward.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using namespace planek::store;


bool holds(const std::vector<month_row>& rows, const std::string& record) {
    return std::any_of(rows.begin(), rows.end(), [&](const month_row& r) { return r.record == record; });
}

class StoreSave : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string url;
    std::optional<pg_connection> db;

    void SetUp() override {
        test::import_generated_ward(dir, dir / "ward",
                                    {"--workers", "10", "--groups", "1", "--months", "1", "--from", "2027-03", "--seed", "4"},
                                    url, db);
    }

    month_rows march() {
        result<month_rows> m = find_month_rows(*db, 2027, 3);
        EXPECT_TRUE(m.ok()) << m.error().text;
        return *m;
    }

    result<save_outcome> save(const month_rows& read, const month_rows& now, std::vector<balance_change> balances = {}) {
        month_save s;
        s.act = "test";
        s.lines = month_lines(now);
        s.balances = std::move(balances);
        return save_month(*db, read, s);
    }

    long long balance(int worker) {
        return db->exec("SELECT holiday_current + holiday_previous FROM balances WHERE worker_id = $1",
                        {std::to_string(worker)})
            ->number(0, 0);
    }
};

TEST_F(StoreSave, AStaleActKeepsOthersChangesAndIsRefusedOnTheirRows) {
    const month_rows a = march(), b = march();
    ASSERT_GE(a.duties.size(), 2u);
    const std::string gone = a.duties.front().record;

    month_rows mine = a;
    mine.duties.erase(mine.duties.begin());
    const result<save_outcome> first = save(a, mine);
    ASSERT_TRUE(first.ok()) << first.error().text;
    EXPECT_EQ(first->removed, 1);
    EXPECT_EQ(first->added, 0);

    // The second planner read before that save and removes the same duty.
    month_rows theirs = b;
    theirs.duties.erase(theirs.duties.begin());
    const result<save_outcome> late = save(b, theirs);
    ASSERT_FALSE(late.ok());
    EXPECT_EQ(late.error().kind, refusal_kind::Conflict);

    // From the same stale read, a duty of their own joins the month and
    // brings back nothing the first one removed.
    month_rows added = b;
    std::vector<std::string> f = split_fields(b.duties.back().record);
    f.at(7) = "z drugiego komputera";
    added.duties.push_back({0, join_fields(f), 0, std::atoi(f.at(1).c_str()), {}, {}});
    const result<save_outcome> other = save(b, added);
    ASSERT_TRUE(other.ok()) << other.error().text;
    EXPECT_EQ(other->added, 1);
    EXPECT_EQ(other->removed, 0);

    const month_rows now = march();
    auto count = [&](const month_rows& m) {
        return std::count_if(m.duties.begin(), m.duties.end(), [&](const month_row& r) { return r.record == gone; });
    };
    EXPECT_EQ(count(now), count(a) - 1);
    EXPECT_TRUE(holds(now.duties, join_fields(f)));
    EXPECT_EQ(now.duties.size(), a.duties.size());  // one removed, one added
    // The month comes out with both acts in it, its duties numbered afresh.
    const std::vector<std::string> lines = month_lines(now);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "d" + std::to_string(now.duties.size()) + "=" + now.duties.back().record),
              lines.end());
}

// The month's other lines: one coming into a section takes a place between
// its neighbours and leaves the lines after it where they are; many coming
// into one spot, past what the places between two lines can hold, number
// the lines again, and the month still reads back in its order.
TEST_F(StoreSave, ALineComingIntoTheMonthMovesNoOtherLine) {
    const month_rows first = march();
    // The end of the first section after [info] that holds entries.
    size_t end = 0;
    for (size_t i = 1; i < first.rest.size() && !end; ++i) {
        if (first.rest[i].rfind("[info]", 0) == 0 || first.rest[i].front() != '[') continue;
        size_t j = i + 1;
        while (j < first.rest.size() && !first.rest[j].empty() && first.rest[j].front() != '[') ++j;
        if (j > i + 1) end = j;
    }
    ASSERT_GT(end, 0u);
    auto whole_places = [&] {
        return db->exec("SELECT count(*) FROM month_lines WHERE month_id = $1 AND position = floor(position)",
                        {std::to_string(first.id)})
            ->number(0, 0);
    };
    const long long before = whole_places();
    std::vector<std::string> added;
    for (int n = 0; n < 70; ++n) {
        const month_rows read = march();
        month_rows now = read;
        added.push_back("t" + std::to_string(n) + "=" + std::to_string(n));
        now.rest.insert(now.rest.begin() + long(end) + n, added.back());
        const result<save_outcome> saved = save(read, now);
        ASSERT_TRUE(saved.ok()) << saved.error().text;
        if (n == 0) {
            EXPECT_EQ(whole_places(), before) << "the lines after it kept their places";
            EXPECT_EQ(march().rest, now.rest);
        }
    }
    const month_rows last = march();
    ASSERT_EQ(last.rest.size(), first.rest.size() + added.size());
    EXPECT_EQ(std::vector<std::string>(last.rest.begin() + long(end), last.rest.begin() + long(end + added.size())), added);
    EXPECT_TRUE(std::equal(first.rest.begin() + long(end), first.rest.end(), last.rest.begin() + long(end + added.size())));
}

TEST_F(StoreSave, DayParametersMergeByDayAndRefuseTheSameDay) {
    const month_rows a = march(), b = march();
    month_rows mine = a, theirs = b, elsewhere = b;
    mine.parameters.push_back({0, "Audyt", 0, 0, "kalendarz_notatki", "3"});
    theirs.parameters.push_back({0, "Szkolenie", 0, 0, "kalendarz_notatki", "3"});
    elsewhere.parameters.push_back({0, "Szkolenie", 0, 0, "kalendarz_notatki", "4"});
    ASSERT_TRUE(save(a, mine).ok());
    const result<save_outcome> same = save(b, theirs);
    ASSERT_FALSE(same.ok());
    EXPECT_EQ(same.error().kind, refusal_kind::Conflict);
    ASSERT_TRUE(save(b, elsewhere).ok());
    const month_rows now = march();
    int notes = 0;
    for (const month_row& p : now.parameters)
        if (p.section == "kalendarz_notatki" && (p.key == "3" || p.key == "4")) {
            ++notes;
            EXPECT_EQ(p.record, p.key == "3" ? "Audyt" : "Szkolenie");
        }
    EXPECT_EQ(notes, 2);

    // A changed note must be the note read.
    month_rows again = now;
    for (month_row& p : again.parameters)
        if (p.key == "3" && p.section == "kalendarz_notatki") p.record = "Audyt zewnętrzny";
    ASSERT_TRUE(save(now, again).ok());
    const result<save_outcome> overwritten = save(now, again);  // the same act from the read before it
    ASSERT_FALSE(overwritten.ok());
}

TEST_F(StoreSave, BalancesMoveByEachActsDifference) {
    const long long before = balance(2);
    const month_rows a = march(), b = march();
    // Both read the same balance and take 7:35 each off it.
    ASSERT_TRUE(save(a, a, {{2, -455, 0, 0, 0}}).ok());
    ASSERT_TRUE(save(b, b, {{2, 0, -455, 0, 0}}).ok());
    EXPECT_EQ(balance(2), before - 910);
    const result<std::vector<history_entry>> h = read_history(*db, "2027-03", 2);
    ASSERT_TRUE(h.ok());
    ASSERT_EQ(h->size(), 2u);
    EXPECT_NE(h->back().after.find("\"balance\""), std::string::npos) << h->back().after;
    EXPECT_EQ(h->front().act, "test");
}

// Two planners, two programs, one worker's leave at the same moment.
TEST_F(StoreSave, TwoPlannersTakingLeaveAtOnceBothCount) {
    const long long before = balance(2);
    test::result r1, r2;
    test::TempDir d1, d2;
    std::thread one([&] { r1 = test::run_cli(d1, {"--yes", "db", "act", url, "2027-03", "add-dayoff", "2", "20", "u"}); });
    std::thread two([&] { r2 = test::run_cli(d2, {"--yes", "db", "act", "--db", url, "2027-03", "add-dayoff", "2", "24", "u"}); });
    one.join();
    two.join();
    ASSERT_EQ(r1.code, 0) << r1.out << r1.err;
    ASSERT_EQ(r2.code, 0) << r2.out << r2.err;
    const month_rows now = march();
    long long taken = 0;
    std::set<int> days;
    for (const month_row& w : now.daysOff) {
        const std::vector<std::string> f = split_fields(w.record);
        if (w.worker == 2 && f.at(5) == "u" && (f.at(2) == "20" || f.at(2) == "24")) {
            days.insert(std::atoi(f.at(2).c_str()));
            taken += std::atoll(f.at(4).c_str());
        }
    }
    EXPECT_EQ(days, (std::set<int>{20, 24}));
    EXPECT_GT(taken, 0);
    EXPECT_EQ(balance(2), before - taken);

    test::TempDir d3;
    const test::result listed = test::run_cli(d3, {"db", "history", url, "--month", "2027-03", "--worker", "2"});
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_EQ(test::lines(listed.out).size(), 2u) << listed.out;
    EXPECT_NE(listed.out.find("add-dayoff 2 20 u"), std::string::npos) << listed.out;
}

// What a head nurse reads when a duty "disappeared": who removed it, from
// where, and the duty itself.
TEST_F(StoreSave, TheHistoryShowsARemovedDutyWithItsRecord) {
    const month_rows before = march();
    const month_row* duty = nullptr;
    for (const month_row& d : before.duties)
        if (d.worker == 3) duty = &d;
    ASSERT_NE(duty, nullptr);
    const std::string day = split_fields(duty->record).at(2);
    test::TempDir d;
    const test::result removed = test::run_cli(d, {"--yes", "db", "act", url, "2027-03", "remove", "3", day});
    ASSERT_EQ(removed.code, 0) << removed.out << removed.err;
    const month_rows after = march();
    EXPECT_LT(after.duties.size(), before.duties.size());

    const test::result listed = test::run_cli(d, {"db", "history", "--db", url, "--month", "2027-03", "--worker", "3"});
    ASSERT_EQ(listed.code, 0) << listed.err;
    const std::vector<std::string> rows = test::lines(listed.out);
    ASSERT_EQ(rows.size(), 1u) << listed.out;
    const std::vector<std::string> f = split_fields(rows[0], "\t");
    ASSERT_EQ(f.size(), 7u) << rows[0];
    EXPECT_EQ(f[1], "planek");  // the server's user
    EXPECT_EQ(f[3], "remove 3 " + day);
    EXPECT_EQ(f[4], "3");
    EXPECT_NE(f[5].find(duty->record), std::string::npos) << f[5];
    EXPECT_EQ(f[6].find(duty->record), std::string::npos) << f[6];
    // Another month, another worker: nothing.
    EXPECT_TRUE(test::run_cli(d, {"db", "history", url, "--month", "2027-04"}).out.empty());
    EXPECT_TRUE(test::run_cli(d, {"db", "history", url, "--month", "2027-03", "--worker", "4"}).out.empty());
}

TEST_F(StoreSave, ARefusedActSavesNothing) {
    const month_rows before = march();
    test::TempDir d;
    const test::result bad = test::run_cli(d, {"db", "act", url, "2027-03", "add-duty", "999", "3", "1"});
    EXPECT_EQ(bad.code, 1) << bad.out << bad.err;
    EXPECT_EQ(test::run_cli(d, {"db", "act", url, "2027-03"}).code, 2);
    EXPECT_EQ(test::run_cli(d, {"db", "act", url, "2027-13", "add-duty", "1", "3", "1"}).code, 2);
    EXPECT_EQ(test::run_cli(d, {"db", "act", url, "2031-01", "add-duty", "1", "3", "1"}).code, 1);
    const month_rows after = march();
    EXPECT_EQ(after.duties.size(), before.duties.size());
    EXPECT_EQ(db->exec("SELECT count(*) FROM history WHERE act <> 'import'")->number(0, 0), 0);
}

}  // namespace
}  // namespace planek
