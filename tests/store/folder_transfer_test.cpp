// A ward into the store and out again: the files that come back are the
// files that went in, and a folder the program could not read whole never
// reaches the store by half.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_runner.h"
#include "core/cp1250.h"
#include "core/text.h"
#include "files/archive.h"
#include "files/month_ini.h"
#include "files/staff_archive.h"
#include "store/folder_transfer.h"
#include "store/pg_connection.h"
#include "store/schema.h"
#include "support/pg_cluster.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using namespace planek::store;

const Translator kPolish;

pg_connection ready_store(std::string* url = nullptr) {
    const std::string u = test::pg_cluster::running().fresh_database();
    if (url) *url = u;
    result<pg_connection> c = pg_connection::open(u, kPolish);
    EXPECT_TRUE(c.ok()) << c.error().text;
    EXPECT_TRUE(migrate(*c).ok());
    return std::move(*c);
}

std::vector<std::string> text_lines(const std::string& bytes) { return split_text_lines(cp1250_to_utf8(bytes)); }

// Section by section, key by key, so a difference names its place.
void expect_same_month(const fs::path& a, const fs::path& b) {
    month_ini x, y;
    std::vector<month_problem> px, py;
    x.parse(text_lines(test::read_file(a)), px);
    y.parse(text_lines(test::read_file(b)), py);
    EXPECT_TRUE(px.empty() && py.empty()) << a;
    ASSERT_EQ(x.sections().size(), y.sections().size()) << a.filename();
    for (size_t s = 0; s < x.sections().size(); ++s) {
        const month_ini::section& sx = x.sections()[s];
        const month_ini::section& sy = y.sections()[s];
        EXPECT_EQ(sx.name, sy.name);
        ASSERT_EQ(sx.entries.size(), sy.entries.size()) << a.filename() << " [" << sx.name << "]";
        for (size_t e = 0; e < sx.entries.size(); ++e) {
            const std::vector<std::string> fx = split_fields(sx.entries[e].value), fy = split_fields(sy.entries[e].value);
            EXPECT_EQ(sx.entries[e].key, sy.entries[e].key) << "[" << sx.name << "]";
            EXPECT_EQ(fx, fy) << a.filename() << " [" << sx.name << "] " << sx.entries[e].key;
        }
    }
}

std::vector<std::string> staff_lines(const fs::path& data) {
    std::string bytes;
    EXPECT_TRUE(archive_read_member(data / kStaffArchive, kStaffMember, bytes).ok());
    return text_lines(bytes);
}

std::vector<std::string> files_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class StoreTransfer : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path ward = dir / "ward", back = dir / "back";

    void SetUp() override {
        const test::result made =
            test::run_cli(dir, {"generate", ward.string(), "--workers", "14", "--groups", "2", "--months", "2", "--seed", "7"});
        ASSERT_EQ(made.code, 0) << made.err;
    }
};

TEST_F(StoreTransfer, ExportAfterImportGivesTheSameFiles) {
    std::string url;
    pg_connection db = ready_store(&url);
    const test::result in = test::run_cli(dir, {"--lang", "english", "db", "import", ward.string(), url});
    ASSERT_EQ(in.code, 0) << in.err;
    EXPECT_NE(in.out.find("2 groups, 14 people, 2 months"), std::string::npos) << in.out;
    const test::result out = test::run_cli(dir, {"--lang", "english", "db", "export", "--db", url, back.string()});
    ASSERT_EQ(out.code, 0) << out.err;

    const fs::path a = ward / "dane", b = back / "dane";
    std::vector<std::string> names = files_in(a);
    EXPECT_EQ(names, files_in(b));
    for (const std::string& name : names) {
        if (name == kStaffArchive) continue;  // a ZIP: its member is compared below
        std::string ours = test::read_file(a / name), theirs = test::read_file(b / name);
        // The configuration names the month files by their paths, which follow the folder.
        if (name == "konfiguracja.ini")
            for (size_t at; (at = theirs.find(b.string())) != std::string::npos;) theirs.replace(at, b.string().size(), a.string());
        if (name.size() > 4 && name.substr(name.size() - 4) == ".pnk") expect_same_month(a / name, b / name);
        // The writers are deterministic, so the bytes are the same too (the seal included).
        EXPECT_EQ(ours, theirs) << name;
    }
    const std::vector<std::string> sa = staff_lines(a), sb = staff_lines(b);
    ASSERT_EQ(sa.size(), sb.size());
    for (size_t i = 0; i < sa.size(); ++i) EXPECT_EQ(split_fields(sa[i]), split_fields(sb[i])) << "worker line " << i + 1;

    // The rows are the roster's, queryable: the duties of one worker on one day.
    const result<pg_rows> duties = db.exec("SELECT count(*) FROM duties d JOIN months m ON m.id = d.month_id");
    ASSERT_TRUE(duties.ok());
    EXPECT_GT(duties->number(0, 0), 14);
    const result<pg_rows> history = db.exec("SELECT act, user_name FROM history");
    ASSERT_EQ(history->rows.size(), 1u);
    EXPECT_EQ(history->text(0, 0), "import");
}

