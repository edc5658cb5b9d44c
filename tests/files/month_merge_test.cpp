// Planners of two wards saving one month at once: each ward's part kept.
#include <gtest/gtest.h>

#include <ctime>
#include <set>

#include "core/guarded_write.h"
#include "core/lock_file.h"
#include "files/month_lock.h"
#include "files/month_merge.h"
#include "files/staff_group_files.h"
#include "month_fixture.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::MonthFixture;
using test::ScriptedInteraction;

using lines = std::vector<std::string>;

TEST(MonthMerge, EachSideKeepsTheWardsAndDaysItChanged) {
    const lines base = {"[info]", "data=2024-03-01", "status=0", "[kalendarz_notatki]", "[g1]", "Norma=0", "[g3]",
                        "Norma=0", "[dyzury]", "d1=1¤1¤4¤720", "d2=3¤2¤4¤720", "[wolne]", "[wymiar_etatu]", "1=1",
                        "2=1", "[auto_nadpracowania]", "1=0", "2=0"};
    // Here ward 1 gets a duty and a note on day 2; there ward 3 loses one
    // and gets a day off, day 9 gets a note and worker 2 another part time.
    const lines ours = {"[info]", "data=2024-03-15", "status=0", "[kalendarz_notatki]", "2=Szkolenie", "[g1]",
                        "Norma=0", "[g3]", "Norma=0", "[dyzury]", "d1=1¤1¤4¤720", "d2=1¤1¤5¤720", "d3=3¤2¤4¤720",
                        "[wolne]", "[wymiar_etatu]", "1=1", "2=1", "[auto_nadpracowania]", "1=720", "2=0"};
    const lines theirs = {"[info]", "data=2024-03-14", "status=0", "[kalendarz_notatki]", "9=Audyt", "[g1]",
                          "Norma=0", "[g3]", "Norma=0", "[dyzury]", "d1=1¤1¤4¤720", "[wolne]", "w1=3¤2¤6¤6¤455¤u",
                          "[wymiar_etatu]", "1=1", "2=0,5", "[auto_nadpracowania]", "1=0", "2=-720"};
    const month_merge m = merge_month_lines(base, ours, theirs);
    ASSERT_TRUE(m.ok()) << m.clashes.front();
    auto has = [&](const std::string& line) { return std::find(m.lines.begin(), m.lines.end(), line) != m.lines.end(); };
    EXPECT_TRUE(has("data=2024-03-15"));
    EXPECT_TRUE(has("2=Szkolenie"));
    EXPECT_TRUE(has("9=Audyt"));
    EXPECT_TRUE(has("w1=3¤2¤6¤6¤455¤u"));
    EXPECT_TRUE(has("2=0,5"));
    EXPECT_TRUE(has("1=720"));
    EXPECT_TRUE(has("2=-720"));
    // Ward 1 as here (two duties), ward 3 as there (none), numbered again.
    const auto duties = std::find(m.lines.begin(), m.lines.end(), "[dyzury]");
    ASSERT_NE(duties, m.lines.end());
    EXPECT_EQ(*(duties + 1), "d1=1¤1¤4¤720");
    EXPECT_EQ(*(duties + 2), "d2=1¤1¤5¤720");
    EXPECT_EQ(*(duties + 3), "");

    // One ward changed on both sides, or one day's note: a clash, nothing merged.
    const lines bothWard = {"[info]", "status=0", "[dyzury]", "d1=3¤2¤4¤720", "d2=3¤2¤9¤720"};
    EXPECT_FALSE(merge_month_lines(base, ours, bothWard).ok());
    lines otherNote = theirs;
    otherNote[4] = "2=Zebranie";
    const month_merge note = merge_month_lines(base, ours, otherNote);
    ASSERT_FALSE(note.ok());
    EXPECT_EQ(note.clashes, lines{"month:kalendarz_notatki:2"});
    // The same change on both sides is no clash.
    EXPECT_TRUE(merge_month_lines(base, ours, ours).ok());
}

