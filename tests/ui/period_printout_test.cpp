// A printout of all groups over a period made in the window's templates
// dialog reads the same figures as the one the command line makes.
#include <QCheckBox>
#include <gtest/gtest.h>

#include <regex>

#include "cli/cli_runner.h"
#include "core/cp1250.h"
#include "document/month_acts.h"
#include "document/view_acts.h"
#include "files/program_session.h"
#include "support/scripted_interaction.h"
#include "ui/dialogs/templates_dialog.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

// A printout as its text: tags dropped, blanks folded, in UTF-8.
std::string printed_text(const fs::path& file) {
    const std::string text = std::regex_replace(cp1250_to_utf8(read_file(file)), std::regex("<[^>]*>"), " ");
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

// The demo ward's first quarter of 2027: Monika Olszewska (28) works on the
// surgical ward and helps out in the delivery suite.
class PeriodPrintout : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;
    std::vector<std::string> months;

    result cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--root", root, "--lang", "polski", "--no"});
        return run_cli(dir, args);
    }
    void SetUp() override {
        root = (dir / "ward").string();
        ASSERT_EQ(run_cli(dir, {"demo", root}).code, 0);
        for (const char* m : {"2027-01", "2027-02", "2027-03"}) {
            std::string name = m;
            name[4] = '_';
            months.push_back((dir / "ward" / "dane" / (name + ".pnk")).string());
            ASSERT_EQ(cli({"new", months.back(), m}).code, 0);
        }
        for (const auto& [month, day, shift, group] : std::vector<std::array<std::string, 4>>{
                 {months[0], "4", "D", "1"}, {months[0], "5", "R", "2"}, {months[1], "2", "R", "2"}, {months[2], "2", "D", "1"}}) {
            const result added = cli({"add-duty", month, "28", day, shift, "--group", group});
            ASSERT_EQ(added.code, 0) << added.err;
        }
    }
};

TEST_F(PeriodPrintout, TheWindowCountsEveryMonthOverAllGroupsAsTheCommandLineDoes) {
    const result made = cli({"print", "podsumowanie_okresu", months[0], months[1], months[2], "--group", "1",
                             "--all-groups", "-o", (dir / "out").string()});
    ASSERT_EQ(made.code, 0) << made.err;
    const std::string byCli = printed_text(made.out.substr(0, made.out.find('\n')));
    ASSERT_NE(byCli.find("Olszewska Monika 20:00 08:00 12:00 462:35 40:00"), std::string::npos) << byCli;

    roster_document doc;
    const Plan& plan = doc.plan();
    doc.set_interaction(std::make_shared<ScriptedInteraction>());
    start_request start;
    start.root = root;
    start.language = "polski";
    start.userSettingsFolder = dir / "user";
    ASSERT_TRUE(start_program(doc, start).ok());
    ASSERT_TRUE(open_project(doc, months).ok());
    const std::int32_t shownWorked = plan.workers[size_t(plan.workerIndexById(28))].sum.period.periodDutyMinutes;

    ASSERT_TRUE(remember_template(doc, (plan.paths.templates / "podsumowanie_okresu.wzr").string()).ok());
    ui::TemplatesDialog d(doc);
    fs::path opened;
    d.openDocument = [&](const fs::path& f) {
        opened = f;
        return true;
    };
    d.findChild<QCheckBox*>("cb_ReadAllGroups")->setChecked(true);
    ASSERT_TRUE(d.make());
    EXPECT_EQ(printed_text(opened), byCli);
    // The window's own totals are again those of its group.
    EXPECT_EQ(plan.workers[size_t(plan.workerIndexById(28))].sum.period.periodDutyMinutes, shownWorked);
}

}  // namespace
}  // namespace planek::test
