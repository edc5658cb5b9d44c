// Head nurses of two wards in one month at once: each window holds the ward
// it shows, saves its part onto what the other saved, and shows who holds
// the wards it does not.
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <ctime>

#include "core/guarded_write.h"
#include "core/lock_file.h"
#include "files/month_file.h"
#include "files/program_session.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

bool any_has(const std::vector<std::string>& texts, const std::string& what) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(what) != std::string::npos; });
}

std::string ward_lock(const std::string& month, word group) { return month + ".g" + std::to_string(group) + ".lock"; }

// The user clicks a group in the window's list.
void click_group(ui::MainWindow& w, int group) {
    ui::GroupList* list = w.groupList();
    for (int row = 0; row < list->count(); ++row) {
        if (list->groupAt(row) != group) continue;
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        return;
    }
    ADD_FAILURE() << "no group " << group << " in the list";
}

// The month as a third program reads it from disk.
Plan read_back(const fs::path& root, const std::string& month) {
    Plan p;
    p.ui = std::make_shared<SilentInteraction>();
    session_request start;
    start.root = root;
    start.language = "polski";
    EXPECT_TRUE(open_program_session(p, start).ok());
    months_request months;
    months.files = {month};
    EXPECT_TRUE(open_session_months(p, months).ok());
    return p;
}

bool has_duty(const Plan& p, word workerId, int dayIndex, word groupId) {
    const int w = p.workerIndexById(workerId);
    if (w < 0) return false;
    const auto& day = p.workers[size_t(w)].months[size_t(p.currentMonth)].duties[size_t(dayIndex)];
    return std::any_of(day.begin(), day.end(), [&](const dyzur& d) { return d.groupId == groupId; });
}

// A second head nurse's window on the same folder, in this process.
struct SecondWindow {
    roster_document doc;
    std::shared_ptr<ScriptedInteraction> talk = std::make_shared<ScriptedInteraction>();
    std::unique_ptr<ui::MainWindow> window;
    const Plan& plan = doc.plan();

    SecondWindow(const fs::path& root, int group, const std::string& month) {
        doc.set_interaction(talk);
        doc.set_ward_locks(true);
        start_request request;
        request.root = root;
        request.language = "polski";
        request.userSettingsFolder = root / "user2";
        EXPECT_TRUE(start_program(doc, request).ok());
        window = std::make_unique<ui::MainWindow>(doc);
        window->onClose = nullptr;
        window->resize(1300, 860);
        window->show();
        click_group(*window, group);
        window->chooseOpenFiles = [month] { return std::vector<std::string>{month}; };
        window->action("a_ProjectOpen")->trigger();
    }
    int firstListedWorker() const { return window->workerList()->workerAt(0); }
};

class WardLocks : public DemoWard {
protected:
    void SetUp() override {
        DemoWard::SetUp();
        ASSERT_GE(plan.groups.size(), 2u);
        month = demoMonths().front();
        click_group(*window, 0);
        window->chooseOpenFiles = [this] { return std::vector<std::string>{month}; };
        window->action("a_ProjectOpen")->trigger();
        ASSERT_EQ(plan.currentFile, month);
        ward0 = plan.groups[0].id;
        ward1 = plan.groups[1].id;
    }
    // A duty the user drops with Ctrl on the first worker listed, on a free day.
    word dropDuty(ui::MainWindow& w, const Plan& p, int dayIndex) {
        const int worker = w.workerList()->workerAt(0);
        const_cast<Plan&>(p).workers[size_t(worker)].months[size_t(p.currentMonth)].duties[size_t(dayIndex)].clear();
        w.handleDrop("d", worker, dayIndex, 1, true);
        return p.workers[size_t(worker)].id;
    }
    std::string month;
    word ward0 = 0, ward1 = 0;
};

TEST_F(WardLocks, TheWindowHoldsTheWardItShowsAndTheLockMovesWithTheGroup) {
    EXPECT_TRUE(fs::exists(ward_lock(month, ward0)));
    EXPECT_FALSE(fs::exists(open_lock_file(month)));
    EXPECT_TRUE(talk->questions.empty());

    click_group(*window, 1);
    EXPECT_EQ(plan.currentGroup, 1);
    EXPECT_FALSE(fs::exists(ward_lock(month, ward0)));
    EXPECT_TRUE(fs::exists(ward_lock(month, ward1)));

    // A ward left with an edit not saved stays held until the save.
    dropDuty(*window, plan, 20);
    ASSERT_TRUE(doc.modified());
    click_group(*window, 0);
    EXPECT_TRUE(fs::exists(ward_lock(month, ward0)));
    EXPECT_TRUE(fs::exists(ward_lock(month, ward1)));
    window->action("a_ProjectSave")->trigger();
    EXPECT_FALSE(doc.modified());
    EXPECT_TRUE(fs::exists(ward_lock(month, ward0)));
    EXPECT_FALSE(fs::exists(ward_lock(month, ward1)));

    // Closing the program gives the ward back.
    talk->answers = {Answer::No};
    EXPECT_TRUE(close_program(doc, {}).ok());
    EXPECT_FALSE(fs::exists(ward_lock(month, ward0)));
}

