// The window on a month of the hospital's server: it opens the month from
// the store's rows and saves it there, shows another planner's committed
// save within a second (read again when it has no edits of its own, told
// with its edits kept otherwise, and those edits merged by their save), and
// marks the ward it shows while it holds the month.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "cli/cli_runner.h"
#include "core/text.h"
#include "document/roster_document.h"
#include "store/folder_transfer.h"
#include "store/history.h"
#include "store/month_rows.h"
#include "store/month_save.h"
#include "store/pg_connection.h"
#include "store/planners.h"
#include "store/schema.h"
#include "support/pg_cluster.h"
#include "support/scripted_interaction.h"
#include "ui/calendar_view.h"
#include "ui/main_window.h"
#include "ui/staff_lists.h"
#include "ui/store_month.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using namespace planek::store;
using clock_type = std::chrono::steady_clock;

const Translator kPolish;

pg_connection connect(const std::string& url) {
    result<pg_connection> c = pg_connection::open(url, kPolish);
    EXPECT_TRUE(c.ok()) << c.error().text;
    return std::move(*c);
}

// Runs the event loop until `ready`, for at most `limit`; the time it took.
template <class F>
std::optional<double> shown_within(F ready, std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) {
    const auto start = clock_type::now();
    while (clock_type::now() - start < limit) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (ready()) return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::nullopt;
}

class StoreWindow : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string url;
    std::optional<pg_connection> other;  // another planner's, and the test's look at the store
    std::shared_ptr<test::ScriptedInteraction> talk = std::make_shared<test::ScriptedInteraction>();
    std::optional<roster_document> doc;
    std::unique_ptr<ui::StoreMonth> store;
    std::unique_ptr<ui::MainWindow> window;

    void SetUp() override {
        const fs::path ward = dir / "ward";
        const test::result made = test::run_cli(dir, {"generate", ward.string(), "--workers", "8", "--groups", "2",
                                                      "--months", "1", "--from", "2027-03", "--seed", "11"});
        ASSERT_EQ(made.code, 0) << made.err;
        url = test::pg_cluster::running().fresh_database();
        other.emplace(connect(url));
        ASSERT_TRUE(migrate(*other).ok());
        ASSERT_TRUE(import_folder(*other, ward / "dane").ok());
        openWindow();
    }
    void TearDown() override {
        window.reset();
        store.reset();
        doc.reset();
    }

    void openWindow() {
        store = std::make_unique<ui::StoreMonth>(connect(url), 2027, 3);
        result<Plan> session = store->readSession(talk, "english", fs::path(PLANEK_SOURCE_DIR) / "lang");
        ASSERT_TRUE(session.ok()) << session.error().text;
        session->options.userSettingsFolder = dir / "user";
        doc.emplace(std::move(*session));
        window = std::make_unique<ui::MainWindow>(*doc);
        window->onClose = nullptr;
        const result<> opened = store->open(*doc, *window);
        ASSERT_TRUE(opened.ok()) << opened.error().text;
        window->resize(1300, 860);
        window->show();
    }

    const Plan& plan() const { return doc->plan(); }

    int dutiesOf(int workerIndex) const {
        int n = 0;
        for (const auto& day : plan().workers[size_t(workerIndex)].months[size_t(plan().currentMonth)].duties)
            n += int(day.size());
        return n;
    }
    // A listed worker of the shown ward and a day with nothing on it.
    std::pair<int, int> freeCell(int skipWorkers = 0) const {
        const int w = window->workerList()->workerAt(skipWorkers);
        const ms_& m = plan().workers[size_t(w)].months[size_t(plan().currentMonth)];
        int d = 2;
        while (d < 27 && (!m.duties[size_t(d)].empty() || m.daysOff[size_t(d)].used())) ++d;
        return {w, d};
    }
    size_t storedDuties() { return find_month_rows(*other, 2027, 3)->duties.size(); }
    std::string workerId(int index) const { return std::to_string(plan().workers[size_t(index)].id); }

    // The other planner's act, as she types it.
    test::result dbAct(const std::vector<std::string>& act) {
        std::vector<std::string> args{"--yes", "db", "act", url, "2027-03"};
        args.insert(args.end(), act.begin(), act.end());
        return test::run_cli(dir, args);
    }
};