TEST(MonthMerge, TheWardsAnEditTouchedAreTheGroupsWhosePartChanged) {
    const lines base = {"[info]", "status=0", "[g1]", "Norma=0", "[g3]", "Norma=0", "[dyzury]", "d1=1¤1¤4¤720",
                        "d2=3¤2¤4¤720", "[wolne]", "w1=3¤2¤6¤6¤455¤u", "[wymiar_etatu]", "1=1"};
    // The same lines renumbered, a note of the month and a worker's part
    // time are no ward's.
    lines same = {"[info]", "status=1", "[kalendarz_notatki]", "2=Audyt", "[g1]", "Norma=0", "[g3]", "Norma=0",
                  "[dyzury]", "d1=3¤2¤4¤720", "d2=1¤1¤4¤720", "[wolne]", "w1=3¤2¤6¤6¤455¤u", "[wymiar_etatu]", "1=0,5"};
    EXPECT_TRUE(changed_groups(base, same).empty());
    // A day off of ward 3 gone, ward 1's settings changed, ward 7 new (an
    // empty section of it writes nothing, so changes nothing).
    const lines ours = {"[info]", "status=0", "[g1]", "Norma=9600", "[g3]", "Norma=0", "[g7]", "Norma=0", "[dyzury]",
                        "d1=1¤1¤4¤720", "d2=3¤2¤4¤720", "[wolne]", "[wymiar_etatu]", "1=1"};
    EXPECT_EQ(changed_groups(base, ours), (std::set<word>{1, 3, 7}));
}

TEST(MonthHolds, OtherProgramsHoldsAreToldWholeMonthFirstOwnAndDeadOnesLeftOut) {
    test::TempDir dir;
    const std::string file = (dir.path() / "2024_03.pnk").string();
    const std::time_t now = std::time(nullptr);
    ASSERT_TRUE(create_lock_file(file + ".g12.lock", {"Ewa", "stacja-2", 4242, now}).made);
    ASSERT_TRUE(create_lock_file(file + ".g3.lock", {"Jan", "stacja-3", 77, now}).made);
    ASSERT_TRUE(create_lock_file(file + ".g5.lock", this_process_owner("ja", now)).made);
    ASSERT_TRUE(create_lock_file(file + ".g6.lock", {"Stary", "stacja-4", 5, now - 3 * 24 * 3600}).made);
    ASSERT_TRUE(create_lock_file(file + ".lock", {"Ola", "kadry", 9, now}).made);
    ASSERT_TRUE(create_lock_file(dir.path() / "2024_03.pnk.bak.g4.lock", {"Inny", "x", 1, now}).made);
    const std::vector<month_hold> holds = month_holds(file, now);
    ASSERT_EQ(holds.size(), 3u);
    EXPECT_FALSE(holds[0].group);
    EXPECT_EQ(holder_name(holds[0].owner), "Ola@kadry");
    EXPECT_EQ(holds[1].group, word(3));
    EXPECT_EQ(holds[2].group, word(12));
    EXPECT_EQ(holder_name(holds[2].owner), "Ewa@stacja-2");
}