TEST_F(WardLocks, TwoWindowsOnTwoWardsOfOneMonthBothSaveAndEachShowsTheOthersDuties) {
    SecondWindow other(root.path(), 1, month);
    ASSERT_EQ(other.plan.currentFile, month);
    EXPECT_TRUE(other.talk->questions.empty());
    EXPECT_TRUE(fs::exists(ward_lock(month, ward0)));
    EXPECT_TRUE(fs::exists(ward_lock(month, ward1)));

    const word mine = dropDuty(*window, plan, 20);
    const word theirs = dropDuty(*other.window, other.plan, 21);
    window->action("a_ProjectSave")->trigger();
    ASSERT_FALSE(doc.modified()) << (talk->warnings.empty() ? "" : talk->warnings.back());

    // The second save meets the first's file: its ward goes onto it, and it
    // reads the result back, so the first ward's new duty is in its window.
    other.window->action("a_ProjectSave")->trigger();
    ASSERT_FALSE(other.doc.modified()) << (other.talk->warnings.empty() ? "" : other.talk->warnings.back());
    EXPECT_TRUE(other.talk->questions.empty());
    EXPECT_TRUE(any_has(other.talk->infos, "zapisał w międzyczasie planujący innego oddziału"));
    EXPECT_TRUE(has_duty(other.plan, mine, 20, ward0));

    // On disk: both wards' duties; the first saves again over the second's, nothing lost.
    EXPECT_TRUE(has_duty(read_back(root.path(), month), mine, 20, ward0));
    EXPECT_TRUE(has_duty(read_back(root.path(), month), theirs, 21, ward1));
    const word again = dropDuty(*window, plan, 22);
    window->action("a_ProjectSave")->trigger();
    EXPECT_FALSE(doc.modified());
    EXPECT_TRUE(has_duty(plan, theirs, 21, ward1));
    const Plan back = read_back(root.path(), month);
    EXPECT_TRUE(has_duty(back, mine, 20, ward0));
    EXPECT_TRUE(has_duty(back, again, 22, ward0));
    EXPECT_TRUE(has_duty(back, theirs, 21, ward1));

    // The first closes: its ward is free, the second's still held.
    talk->answers = {Answer::No};
    EXPECT_TRUE(close_program(doc, {}).ok());
    EXPECT_FALSE(fs::exists(ward_lock(month, ward0)));
    EXPECT_TRUE(fs::exists(ward_lock(month, ward1)));
}

// planek-cli run as another program: its exit code, what it wrote to stderr.
std::pair<int, std::string> run_cli(const fs::path& dir, const std::vector<std::string>& args) {
    std::string cmd = std::string("\"") + PLANEK_CLI + "\" --root \"" + dir.string() + "\"";
    for (const std::string& a : args) cmd += " \"" + a + "\"";
    const fs::path err = dir / "cli.err";
    const int code = std::system((cmd + " >/dev/null 2>\"" + err.string() + "\"").c_str());
    return {code, read_file(err)};
}

TEST_F(WardLocks, TheCommandLineEditsAnotherWardMeanwhileAndIsKeptOutOfTheWindowsOne) {
    // A member of the second ward only, and a day she is free.
    int worker = -1;
    for (size_t w = 0; w < plan.workers.size() && worker < 0; ++w)
        if (plan.workers[w].inGroup(ward1) && !plan.workers[w].inGroup(ward0)) worker = int(w);
    ASSERT_GE(worker, 0);
    const prac& nurse = plan.workers[size_t(worker)];
    int day = -1;
    for (int d = 0; d < 28 && day < 0; ++d)
        if (nurse.months[size_t(plan.currentMonth)].duties[size_t(d)].empty()) day = d;
    ASSERT_GE(day, 0);
    const auto [code, err] = run_cli(root.path(), {"add-duty", month, std::to_string(nurse.id), std::to_string(day + 1),
                                                   "1", "--group", std::to_string(ward1)});
    ASSERT_EQ(code, 0) << err;

    // The window's own ward is refused to the command line, naming this computer.
    const std::string before = read_file(month);
    const word mine = dropDuty(*window, plan, 20);
    const auto [kept, why] = run_cli(root.path(), {"add-duty", month, std::to_string(mine), "22", "1", "--group",
                                                   std::to_string(ward0)});
    EXPECT_NE(kept, 0);
    EXPECT_NE(why.find(computer_name()), std::string::npos) << why;
    EXPECT_EQ(read_file(month), before);

    // The window's save goes onto the command line's file and shows its duty.
    window->action("a_ProjectSave")->trigger();
    EXPECT_FALSE(doc.modified()) << (talk->warnings.empty() ? "" : talk->warnings.back());
    EXPECT_TRUE(has_duty(plan, nurse.id, day, ward1));
    const Plan back = read_back(root.path(), month);
    EXPECT_TRUE(has_duty(back, nurse.id, day, ward1));
    EXPECT_TRUE(has_duty(back, mine, 20, ward0));
}

