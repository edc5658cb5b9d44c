// planek-cli set-day and parameters against the window's acts: the same
// acts run in-process on a copy of the ward leave a month with the same
// calendar, norm and figures.
#include <gtest/gtest.h>

#include <memory>

#include "calendar/month_calendar.h"
#include "calendar/period_params.h"
#include "cli_runner.h"
#include "document/month_acts.h"
#include "document/parameter_acts.h"
#include "editing/month_access.h"
#include "support/month_files.h"
#include "support/scripted_interaction.h"
#include "support/window_session.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::result;
using test::run_cli_on;
using test::TempDir;

class DayCommands : public ::testing::Test {
protected:
    TempDir dir;
    std::string cliWard, actWard;
    std::string cliMonth, actMonth;  // December of the demo, in each ward

    void SetUp() override {
        cliWard = (dir / "cli").string();
        actWard = (dir / "act").string();
        ASSERT_EQ(test::run_cli(dir, {"demo", cliWard}).code, 0);
        fs::copy(cliWard, actWard, fs::copy_options::recursive);
        const auto months = test::month_files(fs::path(cliWard) / "dane");
        ASSERT_EQ(months.size(), 2u);
        cliMonth = months[1].string();
        actMonth = (fs::path(actWard) / "dane" / months[1].filename()).string();
    }
    result cli(const std::vector<std::string>& args, const std::string& lang = "english") {
        return run_cli_on(dir, cliWard, args, lang);
    }
    // What the month reads back as: its calendar with the day notes, and
    // every worker's figures.
    std::string figures(const std::string& ward, const std::string& month) {
        std::string all;
        for (const std::vector<std::string>& look : {std::vector<std::string>{"info", month, "--json"},
                                                     {"summary", month, "--group", "1"},
                                                     {"summary", month, "--group", "2"}}) {
            const result r = run_cli_on(dir, ward, look, "english");
            EXPECT_EQ(r.code, 0) << r.err;
            all += r.out;
        }
        return all;
    }

    // The month of `actWard` opened in-process for editing, as the window opens it.
    struct session : test::window_session {
        using window_session::window_session;
        int index(int day) const { return day - first_day_of_month(plan()); }
        bool holiday(int day) const {
            return kalendarz_miesiaca(plan(), plan().currentMonth).holiday[size_t(index(day))];
        }
    };
};

TEST_F(DayCommands, SetDayLeavesTheMonthTheDayMenuAndDialogLeave) {
    // The 2nd a holiday of the ward's own, the 25th a working day, an
    // emergency duty with a note on the 10th.
    ASSERT_EQ(cli({"set-day", cliMonth, "2", "--holiday"}).code, 0);
    ASSERT_EQ(cli({"set-day", cliMonth, "25", "--working-day"}).code, 0);
    const result noted = cli({"set-day", cliMonth, "10", "--er-duty", "--note", "Ostry dyżur: chirurgia"});
    ASSERT_EQ(noted.code, 0) << noted.err;
    EXPECT_EQ(noted.out, "Saved " + cliMonth + "\n");
    {
        session s(actWard, actMonth);
        ASSERT_FALSE(s.holiday(2));
        ASSERT_TRUE(toggle_holiday(s.doc, s.index(2)).ok());
        ASSERT_TRUE(s.holiday(25));
        ASSERT_TRUE(toggle_holiday(s.doc, s.index(25)).ok());
        ASSERT_TRUE(save_day_properties(s.doc, s.index(10), "Ostry dyżur: chirurgia", true).ok());
        ASSERT_TRUE(save_month(s.doc).ok());
    }
    const std::string changed = figures(cliWard, cliMonth);
    EXPECT_EQ(changed, figures(actWard, actMonth));
    EXPECT_NE(changed.find("Ostry dyżur: chirurgia"), std::string::npos);

    // Asking for what the day already is changes nothing on it.
    ASSERT_EQ(cli({"set-day", cliMonth, "2", "--holiday"}).code, 0);
    ASSERT_EQ(cli({"set-day", cliMonth, "26", "--holiday"}).code, 0);
    EXPECT_EQ(figures(cliWard, cliMonth), changed);

    // The built-in calendar back, the note and the duty gone: the month as it came.
    ASSERT_EQ(cli({"set-day", cliMonth, "2", "--default-holiday"}).code, 0);
    ASSERT_EQ(cli({"set-day", cliMonth, "25", "--default-holiday"}).code, 0);
    ASSERT_EQ(cli({"set-day", cliMonth, "10", "--no-er-duty", "--no-note"}).code, 0);
    TempDir fresh;
    ASSERT_EQ(test::run_cli(fresh, {"demo", (fresh / "w").string()}).code, 0);
    const auto freshMonths = test::month_files(fresh / "w" / "dane");
    EXPECT_EQ(figures(cliWard, cliMonth), figures((fresh / "w").string(), freshMonths[1].string()));
}

