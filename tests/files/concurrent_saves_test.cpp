// Two planners on one data folder: a month, the staff and the Sundays saved
// by two sessions that read the same files, and the lock an open month leaves.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/guarded_write.h"
#include "files/month_lock.h"
#include "files/month_project.h"
#include "files/save_conflict.h"
#include "files/staff_merge.h"
#include "files/staff_group_files.h"
#include "month_fixture.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::MonthFixture;
using test::ScriptedInteraction;
using test::read_file;

constexpr long kDeadPid = 0x7ffffff0;

bool has_duty(const Plan& plan, int worker, int day) {
    const ms_& m = plan.workers[size_t(worker)].months[size_t(plan.currentMonth)];
    return !m.duties[size_t(day - 1)].empty();
}

bool any_text_has(const std::vector<std::string>& texts, const std::string& what) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.find(what) != std::string::npos; });
}

class TwoSessions : public MonthFixture {
protected:
    Plan second;
    std::shared_ptr<ScriptedInteraction> ui2 = std::make_shared<ScriptedInteraction>();

    void SetUp() override {
        MonthFixture::SetUp();
        ASSERT_TRUE(zapisz(plan).ok());
        second = plan;
        second.ui = ui2;
    }
    // Both sessions read `name` (a new month when it is not there yet).
    void both_read(const std::string& name) {
        for (Plan* p : {&plan, &second}) {
            p->currentFile = path(name).string();
            p->openFiles = {p->currentFile};
            wczytaj_dyzury_i_wolne(*p);
        }
    }
    bool add_to(Plan& p, int worker, int day) {
        dyzur d;
        d.groupId = 1;
        d.workerId = p.workers[size_t(worker)].id;
        d.day = word(day);
        d.start = 420;
        d.length = 720;
        d.shift = 1;
        d.dutyAs = 1;
        return dodaj_dyzur(p, d, -1, false, worker).ok();
    }
    // The month as a third session reads it now.
    Plan fresh(const std::string& file) {
        Plan p = plan;
        p.ui = std::make_shared<SilentInteraction>();
        p.currentFile = file;
        wczytaj_dyzury_i_wolne(p);
        return p;
    }
};

TEST_F(TwoSessions, OfTwoSavesOfOneMonthTheLaterIsRefusedAndNothingIsLost) {
    int saved = 0, refused = 0, lost = 0;
    for (int round = 0; round < 50; ++round) {
        const std::string name = "r" + std::to_string(round) + ".pnk";
        both_read(name);
        ASSERT_TRUE(add_to(plan, 0, 3));
        ASSERT_TRUE(add_to(second, 1, 4));
        Plan& early = round % 2 ? second : plan;
        Plan& late = round % 2 ? plan : second;
        ScriptedInteraction& lateUi = round % 2 ? *ui : *ui2;
        const size_t asked = lateUi.questions.size();
        const bool first = zapisz_dyzury_i_wolne(early).ok();
        const bool then = zapisz_dyzury_i_wolne(late).ok();
        saved += first + then;
        if (!then) {
            ++refused;
            // Told why in the question of what to do with the month.
            EXPECT_GT(lateUi.questions.size(), asked);
            // The edit is still there to be saved elsewhere.
            EXPECT_TRUE(has_duty(late, round % 2 ? 0 : 1, round % 2 ? 3 : 4));
        }
        const Plan back = fresh(path(name).string());
        if (first && !has_duty(back, round % 2 ? 1 : 0, round % 2 ? 4 : 3)) ++lost;
        if (then && !has_duty(back, round % 2 ? 0 : 1, round % 2 ? 3 : 4)) ++lost;
    }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(saved, 50);
    EXPECT_EQ(refused, 50);
    // The refusal opens the question of what to do with the month.
    EXPECT_TRUE(any_text_has(ui2->questions, "zmienił się od chwili, gdy go odczytano"));
}

