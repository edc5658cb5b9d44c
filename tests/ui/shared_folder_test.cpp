// The window over a data folder another planner uses at the same time.
#include "core/guarded_write.h"
#include "editing/duty_add.h"
#include "files/month_file.h"
#include "files/program_session.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

bool any_has(const std::vector<std::string>& texts, const std::string& what) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(what) != std::string::npos; });
}

// Another planner's session on the same folder and month.
struct OtherSession {
    Plan plan;
    explicit OtherSession(const fs::path& root, const std::string& month) {
        plan.ui = std::make_shared<SilentInteraction>();
        session_request start;
        start.root = root;
        start.language = "polski";
        EXPECT_TRUE(open_program_session(plan, start).ok());
        months_request months;
        months.files = {month};
        EXPECT_TRUE(open_session_months(plan, months).ok());
    }
};

TEST_F(DemoWard, AMonthSavedByAnotherSessionMeanwhileIsNotOverwrittenTheSaveAsks) {
    const std::string month = demoMonths().front();
    window->chooseOpenFiles = [&] { return std::vector<std::string>{month}; };
    window->action("a_ProjectOpen")->trigger();
    ASSERT_EQ(plan.currentFile, month);
    // The window holds the ward it shows, not the whole month.
    const std::string wardLock = month + ".g" + std::to_string(plan.group()->id) + ".lock";
    EXPECT_TRUE(fs::exists(wardLock));
    EXPECT_FALSE(fs::exists(open_lock_file(month)));

    // The other planner adds a duty on the 9th and saves while the window holds the month.
    OtherSession other(root.path(), month);
    const int w = firstListedWorker();
    dyzur d;
    d.groupId = plan.group()->id;
    d.workerId = plan.workers[size_t(w)].id;
    d.day = 9;
    d.shift = 1;
    d.start = plan.group()->shifts[0].start;
    d.length = plan.group()->shifts[0].length;
    d.dutyAs = 1;
    const int ow = other.plan.workerIndexById(d.workerId);
    other.plan.workers[size_t(ow)].months[size_t(other.plan.currentMonth)].duties[8].clear();
    plan.workers[size_t(w)].months[size_t(plan.currentMonth)].duties[8].clear();
    ASSERT_TRUE(dodaj_dyzur(other.plan, d, -1, false, ow));
    ASSERT_TRUE(zapisz_dyzury_i_wolne(other.plan).ok());
    const std::string theirs = read_file(month);

    // The window's save of its own edit asks instead of overwriting.
    window->handleDrop("d", w, 20, 1, true);
    ASSERT_TRUE(plan.modified);
    talk->answers = {Answer::No, Answer::No};
    window->action("a_ProjectSave")->trigger();
    EXPECT_TRUE(any_has(talk->warnings, "zmienił się od chwili, gdy go odczytano"));
    EXPECT_TRUE(any_has(talk->questions, "Zapisać ten miesiąc w innym pliku?"));
    EXPECT_EQ(read_file(month), theirs);
    EXPECT_TRUE(plan.modified);

    // Read again: the other's duty is in the window, and the next save goes through.
    talk->answers = {Answer::No, Answer::Yes};
    window->action("a_ProjectSave")->trigger();
    EXPECT_FALSE(duties(w, 8).empty());
    window->handleDrop("d", w, 20, 1, true);
    talk->answers.clear();
    const size_t warned = talk->warnings.size();
    window->action("a_ProjectSave")->trigger();
    EXPECT_EQ(talk->warnings.size(), warned);
    EXPECT_FALSE(plan.modified);
    EXPECT_NE(read_file(month), theirs);

    // Closing the program takes the lock away.
    talk->answers = {Answer::No};
    EXPECT_TRUE(close_program(doc, {}).ok());
    EXPECT_FALSE(fs::exists(wardLock));
}

TEST_F(DemoWard, AMonthOpenWholeOnAnotherComputerIsShownReadOnly) {
    const std::string month = demoMonths().front();
    write_file(open_lock_file(month),
               "user=Ewa\nhost=stacja-2\npid=4242\nsince=" + std::to_string(std::time(nullptr)) + "\n");
    window->chooseOpenFiles = [&] { return std::vector<std::string>{month}; };
    window->action("a_ProjectOpen")->trigger();
    ASSERT_EQ(plan.currentFile, month);
    // Told, not asked: a question answered in haste would take it from her.
    EXPECT_TRUE(talk->questions.empty());
    EXPECT_TRUE(any_has(talk->infos, "Plik jest otwarty przez Ewa na komputerze stacja-2 od "));
    EXPECT_TRUE(any_has(talk->infos, "tylko do odczytu"));
    window->handleDrop("d", firstListedWorker(), 20, 1, true);
    const std::string before = read_file(month);
    window->action("a_ProjectSave")->trigger();
    EXPECT_TRUE(any_has(talk->warnings, "Plik jest otwarty przez Ewa"));
    EXPECT_TRUE(any_has(talk->warnings, "Nie zapisano pliku"));
    EXPECT_EQ(read_file(month), before);
}

}  // namespace
}  // namespace planek::test
