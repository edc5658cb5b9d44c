// Start and end of the program over a demo ward: the autosave timer and the
// recovery after a crash, the command-line file, the start password, the
// quick entry by short name and reordering the lists.
#include <QTimer>

#include "document/option_acts.h"
#include "document/view_acts.h"
#include "editing/panel_names.h"
#include "files/month_file.h"
#include "files/recent_files.h"
#include "settings/options_file.h"
#include "settings/user_settings.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

TEST_F(DemoWard, TheAutosaveTimerWritesThePlanAndTheNextStartOffersIt) {
    EXPECT_EQ(window->autosaveTimer()->interval(), plan.options.glowne.autosave * 60 * 1000);
    EXPECT_TRUE(window->autosaveTimer()->isActive());
    const int w = firstListedWorker();
    window->handleDrop("d", w, 7, 1, true);
    ASSERT_TRUE(QMetaObject::invokeMethod(window->autosaveTimer(), "timeout", Qt::DirectConnection));
    const auto autosave = plan.paths.root / kAutosaveName;
    ASSERT_TRUE(std::filesystem::exists(autosave));
    EXPECT_TRUE(plan.currentFile.empty()) << "the autosave leaves the plan's own file alone";

    // The program did not end normally: the next start asks and takes it back.
    roster_document nextDoc;
    const Plan& next = nextDoc.plan();
    auto answers = std::make_shared<ScriptedInteraction>();
    answers->answers = {Answer::Yes};
    nextDoc.set_interaction(answers);
    start_request request;
    request.root = root.path();
    request.userSettingsFolder = root / "user";
    ASSERT_TRUE(start_program(nextDoc, request).ok());
    ASSERT_EQ(answers->questions.size(), 1u);
    ASSERT_EQ(next.workers[size_t(w)].months[size_t(next.currentMonth)].duties[7].size(), 1u);
    EXPECT_TRUE(next.currentFile.empty()) << "a recovered plan asks for a file name at the next save";
    EXPECT_TRUE(nextDoc.modified()) << "and exists nowhere else yet";
}

TEST_F(DemoWard, ASavedAutosaveIntervalCountsAtOnce) {
    options_choice c = current_options(plan);
    c.options.glowne.autosave = 3;
    ASSERT_TRUE(save_options(doc, c).ok());
    EXPECT_EQ(window->autosaveTimer()->interval(), 3 * 60 * 1000);
    EXPECT_TRUE(window->autosaveTimer()->isActive());

    c.options.glowne.autosave = 0;  // off
    ASSERT_TRUE(save_options(doc, c).ok());
    EXPECT_FALSE(window->autosaveTimer()->isActive());
}

TEST_F(DemoWard, TheCommandLineFileOpensAsTheOnlyTabAndHeadsTheRecentList) {
    const std::string file = demoMonths().front();
    roster_document nextDoc;
    const Plan& next = nextDoc.plan();
    nextDoc.set_interaction(std::make_shared<ScriptedInteraction>());
    start_request request;
    request.root = root.path();
    request.userSettingsFolder = root / "user";
    request.file = file;
    ASSERT_TRUE(start_program(nextDoc, request).ok());
    ASSERT_EQ(next.openFiles.size(), 1u);
    EXPECT_EQ(std::filesystem::path(next.openFiles[0]), std::filesystem::canonical(file));
    const auto recent = recent_projects(next);
    ASSERT_FALSE(recent.empty());
    EXPECT_EQ(std::filesystem::path(recent[0].files.at(0)), std::filesystem::canonical(file));

    roster_document missing;
    missing.set_interaction(std::make_shared<ScriptedInteraction>());
    request.file = (root / "nie_ma.pnk").string();
    ASSERT_TRUE(start_program(missing, request).ok());
    EXPECT_TRUE(missing.plan().openFiles.empty()) << "a missing file is ignored";
}

TEST_F(DemoWard, AWrongStartPasswordEndsBeforeAnyDataIsRead) {
    ASSERT_TRUE(set_start_password(doc, "tajne").ok());
    start_request request;
    request.root = root.path();
    request.userSettingsFolder = root / "user";
    for (const char* typed : {"zle", ""}) {
        roster_document next;
        next.set_interaction(std::make_shared<ScriptedInteraction>());
        request.askPassword = [typed] { return std::optional<std::string>(typed); };
        EXPECT_EQ(start_program(next, request).error().kind, refusal_kind::Cancelled);
        EXPECT_TRUE(next.plan().workers.empty());
    }
    roster_document cancelled;
    request.askPassword = [] { return std::optional<std::string>(); };
    EXPECT_EQ(start_program(cancelled, request).error().kind, refusal_kind::Cancelled);

    roster_document right;
    request.askPassword = [] { return std::optional<std::string>("tajne"); };
    EXPECT_TRUE(start_program(right, request).ok());
    EXPECT_FALSE(right.plan().workers.empty());
}

TEST_F(DemoWard, QuickEntryFindsTheWorkerByShortNameOnTheSelectedCell) {
    const int w = window->workerList()->workerAt(2);
    const std::string nick = plan.workers[size_t(w)].nick;
    ASSERT_FALSE(nick.empty());
    // No cell selected yet: the rule says which cell to choose.
    ASSERT_TRUE(select_cell(doc, -1, -1).ok());
    window->quickEntry(QString::fromStdString(nick).toLower());
    EXPECT_TRUE(dialogs.empty());
    ASSERT_FALSE(talk->warnings.empty());
    EXPECT_NE(talk->warnings.back().find("Zaznacz na kalendarzu"), std::string::npos);

    int row = -1, column = -1;
    ASSERT_TRUE(window->calendar()->cellAt(window->calendar()->dayPoint(12, 2), row, column));
    window->calendar()->selectCell(row, column);
    window->quickEntry(QString::fromStdString(nick).toLower());
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].worker, w);
    EXPECT_EQ(dialogs[0].dayIndex, 12);
    EXPECT_EQ(dialogs[0].duty.shift, 2);
}

TEST_F(DemoWard, DraggingWithinTheListsReordersTheTables) {
    const int first = window->workerList()->workerAt(0), second = window->workerList()->workerAt(1);
    const word firstId = plan.workers[size_t(first)].id;
    emit window->workerList()->workerMoved(first, second);
    EXPECT_EQ(plan.workers[size_t(second)].id, firstId);
    EXPECT_EQ(window->workerList()->workerAt(1), second);
    EXPECT_EQ(plan.workers[size_t(window->workerList()->workerAt(1))].id, firstId);

    const word groupId = plan.groups[0].id;
    emit window->groupList()->groupMoved(0, 1);
    EXPECT_EQ(plan.groups[1].id, groupId);
    EXPECT_EQ(plan.currentGroup, 1);
    EXPECT_EQ(window->groupList()->groupAt(window->groupList()->currentRow()), 1);
}

}  // namespace
}  // namespace planek::test