TEST_F(TwoSessions, ARefusedMonthGoesToAnotherFileOrIsReadAgain) {
    both_read("2024_03.pnk");
    ASSERT_TRUE(add_to(plan, 0, 3));
    ASSERT_TRUE(add_to(second, 1, 4));
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
    // Another file: a free name beside the month, which becomes the tab's file.
    ui2->answers = {Answer::Yes};
    ASSERT_TRUE(zapisz_dyzury_i_wolne(second).ok());
    EXPECT_EQ(fs::path(second.currentFile).filename(), "2024_03 (2).pnk");
    EXPECT_EQ(second.openFiles.front(), second.currentFile);
    EXPECT_TRUE(has_duty(fresh(path("2024_03 (2).pnk").string()), 1, 4));
    EXPECT_FALSE(has_duty(fresh(path("2024_03.pnk").string()), 1, 4));

    // Read again (after its question): the other's duty in, this one's gone.
    both_read("2024_03.pnk");
    ASSERT_TRUE(add_to(plan, 0, 5));
    ASSERT_TRUE(add_to(second, 1, 6));
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
    ui2->answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(zapisz_dyzury_i_wolne(second).ok());
    EXPECT_TRUE(any_text_has(ui2->questions, "zostaną utracone"));
    EXPECT_TRUE(has_duty(second, 0, 5));
    EXPECT_FALSE(has_duty(second, 1, 6));
    // Now it is what was read: the next save goes through.
    ASSERT_TRUE(add_to(second, 1, 6));
    EXPECT_TRUE(zapisz_dyzury_i_wolne(second).ok());
    const Plan back = fresh(path("2024_03.pnk").string());
    EXPECT_TRUE(has_duty(back, 0, 5));
    EXPECT_TRUE(has_duty(back, 1, 6));
}

TEST_F(TwoSessions, TheStaffOfBothSessionsAreMergedOrKeptApart) {
    plan.workers[0].surname = "Zielińska";
    plan.workers[2].holidayCurrentYear = 26;
    ASSERT_TRUE(zapisz(plan).ok());
    second.workers[1].phone = "600100200";
    // Different fields: nothing to decide, nobody asked.
    ASSERT_TRUE(zapisz(second).ok()) << (ui2->warnings.empty() ? "" : ui2->warnings.back());
    EXPECT_TRUE(ui2->questions.empty());
    // The second session now holds the first one's changes too.
    EXPECT_EQ(second.workers[0].surname, "Zielińska");
    EXPECT_EQ(second.workers[2].holidayCurrentYear, 26);

    Plan third = plan;
    third.ui = std::make_shared<SilentInteraction>();
    ASSERT_TRUE(wczytaj(third).ok());
    ASSERT_EQ(third.workers.size(), 3u);
    EXPECT_EQ(third.workers[0].surname, "Zielińska");
    EXPECT_EQ(third.workers[1].phone, "600100200");
    EXPECT_EQ(third.workers[2].holidayCurrentYear, 26);

    // One field changed two ways is put to the user, naming it; declined,
    // the newer file stays and this session's staff go to a file of their own.
    third.workers[1].phone = "700";
    ASSERT_TRUE(zapisz(third).ok());
    second.workers[1].phone = "800";
    second.workers[2].email = "ewa@szpital.pl";
    ui2->answers = {Answer::No};
    const files_report apart = zapisz(second);
    EXPECT_FALSE(apart.ok());
    ASSERT_EQ(ui2->questions.size(), 1u);
    EXPECT_TRUE(any_text_has(ui2->questions, "kadra.inr"));
    EXPECT_TRUE(any_text_has(ui2->questions, "phone")) << ui2->questions[0];
    EXPECT_TRUE(any_text_has(ui2->questions, "„800”, w nowszym pliku „700”")) << ui2->questions[0];
    ASSERT_TRUE(wczytaj(third).ok());
    EXPECT_EQ(third.workers[1].phone, "700");
    EXPECT_EQ(third.workers[2].email, "");
    EXPECT_NE(apart.said.text.find("kadra.ini.error_"), std::string::npos) << apart.said.text;

    // Agreed, this session's value wins the clash and the rest is merged.
    ui2->answers = {Answer::Yes};
    ASSERT_TRUE(zapisz(second).ok());
    ASSERT_TRUE(wczytaj(third).ok());
    EXPECT_EQ(third.workers[1].phone, "800");
    EXPECT_EQ(third.workers[2].email, "ewa@szpital.pl");
}

