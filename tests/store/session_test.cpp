// A planner's program as one `db session`: acts read one a line, each
// answered with one line, a row changed under an act retried on the new
// rows without the planner, and two sessions moving one worker's balance
// at once losing neither's leave.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "cli/cli_runner.h"
#include "core/text.h"
#include "store/folder_transfer.h"
#include "store/month_rows.h"
#include "store/pg_connection.h"
#include "store/schema.h"
#include "support/pg_cluster.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using namespace planek::store;

const Translator kPolish;

class StoreSession : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string url;
    std::optional<pg_connection> db;

    // A ward with March planned and April empty, on the server.
    void SetUp() override {
        const fs::path ward = dir / "ward";
        test::result r = test::run_cli(dir, {"generate", ward.string(), "--workers", "8", "--groups", "1", "--months",
                                             "1", "--from", "2027-03", "--seed", "3"});
        ASSERT_EQ(r.code, 0) << r.err;
        r = test::run_cli(dir, {"--root", ward.string(), "new", (ward / "dane" / "2027_04.pnk").string(), "2027-04"});
        ASSERT_EQ(r.code, 0) << r.err;
        url = test::pg_cluster::running().fresh_database();
        db.emplace(connect());
        ASSERT_TRUE(migrate(*db).ok());
        const result<folder_counts> in = import_folder(*db, ward / "dane");
        ASSERT_TRUE(in.ok()) << in.error().text;
    }

    pg_connection connect() {
        result<pg_connection> c = pg_connection::open(url, kPolish);
        EXPECT_TRUE(c.ok()) << c.error().text;
        return std::move(*c);
    }

    // A session fed `input`; `name` keeps two sessions' files apart.
    test::result session(const std::string& input, const std::string& name = "s",
                         const std::vector<std::string>& before = {"--lang", "english"}) {
        const fs::path in = dir / (name + ".in"), out = dir / (name + ".out"), err = dir / (name + ".err");
        std::ofstream(in) << input;
        std::string cmd = "LC_ALL=C.UTF-8 LANG=C.UTF-8 " + test::quote(PLANEK_CLI);
        for (const std::string& a : before) cmd += " " + test::quote(a);
        cmd += " --yes db session " + test::quote(url) + " <" + test::quote(in.string()) + " >" +
               test::quote(out.string()) + " 2>" + test::quote(err.string());
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::read_file(out), test::read_file(err)};
    }

    long long count(const std::string& sql, const std::vector<pg_value>& params = {}) {
        const result<pg_rows> r = db->exec(sql, params);
        EXPECT_TRUE(r.ok()) << r.error().text;
        return r.ok() && !r->empty() ? r->number(0, 0) : -1;
    }

    long long holiday(int worker) {
        return count("SELECT holiday_current + holiday_previous FROM balances WHERE worker_id = $1",
                     {std::to_string(worker)});
    }
    // The minutes of the worker's April leave, as its records hold them.
    long long leave_taken(int worker) {
        return count("SELECT coalesce(sum(split_part(d.record, '¤', 5)::integer), 0) FROM days_off d JOIN months m ON "
                     "m.id = d.month_id WHERE m.month = 4 AND d.kind = 'u' AND d.worker_id = $1",
                     {std::to_string(worker)});
    }
};

// The answers only: the lines that say what became of an act.
std::vector<std::string> answers(const std::string& out) {
    std::vector<std::string> a;
    for (const std::string& l : test::lines(out))
        for (const char* start : {"committed", "retried", "refused", "zapisano", "odmowa"})
            if (l.rfind(start, 0) == 0) {
                a.push_back(l);
                break;
            }
    return a;
}

