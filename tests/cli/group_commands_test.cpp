// planek-cli group against the window's way: the same group form filled and
// the same act run in-process on a copy of the ward store the same group file.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "cli_runner.h"
#include "document/act_group.h"
#include "document/month_acts.h"
#include "document/staff_acts.h"
#include "document/view_acts.h"
#include "core/text.h"
#include "editing/group_model.h"
#include "support/scripted_interaction.h"
#include "support/window_session.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::result;
using test::run_cli_on;
using test::TempDir;

class GroupCommands : public ::testing::Test {
protected:
    TempDir dir;
    std::string cliWard, actWard;

    void SetUp() override {
        cliWard = (dir / "cli").string();
        actWard = (dir / "act").string();
        ASSERT_EQ(test::run_cli(dir, {"demo", cliWard}).code, 0);
        fs::copy(cliWard, actWard, fs::copy_options::recursive);
    }
    result cli(const std::vector<std::string>& args, const std::string& lang = "english") {
        return run_cli_on(dir, cliWard, args, lang);
    }

    using session = test::window_session;
    std::string grupy(const std::string& ward) { return read_file(fs::path(ward) / "dane" / "grupy.ini"); }
    // Every group's stored fields, read back as the next start reads them.
    std::string records(const std::string& ward) {
        session s(ward);
        std::ostringstream out;
        for (const grupa& g : s.plan().groups) {
            out << g.id << "|" << g.name << "|" << g.nick << "|" << g.color << "|" << g.dailyNorm << "|"
                << g.saturdayHoliday << g.dayOffForSaturdayHoliday << g.nightOnHolidayAsHoliday << g.noHolidays << "|"
                << g.dailyNormDefault << "|" << g.saturdayHolidayDefault << g.dayOffForSaturdayHolidayDefault
                << g.nightOnHolidayAsHolidayDefault << g.noHolidaysDefault << "|" << g.customNorm << "|"
                << g.customNormMinutes << "|" << g.resetBeforeAutomat << "|" << int(g.algorithm) << "|" << int(g.aim)
                << "|" << int(g.residueDistribution) << "|" << g.dayOffForHolidayWorkDistribution << "|" << g.old
                << "\n";
            for (const zmiana_& z : g.shifts)
                out << "  " << z.start << "+" << z.length << "|" << z.symbol << "|" << z.color << "|" << z.name << "|"
                    << int(z.staffMin) << "/" << int(z.staffMinS) << "\n";
        }
        return out.str();
    }
};