TEST_F(StoreWindow, OpensTheServerMonthAndSavesEditsThereInOneTransaction) {
    EXPECT_TRUE(window->windowTitle().startsWith("2027-03")) << window->windowTitle().toStdString();
    EXPECT_FALSE(window->windowTitle().contains(".pnk"));
    EXPECT_EQ(plan().year, 2027);
    EXPECT_EQ(plan().month, 3);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(plan().paths.data.string().rfind("/dev/null/", 0), 0u) << "no data folder behind the window";
    for (const char* folderOnly : {"a_ProjectOpen", "mi_SaveAs", "a_WorkerAdd", "a_GroupEdit"})
        EXPECT_FALSE(window->action(folderOnly)->isVisible()) << folderOnly;
    // A double click on a worker triggers her edit: no dialog comes, none that writes the staff files.
    bool dialogOpened = false;
    QTimer::singleShot(50, [&] {
        if (QWidget* m = QApplication::activeModalWidget()) dialogOpened = true, m->close();
    });
    window->workerList()->editRequested();
    (void)shown_within([] { return false; }, std::chrono::milliseconds(120));
    EXPECT_FALSE(dialogOpened);

    const size_t before = storedDuties();
    const auto [w, d] = freeCell();
    const int had = dutiesOf(w);
    window->handleDrop("d", w, d, 1, true);  // a duty dropped with Ctrl
    ASSERT_EQ(dutiesOf(w), had + 1);
    EXPECT_TRUE(window->isWindowModified());
    window->action("a_ProjectSave")->trigger();
    EXPECT_TRUE(talk->warnings.empty()) << talk->warnings.front();
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(storedDuties(), before + 1);
    const result<std::vector<history_entry>> history = read_history(*other, "2027-03", std::nullopt);
    ASSERT_TRUE(history.ok());
    ASSERT_FALSE(history->empty());
    EXPECT_EQ(history->back().act, "window-save");

    // A second save after the first adds nothing twice: the window read the rows it saved.
    const auto [w2, d2] = freeCell(1);
    window->handleDrop("d", w2, d2, 1, true);
    window->action("a_ProjectSave")->trigger();
    EXPECT_EQ(storedDuties(), before + 2);

    // Delete on the selected cell removes the current worker's duty; the save takes it off the server.
    window->chooseWorker(w2);
    ASSERT_TRUE(window->selectDay(d2, 1));
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(window->calendar(), &del);
    ASSERT_TRUE(window->isWindowModified());
    window->action("a_ProjectSave")->trigger();
    EXPECT_EQ(storedDuties(), before + 1);
}

TEST_F(StoreWindow, ClosingWithUnsavedEditsSavesThemDropsThemOrStays) {
    const size_t before = storedDuties();
    const auto [w, d] = freeCell();
    window->handleDrop("d", w, d, 1, true);
    talk->answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(store->mayClose());
    EXPECT_TRUE(store->mayClose());
    EXPECT_EQ(storedDuties(), before) << "No drops the edits";
    talk->answers = {Answer::Yes};
    EXPECT_TRUE(store->mayClose());
    EXPECT_EQ(storedDuties(), before + 1);
    EXPECT_TRUE(store->mayClose()) << "nothing left to ask about";
    EXPECT_EQ(talk->questions.size(), 3u);
}

TEST_F(StoreWindow, TheProgramOpensTheServerMonthFromItsCommandLine) {
    // The hidden screenshot run starts the window as a user does, then grabs it.
    const fs::path shot = dir / "shot.png";
    const std::string env = "QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=" + test::quote((dir / "config").string()) +
                            " XDG_DATA_HOME=" + test::quote((dir / "data").string()) + " LANG=C.UTF-8 LC_ALL=C.UTF-8 ";
    const test::result started =
        test::run_program(dir, PLANEK_WINDOW, {"--db", url, "--month", "2027-03", "--screenshot", shot.string()}, env);
    EXPECT_EQ(started.code, 0) << started.err;
    EXPECT_TRUE(fs::is_regular_file(shot)) << started.err;
    // Nothing of a data folder was made for the user on the way.
    EXPECT_FALSE(fs::exists(dir / "data" / "planek"));

    // The user's own server, as the command line keeps it, when only the month is named.
    ASSERT_EQ(test::run_program(dir, PLANEK_CLI, {"config", "--set", "user", "db_url", url}, env).code, 0);
    fs::remove(shot);
    const test::result own = test::run_program(dir, PLANEK_WINDOW, {"--month", "2027-03", "--screenshot", shot.string()}, env);
    EXPECT_EQ(own.code, 0) << own.err;
    EXPECT_TRUE(fs::is_regular_file(shot)) << own.err;
}

