// The warnings list as a head nurse reads it: the gaps in staffing in the
// order of their days, in the language she has just chosen, and following
// each edit she makes while it is open.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTest>

#include "settings/language.h"
#include "settings/options_file.h"
#include "ui/warnings_dock.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

std::vector<std::string> shownLines(ui::WarningsDock* dock) {
    std::vector<std::string> lines;
    for (int r = 0; r < dock->list()->count(); ++r) lines.push_back(dock->list()->item(r)->text().toStdString());
    return lines;
}

TEST(WarningsOrder, GapsComeInTheOrderOfTheirDaysAndHoursOtherRulesAsFiled) {
    // As the file sorts them: by text, so day 12 before day 2.
    std::vector<std::string> lines = {
        "b Kowalska Anna 03 sty", "k Styczeń: Brak obsady od godz. 19:00 (12-go) do godz. 7:00 (13-go)",
        "k Styczeń: Brak obsady od godz. 7:00 (12-go) do godz. 8:00 (12-go)",
        "k Styczeń: Brak obsady od godz. 7:00 (2-go) do godz. 9:00 (2-go)",
        "k Styczeń: Brak obsady od godz. 7:00 (21-go) do godz. 9:00 (21-go)",
        "k Styczeń: Brak obsady od godz. 7:00 (3-go) do godz. 9:00 (3-go)", "l Nowak Ewa, w tygodniu od 12",
        "l Adamczyk Urszula, w tygodniu od 5"};
    std::vector<warning_place> places = {{3, -1, 0}, {12, -1, -1}, {12, -1, -1}, {2, -1, -1},
                                         {21, -1, -1}, {3, -1, -1}, {12, -1, 2}, {5, -1, 1}};
    ui::order_for_list(lines, places);
    const std::vector<std::string> expected = {
        "b Kowalska Anna 03 sty", "k Styczeń: Brak obsady od godz. 7:00 (2-go) do godz. 9:00 (2-go)",
        "k Styczeń: Brak obsady od godz. 7:00 (3-go) do godz. 9:00 (3-go)",
        "k Styczeń: Brak obsady od godz. 7:00 (12-go) do godz. 8:00 (12-go)",
        "k Styczeń: Brak obsady od godz. 19:00 (12-go) do godz. 7:00 (13-go)",
        "k Styczeń: Brak obsady od godz. 7:00 (21-go) do godz. 9:00 (21-go)", "l Nowak Ewa, w tygodniu od 12",
        "l Adamczyk Urszula, w tygodniu od 5"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(places[1].day, 2);
    EXPECT_EQ(places[6].worker, 2) << "the places move with their lines";
}

class WarningsShown : public DemoWard {
protected:
    void SetUp() override {
        DemoWard::SetUp();
        if (HasFatalFailure()) return;
        const std::vector<std::string> files = demoMonths();
        window->chooseOpenFiles = [files] { return std::vector<std::string>{files.back()}; };
        window->action("a_ProjectOpen")->trigger();
        plan.options.warnings.DiscontinuosStaff = true;
        plan.options.warnings.StaffLess = true;
        plan.options.warnings.vStaffLess = 1;
        dock = window->warningsDock();
    }
    // Nobody on duty on these days: a gap in the staffing on each.
    void emptyDays(std::initializer_list<int> dayNumbers) {
        for (prac& p : plan.workers)
            if (size_t(plan.currentMonth) < p.months.size())
                for (int d : dayNumbers) p.months[size_t(plan.currentMonth)].duties[size_t(d - 1)].clear();
        window->refreshAll();
    }
    ui::WarningsDock* dock = nullptr;
};

TEST_F(WarningsShown, TheGapsAreListedDayByDay) {
    emptyDays({2, 3, 12, 14, 21, 30});
    window->action("a_Warnings")->trigger();
    ASSERT_TRUE(dock->isVisible());
    std::vector<int> days;
    for (size_t r = 0; r < dock->places().size(); ++r)
        if (shownLines(dock)[r].rfind("k ", 0) == 0) days.push_back(dock->places()[r].day);
    EXPECT_TRUE(std::is_sorted(days.begin(), days.end())) << ::testing::PrintToString(days);
    // The 2nd and 3rd empty make one gap, from the 2nd.
    for (int emptied : {2, 12, 14, 21, 30})
        EXPECT_NE(std::find(days.begin(), days.end(), emptied), days.end())
            << "no gap from day " << emptied << " in " << ::testing::PrintToString(days);
}

TEST_F(WarningsShown, TheListSpeaksTheLanguageJustChosen) {
    window->action("a_Warnings")->trigger();
    auto count = [](const std::vector<std::string>& lines, const char* text) {
        return std::count_if(lines.begin(), lines.end(),
                             [text](const std::string& l) { return l.find(text) != std::string::npos; });
    };
    const std::vector<std::string> polish = shownLines(dock);
    const auto staffing = count(polish, "Obsada na zmianie");
    ASSERT_GT(staffing, 0);

    ASSERT_TRUE(cb_LanguageChange(plan, language_index("english")));
    window->applyLanguage();
    QApplication::processEvents();
    const std::vector<std::string> english = shownLines(dock);
    EXPECT_EQ(english.size(), polish.size());
    EXPECT_EQ(count(english, "Obsada"), 0);
    EXPECT_EQ(count(english, "Staffing of shift"), staffing);
    EXPECT_EQ(dock->windowTitle(), "Warnings");
}

TEST_F(WarningsShown, AnEditIsFollowedByTheList) {
    window->action("a_Warnings")->trigger();
    const std::vector<std::string> before = shownLines(dock);
    auto lineAbout = [&](const warning_place& at) -> std::string {
        const std::vector<std::string> lines = shownLines(dock);
        for (size_t r = 0; r < dock->places().size(); ++r)
            if (lines[r].rfind("c ", 0) == 0 && dock->places()[r] == at) return lines[r];
        return {};
    };
    // A day shift already short, and a listed worker on it: her duty there
    // is taken off with a click on its cell and the Delete key.
    int row = -1, day = -1;
    for (int r = 0; r < window->workerList()->count() && day < 0; ++r)
        for (int d = 0; d < int(plan.days.size()) && day < 0; ++d)
            for (const dyzur& duty : duties(window->workerList()->workerAt(r), d))
                if (duty.shift == 1 && duty.groupId == plan.group()->id && !lineAbout({d + 1, 0, -1}).empty()) {
                    row = r;
                    day = d;
                }
    ASSERT_GE(day, 0);
    const std::string shortBefore = lineAbout({day + 1, 0, -1});
    window->workerList()->setCurrentRow(row);
    const int w = window->workerList()->workerAt(row);
    ui::CalendarView* view = window->calendar();
    int cellRow = -1, cellColumn = -1;
    ASSERT_TRUE(view->cellAt(view->dayPoint(day, 1), cellRow, cellColumn));
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier,
                      view->cellRect(cellRow, cellColumn).bottomRight() - QPoint(2, 2));
    const size_t dutiesBefore = duties(w, day).size();
    QTest::keyClick(view, Qt::Key_Delete);
    ASSERT_EQ(duties(w, day).size(), dutiesBefore - 1);
    QApplication::processEvents();
    EXPECT_NE(shownLines(dock), before);
    const std::string shortAfter = lineAbout({day + 1, 0, -1});
    EXPECT_FALSE(shortAfter.empty());
    EXPECT_NE(shortAfter, shortBefore) << "the line still tells the staffing before the edit";
}

}  // namespace
}  // namespace planek::test