TEST_F(StoreTransfer, TheBalancesComeOutAsTheStoreHoldsThem) {
    pg_connection db = ready_store();
    ASSERT_TRUE(import_folder(db, ward / "dane").ok());
    const std::string first = db.exec("SELECT min(worker_id) FROM balances")->text(0, 0);
    ASSERT_TRUE(db.exec("UPDATE balances SET holiday_current = 4321, reha_days = 3 WHERE worker_id = $1", {first}).ok());
    ASSERT_TRUE(export_folder(db, back / "dane").ok());
    bool seen = false;
    for (const std::string& line : staff_lines(back / "dane")) {
        const std::vector<std::string> f = split_fields(line);
        if (f.at(1) != first) continue;
        seen = true;
        EXPECT_NE(std::find(f.begin(), f.end(), "4321"), f.end()) << line;
    }
    EXPECT_TRUE(seen);
}

TEST_F(StoreTransfer, AFolderNotReadWholeStoresNothing) {
    pg_connection db = ready_store();
    // A month cut short: its seal is missing.
    const fs::path month = ward / "dane" / files_in(ward / "dane").front();
    ASSERT_EQ(month.extension(), ".pnk");
    std::string bytes = test::read_file(month);
    test::write_file(month, bytes.substr(0, bytes.size() / 2));
    const result<folder_counts> r = import_folder(db, ward / "dane");
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().text.find(month.filename().string()), std::string::npos) << r.error().text;
    for (const char* table : {"workers", "groups", "shifts", "months", "duties", "history"})
        EXPECT_EQ(db.exec(std::string("SELECT count(*) FROM ") + table)->number(0, 0), 0) << table;

    test::write_file(month, bytes);
    ASSERT_TRUE(import_folder(db, ward / "dane").ok());
    // A second ward would mix its ids into the first.
    const result<folder_counts> again = import_folder(db, ward / "dane");
    ASSERT_FALSE(again.ok());
    EXPECT_EQ(again.error().kind, refusal_kind::Conflict);
    // Nor does an export write over a ward.
    const result<folder_counts> over = export_folder(db, ward / "dane");
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.error().kind, refusal_kind::Conflict);
}

TEST_F(StoreTransfer, AStoreWithoutTheSchemaIsRefused) {
    const std::string url = test::pg_cluster::running().fresh_database();
    result<pg_connection> db = pg_connection::open(url, kPolish);
    ASSERT_TRUE(db.ok());
    const result<folder_counts> r = import_folder(*db, ward / "dane");
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().text.find("db init"), std::string::npos) << r.error().text;
    const test::result cli = test::run_cli(dir, {"db", "export", url, back.string()});
    EXPECT_EQ(cli.code, 1);
    EXPECT_EQ(test::run_cli(dir, {"db", "import", ward.string()}).code, 2);
    EXPECT_EQ(test::run_cli(dir, {"db", "export", url}).code, 2);
}

}  // namespace
}  // namespace planek
