// What the calendar shows for the duties and days off of the plan: text,
// colours, stacking, who is shown, the outsiders and the duty-as filter.
#include "calendar/calendar_grid.h"
#include "editing/panel_names.h"
#include "editing/symbols.h"
#include "ui/qt_text.h"
#include "support/duty_put.h"
#include "document/view_acts.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

class Panels : public DemoWard {
protected:
    // Puts a duty straight into the worker's day list: what is shown is the
    // subject here, not the placement rules.
    dyzur& put(int worker, int dayIndex, int shift, int group = -1) {
        return put_duty(plan, worker, dayIndex, shift, group);
    }
    const ui::calendar_panel* panel(const std::string& name) { return window->calendar()->panelNamed(name); }
    void rebuild() { ASSERT_TRUE(recount(doc).ok()); }
};

TEST_F(Panels, CaptionsFollowTheChosenTextAndProposalsAreGrey) {
    const int w = firstListedWorker();
    put(w, 5, 1);
    dyzur& proposal = put(w, 6, 1);
    proposal.loaded = false;
    rebuild();
    const std::string name = duty_panel_name(w, 5, 0);
    ASSERT_NE(panel(name), nullptr);
    EXPECT_EQ(panel(name)->text, plan.workers[size_t(w)].nick);
    EXPECT_EQ(panel(name)->back, plan.workers[size_t(w)].color);
    EXPECT_TRUE(panel(name)->buttonText);
    EXPECT_EQ(panel(duty_panel_name(w, 6, 0))->back, rgb(250, 250, 250));
    EXPECT_EQ(panel(duty_panel_name(w, 6, 0))->fore, rgb(50, 50, 50));

    window->calendar()->options().captions = ui::PanelCaptions::DutyType;
    rebuild();
    EXPECT_EQ(panel(name)->text, dyzur2symbol(plan, duties(w, 5)[0], "ksymbol"));
    window->calendar()->options().captions = ui::PanelCaptions::DutyAs;
    rebuild();
    EXPECT_EQ(panel(name)->text, std::string(1, plan.dutyAs[0].symbol));
    window->calendar()->options().dutyAsColours = true;
    rebuild();
    EXPECT_EQ(panel(name)->back, plan.dutyAs[0].color);
}

TEST_F(Panels, TheSelectedWorkerAloneShowsDutiesOfEveryGroupInTheirColour) {
    const int w = firstListedWorker();
    window->chooseWorker(w);
    put(w, 3, 1);
    put(w, 4, 1, 1);  // a duty of the other group
    put(window->workerList()->workerAt(1), 3, 1);
    rebuild();
    EXPECT_EQ(panel(duty_panel_name(w, 4, 0)), nullptr) << "another group's duty is not shown for all workers";
    EXPECT_EQ(window->calendar()->layout().panels.size(), 2u);
    plan.showWho = 1;
    rebuild();
    ASSERT_NE(panel(duty_panel_name(w, 4, 0)), nullptr);
    EXPECT_EQ(panel(duty_panel_name(w, 4, 0))->back, plan.groups[1].color);
    EXPECT_EQ(panel(duty_panel_name(w, 3, 0))->back, plan.groups[0].color);
    EXPECT_TRUE(panel(duty_panel_name(w, 3, 0))->border);
    EXPECT_EQ(window->calendar()->layout().panels.size(), 2u);
}

TEST_F(Panels, PanelsOfOneSlotStackInRowsThenColumns) {
    for (int i = 0; i < 7; ++i) put(window->workerList()->workerAt(i), 10, 2);
    rebuild();
    ui::CalendarView* view = window->calendar();
    const ui::calendar_panel* seventh = panel(duty_panel_name(window->workerList()->workerAt(6), 10, 0));
    ASSERT_NE(seventh, nullptr);
    EXPECT_EQ(seventh->stack, 6);
    const QRect cell = view->cellRect(seventh->row, seventh->column);
    const QRect first = view->panelRect(*panel(duty_panel_name(window->workerList()->workerAt(0), 10, 0)));
    const QRect second = view->panelRect(*panel(duty_panel_name(window->workerList()->workerAt(1), 10, 0)));
    EXPECT_TRUE(cell.contains(view->panelRect(*seventh)));
    EXPECT_EQ(second.x(), first.x()) << "the second panel goes under the first";
    EXPECT_EQ(second.y(), first.y() + first.height());
    EXPECT_GE(first.width(), plan.options.glowne.symbol_width);
    EXPECT_GE(first.height(), plan.options.glowne.symbol_height);
    EXPECT_EQ(window->calendar()->layout().slotPanels[10][1], 7);
    EXPECT_EQ(window->calendar()->layout().panelsInCell(plan, seventh->row, seventh->column), 7);
}

