// The same acts on a data folder and on the store leave the same ward: each
// act says the same and ends the same way on both, and afterwards the
// month's figures, the staff's balances and the worked Sundays are equal.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "core/ini_file.h"
#include "store/folder_transfer.h"
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


// Where two long texts part, with a little of each around it.
std::string first_difference(const std::string& a, const std::string& b) {
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    const size_t from = at < 120 ? 0 : at - 120;
    return "at " + std::to_string(at) + ":\n  " + a.substr(from, 240) + "\n  " + b.substr(from, 240);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class BothStores : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path ward;
    std::string url;
    std::optional<pg_connection> db;

    void SetUp() override {
        ward = dir / "ward";
        test::import_generated_ward(dir, ward,
                                    {"--workers", "12", "--groups", "2", "--months", "1", "--from", "2027-03", "--seed", "7"},
                                    url, db);
    }

    std::string month_file() const { return (ward / "dane" / "2027_03.pnk").string(); }

    // One act on both, in English, answering yes; the outputs with the
    // month named as the store names it.
    void both(const std::vector<std::string>& act) {
        std::vector<std::string> onFolder{"--root", ward.string(), "--lang",    "english",
                                          "--yes",  act[0],        month_file()};
        std::vector<std::string> onStore{"--lang", "english", "--yes", "db", "act", url, "2027-03", act[0]};
        onFolder.insert(onFolder.end(), act.begin() + 1, act.end());
        onStore.insert(onStore.end(), act.begin() + 1, act.end());
        const test::result f = test::run_cli(dir, onFolder), s = test::run_cli(dir, onStore);
        std::string said;
        for (const std::string& a : act) said += a + " ";
        EXPECT_EQ(f.code, s.code) << said << "\nfolder: " << f.err << "\nstore: " << s.err;
        EXPECT_EQ(replaced(f.out, month_file(), "2027_03.pnk"), s.out) << said;
        EXPECT_EQ(replaced(f.err, month_file(), "2027_03.pnk"), s.err) << said;
    }

    // The store's ward as a folder of its own.
    fs::path exported() {
        const fs::path out = dir / "exported";
        const test::result e = test::run_cli(dir, {"db", "export", url, out.string()});
        EXPECT_EQ(e.code, 0) << e.err;
        return out;
    }

    // The month's figures of a ward. Two duties of one day may stand in
    // either order (a ward's save on the folder puts its records last, the
    // store keeps them where they were): a day's symbols are sorted.
    std::string figures(const fs::path& root, const std::string& group) {
        const test::result r =
            test::run_cli(dir, {"--root", root.string(), "--lang", "english", "summary",
                                (root / "dane" / "2027_03.pnk").string(), "--group", group, "--json"});
        EXPECT_EQ(r.code, 0) << r.err;
        static const std::regex symbol(R"re("symbol":"([^"]*)")re");
        std::string out;
        auto from = r.out.cbegin();
        for (std::sregex_iterator it(r.out.begin(), r.out.end(), symbol), end; it != end; ++it) {
            std::vector<std::string> parts;
            std::stringstream day((*it)[1].str());
            for (std::string p; std::getline(day, p, '/');) parts.push_back(p);
            std::sort(parts.begin(), parts.end());
            std::string joined;
            for (const std::string& p : parts) joined += (joined.empty() ? "" : "/") + p;
            out.append(from, (*it)[0].first) += "\"symbol\":\"" + joined + "\"";
            from = (*it)[0].second;
        }
        return out.append(from, r.out.cend());
    }
};

TEST_F(BothStores, EveryActLeavesTheSameWardOnBoth) {
    const std::vector<std::vector<std::string>> acts = {
        {"add-duty", "3", "5", "1"},
        {"add-duty", "4", "7", "1", "--note", "ward round"},                   // a Sunday
        {"add-duty", "9", "21", "1", "--start", "7:00", "--length", "12:00"},  // a Sunday
        {"add-dayoff", "2", "22", "u"},
        {"add-dayoff", "5", "15", "u", "--to", "17"},
        {"add-dayoff", "6", "9", "z"},
        {"remove", "3", "5"},
        {"remove", "4", "7", "--duty", "1"},
        {"add-duty", "999", "3", "1"},  // no such worker
        {"add-duty", "3", "40", "1"},   // no such day
        {"add-duty", "3", "6", "nosuchshift"},
        {"add-dayoff", "2", "22", "u"},  // the same leave again
        {"remove", "8", "30", "--dayoff"},
        {"set-day", "12", "--holiday"},
        {"set-day", "13", "--note", "inspection"},
        {"wish", "7", "11", "off"},
        {"add-duty", "10", "14", "1", "--group", "2"},  // a Sunday, in the second ward
        {"add-duty"},                                   // too few words
        {"show", "--group", "1"},
        {"summary", "--group", "2", "--worker", "10"},
        {"warnings", "--group", "1"},  // on a scratch folder: it writes its report beside the month
    };
    for (const std::vector<std::string>& act : acts) both(act);

    const fs::path out = exported();
    for (const char* group : {"1", "2"}) {
        const std::string here = figures(ward, group), there = figures(out, group);
        EXPECT_TRUE(here == there) << "group " << group << " " << first_difference(here, there);
    }
    const test::result staffHere = test::run_cli(dir, {"--root", ward.string(), "staff"});
    const test::result staffThere = test::run_cli(dir, {"--root", out.string(), "staff"});
    EXPECT_EQ(staffHere.out, staffThere.out);
    // The worked Sundays, value by value (the order of a record's lines is the writer's own).
    IniFile here(ward / "dane" / "sundays.ini"), there(out / "dane" / "sundays.ini");
    for (int w = 1; w <= 12; ++w)
        EXPECT_EQ(here.readString(std::to_string(w), "2027", ""),
                  there.readString(std::to_string(w), "2027", ""))
            << "worker " << w;
    EXPECT_NE(there.readString("4", "2027", "").find('1'), std::string::npos)
        << "the Sunday duty of worker 4";
    // An edit of one ward's part judges only its own workers' Sundays.
    EXPECT_NE(here.readString("2", "2027", "").find('1'), std::string::npos) << "the Sunday duty of worker 2";
}

// Another month's act may set a worker's Sunday of the same year meanwhile:
// an act's save keeps it, and a worker without a record gets one of his own.
TEST_F(BothStores, AnActsSundaysGoOntoTheRecordAsStoredNow) {
    ASSERT_TRUE(db->exec("DELETE FROM worked_sundays").ok());
    ASSERT_TRUE(db->exec("DELETE FROM options WHERE file = 'sundays.ini'").ok());
    ASSERT_TRUE(
        db->exec("INSERT INTO options (file, position, section, key, value) VALUES ('sundays.ini', 0, '3', "
                 "NULL, '[3]')")
            .ok());
    const std::string others = "1" + std::string(50, '0') + "1";  // the first and the last Sunday of 2027
    ASSERT_TRUE(
        db->exec("INSERT INTO worked_sundays (worker_id, year, sundays, position) VALUES (3, 2027, $1, 1)",
                 {others})
            .ok());
    const result<month_rows> read = find_month_rows(*db, 2027, 3);
    ASSERT_TRUE(read.ok());
    month_save s;
    s.act = "test";
    s.lines = month_lines(*read);
    std::string march(52, '.');
    march[9] = '1';  // the tenth Sunday, 7 March
    s.sundays = {{3, 2027, march}, {5, 2027, march}};
    ASSERT_TRUE(save_month(*db, *read, s).ok());

    const fs::path out = exported();
    IniFile record(out / "dane" / "sundays.ini");
    std::string three = others;
    three[9] = '1';
    EXPECT_EQ(record.readString("3", "2027", ""), three);
    EXPECT_EQ(record.readString("5", "2027", ""), std::string(9, '0') + "1" + std::string(42, '0'));

    // A month's Sundays all given back leave no empty year behind.
    s.sundays = {{5, 2027, std::string(9, '.') + "0" + std::string(42, '.')}};
    const result<month_rows> again = find_month_rows(*db, 2027, 3);
    ASSERT_TRUE(save_month(*db, *again, s).ok());
    EXPECT_TRUE(db->exec("SELECT 1 FROM worked_sundays WHERE worker_id = 5")->empty());
    EXPECT_EQ(db->exec("SELECT sundays FROM worked_sundays WHERE worker_id = 3")->text(0, 0), three);
}

}  // namespace
}  // namespace planek
