// The month acts write what their names say and nothing more; the copies a
// look takes are no part of the document's history.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "document/duty_acts.h"
#include "document/history_acts.h"
#include "document/month_acts.h"
#include "document/option_acts.h"
#include "document/staff_acts.h"
#include "files/month_file.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

class MonthActs : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(PLANEK_CLI)) GTEST_SKIP() << "planek-cli is not built";
        root = dir / "ward";
        const std::string cmd = std::string("'") + PLANEK_CLI + "' demo '" + root.string() + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        doc.set_interaction(talk);
        start_request r;
        r.root = root;
        r.language = "polski";
        r.userSettingsFolder = dir / "user";
        ASSERT_TRUE(start_program(doc, r).ok());
        for (const auto& e : fs::directory_iterator(root / "dane"))
            if (e.path().extension() == ".pnk") months.push_back(e.path().string());
        std::sort(months.begin(), months.end());
    }

    // A duty of the shift on a day a listed worker has free, with the days around it.
    result<duty_id> add_somewhere() {
        const Plan& plan = doc.plan();
        for (const listed_worker& lw : plan.listed) {
            const ms_& m = plan.workers[size_t(lw.worker)].months[size_t(plan.currentMonth)];
            for (int d = 1; d + 1 < int(plan.days.size()); ++d)
                if (m.duties[size_t(d - 1)].empty() && m.duties[size_t(d)].empty() && m.duties[size_t(d + 1)].empty() &&
                    !m.daysOff[size_t(d)].used() && m.daysOff[size_t(d)].headIndex == kNoHead)
                    return add_shift_duty(doc, lw.worker, d, 1);
        }
        return refusal{};
    }

    TempDir dir;
    fs::path root;
    std::vector<std::string> months;
    std::shared_ptr<ScriptedInteraction> talk = std::make_shared<ScriptedInteraction>();
    roster_document doc;
};

TEST_F(MonthActs, OpeningAndSavingLeaveTheConfigurationAlone) {
    const fs::path config = root / "dane" / "konfiguracja.ini";
    const std::string before = read_file(config);
    ASSERT_TRUE(open_project(doc, {months.back()}).ok());
    ASSERT_TRUE(add_somewhere().ok());
    ASSERT_TRUE(save_month(doc).ok());
    ASSERT_TRUE(new_month(doc).ok());
    EXPECT_EQ(read_file(config), before);
    // The month opened is the user's to remember, and she finds it again.
    ASSERT_TRUE(open_recent(doc, 1).ok());
    EXPECT_EQ(doc.plan().currentFile, months.back());
}

TEST_F(MonthActs, NewMonthKeepsTheOptionsApplied) {
    options_choice c = current_options(doc.plan());
    c.options.glowne.autosave = doc.plan().options.glowne.autosave + 7;
    ASSERT_TRUE(apply_options(doc, c).ok());
    ASSERT_TRUE(new_month(doc).ok());
    EXPECT_EQ(doc.plan().options.glowne.autosave, c.options.glowne.autosave);
}

TEST_F(MonthActs, CopiesAndChecksKeepOutOfTheHistory) {
    ASSERT_TRUE(open_project(doc, {months.back()}).ok());
    const Plan apart = doc.copy();
    EXPECT_EQ(apart.journal, nullptr);
    // A check reads the file into a copy of its own while the history records.
    ASSERT_TRUE(add_somewhere().ok());
    const size_t steps = doc.history().size();
    EXPECT_TRUE(check_month_file(doc.plan(), months.front()).empty());
    EXPECT_EQ(doc.history().size(), steps);
    ASSERT_TRUE(undo(doc).ok());
    EXPECT_FALSE(doc.modified());
}

// Only a save that landed marks the month saved: not one refused by the
// disk, and not the autosave, which keeps the file behind the title.
TEST_F(MonthActs, OnlyASaveThatLandsMarksTheMonthSaved) {
    ASSERT_TRUE(open_project(doc, {months.back()}).ok());
    ASSERT_FALSE(doc.modified());
    ASSERT_TRUE(add_somewhere().ok());
    EXPECT_TRUE(doc.modified());
    const std::string file = doc.plan().currentFile;
    ASSERT_TRUE(autosave(doc).ok());
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(doc.plan().currentFile, file);
    EXPECT_TRUE(doc.plan().modified) << "the flag the rules read follows the document";

    fs::permissions(file, fs::perms::owner_read);
    EXPECT_FALSE(save_month(doc).ok());
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(doc.modified()) << "a refused save marked the month saved";
    ASSERT_TRUE(save_month(doc).ok());
    EXPECT_FALSE(doc.modified());
    EXPECT_FALSE(doc.plan().modified);
}

// The staff file is written at once after a worker act, so undoing back to
// the month's saved state can still leave it behind: the plan stays
// modified until a save writes it.
TEST_F(MonthActs, AStepTakenBackPastTheStaffOnDiskLeavesThePlanModified) {
    ASSERT_TRUE(open_project(doc, {months.back()}).ok());
    ASSERT_FALSE(doc.modified());
    const int her = doc.plan().listed.at(1).worker;
    talk->answers = {Answer::Yes};
    ASSERT_TRUE(archive_worker(doc, her).ok());
    ASSERT_TRUE(undo(doc).ok());
    EXPECT_FALSE(doc.plan().workers[size_t(her)].old);
    EXPECT_TRUE(doc.history().atClean());
    EXPECT_TRUE(doc.modified()) << "kadra.inr still holds her as archived";
    ASSERT_TRUE(save_month(doc).ok());
    EXPECT_FALSE(doc.modified());

    // With the files as the tables, the saved state is unmodified again.
    ASSERT_TRUE(redo(doc).ok());
    EXPECT_TRUE(doc.modified());
    ASSERT_TRUE(undo(doc).ok());
    EXPECT_FALSE(doc.modified());
}

}  // namespace
}  // namespace planek::test