TEST_F(StoreWindow, ShowsAnotherPlannersSaveWithinASecondWithoutAReloadByHand) {
    const auto [w, d] = freeCell();
    const int had = dutiesOf(w);
    clock_type::time_point actEnded;
    test::result act;
    std::thread planner([&] {
        act = dbAct({"add-duty", workerId(w), std::to_string(d + 1), "1"});
        actEnded = clock_type::now();
    });
    const std::optional<double> took = shown_within([&] { return dutiesOf(w) == had + 1; });
    planner.join();
    ASSERT_EQ(act.code, 0) << act.err;
    ASSERT_TRUE(took) << "the other planner's duty never came";
    EXPECT_LT(std::chrono::duration<double>(clock_type::now() - actEnded).count(), 1.0);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(store->reloads(), 1);
    const QString notice = store->notice()->text();
    EXPECT_TRUE(notice.contains(QString::fromStdString(other->user()))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QString::fromStdString(plan().groups[size_t(plan().currentGroup)].name)))
        << notice.toStdString();

    // The time from another planner's commit to the window showing it.
    const auto [w2, d2] = freeCell(1);
    const int had2 = dutiesOf(w2);
    const auto committed = std::make_shared<clock_type::time_point>();
    std::thread second([&] {
        (void)dbAct({"add-duty", workerId(w2), std::to_string(d2 + 1), "1"});
        *committed = clock_type::now();
    });
    ASSERT_TRUE(shown_within([&] { return dutiesOf(w2) == had2 + 1; }));
    const auto seen = clock_type::now();
    second.join();
    std::fprintf(stderr, "shown %.1f ms after the other planner's act ended (negative: before its process exited)\n",
                 std::chrono::duration<double, std::milli>(seen - *committed).count());
}

TEST_F(StoreWindow, UnsavedEditsStayWhenAnotherPlannerSavesAndTheirSaveMergesBoth) {
    const auto [mine, myDay] = freeCell();
    window->handleDrop("d", mine, myDay, 1, true);
    ASSERT_TRUE(window->isWindowModified());
    const auto [theirs, theirDay] = freeCell(1);
    const int theirsHad = dutiesOf(theirs);
    const size_t before = storedDuties();

    ASSERT_EQ(dbAct({"add-duty", workerId(theirs), std::to_string(theirDay + 1), "1"}).code, 0);
    ASSERT_TRUE(shown_within([&] { return !store->notice()->text().isEmpty(); }));
    EXPECT_EQ(store->reloads(), 0) << "the edits were kept, not read over";
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(dutiesOf(theirs), theirsHad);
    EXPECT_TRUE(store->notice()->text().contains(QString::fromStdString(other->user())));

    window->action("a_ProjectSave")->trigger();
    EXPECT_TRUE(talk->warnings.empty()) << talk->warnings.front();
    EXPECT_EQ(storedDuties(), before + 2);
    EXPECT_EQ(dutiesOf(theirs), theirsHad + 1) << "after the save the window shows the merged month";
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(StoreWindow, ARowAnotherPlannerChangedFirstIsPutToTheUserWithTheEditsKept) {
    // A duty both planners remove: hers is committed first.
    int w = -1, d = -1;
    for (int row = 0; w < 0 && window->workerList()->workerAt(row) >= 0; ++row) {
        const int i = window->workerList()->workerAt(row);
        const auto& days = plan().workers[size_t(i)].months[size_t(plan().currentMonth)].duties;
        for (size_t day = 0; day < days.size() && w < 0; ++day)
            if (days[day].size() == 1) w = i, d = int(day);
    }
    ASSERT_GE(w, 0) << "a worker with a duty";
    window->chooseWorker(w);
    ASSERT_TRUE(window->selectDay(d, int(plan().workers[size_t(w)].months[0].duties[size_t(d)][0].shift)));
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(window->calendar(), &del);
    ASSERT_TRUE(window->isWindowModified());
    ASSERT_EQ(dbAct({"remove", workerId(w), std::to_string(d + 1)}).code, 0);
    ASSERT_TRUE(shown_within([&] { return !store->notice()->text().isEmpty(); }));

    const size_t before = storedDuties();
    window->action("a_ProjectSave")->trigger();  // asked whether to read anew: No
    ASSERT_EQ(talk->warnings.size(), 1u);
    ASSERT_EQ(talk->questions.size(), 1u);
    EXPECT_TRUE(window->isWindowModified()) << "the edits are still hers to keep";
    EXPECT_EQ(storedDuties(), before);

    // Yes: the month as the store holds it, nothing of hers saved.
    talk->answers.push_back(Answer::Yes);
    window->action("a_ProjectSave")->trigger();
    EXPECT_EQ(talk->warnings.size(), 2u);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(storedDuties(), before);
    int shown = 0;
    for (size_t i = 0; i < plan().workers.size(); ++i) shown += dutiesOf(int(i));
    EXPECT_EQ(size_t(shown), before);
}

TEST_F(StoreWindow, TheWardShownIsMarkedAndOthersMarksAreShown) {
    auto marks = [&] { return *who_edits(*other, "2027-03"); };
    ASSERT_EQ(marks().size(), 1u);
    EXPECT_EQ(marks()[0].group, int(plan().groups[size_t(plan().currentGroup)].id));
    ASSERT_GE(plan().groups.size(), 2u);
    window->chooseGroup(1);
    ASSERT_EQ(marks().size(), 1u) << "the mark moves with the ward shown";
    EXPECT_EQ(marks()[0].group, int(plan().groups[1].id));

    // Another planner in the first ward: named in the status line.
    pg_connection her = connect(url);
    ASSERT_TRUE(mark_editing(her, "2027-03", int(plan().groups[0].id)).ok());
    window->refreshWards();
    const QString who = QString::fromStdString(her.user());
    EXPECT_TRUE(window->wardsStatus()->text().contains(who)) << window->wardsStatus()->text().toStdString();
    EXPECT_FALSE(window->wardsStatus()->text().contains("Read-only"));
    window->chooseGroup(0);
    window->refreshWards();
    EXPECT_TRUE(window->wardsStatus()->text().contains(who));

    window.reset();
    store.reset();
    EXPECT_EQ(marks().size(), 1u) << "only hers is left when the window is gone";
}

}  // namespace
}  // namespace planek