TEST_F(GroupCommands, AddedAndEditedGroupsReadBackAsTheDialogStoresThem) {
    const result added = cli({"group", "add", "--name", "Izba Przyjęć", "--nick", "IP", "--colour", "#E0F0FF",
                              "--daily-norm", "7:35", "--saturday-holiday", "yes", "--night-holiday", "yes", "--norm",
                              "160:00", "--algorithm", "2", "--aim", "norm", "--residue", "no", "--chain", "no",
                              "--shift", "1", "--start", "8.00", "--length", "8:00", "--symbol", "D", "--shift-name",
                              "Dzień", "--staff", "3", "--staff-holiday", "2", "--shift", "2", "--start", "16:00",
                              "--length", "16", "--symbol", "N", "--shift-colour", "#202080", "--staff", "1",
                              "--staff-holiday", "1", "--add-shift", "--symbol", "K", "--start", "12:00", "--length",
                              "1:00"});
    ASSERT_EQ(added.code, 0) << added.err;
    {
        session s(actWard);
        act_group visit(s.doc, "undo_GroupAdd", "Dodaj grupę");
        group_dialog_model m;
        m.openAdd(s.doc.plan(), s.doc.random());
        m.autoCalc = false;
        m.name = "Izba Przyjęć";
        m.nick = "IP";
        m.color = rgb(0xE0, 0xF0, 0xFF);
        m.saturdayHoliday = m.nightOnHolidayAsHoliday = true;
        m.customNorm = true;
        m.normText = "160:00";
        m.algorithm = m.aim = 1;
        m.residueBox = false;
        m.rows[0] = {"8:00", "8:00", "D", m.rows[0].color, "Dzień", "3", "2"};
        m.rows[1] = {"16:00", "16:00", "N", colour_text(rgb(0x20, 0x20, 0x80)), "", "1", "1"};
        ASSERT_TRUE(m.append());
        m.rows[2].symbol = "K";
        m.rows[2].start = "12:00";
        m.rows[2].length = "1:00";
        const planek::result<grupa> record = m.record(s.plan());
        ASSERT_TRUE(record.ok()) << record.error().text;
        ASSERT_TRUE(save_group(s.doc, *record, -1).ok());
        EXPECT_EQ(added.out, "Added group " + std::to_string(record->id) + ": Izba Przyjęć\n") << added.out;
    }
    EXPECT_EQ(records(cliWard), records(actWard));
    EXPECT_NE(records(cliWard).find("|Izba Przyjęć|IP|"), std::string::npos) << records(cliWard);

    // An edit changes the fields named and keeps the rest; the norm
    // defaults go in first, as the dialog's button stores them at once.
    const result edited = cli({"--yes", "group", "edit", "2", "--chain", "no", "--name", "Blok", "--no-holidays", "yes",
                               "--save-as-default", "--norm", "none", "--remove-shift", "2", "--shift", "2",
                               "--staff", "5", "--insert-shift", "1", "--start", "0:00", "--length", "6:00",
                               "--symbol", "W"});
    ASSERT_EQ(edited.code, 0) << edited.err;
    EXPECT_EQ(edited.out, "Saved group 2: Blok\n");
    {
        session s(actWard);
        ASSERT_TRUE(show_group(s.doc, 1).ok());
        act_group visit(s.doc, "undo_GroupEdit", "Edytuj grupę");
        group_dialog_model m;
        ASSERT_TRUE(m.openEdit(s.plan()).ok());
        m.autoCalc = false;
        m.name = "Blok";
        m.noHolidays = true;
        m.customNorm = false;
        ASSERT_TRUE(m.deleteRow(s.plan(), 1));
        m.rows[1].staff = "5";
        ASSERT_TRUE(m.insertBefore(0));
        for (auto [column, text] : {std::pair{1, "0:00"}, {2, "6:00"}, {3, "W"}}) {
            (column == 1 ? m.rows[0].start : column == 2 ? m.rows[0].length : m.rows[0].symbol) = text;
            m.cellEdited(0, column);
        }
        ASSERT_TRUE(save_group_defaults(s.doc, m.defaults()).ok());
        ASSERT_TRUE(save_group(s.doc, *m.record(s.plan()), m.editIndex).ok());
    }
    EXPECT_EQ(records(cliWard), records(actWard));
    EXPECT_EQ(grupy(cliWard), grupy(actWard));
    const std::string after = records(cliWard);
    EXPECT_NE(after.find("|Blok|BP|"), std::string::npos) << after;
    EXPECT_NE(after.find("|W|"), std::string::npos) << after;
}