TEST_F(TwoSessions, TwoDeductionsFromOneWorkersLeaveBothCount) {
    const int start = plan.workers[1].holidayCurrentYear = 160 * 60;
    plan.workers[1].careDays = 2;
    ASSERT_TRUE(zapisz(plan).ok());
    ASSERT_TRUE(wczytaj(second).ok());
    // A leave of 7:35 in one session and of two days of 7:35 in the other,
    // a care day in the first.
    plan.workers[1].holidayCurrentYear -= 455;
    plan.workers[1].careDays -= 1;
    second.workers[1].holidayCurrentYear -= 910;
    ASSERT_TRUE(zapisz(plan).ok());
    ASSERT_TRUE(zapisz(second).ok());
    EXPECT_TRUE(ui2->questions.empty());
    EXPECT_EQ(second.workers[1].holidayCurrentYear, start - 455 - 910);
    EXPECT_EQ(second.workers[1].careDays, 1);

    // The first session saves again on the second's file: its deduction is
    // not counted twice, the new one once.
    plan.workers[1].holidayCurrentYear -= 455;
    ASSERT_TRUE(zapisz(plan).ok());
    Plan third = plan;
    third.ui = std::make_shared<SilentInteraction>();
    ASSERT_TRUE(wczytaj(third).ok());
    EXPECT_EQ(third.workers[1].holidayCurrentYear, start - 2 * 455 - 910);
    EXPECT_EQ(third.workers[1].careDays, 1);
}

TEST_F(TwoSessions, AMonthSavedBesideItsFileSaysTheStaffWereNotChanged) {
    both_read("2024_03.pnk");
    ASSERT_TRUE(add_to(plan, 0, 3));
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
    const std::string staff = read_file(path("kadra.inr"));
    // A leave's balance drawn here, the month written meanwhile by the other.
    ASSERT_TRUE(add_to(second, 1, 4));
    second.workers[1].holidayCurrentYear -= 455;
    ui2->answers = {Answer::Yes};
    const result<> saved = zapisz_dyzury_i_wolne(second);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(fs::path(second.currentFile).filename(), "2024_03 (2).pnk");
    EXPECT_EQ(read_file(path("kadra.inr")), staff);
    const auto said = std::find_if(saved.notes.begin(), saved.notes.end(),
                                   [](const refusal& r) { return r.kind == refusal_kind::Conflict; });
    ASSERT_NE(said, saved.notes.end());
    EXPECT_NE(said->text.find("kadra.inr"), std::string::npos) << said->text;
    EXPECT_NE(said->text.find("nie zmieniono"), std::string::npos) << said->text;
}

TEST(StaffMerge, EachSideKeepsTheWorkersAndFieldsItChanged) {
    const std::vector<std::string> base = {"p¤1¤a", "p¤2¤b", "p¤3¤c", "p¤4¤d"};
    // Here: 2 changed, 4 removed, 6 added; there: 1 and 4 changed, 3 removed, 5 added.
    const std::vector<std::string> ours = {"p¤1¤a", "p¤2¤B", "p¤3¤c", "p¤6¤f"};
    const std::vector<std::string> theirs = {"p¤1¤A", "p¤2¤b", "p¤4¤D", "p¤5¤e"};
    const staff_merge m = merge_staff_lines(base, ours, theirs);
    EXPECT_EQ(m.lines, (std::vector<std::string>{"p¤1¤A", "p¤2¤B", "p¤4¤D", "p¤5¤e", "p¤6¤f"}));
    EXPECT_TRUE(m.clashes.empty());
    // Removed here and left there as read: gone; removed there but changed here: back.
    EXPECT_EQ(merge_staff_lines(base, {"p¤1¤a", "p¤3¤C"}, {"p¤1¤a", "p¤2¤b", "p¤4¤d"}).lines,
              (std::vector<std::string>{"p¤1¤a", "p¤3¤C"}));

    // One worker: the group changed there, the leave left (field 3) and the
    // care days (5) drawn on both sides, the rehabilitation days (6) here.
    const std::string read = "p¤7¤1¤9600¤0¤3¤10";
    const staff_merge w = merge_staff_lines({read}, {"p¤7¤1¤9145¤0¤2¤9"}, {"p¤7¤2¤8690¤0¤2¤10"});
    EXPECT_EQ(w.lines, std::vector<std::string>{"p¤7¤2¤8235¤0¤1¤9"});
    EXPECT_TRUE(w.clashes.empty());
    // A field that is no balance changed two ways: this side's value, and a clash named.
    const staff_merge c = merge_staff_lines({read}, {"p¤7¤3¤9600¤0¤3¤10"}, {"p¤7¤4¤9600¤0¤3¤10"});
    EXPECT_EQ(c.lines, std::vector<std::string>{"p¤7¤3¤9600¤0¤3¤10"});
    ASSERT_EQ(c.clashes.size(), 1u);
    EXPECT_EQ(c.clashes[0].field, "groupId");
    EXPECT_EQ(c.clashes[0].ours, "3");
    EXPECT_EQ(c.clashes[0].theirs, "4");
    // Both sides made the same change: nothing to decide.
    EXPECT_TRUE(merge_staff_lines({read}, {"p¤7¤5¤9600¤0¤3¤10"}, {"p¤7¤5¤9600¤0¤3¤10"}).clashes.empty());
}

