// planek-cli import against the window's way: a start on a data folder
// holding the old planek.ini and the close after it leave the same groups
// and staff as the command.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "cli_runner.h"
#include "core/cp1250.h"
#include "document/month_acts.h"
#include "support/scripted_interaction.h"
#include "support/window_session.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::result;
using test::run_cli_on;
using test::TempDir;
using test::write_file;

// The old layout with a bad colour, a bad number and a duplicate group id,
// as the reader's own tests have it.
const char* const kOldIni =
    "[g0]\r\nid=4\r\nnazwa=Położnictwo\r\nsob_swieto=1\r\nday8=480\r\n"
    "zod0=360\r\nzile0=480\r\nzkolor0=$00DDDDDD\r\nzsymbol0=R\r\nzobsada0=3\r\n"
    "zod1=840\r\nzkolor1=purple?\r\n"
    "[g1]\r\nid=4\r\n"
    "[k0]\r\nid=9\r\ngrupa=4\r\nnazwisko=Żak\r\nimie=Ewa\r\netat=87,5\r\npseudo=ŻakE\r\n"
    "urlop=2x\r\nkolor=clRed\r\n"
    "[k2]\r\nnazwisko=Not read: k1 is missing\r\n";

class ImportCommand : public ::testing::Test {
protected:
    TempDir dir;
    fs::path old = dir / "old";
    std::string ward = (dir / "ward").string();

    void SetUp() override {
        fs::create_directories(old);
        write_file(old / "planek.ini", utf8_to_cp1250_lossy(kOldIni));
    }
    result cli(const std::vector<std::string>& args, const std::string& lang = "english") {
        return run_cli_on(dir, ward, args, lang);
    }
    // The tables as a start reads them back.
    static std::string tables(const fs::path& root) {
        const test::window_session s(root.string(), Answer::No);
        std::ostringstream out;
        for (const grupa& g : s.plan().groups) {
            out << g.id << "|" << g.name << "|" << g.saturdayHoliday << "|" << g.dailyNorm << "\n";
            for (const zmiana_& z : g.shifts)
                out << "  " << z.symbol << " " << z.start << "+" << z.length << " " << z.color << " "
                    << int(z.staffMin) << "\n";
        }
        for (const prac& w : s.plan().workers)
            out << w.id << "|" << w.surname << "|" << w.firstName << "|" << w.nick << "|" << w.groups << "|"
                << w.partTimeDefault << "|" << w.holidayCurrentYear << "|" << w.color << "\n";
        return out.str();
    }
};

TEST_F(ImportCommand, TakesTheOldFileAsTheWindowsStartAndCloseDo) {
    const result r = cli({"import", old.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Imported from " + (old / "planek.ini").string() + ": groups 2, workers 1\n");
    // The reader's problems are told as the window tells them at the start.
    EXPECT_NE(r.err.find("planek.ini, [k0] urlop"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("[g0] zkolor1"), std::string::npos) << r.err;
    // The old file is left as it was; the ward's copy is set aside so the
    // next start reads the new files.
    EXPECT_EQ(read_file(old / "planek.ini"), utf8_to_cp1250_lossy(kOldIni));
    EXPECT_FALSE(fs::exists(fs::path(ward) / "dane" / "planek.ini"));
    EXPECT_TRUE(fs::exists(fs::path(ward) / "dane" / "planek.ini.imported"));

    // The window's way: the old file in the data folder, a start, a close.
    const fs::path byWindow = dir / "window";
    ASSERT_EQ(test::run_cli(dir, {"init", byWindow.string()}).code, 0);
    fs::copy_file(old / "planek.ini", byWindow / "dane" / "planek.ini");
    {
        test::window_session s(byWindow.string());
        ASSERT_TRUE(close_program(s.doc, s.plan().options.windows).ok());
    }
    fs::remove(byWindow / "dane" / "planek.ini");
    const std::string imported = tables(ward);
    EXPECT_EQ(imported, tables(byWindow));
    EXPECT_NE(imported.find("9|Żak|Ewa|Żak|4||87.5|26|"), std::string::npos) << imported;
    EXPECT_NE(imported.find("5|grupa_1|"), std::string::npos) << imported;  // the duplicate id made free

    // A second import would write over the staff now there.
    const result again = cli({"import", old.string()});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("already holds groups or staff"), std::string::npos) << again.err;
    EXPECT_EQ(tables(ward), imported);
}

TEST_F(ImportCommand, RefusesWhatTheStartCannotTake) {
    // Its data folder is found too, and the message speaks the run's language.
    const fs::path nested = dir / "nested";
    fs::create_directories(nested / "dane");
    fs::copy_file(old / "planek.ini", nested / "dane" / "planek.ini");
    const result pl = cli({"import", nested.string()}, "polski");
    ASSERT_EQ(pl.code, 0) << pl.err;
    EXPECT_EQ(pl.out.rfind("Przeniesiono z ", 0), 0u) << pl.out;

    // A folder of the old layout taken in place: its own file is set aside.
    const fs::path inPlace = dir / "in-place";
    fs::create_directories(inPlace / "dane");
    fs::copy_file(old / "planek.ini", inPlace / "dane" / "planek.ini");
    ASSERT_EQ(run_cli_on(dir, inPlace.string(), {"import", inPlace.string()}, "english").code, 0);
    EXPECT_FALSE(fs::exists(inPlace / "dane" / "planek.ini"));
    EXPECT_EQ(tables(inPlace), tables(nested));

    const std::string other = (dir / "other").string();
    const result none = run_cli_on(dir, other, {"import", (dir / "nowhere").string()}, "english");
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.err.find("There is no planek.ini"), std::string::npos) << none.err;
    EXPECT_FALSE(fs::exists(other)) << "a failed import makes no program folder";

    const fs::path empty = dir / "empty";
    fs::create_directories(empty);
    write_file(empty / "planek.ini", "[main]\r\n");
    const result nothing = run_cli_on(dir, other, {"import", empty.string()}, "english");
    EXPECT_EQ(nothing.code, 1);
    EXPECT_NE(nothing.err.find("holds no groups and no workers"), std::string::npos) << nothing.err;
    EXPECT_FALSE(fs::exists(fs::path(other) / "dane" / "planek.ini"));
    EXPECT_FALSE(fs::exists(fs::path(other) / "dane" / "grupy.ini"));
    EXPECT_FALSE(fs::exists(other));
    // A folder that was there before stays, whatever the import's end.
    ASSERT_EQ(test::run_cli(dir, {"init", other}).code, 0);
    EXPECT_EQ(run_cli_on(dir, other, {"import", empty.string()}, "english").code, 1);
    EXPECT_TRUE(fs::is_directory(fs::path(other) / "dane"));

    EXPECT_EQ(cli({"import"}).code, 2);
    EXPECT_EQ(cli({"import", "a", "b"}).code, 2);
    const result help = cli({"help", "import"});
    EXPECT_NE(help.out.find("planek.ini"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace planek