TEST(MonthSplice, OnlyTheLinesThisProgramChangedMoveAndTheNumbersStayUnbroken) {
    // Read for ward 1: its records and its worker's; ward 3's record of
    // worker 2 never came in.
    const lines base = {"[info]", "data=2024-03-01", "status=0", "[dyzury]", "d1=1¤1¤4¤720", "d2=1¤1¤5¤720",
                        "[wolne]", "w1=1¤1¤9¤10¤455¤u", "w2=1¤1¤9¤10¤455¤u", "[auto_nadpracowania]", "1=0"};
    const lines theirs = {"[info]", "wersja=3.82_testowa", "data=2024-03-02", "status=0", "", "[dyzury]",
                          "d1=1¤1¤4¤720", "d2=3¤2¤4¤720", "d3=1¤1¤5¤720", "d4=3¤2¤6¤720", "", "[wolne]",
                          "w1=1¤1¤9¤10¤455¤u", "w2=1¤1¤9¤10¤455¤u", "w3=3¤2¤1¤1¤455¤u", "", "[auto_nadpracowania]",
                          "1=0", "2=-720"};

    // A duty taken out: its number goes to the section's last record.
    lines ours = {"[info]", "data=2024-03-15", "status=0", "[dyzury]", "d1=1¤1¤5¤720", "[wolne]",
                  "w1=1¤1¤9¤10¤455¤u", "w2=1¤1¤9¤10¤455¤u", "[auto_nadpracowania]", "1=-720"};
    month_merge m = splice_month_lines(base, ours, theirs);
    ASSERT_TRUE(m.ok()) << m.clashes.front();
    const lines taken = {"[info]", "wersja=3.82_testowa", "data=2024-03-15", "status=0", "znacznik_konca=1", "",
                         "[dyzury]", "d1=3¤2¤6¤720", "d2=3¤2¤4¤720", "d3=1¤1¤5¤720", "", "[wolne]",
                         "w1=1¤1¤9¤10¤455¤u", "w2=1¤1¤9¤10¤455¤u", "w3=3¤2¤1¤1¤455¤u", "",
                         "[auto_nadpracowania]", "1=-720", "2=-720"};
    EXPECT_EQ(m.lines, taken);

    // One added and a day off of two days (written twice) taken out: the
    // duty takes the first gap, the last record the second.
    ours = {"[info]", "data=2024-03-01", "status=0", "[dyzury]", "d1=1¤1¤4¤720", "d2=1¤1¤5¤720", "d3=1¤1¤20¤720",
            "[wolne]", "[auto_nadpracowania]", "1=0"};
    m = splice_month_lines(base, ours, theirs);
    ASSERT_TRUE(m.ok()) << m.clashes.front();
    const auto at = std::find(m.lines.begin(), m.lines.end(), "[dyzury]");
    ASSERT_NE(at, m.lines.end());
    EXPECT_EQ(lines(at, at + 6), (lines{"[dyzury]", "d1=1¤1¤4¤720", "d2=3¤2¤4¤720", "d3=1¤1¤5¤720",
                                        "d4=3¤2¤6¤720", "d5=1¤1¤20¤720"}));
    const auto off = std::find(m.lines.begin(), m.lines.end(), "[wolne]");
    ASSERT_NE(off, m.lines.end());
    EXPECT_EQ(*(off + 1), "w1=3¤2¤1¤1¤455¤u");
    EXPECT_EQ(*(off + 2), "");

    // A record taken out here that is gone there, or a line both changed:
    // a clash, nothing spliced.
    lines gone = theirs;
    gone[6] = "d1=1¤1¤4¤480";
    ours = {"[info]", "data=2024-03-01", "status=1", "[dyzury]", "d1=1¤1¤5¤720", "[wolne]", "w1=1¤1¤9¤10¤455¤u",
            "w2=1¤1¤9¤10¤455¤u", "[auto_nadpracowania]", "1=0"};
    EXPECT_FALSE(splice_month_lines(base, ours, gone).ok());
    lines approved = theirs;
    approved[3] = "status=2";
    ours[4] = "d1=1¤1¤4¤720";
    ours.insert(ours.begin() + 5, "d2=1¤1¤5¤720");
    EXPECT_FALSE(splice_month_lines(base, ours, approved).ok());
    // The same change there is none.
    approved[3] = "status=1";
    EXPECT_TRUE(splice_month_lines(base, ours, approved).ok());
}

TEST(MonthSplice, ASectionNoLongerWrittenGoesOnlyWhenNothingIsLeftInIt) {
    const lines base = {"[info]", "status=0", "", "[zyczenia]", "z1=2¤10¤1¤3"};
    const lines ours = {"[info]", "status=0"};
    EXPECT_EQ(splice_month_lines(base, ours, {"[info]", "status=0", "", "[zyczenia]", "z1=2¤10¤1¤3"}).lines,
              (lines{"[info]", "status=0", "znacznik_konca=1"}));
    // Another ward's wish stays, and so does its section.
    EXPECT_EQ(splice_month_lines(base, ours, {"[info]", "status=0", "", "[zyczenia]", "z1=2¤10¤1¤3", "z2=5¤3¤0¤1"}).lines,
              (lines{"[info]", "status=0", "znacznik_konca=1", "", "[zyczenia]", "z1=5¤3¤0¤1"}));
}

TEST(MonthSplice, TheEndSectionOfTheFileIsNotTakenForLines) {
    const lines sealed = {"[info]", "status=0", "", "[koniec]", "sha256=00", ""};
    EXPECT_EQ(unsealed_month_lines(sealed), (lines{"[info]", "status=0"}));
}

// Two programs on one folder, each planning its own ward of one month.
class TwoWards : public MonthFixture {
protected:
    Plan second;
    std::shared_ptr<ScriptedInteraction> ui2 = std::make_shared<ScriptedInteraction>();
    std::string file;

