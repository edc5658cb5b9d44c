// The autosave writes the autosave file and nothing else: the Sunday record
// keeps what was saved (a Sunday duty never saved is no Sunday worked), the
// title keeps the month's own file, and the month stays unsaved.
#include <QAction>

#include "document/duty_acts.h"
#include "files/month_file.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

std::string bytes_of(const fs::path& file) { return fs::exists(file) ? read_file(file) : std::string(); }

TEST_F(DemoWard, AutosaveWritesOnlyTheAutosaveFile) {
    const std::vector<std::string> months = demoMonths();
    window->chooseOpenFiles = [&] { return std::vector<std::string>{months.back()}; };
    window->action("a_ProjectOpen")->trigger();
    ASSERT_EQ(plan.currentFile, months.back()) << (talk->warnings.empty() ? "" : talk->warnings.back());

    // A duty on a Sunday the worker is free on, and on the days around it.
    int worker = -1, sunday = -1;
    for (int d = 1; d + 1 < int(plan.days.size()) && worker < 0; ++d) {
        if (plan.days[size_t(d)].dayOfWeek != 1) continue;
        for (const listed_worker& lw : plan.listed) {
            if (!duties(lw.worker, d).empty() || !duties(lw.worker, d - 1).empty() || !duties(lw.worker, d + 1).empty())
                continue;
            const ms_& m = plan.workers[size_t(lw.worker)].months[size_t(plan.currentMonth)];
            if (m.daysOff[size_t(d)].used() || m.daysOff[size_t(d)].headIndex != kNoHead) continue;
            worker = lw.worker;
            sunday = d;
            break;
        }
    }
    ASSERT_GE(worker, 0);
    const fs::path sundays = plan.paths.data / "sundays.ini";
    const std::string recordBefore = bytes_of(sundays);
    const std::string monthBefore = bytes_of(plan.currentFile);
    ASSERT_TRUE(add_shift_duty(doc, worker, sunday, 1).ok());
    ASSERT_TRUE(doc.modified());
    const QString title = window->windowTitle();

    ASSERT_TRUE(autosave(doc).ok());
    EXPECT_TRUE(fs::exists(autosave_file(plan)));
    EXPECT_EQ(bytes_of(sundays), recordBefore) << "the Sunday record";
    EXPECT_EQ(bytes_of(plan.currentFile), monthBefore) << "the month's own file";
    EXPECT_EQ(plan.currentFile, months.back());
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_TRUE(doc.modified());
}

}  // namespace
}  // namespace planek::test
