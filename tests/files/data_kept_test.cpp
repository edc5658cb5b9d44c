// What the user wrote must come back as it was meant: entries of workers
// missing from the staff, workers added shortly before a crash, the month's
// own day-off settings and the norms of groups stored by older versions.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "editing/undo_stack.h"
#include "editing/worker_model.h"
#include "files/backups.h"
#include "files/month_project.h"
#include "files/staff_group_files.h"
#include "month_fixture.h"
#include "support/ini_sections.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

class DataKept : public MonthFixture {
protected:
    // A duty and a day off of worker 99, who is not on the staff.
    void add_orphans() {
        dyzur d;
        d.groupId = 1;
        d.workerId = 99;
        d.day = 4;
        d.start = 420;
        d.length = 720;
        d.shift = 1;
        d.dutyAs = 1;
        add(d, int(plan.workers.size()));  // false: she has no slot, the orphan list takes it
        wolne_ w;
        w.groupId = 1;
        w.workerId = 99;
        w.dayFrom = 10;
        w.dayTo = 12;
        w.symbol = 'u';
        w.normMinutes = 455 * 3;
        add(w, int(plan.workers.size()));
        ASSERT_EQ(plan.orphanDuties.size(), 1u);
        ASSERT_EQ(plan.orphanDaysOff.size(), 1u);
    }
    // The program as it starts: staff and groups from the data folder, an
    // empty plan of the current month.
    void start(Plan& p) {
        p.paths = plan.paths;
        p.clock = plan.clock;
        p.ui = ui;
        ASSERT_TRUE(wczytaj(p).ok());
        p.currentGroup = 0;
        EXPECT_TRUE(a_ProjectNew(p));
    }
    bool counts(const char* code) const {
        return counts_toward_norm(plan, plan.options.dayOffKindIndex(code));
    }
    void set_counts(const char* code, bool on) {
        plan.options.dayOffKinds[plan.options.dayOffKindIndex(code)].normatyw = on ? kNormatywOn : kNormatywOff;
    }
    std::string month_file(const std::string& name, int month, const std::string& extra = "") {
        write_file(path(name), "[okres]\r\nFromYear=2024\r\nFromMonth=" + std::to_string(month) + "\r\n" + extra);
        return path(name).string();
    }
};

TEST_F(DataKept, MonthOfOnlyOrphansKeepsThemOnSave) {
    empty_month();
    add_orphans();
    plan.currentFile = path("obcy.pnk").string();
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    const auto duties = section_lines(lines_of(path("obcy.pnk")), "dyzury");
    ASSERT_EQ(duties.size(), 1u);
    EXPECT_EQ(duties[0].rfind("d1=1¤99¤4¤", 0), 0u) << duties[0];
    EXPECT_EQ(section_lines(lines_of(path("obcy.pnk")), "wolne").size(), 1u);

    // Read back and saved again, nothing is lost on the way.
    empty_month();
    plan.currentFile = path("obcy.pnk").string();
    EXPECT_TRUE(wczytaj_dyzury_i_wolne(plan).empty());
    ASSERT_EQ(plan.orphanDuties.size(), 1u);
    ASSERT_EQ(plan.orphanDaysOff.size(), 1u);
    EXPECT_EQ(plan.orphanDaysOff[0].dayTo, 12);
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    EXPECT_EQ(section_lines(lines_of(path("obcy.pnk")), "dyzury"), duties);
}

TEST_F(DataKept, OrphansAreWrittenBesideTheWorkersEntries) {
    empty_month();
    ASSERT_TRUE(add_duty(0, 2, 420, 720));
    add_orphans();
    plan.currentFile = path("mieszany.pnk").string();
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    const auto duties = section_lines(lines_of(path("mieszany.pnk")), "dyzury");
    ASSERT_EQ(duties.size(), 2u);
    EXPECT_EQ(duties[1].rfind("d2=1¤99¤", 0), 0u) << duties[1];
}