TEST_F(Panels, AnOutsiderIsListedOnceInGreyWithWhiteText) {
    int outsider = -1;
    for (size_t i = 0; i < plan.workers.size(); ++i)
        if (!plan.workers[i].old && !plan.workers[i].inGroup(plan.groups[0].id)) outsider = int(i);
    ASSERT_GE(outsider, 0);
    const size_t listedBefore = plan.listed.size();
    put(outsider, 8, 1);
    put(outsider, 9, 2);
    rebuild();
    ASSERT_EQ(plan.listed.size(), listedBefore + 1);
    EXPECT_TRUE(plan.listed.back().outsider);
    EXPECT_EQ(plan.listed.back().worker, outsider);
    EXPECT_EQ(plan.listed.back().text.substr(plan.listed.back().text.size() - 2), "¤");
    EXPECT_EQ(window->workerList()->count(), int(plan.listed.size()));
    EXPECT_EQ(panel(duty_panel_name(outsider, 8, 0))->fore, rgb(255, 255, 255));
    EXPECT_FALSE(panel(duty_panel_name(outsider, 8, 0))->buttonText);
    EXPECT_NE(ui::panel_hint(plan, *panel(duty_panel_name(outsider, 8, 0))).find("spoza grupy"), std::string::npos);
    rebuild();
    EXPECT_EQ(plan.listed.size(), listedBefore + 1) << "a rebuild does not list the outsider twice";

    // Another outsider takes the place: the list names the new one only.
    int other = -1;
    for (size_t i = 0; i < plan.workers.size(); ++i)
        if (int(i) != outsider && !plan.workers[i].old && !plan.workers[i].inGroup(plan.groups[0].id)) other = int(i);
    ASSERT_GE(other, 0);
    for (auto& day : plan.workers[size_t(outsider)].months[size_t(plan.currentMonth)].duties) day.clear();
    put(other, 8, 1);
    rebuild();
    ASSERT_EQ(window->workerList()->count(), int(listedBefore + 1));
    EXPECT_EQ(window->workerList()->workerAt(int(listedBefore)), other);
}

TEST_F(Panels, UncheckingADutyAsCategoryHidesExactlyItsDuties) {
    const int a = window->workerList()->workerAt(0), b = window->workerList()->workerAt(1);
    put(a, 2, 1).dutyAs = 1;
    put(b, 2, 1).dutyAs = 2;
    put(b, 3, 2).dutyAs = 2;
    rebuild();
    EXPECT_EQ(window->calendar()->layout().panels.size(), 3u);
    plan.dutyAsFilter[1] = false;
    rebuild();
    ASSERT_EQ(window->calendar()->layout().panels.size(), 1u);
    EXPECT_EQ(window->calendar()->layout().panels[0].name, duty_panel_name(a, 2, 0));
}

TEST_F(Panels, TheDutyHintTellsTimesLengthAndNote) {
    const int w = firstListedWorker();
    dyzur& d = put(w, 1, 2);
    d.note = "zamiana";
    d.overtime = 60;
    rebuild();
    const std::string hint = ui::panel_hint(plan, *panel(duty_panel_name(w, 1, 0)));
    EXPECT_EQ(hint.rfind(plan.workers[size_t(w)].fullName(), 0), 0u);
    EXPECT_NE(hint.find("W godzinach: "), std::string::npos);
    EXPECT_NE(hint.find("Godziny nadliczbowe: 01:00"), std::string::npos) << hint;
    EXPECT_NE(hint.find("\nzamiana"), std::string::npos);
    EXPECT_TRUE(panel(duty_panel_name(w, 1, 0))->underline);
}

}  // namespace
}  // namespace planek::test