namespace planek {
namespace {

// The figures of a hospital-sized store, only when asked for
// (PLANEK_STORE_BENCH_WORKERS=1200): the time to open a ward month in the
// window, and from another planner's commit to the window showing it.
TEST(StoreWindowTiming, AHospitalSizedWard) {
    const char* asked = std::getenv("PLANEK_STORE_BENCH_WORKERS");
    if (!asked) GTEST_SKIP() << "PLANEK_STORE_BENCH_WORKERS not set";
    test::TempDir dir;
    const fs::path ward = dir / "ward";
    ASSERT_EQ(test::run_cli(dir, {"generate", ward.string(), "--workers", asked, "--months", "12", "--from", "2027-01"}).code, 0);
    const std::string url = test::pg_cluster::running().fresh_database();
    pg_connection other = connect(url);
    ASSERT_TRUE(migrate(other).ok());
    ASSERT_TRUE(import_folder(other, ward / "dane").ok());
    auto talk = std::make_shared<test::ScriptedInteraction>();

    std::vector<double> opens, shows;
    for (int run = 0; run < 5; ++run) {
        const auto start = clock_type::now();
        auto store = std::make_unique<ui::StoreMonth>(connect(url), 2027, 3);
        result<Plan> session = store->readSession(talk, "english", fs::path(PLANEK_SOURCE_DIR) / "lang");
        ASSERT_TRUE(session.ok()) << session.error().text;
        session->options.userSettingsFolder = dir / "user";
        roster_document doc(std::move(*session));
        {
            ui::MainWindow window(doc);
            window.onClose = nullptr;
            ASSERT_TRUE(store->open(doc, window).ok());
            window.resize(1300, 860);
            window.show();
            QApplication::processEvents();
            opens.push_back(std::chrono::duration<double, std::milli>(clock_type::now() - start).count());

            // Another planner takes a duty off: from her commit to the window showing it.
            for (int change = 0; change < 4; ++change) {
                const month_rows read = *find_month_rows(other, 2027, 3);
                month_rows less = read;
                less.duties.erase(less.duties.begin());
                month_save s;
                s.act = "bench";
                s.lines = month_lines(less);
                const int before = store->reloads();
                ASSERT_TRUE(save_month(other, read, s).ok());
                const std::optional<double> took = shown_within([&] { return store->reloads() > before; });
                ASSERT_TRUE(took);
                shows.push_back(*took);
            }
        }
        store.reset();
    }
    std::sort(opens.begin(), opens.end());
    std::sort(shows.begin(), shows.end());
    std::fprintf(stderr, "%s workers: window open from the store median %.0f ms (min %.0f, max %.0f); "
                 "commit to shown median %.1f ms (max %.1f, %zu changes)\n",
                 asked, opens[opens.size() / 2], opens.front(), opens.back(), shows[shows.size() / 2], shows.back(),
                 shows.size());
}

}  // namespace
}  // namespace planek