TEST_F(WardLocks, AWardAnotherPlannerHoldsIsShownReadOnlyNamingThemUntilTheyLeave) {
    // Another computer's head nurse holds the first ward; this window shows the second.
    click_group(*window, 1);
    write_file(ward_lock(month, ward0),
               "user=Ewa\nhost=stacja-2\npid=4242\nsince=" + std::to_string(std::time(nullptr)) + "\n");
    // What the window's light timer does every few seconds.
    EXPECT_TRUE(window->wardsTimer()->isActive());
    EXPECT_LE(window->wardsTimer()->interval(), 5000);
    window->refreshWards();
    EXPECT_NE(window->groupList()->holderShown(0).indexOf("Ewa@stacja-2"), -1);
    EXPECT_NE(window->wardsStatus()->text().indexOf("Planują też: CH Ewa@stacja-2"), -1)
        << window->wardsStatus()->text().toStdString();

    // Choosing her ward: looked at, not asked about, and named.
    click_group(*window, 0);
    EXPECT_TRUE(talk->questions.empty());
    EXPECT_TRUE(any_has(talk->infos, "planuje Ewa na komputerze stacja-2"));
    EXPECT_NE(window->wardsStatus()->text().indexOf("Tylko do odczytu: tę grupę planuje Ewa@stacja-2"), -1)
        << window->wardsStatus()->text().toStdString();

    // An edit of her ward is not saved over her.
    dropDuty(*window, plan, 20);
    const std::string before = read_file(month);
    window->action("a_ProjectSave")->trigger();
    EXPECT_TRUE(any_has(talk->warnings, "grupę Oddział Chirurgii, którą planuje Ewa na komputerze stacja-2"));
    EXPECT_EQ(read_file(month), before);
    EXPECT_TRUE(doc.modified());

    // She closes her program: the next look shows the ward free, and the save takes it.
    fs::remove(ward_lock(month, ward0));
    window->refreshWards();
    EXPECT_TRUE(window->groupList()->holderShown(0).isEmpty());
    EXPECT_FALSE(window->wardsStatus()->isVisibleTo(window.get()));
    window->action("a_ProjectSave")->trigger();
    EXPECT_FALSE(doc.modified());
    EXPECT_NE(read_file(month), before);
    EXPECT_TRUE(fs::exists(ward_lock(month, ward0)));
}

TEST_F(WardLocks, ActsOnTheWholeFileAreRefusedNamingWhoHoldsAWardOfIt) {
    dropDuty(*window, plan, 20);
    window->action("a_ProjectSave")->trigger();
    ASSERT_TRUE(fs::exists(month + ".bak"));
    write_file(ward_lock(month, ward1),
               "user=Jan\nhost=stacja-3\npid=77\nsince=" + std::to_string(std::time(nullptr)) + "\n");
    const std::string before = read_file(month);
    talk->answers = {Answer::Yes, Answer::Yes};
    const result<> restored = restore_month_copy(doc);
    EXPECT_FALSE(restored.ok());
    EXPECT_NE(said_of(restored).text.find("Jan na komputerze stacja-3"), std::string::npos) << said_of(restored).text;
    EXPECT_EQ(read_file(month), before);
    EXPECT_FALSE(fs::exists(open_lock_file(month)));
    EXPECT_TRUE(fs::exists(ward_lock(month, ward0)));

    // Saved as another file whose ward somebody plans: not written over them.
    const std::string target = (root / proposed_file_name(plan)).string();
    write_file(target, "x");
    write_file(ward_lock(target, ward1),
               "user=Ola\nhost=stacja-4\npid=78\nsince=" + std::to_string(std::time(nullptr)) + "\n");
    window->action("mi_SaveAs")->trigger();
    EXPECT_TRUE(any_has(talk->warnings, "Plik jest otwarty przez Ola na komputerze stacja-4"));
    EXPECT_EQ(read_file(target), "x");
    EXPECT_EQ(plan.currentFile, month);
    // Nobody on it: it is written.
    fs::remove(ward_lock(target, ward1));
    talk->answers = {Answer::Yes};
    window->action("mi_SaveAs")->trigger();
    EXPECT_EQ(plan.currentFile, target);
    EXPECT_NE(read_file(target), "x");
}

}  // namespace
}  // namespace planek::test
