// planek-cli backup and recover: the archives hold the data as they were and
// come back beside the live data, never over them; the autosave of a run
// that did not end comes back as the window's start recovers it.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "cli_runner.h"
#include "document/month_acts.h"
#include "support/month_files.h"
#include "support/scripted_interaction.h"
#include "support/window_session.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::result;
using test::run_cli_on;
using test::TempDir;

using test::lines;

class BackupCommands : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;
    fs::path data;

    void SetUp() override {
        root = (dir / "ward").string();
        ASSERT_EQ(test::run_cli(dir, {"demo", root}).code, 0);
        data = fs::path(root) / "dane";
    }
    result cli(const std::vector<std::string>& args, const std::string& lang = "english") {
        return run_cli_on(dir, root, args, lang);
    }
};

TEST_F(BackupCommands, AnArchiveKeepsTheDataAsTheyWereAndRestoresBesideThem) {
    const std::string staffBefore = read_file(data / "kadra.inr");
    const std::vector<fs::path> months = test::month_files(data);
    ASSERT_EQ(months.size(), 2u);
    const std::string monthBefore = read_file(months[1]);

    const result made = cli({"backup", "create"});
    ASSERT_EQ(made.code, 0) << made.err;
    const fs::path first = lines(made.out).at(0);
    EXPECT_TRUE(fs::is_regular_file(first)) << made.out;
    EXPECT_EQ(first.extension(), ".bak");
    // A second one the same day gets a name of its own.
    const result again = cli({"backup", "create"});
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_NE(lines(again.out).at(0), first.string());
    ASSERT_EQ(cli({"backup", "create", "before-hiring.bak"}).code, 0);

    const result listed = cli({"backup", "list"});
    ASSERT_EQ(listed.code, 0) << listed.err;
    ASSERT_EQ(lines(listed.out).size(), 3u) << listed.out;
    EXPECT_EQ(lines(listed.out)[0].rfind("backup_", 0), 0u) << listed.out;
    EXPECT_EQ(lines(listed.out)[2].rfind("before-hiring.bak\t", 0), 0u) << listed.out;

    // The live data move on; the archive gives back the old ones beside them.
    ASSERT_EQ(cli({"worker", "add", "--surname", "Lis", "--first-name", "Jan"}).code, 0);
    const std::string staffAfter = read_file(data / "kadra.inr");
    ASSERT_NE(staffAfter, staffBefore);
    const result restored = cli({"backup", "restore", "before-hiring.bak"});
    ASSERT_EQ(restored.code, 0) << restored.err;
    const fs::path unpacked = lines(restored.out).at(0);
    EXPECT_EQ(read_file(unpacked / "kadra.inr"), staffBefore);
    EXPECT_EQ(read_file(unpacked / months[1].filename()), monthBefore);
    EXPECT_EQ(read_file(data / "kadra.inr"), staffAfter);
    // A path to an archive serves as well as its name.
    EXPECT_EQ(cli({"backup", "restore", first.string()}).code, 0);
}

TEST_F(BackupCommands, MistakesAreRefusedWithoutAnArchive) {
    EXPECT_EQ(cli({"backup"}).code, 2);
    EXPECT_EQ(cli({"backup", "make"}).code, 2);
    for (const std::string name : {"../outside.bak", "archive.zip", "sub/a.bak"}) {
        const result r = cli({"backup", "create", name});
        EXPECT_EQ(r.code, 2) << name;
        EXPECT_NE(r.err.find(name), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(data / "backup" / "archive.zip"));
    EXPECT_FALSE(fs::exists(dir / "outside.bak"));
    const result missing = cli({"backup", "restore", "nothing.bak"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "There is no archive nothing.bak\n");
    EXPECT_EQ(cli({"backup", "restore"}).code, 2);
    // An archive that is no archive.
    test::write_file(data / "backup" / "broken.bak", "not a zip");
    EXPECT_EQ(cli({"backup", "restore", "broken.bak"}).code, 1);
}

TEST_F(BackupCommands, RecoverGivesTheAutosavedMonthAsTheStartRecoversIt) {
    const std::vector<fs::path> months = test::month_files(data);
    const fs::path autosave = fs::path(root) / "autosave.~pn";
    EXPECT_EQ(cli({"recover", "-o", (dir / "r.pnk").string()}).code, 1);  // none yet

    // What the timer left of a month that was being edited.
    ASSERT_EQ(cli({"add-duty", months[1].string(), "1", "5", "1"}).code, 0);
    fs::copy_file(months[1], autosave);
    ASSERT_EQ(cli({"remove", months[1].string(), "1", "5"}).code, 0);
    const std::string shownBefore = cli({"show", months[1].string(), "--group", "1"}).out;

    // The offer declined keeps the autosave for another try.
    const fs::path out = dir / "recovered.pnk";
    const result declined = cli({"recover", "-o", out.string()});
    EXPECT_EQ(declined.code, 1);
    EXPECT_NE(declined.err.find("--yes"), std::string::npos) << declined.err;
    EXPECT_TRUE(fs::exists(autosave));
    EXPECT_FALSE(fs::exists(out));

    // In-process on a copy of the folder, as the window's start would.
    const fs::path copy = dir / "copy";
    fs::copy(root, copy, fs::copy_options::recursive);
    const fs::path byAct = dir / "by-act.pnk";
    {
        test::window_session s(copy.string());
        ASSERT_TRUE(recover_autosave(s.doc).ok());
        ASSERT_TRUE(save_month_to(s.doc, byAct.string()).ok());
    }

    const result r = cli({"--yes", "recover", "-o", out.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Saved " + out.string() + "\n");
    EXPECT_FALSE(fs::exists(autosave));
    const std::string recovered = cli({"show", out.string(), "--group", "1"}).out;
    EXPECT_EQ(recovered, cli({"show", byAct.string(), "--group", "1"}).out);
    EXPECT_NE(recovered, shownBefore);  // the duty removed after the autosave is there
    // The month's own file is left as it was.
    EXPECT_EQ(cli({"show", months[1].string(), "--group", "1"}).out, shownBefore);

    EXPECT_EQ(cli({"recover"}).code, 2);
    EXPECT_EQ(cli({"recover", "-o", "-"}).code, 2);
}

}  // namespace
}  // namespace planek