class MonthLock : public MonthFixture {
protected:
    std::string file;
    fs::path lock;
    void SetUp() override {
        MonthFixture::SetUp();
        file = path("2024_03.pnk").string();
        lock = open_lock_file(file);
        plan.currentFile = file;
        ASSERT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
        plan.currentFile.clear();
    }
    void locked_by(const lock_owner& o) { ASSERT_TRUE(create_lock_file(lock, o).made); }
};

TEST_F(MonthLock, AMonthOpenElsewhereIsOpenedReadOnlyOrAnywayAsTheUserChooses) {
    std::tm at{};
    at.tm_year = 124, at.tm_mon = 2, at.tm_mday = 15, at.tm_hour = 7, at.tm_min = 5, at.tm_isdst = -1;
    locked_by({"Ewa Nowak", "stacja-2", 4242, std::mktime(&at)});
    ui->answers = {Answer::No};
    ASSERT_TRUE(otworz(plan, file));
    ASSERT_EQ(ui->questions.size(), 1u);
    EXPECT_NE(ui->questions[0].find("Plik jest otwarty przez Ewa Nowak na komputerze stacja-2 od 07:05"),
              std::string::npos)
        << ui->questions[0];
    // Read-only: shown, never saved; the other's lock stays.
    const result<> refusedSave = zapisz_dyzury_i_wolne(plan);
    EXPECT_FALSE(refusedSave.ok());
    EXPECT_NE(refusedSave.error().text.find("tylko do odczytu"), std::string::npos) << refusedSave.error().text;
    EXPECT_EQ(read_lock_file(lock)->user, "Ewa Nowak");
    release_month_locks(plan);
    EXPECT_EQ(read_lock_file(lock)->user, "Ewa Nowak");

    // Anyway: the lock is taken over, saves go through, and closing removes it.
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(otworz_projekt(plan, {file})->size() == 1);
    EXPECT_TRUE(is_this_process(*read_lock_file(lock)));
    EXPECT_TRUE(zapisz_dyzury_i_wolne(plan).ok());
    release_month_locks(plan);
    EXPECT_FALSE(fs::exists(lock));
}

TEST_F(MonthLock, TheCommandLinePoliciesRefuseOrTakeOver) {
    locked_by({"Ewa", "stacja-2", 4242, plan.clock->now()});
    plan.guards.lockPolicy = lock_policy::Refuse;
    const result<> kept = otworz(plan, file);
    EXPECT_FALSE(kept.ok());
    EXPECT_EQ(kept.error().kind, refusal_kind::Locked);
    EXPECT_NE(kept.error().text.find("Plik jest otwarty przez Ewa na komputerze stacja-2"), std::string::npos);
    EXPECT_TRUE(ui->questions.empty());
    plan.guards.lockPolicy = lock_policy::Force;
    const result<> forced = otworz(plan, file);
    EXPECT_TRUE(forced.ok());
    EXPECT_NE(said_of(forced).text.find("Plik jest otwarty przez Ewa"), std::string::npos) << "a note of whose lock it was";
    EXPECT_TRUE(is_this_process(*read_lock_file(lock)));
    EXPECT_TRUE(ui->questions.empty());
}

TEST_F(MonthLock, StaleLocksAreTakenOverWithANote) {
    lock_owner dead = this_process_owner("Ewa", plan.clock->now());
    dead.pid = kDeadPid;
    locked_by(dead);
    const result<> taken = otworz(plan, file);
    EXPECT_TRUE(taken.ok());
    EXPECT_TRUE(ui->questions.empty());
    EXPECT_EQ(said_of(taken).kind, refusal_kind::Notice);
    EXPECT_NE(said_of(taken).text.find("Przejęto pozostawioną blokadę pliku 2024_03.pnk (Ewa"), std::string::npos);
    EXPECT_TRUE(is_this_process(*read_lock_file(lock)));
    release_month_locks(plan);

    locked_by({"Ewa", "stacja-2", 4242, plan.clock->now() - 25 * 3600});
    EXPECT_TRUE(otworz(plan, file));
    EXPECT_TRUE(ui->questions.empty());
    EXPECT_TRUE(is_this_process(*read_lock_file(lock)));
    // Opening it again (a tab switch) keeps our own lock without a question.
    EXPECT_TRUE(otworz(plan, file));
    EXPECT_TRUE(ui->questions.empty());
}

}  // namespace
}  // namespace planek