    void SetUp() override {
        MonthFixture::SetUp();
        plan.groups = {test::make_group(1, "Chirurgia"), test::make_group(3, "Interna")};
        plan.workers = {test::make_worker(1, "Kowalska"), test::make_worker(2, "Nowak", "3|"),
                        test::make_worker(3, "Wiśniewska", "1|3|")};
        plan.rebuildWorkerIds();
        ASSERT_TRUE(zapisz(plan).ok());
        file = path("2024_03.pnk").string();
        plan.currentFile = file;
        ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
        second = plan;
        second.ui = ui2;
        open(plan, 1);
        open(second, 3);
    }
    void open(Plan& p, word group) {
        p.guards.lockedGroup = group;
        p.currentFile = file;
        p.openFiles = {file};
        ASSERT_TRUE(lock_month(p, file).open);
        ASSERT_TRUE(wczytaj_dyzury_i_wolne(p).empty());
    }
    bool add_to(Plan& p, int worker, word group, int day) {
        dyzur d;
        d.groupId = group;
        d.workerId = p.workers[size_t(worker)].id;
        d.day = word(day);
        d.start = 420;
        d.length = 720;
        d.shift = 1;
        d.dutyAs = 1;
        return dodaj_dyzur(p, d, -1, false, worker).ok();
    }
    bool has_duty(const Plan& p, int worker, int day) const {
        return !p.workers[size_t(worker)].months[size_t(p.currentMonth)].duties[size_t(day - 1)].empty();
    }
    Plan fresh() {
        Plan p = plan;
        p.guards.lockedGroup.reset();
        p.ui = std::make_shared<SilentInteraction>();
        p.currentFile = file;
        wczytaj_dyzury_i_wolne(p);
        return p;
    }
};

TEST_F(TwoWards, PlannersOfTwoWardsEditOneMonthAtOnceAndBothKeepTheirs) {
    // Neither lock keeps the other ward out; the whole month's lock would.
    EXPECT_TRUE(fs::exists(file + ".g1.lock"));
    EXPECT_TRUE(fs::exists(file + ".g3.lock"));
    ASSERT_TRUE(add_to(plan, 0, 1, 4));
    ASSERT_TRUE(add_to(second, 1, 3, 5));
    ASSERT_TRUE(add_to(second, 2, 3, 6));  // a worker of both wards, planned in the second
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
    const result<> saved = zapisz_dyzury_i_wolne(second);
    ASSERT_TRUE(saved.ok()) << said_of(saved).text;
    EXPECT_TRUE(ui2->questions.empty());
    EXPECT_EQ(second.currentFile, file);
    // The second now shows the first ward's duty as well.
    EXPECT_TRUE(has_duty(second, 0, 4));
    const Plan back = fresh();
    EXPECT_TRUE(has_duty(back, 0, 4));
    EXPECT_TRUE(has_duty(back, 1, 5));
    EXPECT_TRUE(has_duty(back, 2, 6));

    // Again, on the file the other wrote: nothing counted twice, nothing lost.
    ASSERT_TRUE(add_to(plan, 0, 1, 8));
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
    const Plan again = fresh();
    EXPECT_TRUE(has_duty(again, 0, 4));
    EXPECT_TRUE(has_duty(again, 0, 8));
    EXPECT_TRUE(has_duty(again, 1, 5));
    EXPECT_TRUE(has_duty(again, 2, 6));
}

TEST_F(TwoWards, OneWardEditedByBothIsStillAConflict) {
    second.guards.lockedGroup = 1;  // the second planner took the same ward
    ASSERT_TRUE(add_to(plan, 0, 1, 4));
    ASSERT_TRUE(add_to(second, 2, 1, 6));
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
    ui2->answers = {Answer::No, Answer::No};
    EXPECT_FALSE(zapisz_dyzury_i_wolne(second).ok());
    EXPECT_FALSE(has_duty(fresh(), 2, 6));

}

TEST_F(TwoWards, TheWholeMonthsLockAndAWardsLockKeepEachOtherOut) {
    release_month_locks(plan);
    release_month_locks(second);
    const lock_owner other{"Ewa Nowak", "stacja-2", 4242, std::time(nullptr)};
    plan.guards = {};
    plan.guards.lockPolicy = lock_policy::Refuse;
    // Another computer's planner holds ward 3: the whole month is refused, ward 1 is free.
    ASSERT_TRUE(create_lock_file(file + ".g3.lock", other).made);
    const month_lock_outcome whole = lock_month(plan, file);
    EXPECT_FALSE(whole.open);
    EXPECT_NE(whole.said.text.find("Plik jest otwarty przez Ewa Nowak"), std::string::npos) << whole.said.text;
    plan.guards.lockedGroup = 1;
    EXPECT_TRUE(lock_month(plan, file).open);
    release_month_locks(plan);
    fs::remove(file + ".g3.lock");

    // Holding the whole month, she keeps every ward out.
    ASSERT_TRUE(create_lock_file(file + ".lock", other).made);
    plan.guards.lockedGroup = 3;
    EXPECT_FALSE(lock_month(plan, file).open);
    EXPECT_FALSE(fs::exists(file + ".g3.lock"));
}

}  // namespace
}  // namespace planek