TEST_F(DataKept, WorkerAddedBeforeACrashComesBackWithHerDuty) {
    ASSERT_TRUE(zapisz(plan).ok());
    Plan run;
    start(run);
    ASSERT_EQ(run.workers.size(), 3u);
    prac added = make_worker(id(run, 'k', "max"), "Zając");
    ASSERT_TRUE(dodaj_pracow(run, added, false, 0, -1));
    const int her = int(run.workers.size()) - 1;
    dyzur d;
    d.groupId = 1;
    d.workerId = added.id;
    d.day = 6;
    d.start = 420;
    d.length = 720;
    d.shift = 1;
    d.dutyAs = 1;
    ASSERT_TRUE(dodaj_dyzur(run, d, -1, false, her));
    // The worker's act writes the staff at once; the autosave writes its file alone.
    ASSERT_TRUE(zapisz_gdy_zmienione(run).ok());
    ASSERT_TRUE(t_SaveTimer(run));
    // The process dies here: no exit save. The next run recovers the autosave.
    Plan after;
    start(after);
    ASSERT_EQ(after.workers.size(), 4u);
    EXPECT_EQ(after.workers[3].surname, "Zając");
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(autosave_recovery(after));
    EXPECT_TRUE(after.orphanDuties.empty());
    EXPECT_EQ(after.workers[3].months[after.currentMonth].duties[5].size(), 1u);
}

TEST_F(DataKept, StaffAndGroupsAreWrittenOnlyWhenChanged) {
    // Nothing is known of the files before they were read.
    EXPECT_TRUE(zapisz_gdy_zmienione(plan).ok());
    EXPECT_FALSE(fs::exists(plan.paths.data / "kadra.inr"));

    ASSERT_TRUE(zapisz(plan).ok());
    ASSERT_TRUE(wczytaj(plan).ok());
    fs::remove(plan.paths.data / "grupy.ini");
    fs::remove(plan.paths.data / "kadra.inr");
    EXPECT_TRUE(zapisz_gdy_zmienione(plan).ok());
    EXPECT_FALSE(fs::exists(plan.paths.data / "kadra.inr")) << "unchanged tables were written";

    plan.workers[1].surname = "Nowak-Zięba";
    EXPECT_TRUE(zapisz_gdy_zmienione(plan).ok());
    EXPECT_TRUE(fs::exists(plan.paths.data / "kadra.inr"));
    EXPECT_TRUE(fs::exists(plan.paths.data / "grupy.ini"));
    Plan loaded;
    loaded.paths = plan.paths;
    loaded.clock = plan.clock;
    ASSERT_TRUE(wczytaj(loaded).ok());
    EXPECT_EQ(loaded.workers[1].surname, "Nowak-Zięba");

    // After a staff restore the files on disk are the ones to keep.
    plan.saveStaffAtExit = false;
    plan.groups[0].name = "Interna";
    fs::remove(plan.paths.data / "grupy.ini");
    EXPECT_TRUE(zapisz_gdy_zmienione(plan).ok());
    EXPECT_FALSE(fs::exists(plan.paths.data / "grupy.ini"));
}

// Whether the staff are behind their file is asked after every act; it is
// told from the fields the lines on disk were made from where they are known,
// and must then say what a comparison of every line says.
TEST_F(DataKept, TheStaffAreBehindTheFileExactlyWhenTheirLinesWouldChange) {
    plan.workers[1].surname = "Nowak Zięba";
    ASSERT_TRUE(zapisz(plan).ok());
    for (const bool fieldsKnown : {true, false}) {
        SCOPED_TRACE(fieldsKnown ? "fields of the lines known" : "lines alone");
        ASSERT_TRUE(wczytaj(plan).ok());
        ASSERT_TRUE(plan.staffOnDisk);
        if (!fieldsKnown) plan.staffOnDisk->records.clear();
        EXPECT_FALSE(staff_files_behind(plan));
        // What the month files hold is no field of the staff file.
        plan.workers[0].months.front().partTime = 0.5;
        EXPECT_FALSE(staff_files_behind(plan));
        // Written as the same line: the line format holds no line break.
        plan.workers[1].surname = "Nowak\nZięba";
        EXPECT_FALSE(staff_files_behind(plan));
        plan.workers[2].holidayCurrentYear += 455;
        EXPECT_TRUE(staff_files_behind(plan));
        plan.workers[2].holidayCurrentYear -= 455;
        EXPECT_FALSE(staff_files_behind(plan));
        // Saved: what is on disk now is the new line, and a change after it counts.
        plan.workers[0].careDays = 3;
        ASSERT_TRUE(zapisz_gdy_zmienione(plan).ok());
        EXPECT_FALSE(staff_files_behind(plan));
        plan.workers[0].careDays = 2;
        EXPECT_TRUE(staff_files_behind(plan));
        plan.workers[0].careDays = 3;
        plan.workers.push_back(plan.workers[0]);
        EXPECT_TRUE(staff_files_behind(plan));
        plan.workers.pop_back();
        EXPECT_FALSE(staff_files_behind(plan));
    }
}

