// The schema as the program makes it: on an empty database, again on a
// current one, on one newer than the program, with the hospital's role.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "core/translator.h"
#include "store/pg_connection.h"
#include "store/schema.h"
#include "support/pg_cluster.h"

namespace planek {
namespace {

using namespace planek::store;

const Translator kPolish;

pg_connection connected(const std::string& url) {
    result<pg_connection> c = pg_connection::open(url, kPolish);
    EXPECT_TRUE(c.ok()) << c.error().text;
    return std::move(*c);
}

TEST(StoreSchema, MadeOnceAndThenLeftAlone) {
    pg_connection db = connected(test::pg_cluster::running().fresh_database());
    const result<migration_report> first = migrate(db);
    ASSERT_TRUE(first.ok()) << first.error().text;
    EXPECT_EQ(first->from, 0);
    EXPECT_EQ(first->to, latest_schema_version());
    const result<pg_rows> tables = db.exec(
        "SELECT count(*) FROM information_schema.tables WHERE table_schema = 'public' AND table_name = ANY($1)",
        {"{workers,groups,shifts,months,duties,days_off,day_parameters,balances,options,worked_sundays,history}"});
    ASSERT_TRUE(tables.ok()) << tables.error().text;
    EXPECT_EQ(tables->number(0, 0), 11);
    // Every table an act changes carries the version an act checks.
    const result<pg_rows> unversioned = db.exec(
        "SELECT table_name FROM information_schema.tables t WHERE table_schema = 'public' AND table_name NOT IN "
        "('schema_version', 'history', 'editing', 'store_clock', 'removed_rows') AND NOT EXISTS (SELECT 1 FROM information_schema.columns c WHERE "
        "c.table_name = t.table_name AND c.column_name = 'version')");
    ASSERT_TRUE(unversioned.ok());
    EXPECT_TRUE(unversioned->empty()) << unversioned->text(0, 0);

    ASSERT_TRUE(db.exec("INSERT INTO months (name, year, month) VALUES ($1, 2027, 3)", {"2027_03.pnk"}).ok());
    const result<migration_report> again = migrate(db);
    ASSERT_TRUE(again.ok()) << again.error().text;
    EXPECT_EQ(again->from, again->to);
    EXPECT_EQ(db.exec("SELECT count(*) FROM months")->number(0, 0), 1);  // nothing made again over the data
}

TEST(StoreSchema, RefusesASchemaNewerThanTheProgram) {
    pg_connection db = connected(test::pg_cluster::running().fresh_database());
    ASSERT_TRUE(migrate(db).ok());
    ASSERT_TRUE(db.exec("INSERT INTO schema_version (version) VALUES ($1)",
                        {std::to_string(latest_schema_version() + 1)})
                    .ok());
    const result<migration_report> r = migrate(db);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().text.find("nowszej"), std::string::npos) << r.error().text;
}

TEST(StoreSchema, TheHospitalRoleWritesRostersButOnlyAddsToHistory) {
    const std::string url = test::pg_cluster::running().fresh_database();
    pg_connection db = connected(url);
    ASSERT_TRUE(db.exec("CREATE ROLE \"oddział 7\" LOGIN").ok() || db.last_state() == "42710");
    const result<migration_report> nobody = migrate(db, "brak_takiej_roli");
    ASSERT_FALSE(nobody.ok());
    EXPECT_NE(nobody.error().text.find("brak_takiej_roli"), std::string::npos);
    // The refused init left no half-made schema behind.
    EXPECT_EQ(*schema_version(db), 0);

    ASSERT_TRUE(migrate(db, "oddział 7").ok());
    ASSERT_TRUE(db.exec("SET ROLE \"oddział 7\"").ok());
    EXPECT_TRUE(db.exec("INSERT INTO months (name, year, month) VALUES ('a.pnk', 2027, 1)").ok());
    EXPECT_TRUE(db.exec("UPDATE months SET version = version + 1").ok());
    EXPECT_TRUE(db.exec("INSERT INTO history (user_name, computer, act) VALUES ('a', 'b', 'c')").ok());
    EXPECT_FALSE(db.exec("UPDATE history SET act = 'x'").ok());
    EXPECT_FALSE(db.exec("DELETE FROM history").ok());
}

TEST(StoreConnection, ValuesAreParametersNeverText) {
    pg_connection db = connected(test::pg_cluster::running().fresh_database());
    ASSERT_TRUE(migrate(db).ok());
    const std::string hostile = "O'Brien'); DROP TABLE workers; --";
    // NULL into NOT NULL is the server's refusal, not a crash.
    EXPECT_FALSE(db.exec("INSERT INTO workers (id, surname, position, record) VALUES ($1, $2, 1, $3)",
                         {"5", hostile, std::nullopt})
                     .ok());
    ASSERT_TRUE(db.exec("INSERT INTO workers (id, surname, position, record) VALUES ($1, $2, 1, '')", {"5", hostile}).ok());
    const result<pg_rows> back = db.exec("SELECT surname FROM workers WHERE id = $1", {"5"});
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->text(0, 0), hostile);
    // Polish letters travel as UTF-8 whatever the server's locale.
    ASSERT_TRUE(db.exec("UPDATE workers SET first_name = $1", {"Żaneta Łęcka"}).ok());
    EXPECT_EQ(db.exec("SELECT first_name FROM workers")->text(0, 0), "Żaneta Łęcka");
}

TEST(StoreConnection, AnUnreachableServerIsARefusalNotACrash) {
    const result<pg_connection> c = pg_connection::open("host=/nonexistent port=1 dbname=x connect_timeout=2", kPolish);
    ASSERT_FALSE(c.ok());
    EXPECT_EQ(c.error().kind, refusal_kind::Io);
    EXPECT_NE(c.error().text.find("Nie można połączyć się z bazą danych"), std::string::npos) << c.error().text;
}

TEST(StoreCli, DbInitMakesAndThenKeepsTheSchema) {
    test::TempDir dir;
    const std::string url = test::pg_cluster::running().fresh_database();
    const test::result made = test::run_cli(dir, {"--lang", "polski", "db", "init", url});
    EXPECT_EQ(made.code, 0) << made.err;
    EXPECT_NE(made.out.find("Schemat bazy danych w wersji " + std::to_string(latest_schema_version()) + " (była 0)."),
              std::string::npos)
        << made.out;
    const test::result kept = test::run_cli(dir, {"--lang", "english", "db", "init", "--db", url});
    EXPECT_EQ(kept.code, 0) << kept.err;
    EXPECT_NE(kept.out.find("up to date"), std::string::npos) << kept.out;

    EXPECT_EQ(test::run_cli(dir, {"db", "init"}).code, 2);
    EXPECT_EQ(test::run_cli(dir, {"db", "init", url, "more"}).code, 2);
    const test::result down = test::run_cli(dir, {"db", "init", "host=/nonexistent port=1 dbname=x"});
    EXPECT_EQ(down.code, 1);
    EXPECT_FALSE(down.err.empty());
}

}  // namespace
}  // namespace planek