TEST_F(StoreSession, EveryActIsAnsweredByOneLineAndARefusalEndsNothing) {
    const test::result r = session(
        "2027-04 add-duty 3 5 1 --note \"two words\"\n"
        "\n"
        "# the rest of the week\n"
        "2027-04 add-duty 999 6 1\n"
        "2027-04 no-such-command 3\n"
        "2027-13 add-duty 3 6 1\n"
        "2027-04 add-dayoff 4 8 u\n"
        "2027-04 add-duty 3 5 1 --note \"two words\"\n");
    EXPECT_EQ(r.code, 1) << "some acts were refused";
    const std::vector<std::string> a = answers(r.out);
    ASSERT_EQ(a.size(), 6u) << r.out << r.err;
    EXPECT_EQ(a[0], "committed");
    for (size_t i : {1, 2, 3}) {
        EXPECT_EQ(a[i].rfind("refused: ", 0), 0u) << a[i];
        EXPECT_GT(a[i].size(), std::string("refused: ").size()) << "a refusal says why";
    }
    EXPECT_NE(a[2].find("no-such-command"), std::string::npos) << a[2];
    EXPECT_EQ(a[4], "committed");
    // The same duty again meets the duty the first act left: the session saw its own save.
    EXPECT_EQ(a[5].rfind("refused: ", 0), 0u) << a[5];
    EXPECT_EQ(count("SELECT count(*) FROM duties d JOIN months m ON m.id = d.month_id WHERE m.month = 4 AND "
                    "d.worker_id = 3 AND d.day = 5 AND d.record LIKE '%two words%'"),
              1);
    EXPECT_EQ(count("SELECT count(*) FROM days_off d JOIN months m ON m.id = d.month_id WHERE m.month = 4 AND "
                    "d.worker_id = 4"),
              1);
    // Nobody is shown editing once the session has ended.
    EXPECT_EQ(count("SELECT count(*) FROM editing"), 0);

    const test::result polish = session("2027-04 add-duty 5 9 1\n2027-04 add-duty 999 9 1\n", "pl", {"--lang", "polski"});
    const std::vector<std::string> pa = answers(polish.out);
    ASSERT_EQ(pa.size(), 2u) << polish.out << polish.err;
    EXPECT_EQ(pa[0], "zapisano");
    EXPECT_EQ(pa[1].rfind("odmowa: ", 0), 0u) << pa[1];
}

TEST_F(StoreSession, ARowChangedUnderAnActIsRetriedOnTheNewRowsByItself) {
    ASSERT_EQ(session("2027-04 add-duty 2 10 1\n").code, 0);
    const std::string month = std::to_string(count("SELECT id FROM months WHERE month = 4"));
    // Another planner holds the month and changes the duty the session is about to remove.
    pg_connection other = connect();
    ASSERT_TRUE(other.exec("BEGIN").ok());
    ASSERT_TRUE(other.exec("SELECT 1 FROM months WHERE id = $1 FOR UPDATE", {month}).ok());
    ASSERT_TRUE(other.exec("UPDATE store_clock SET n = n + 1").ok());
    const result<pg_rows> touched = other.exec(
        "UPDATE duties SET version = version + 1 WHERE month_id = $1 AND worker_id = 2 AND day = 10", {month});
    ASSERT_TRUE(touched.ok());
    ASSERT_EQ(touched->affected, 1);

    test::result r;
    std::thread planner([&] { r = session("2027-04 remove 2 10\n"); });
    // Once the session's save waits for the month, the other planner commits under it.
    bool waiting = false;
    for (int i = 0; i < 500 && !waiting; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        waiting = count("SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock' AND datname = "
                        "current_database()") > 0;
    }
    EXPECT_TRUE(waiting);
    ASSERT_TRUE(other.exec("COMMIT").ok());
    planner.join();
    EXPECT_EQ(r.code, 0) << r.out << r.err;
    const std::vector<std::string> a = answers(r.out);
    ASSERT_EQ(a.size(), 1u) << r.out << r.err;
    EXPECT_EQ(a[0], "retried: committed on the new data (tries: 2)");
    EXPECT_EQ(count("SELECT count(*) FROM duties WHERE month_id = $1 AND worker_id = 2 AND day = 10", {month}), 0);
}

TEST_F(StoreSession, TwoSessionsTakingLeaveOffOneWorkerLoseNoUpdate) {
    const long long before = holiday(2);
    std::string first, second;
    for (int d = 1; d <= 12; ++d) first += "2027-04 add-dayoff 2 " + std::to_string(d) + " u\n";
    for (int d = 13; d <= 24; ++d) second += "2027-04 add-dayoff 2 " + std::to_string(d) + " u\n";
    // The first also gives back some of its own, so both add and remove meet the other's rows.
    for (int d = 1; d <= 12; d += 3) first += "2027-04 remove 2 " + std::to_string(d) + " --dayoff\n";
    test::result a, b;
    std::thread one([&] { a = session(first, "one"); });
    std::thread two([&] { b = session(second, "two"); });
    one.join();
    two.join();
    EXPECT_EQ(a.code, 0) << a.out << a.err;
    EXPECT_EQ(b.code, 0) << b.out << b.err;
    for (const test::result* r : {&a, &b})
        for (const std::string& line : answers(r->out)) EXPECT_NE(line.rfind("refused", 0), 0u) << line;
    EXPECT_EQ(answers(a.out).size(), 16u);
    EXPECT_EQ(answers(b.out).size(), 12u);
    EXPECT_EQ(count("SELECT count(*) FROM days_off d JOIN months m ON m.id = d.month_id WHERE m.month = 4 AND "
                    "d.worker_id = 2"),
              12 - 4 + 12);
    const long long taken = leave_taken(2);
    EXPECT_GT(taken, 0);
    EXPECT_EQ(before - holiday(2), taken) << "the balance shows every leave the store holds, and only those";
}

}  // namespace
}  // namespace planek