TEST_F(DataKept, FailedStaffWriteIsTriedAgain) {
    ASSERT_TRUE(zapisz(plan).ok());
    ASSERT_TRUE(wczytaj(plan).ok());
    plan.workers[0].surname = "Kowalska-Lis";
    set_write_fault(1);
    const files_report failed = zapisz_gdy_zmienione(plan);
    set_write_fault(0);
    EXPECT_FALSE(failed.ok());
    EXPECT_TRUE(zapisz_gdy_zmienione(plan).ok());
    Plan loaded;
    loaded.paths = plan.paths;
    loaded.clock = plan.clock;
    ASSERT_TRUE(wczytaj(loaded).ok());
    EXPECT_EQ(loaded.workers[0].surname, "Kowalska-Lis");
}

TEST_F(DataKept, NewWorkerNeverTakesTheIdOfAnOrphanOfAnOpenMonth) {
    // Worker 7 left the staff; March still holds her duty.
    const std::string march = month_file("2024_03.pnk", 3,
                                         "[dyzury]\r\nd1=1\xA4" "7\xA4" "4\xA4" "720\xA4" "1\xA4" "420\xA4" "0\r\n");
    const std::string april = month_file("2024_04.pnk", 4);
    EXPECT_TRUE(otworz_projekt(plan, {march, april}));
    ASSERT_EQ(plan.openFiles.size(), 2u);
    EXPECT_TRUE(plan.orphanDuties.empty());  // April is shown
    EXPECT_EQ(id(plan, 'k', "max"), 8);
}

TEST_F(DataKept, DayOffKindsAMonthDoesNotMentionAreOn) {
    const std::string october = month_file("2024_10.pnk", 10, "[urlop_normatyw]\r\nz=0\r\nb=0\r\n");
    const std::string november = month_file("2024_11.pnk", 11, "[urlop_normatyw]\r\nb=0\r\n");
    EXPECT_TRUE(otworz_projekt(plan, {october, november}));
    ASSERT_EQ(plan.currentFile, november);
    EXPECT_TRUE(counts("z")) << "October's setting leaked into November";
    EXPECT_FALSE(counts("b"));
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    const auto kinds = section_lines(lines_of(path("2024_11.pnk")), "urlop_normatyw");
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), "z=1"), kinds.end());

    ASSERT_TRUE(otworz(plan, october));
    EXPECT_FALSE(counts("z"));

    // A configuration that switched a kind off does not decide for a file
    // silent about it; a new plan with no file takes the configuration.
    set_counts("m", false);
    ASSERT_TRUE(otworz(plan, november));
    EXPECT_TRUE(counts("m"));
    set_counts("m", false);
    plan.currentFile.clear();
    wczytaj_dyzury_i_wolne(plan);
    EXPECT_FALSE(counts("m"));
}

TEST_F(DataKept, ShortGroupLineGetsItsDailyNormAsDefault) {
    // 13 fields: a group line written before the month defaults existed.
    write_file(plan.paths.data / "grupy.ini",
               utf8_to_cp1250_lossy("g¤1¤0¤0¤0¤0¤480¤1¤1¤0¤0¤Interna¤clWhite¤0¤0\r\n"
                                    "z¤420¤720¤0¤2¤1¤clWhite¤D¤Dzień\r\n"
                                    "g¤2¤0¤0¤0¤0¤480¤0¤0¤0¤0¤Chirurgia¤clWhite¤0¤0¤420¤0¤0¤0¤0\r\n"));
    ASSERT_TRUE(wczytaj(plan).ok());
    ASSERT_EQ(plan.groups.size(), 2u);
    const grupa& old = plan.groups[0];
    EXPECT_EQ(old.dailyNormDefault, 480);
    EXPECT_TRUE(old.saturdayHolidayDefault);
    EXPECT_TRUE(old.dayOffForSaturdayHolidayDefault);
    EXPECT_EQ(plan.groups[1].dailyNormDefault, 420);  // a stored default is kept
    EXPECT_FALSE(plan.groups[1].saturdayHolidayDefault);

    // A new month (no settings of its own) works with that norm.
    empty_month("2024_05.pnk");
    EXPECT_EQ(plan.groups[0].dailyNorm, 480);
}

}  // namespace
}  // namespace planek::test