TEST_F(GroupCommands, RefusalsLeaveTheGroupFileAsItWas) {
    const std::string file = grupy(cliWard);
    struct bad {
        std::vector<std::string> args;
        int code;
        std::string says;
    };
    const std::vector<bad> cases = {
        {{"group", "add", "--nick", "X"}, 2, "--name"},
        {{"group", "add", "--name", " "}, 1, "name"},
        {{"group", "add", "--name", "X", "--daily-norm", "25:00"}, 1, "25:00"},
        {{"group", "add", "--name", "X", "--norm", "abc"}, 1, "abc"},
        {{"group", "add", "--name", "X", "--start", "7:00"}, 2, "--shift N"},
        {{"group", "add", "--name", "X", "--shift", "3"}, 1, "no shift 3"},
        {{"group", "add", "--name", "X", "--shift", "5"}, 2, "from 1 to 4"},
        {{"group", "add", "--name", "X", "--add-shift", "--add-shift", "--add-shift"}, 1, "at most 4"},
        {{"group", "add", "--name", "X", "--shift", "1", "--start", "24:00"}, 1, "24:00"},
        {{"group", "add", "--name", "X", "--shift", "1", "--length", "0:00"}, 1, "0:00"},
        {{"group", "add", "--name", "X", "--shift", "1", "--staff", "x"}, 1, "\"x\""},
        {{"group", "add", "--name", "X", "--shift", "1", "--symbol", "ABC"}, 1, "ABC"},
        {{"group", "add", "--name", "X", "--shift", "1", "--shift-colour", "pink"}, 1, "pink"},
        {{"group", "add", "--name", "X", "--saturday-holiday", "maybe"}, 2, "maybe"},
        {{"group", "add", "--name", "X", "--algorithm", "3"}, 2, "--algorithm"},
        {{"group", "add", "--name", "X", "--save-as-default"}, 2, "edit"},
        {{"group", "edit", "9", "--nick", "A"}, 1, "There is no group 9"},
        {{"group", "edit", "1", "--remove-shift", "1"}, 1, "--yes"},
        {{"--yes", "group", "edit", "1", "--remove-shift", "1", "--remove-shift", "1"}, 1, "at least one"},
        {{"group", "edit"}, 2, "group's id"},
        {{"group", "drop", "1"}, 2, "add or edit"},
    };
    for (const bad& b : cases) {
        const result r = cli(b.args);
        EXPECT_EQ(r.code, b.code) << b.args.back() << ": " << r.err;
        EXPECT_NE(r.err.find(b.says), std::string::npos) << b.args.back() << ": " << r.err;
        EXPECT_EQ(grupy(cliWard), file) << b.args.back();
    }
}

TEST_F(GroupCommands, TheResetOfThePatternStartsActsOnTheGroupEdited) {
    const std::string before = run_cli_on(dir, cliWard, {"staff"}, "polski").out;
    ASSERT_EQ(cli({"group", "edit", "1", "--reset-pattern-starts"}).code, 0);
    {
        session s(actWard);
        ASSERT_TRUE(show_group(s.doc, 0).ok());
        act_group visit(s.doc, "undo_GroupEdit", "Edytuj grupę");
        group_dialog_model m;
        ASSERT_TRUE(m.openEdit(s.plan()).ok());
        ASSERT_TRUE(reset_pattern_starts(s.doc).ok());
        ASSERT_TRUE(save_group(s.doc, *m.record(s.plan()), m.editIndex).ok());
    }
    const std::string after = run_cli_on(dir, cliWard, {"staff"}, "polski").out;
    EXPECT_EQ(after, run_cli_on(dir, actWard, {"staff"}, "polski").out);
    EXPECT_NE(after, before);
}

TEST_F(GroupCommands, ChainingFollowsTheTimesAsTheTableDoes) {
    // With the table's Auto on, a new length moves the next start and the
    // last length so the shifts still fill the day.
    ASSERT_EQ(cli({"group", "edit", "1", "--chain", "yes", "--shift", "1", "--length", "10:00"}).code, 0);
    const std::string staff = run_cli_on(dir, cliWard, {"staff"}, "polski").out;
    EXPECT_NE(staff.find("D 7:00-17:00 (10:00)"), std::string::npos) << staff;
    EXPECT_NE(staff.find("N 17:00-7:00 (14:00)"), std::string::npos) << staff;
    const result pl = cli({"group", "edit", "1", "--nick", "CHI"}, "polski");
    EXPECT_EQ(pl.out, "Zapisano grupę 1: Oddział Chirurgii\n") << pl.err;
    // The short name is cut as the dialog cuts it, and said as it says it.
    EXPECT_NE(pl.err.find("\"CH\""), std::string::npos) << pl.err;
    const result help = cli({"help", "group"});
    EXPECT_NE(help.out.find("--staff-holiday"), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("NAZWA"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace planek