TEST_F(DayCommands, SetDayRefusesWhatItCannotDo) {
    const std::string before = read_file(cliMonth);
    struct bad {
        std::vector<std::string> args;
        int code;
        std::string says;
    };
    const std::vector<bad> cases = {
        {{"set-day", cliMonth, "32", "--holiday"}, 1, "Day 32 is not in month 12/2026"},
        {{"set-day", cliMonth, "5"}, 2, "--note"},
        {{"set-day", cliMonth, "5", "--holiday", "--working-day"}, 2, "--default-holiday"},
        {{"set-day", cliMonth, "x", "--holiday"}, 2, "\"x\""},
        {{"set-day", (dir / "none.pnk").string(), "5", "--holiday"}, 1, "none.pnk"},
        {{"parameters", cliMonth}, 2, "--month"},
        {{"parameters", cliMonth, "--month", "2027-13"}, 2, "2027-13"},
        {{"parameters", cliMonth, "--status", "final"}, 2, "final"},
        {{"parameters", cliMonth, "--type", "real"}, 2, "real"},
    };
    for (const bad& b : cases) {
        const result r = cli(b.args);
        EXPECT_EQ(r.code, b.code) << b.args.back() << ": " << r.err;
        EXPECT_NE(r.err.find(b.says), std::string::npos) << b.args.back() << ": " << r.err;
        EXPECT_EQ(read_file(cliMonth), before) << b.args.back();
    }
}

TEST_F(DayCommands, ParametersChangeTheMonthAsTheDialogDoes) {
    ASSERT_EQ(cli({"parameters", cliMonth, "--status", "approved", "--type", "done"}).code, 0);
    // Another month of a plan with duties asks first; the cautious answer keeps the old one.
    const std::string approved = read_file(cliMonth);
    const result kept = cli({"parameters", cliMonth, "--month", "2027-02"});
    EXPECT_EQ(kept.code, 1);
    EXPECT_NE(kept.err.find("--yes"), std::string::npos) << kept.err;
    EXPECT_EQ(read_file(cliMonth), approved);
    ASSERT_EQ(cli({"--yes", "parameters", cliMonth, "--month", "2027-02"}).code, 0);
    {
        session s(actWard, actMonth);
        plan_parameters p;
        p.year = s.plan().year;
        p.month = s.plan().month;
        p.weekModeFrom = s.plan().weekModeFrom;
        p.weekModeCount = s.plan().weekModeCount;
        p.approvedStatus = 1;
        p.planType = 1;
        ASSERT_TRUE(change_parameters(s.doc, p).ok());
        p.year = 2027;
        p.month = 2;
        ASSERT_EQ(*change_parameters(s.doc, p), ParametersOutcome::MonthChanged);
        ASSERT_TRUE(save_month(s.doc).ok());
    }
    EXPECT_EQ(figures(cliWard, cliMonth), figures(actWard, actMonth));
    {
        session s(cliWard, cliMonth);
        EXPECT_EQ(s.plan().year, 2027);
        EXPECT_EQ(s.plan().month, 2);
        EXPECT_EQ(s.plan().approvedStatus, 1);
        EXPECT_EQ(s.plan().planType, 1);
    }
}

TEST_F(DayCommands, SpeakTheRunsLanguage) {
    const result pl = cli({"set-day", cliMonth, "40", "--holiday"}, "polski");
    EXPECT_EQ(pl.err, "Dnia 40 nie ma w miesiącu 12/2026\n");
    const result usage = cli({"set-day", cliMonth, "4"}, "polski");
    EXPECT_NE(usage.err.find("podaj, co zmienić"), std::string::npos) << usage.err;
    EXPECT_NE(usage.err.find("PLIK.pnk DZIEŃ"), std::string::npos) << usage.err;
    const result en = cli({"help", "parameters"});
    EXPECT_NE(en.out.find("FILE.pnk [--month YYYY-MM]"), std::string::npos) << en.out;
}

}  // namespace
}  // namespace planek
