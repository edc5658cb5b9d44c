// The second algorithm, judged by the warnings check: small wards whose
// best roster is known, a ward it cannot staff, duties it must leave alone,
// repeatability and the options it must honour.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/staffing.h"
#include "scheduler/search_cost.h"
#include "scheduler/search_engine.h"
#include "scheduler/search_model.h"
#include "scheduler/search_residue.h"
#include "scheduler/warnings.h"
#include "scheduler_fixture.h"

namespace planek::test {
namespace {

// Two eight-hour shifts, 06:00-14:00 and 14:00-22:00 (no night), one
// person each on every day: June needs 60 duties, 480 hours, and three
// full-time workers have 477:45 of norm.
struct search_ward : scheduler_ward {
    explicit search_ward(int workers = 3, int staff = 1) {
        grupa& g = group();
        g.algorithm = 1;
        g.shifts[0].start = 360;
        g.shifts[0].length = 480;
        g.shifts[1].start = 840;
        g.shifts[1].length = 480;
        for (zmiana_& z : g.shifts) z.staffMin = z.staffMinS = byte(staff);
        // Four or five eight-hour duties a week must both be a fair week.
        plan.options.warnings.vWeekWorkTime = 20;
        normatyw(plan, true, 0, false);
        for (int i = 0; i < workers; ++i) addWorker();
    }

    scheduler_report plan2(Answer answer, std::uint64_t seed = 7) {
        ui->answers.push_back(answer);
        scheduler_choice choice;
        choice.algorithm = 2;
        choice.seed = seed;
        choice.seconds = 5;
        return uloz_planek(plan, choice);
    }

    std::vector<std::string> findings() {
        przygotuj_ostrzezenia(plan);
        return sprawdz_ostrzezenia(plan);
    }
    // Findings of these rule letters.
    std::vector<std::string> findings(const std::string& letters) {
        std::vector<std::string> out;
        for (const std::string& line : findings())
            if (line.size() > 1 && line[1] == ' ' && letters.find(line[0]) != std::string::npos) out.push_back(line);
        return out;
    }
};

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

TEST(Search, FindsARosterWithoutAnyFindingWhereOneExists) {
    search_ward ward;
    const scheduler_report r = ward.plan2(Answer::Yes);
    EXPECT_EQ(r.algorithm, 2);
    EXPECT_TRUE(r.accepted);
    EXPECT_TRUE(r.unmet.empty()) << joined(r.unmet);
    const std::vector<std::string> lines = ward.findings();
    ASSERT_EQ(lines.size(), 1u) << joined(lines);
    EXPECT_EQ(lines[0], "Brak uwag");
}

TEST(Search, TheGroupsChoiceRunsTheSecondAlgorithmAndTheFirstStaysAsItWas) {
    search_ward ward;
    ward.ui->answers.push_back(Answer::No);
    EXPECT_EQ(uloz_planek(ward.plan).algorithm, 2);
    ward.group().algorithm = 0;
    ward.ui->answers.push_back(Answer::No);
    EXPECT_EQ(uloz_planek(ward.plan).algorithm, 1);
}

TEST(Search, ReportsWhatItCannotStaffAndStillBreaksNoHardRule) {
    // One worker cannot hold a day and a night shift every day.
    search_ward ward(1);
    const scheduler_report r = ward.plan2(Answer::Yes);
    ASSERT_FALSE(r.unmet.empty());
    EXPECT_NE(r.unmet[0].find("Zmiana "), std::string::npos) << r.unmet[0];
    EXPECT_NE(r.unmet[0].find(" — "), std::string::npos) << r.unmet[0];
    // A day of June reads "1 czerwca", as a sentence says it.
    EXPECT_NE(r.unmet[0].find(" czerwca: "), std::string::npos) << r.unmet[0];
    EXPECT_TRUE(ward.findings("abfh").empty()) << joined(ward.findings("abfh"));
    EXPECT_FALSE(ward.findings("c").empty());
}

TEST(Search, NamesTheRuleThatLeftAShiftShort) {
    // Twelve-hour day and night shifts with two workers: someone on nights
    // cannot come back for the next morning within the twelve-hour rest.
    scheduler_ward ward;
    ward.group().algorithm = 1;
    for (zmiana_& z : ward.group().shifts) z.staffMin = z.staffMinS = 1;
    const int a = ward.addWorker(), b = ward.addWorker();
    ward.ownNorm(a, 400 * 60);
    ward.ownNorm(b, 400 * 60);
    ward.ui->answers.push_back(Answer::No);
    scheduler_choice choice;
    choice.seed = 3;
    const scheduler_report r = uloz_planek(ward.plan, choice);
    ASSERT_FALSE(r.unmet.empty());
    const std::string text = joined(r.unmet);
    const bool named = text.find("bez przerwy krótszej niż 12:00") != std::string::npos ||
                       text.find("bez dwóch nocy z rzędu") != std::string::npos ||
                       text.find("bez odpoczynku tygodniowego") != std::string::npos;
    EXPECT_TRUE(named) << text;
}

TEST(Search, LeavesAcceptedAndHandPlacedDutiesAndDaysOffAlone) {
    search_ward ward;
    const dyzur kept = ward.handDuty(0, 3, 1);
    dyzur handProposal;  // placed by hand but not yet accepted
    handProposal.workerId = ward.worker(1).id;
    handProposal.groupId = 1;
    handProposal.day = 10;
    handProposal.shift = 2;
    handProposal.length = 480;
    handProposal.dutyAs = 1;
    handProposal.loaded = true;
    ASSERT_TRUE(dodaj_dyzur(ward.plan, handProposal, -1, true, 1));
    ward.handDayOff(2, 'U', 15, 19);
    ward.plan2(Answer::Yes);
    ASSERT_EQ(ward.month(0).duties[2].size(), 1u);
    EXPECT_EQ(ward.month(0).duties[2][0].shift, kept.shift);
    EXPECT_EQ(ward.month(0).duties[2][0].start, 360);
    ASSERT_EQ(ward.month(1).duties[9].size(), 1u);
    EXPECT_EQ(ward.month(1).duties[9][0].shift, 2);
    for (int d = 14; d < 19; ++d) EXPECT_TRUE(ward.month(2).duties[size_t(d)].empty()) << "day " << d + 1;

    // Discarded, the proposals go and every hand-placed entry stays.
    search_ward again;
    again.handDuty(0, 3, 1);
    again.handDayOff(2, 'U', 15, 19);
    again.plan2(Answer::No);
    EXPECT_EQ(again.dutyCount(0), 1);
    EXPECT_EQ(again.dutyCount(1) + again.dutyCount(2), 0);
    const std::vector<std::pair<int, char>> leave{{15, 'U'}};
    EXPECT_EQ(again.daysOff(2), leave);
}

TEST(Search, TheSameSeedGivesTheSameRoster) {
    std::vector<std::vector<int>> first, second;
    for (auto* out : {&first, &second}) {
        search_ward ward(5, 2);
        ward.plan2(Answer::Yes, 11);
        for (int w = 0; w < 5; ++w) out->push_back(ward.shifts(w));
    }
    EXPECT_EQ(first, second);
}

TEST(Search, HonoursASwitchedOffRuleAndTheThresholdsOfTheOptions) {
    // Nights only, one worker who may work a lot: with the two-nights rule
    // on no two nights follow each other; switched off, they may.
    const auto nights_in_a_row = [](bool rule) {
        scheduler_ward ward;
        ward.group().algorithm = 1;
        ward.group().shifts[0].staffMin = ward.group().shifts[0].staffMinS = 0;
        ward.group().shifts[1].staffMin = ward.group().shifts[1].staffMinS = 1;
        ward.plan.options.warnings.Nights2 = rule;
        ward.plan.options.warnings.WeekIntervalTooShort = false;
        const int w = ward.addWorker();
        ward.ownNorm(w, 300 * 60);
        ward.ui->answers.push_back(Answer::Yes);
        scheduler_choice choice;
        choice.seed = 5;
        uloz_planek(ward.plan, choice);
        int pairs = 0;
        const std::vector<int> s = ward.shifts(w);
        for (size_t d = 0; d + 1 < s.size(); ++d) pairs += s[d] == 2 && s[d + 1] == 2;
        return pairs;
    };
    EXPECT_EQ(nights_in_a_row(true), 0);
    EXPECT_GT(nights_in_a_row(false), 0);

    // A longer rest asked for in the options is kept.
    search_ward ward(3);
    ward.plan.options.warnings.vDutyNexttoDuty = 40 * 60;
    ward.plan2(Answer::Yes);
    EXPECT_TRUE(ward.findings("a").empty()) << joined(ward.findings("a"));
}

TEST(Search, StopKeepsTheBestRosterSoFar) {
    search_ward ward;
    std::vector<scheduler_progress> told;
    ward.plan.hooks.scheduler.progress = [&](const Plan&, const scheduler_progress& p) {
        told.push_back(p);
        return false;
    };
    const scheduler_report r = ward.plan2(Answer::Yes);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(r.stopped);
    EXPECT_LT(told[0].done, 0.01);
    // The construction staffed the month; that roster was kept.
    EXPECT_GT(r.placed, 50);
    EXPECT_TRUE(ward.findings("abfh").empty()) << joined(ward.findings("abfh"));
}

TEST(Search, PlansOnlyWhomItMayAndWhenTheyMay) {
    search_ward ward(3, 2);
    const int eight = ward.addEightHourWorker();  // Monday to Friday, no holidays
    const int byHand = ward.addWorker();
    ward.worker(byHand).prefWithoutAuto = true;
    ward.plan2(Answer::Yes);
    EXPECT_EQ(ward.dutyCount(byHand), 0);
    EXPECT_GT(ward.dutyCount(eight), 0);
    for (int d = 0; d < ward.days(); ++d) {
        const day& dd = ward.plan.days[size_t(d)];
        if (dd.dayOfWeek == 1 || dd.dayOfWeek == 7 || dd.holiday) {
            EXPECT_TRUE(ward.month(eight).duties[size_t(d)].empty()) << "day " << d + 1;
        }
    }
}

TEST(Search, LeansTowardsTheShiftsWorkersPrefer) {
    // Twelve-hour day and night shifts, one person each; one worker leans
    // to days, one to nights, one has no leaning.
    scheduler_ward ward;
    ward.group().algorithm = 1;
    for (zmiana_& z : ward.group().shifts) z.staffMin = z.staffMinS = 1;
    ward.plan.options.warnings.WeekWorkTime = false;
    for (int i = 0; i < 4; ++i) ward.addWorker();
    ward.worker(0).prefDayNight = 1;
    ward.worker(1).prefDayNight = 5;
    ward.ui->answers.push_back(Answer::Yes);
    scheduler_choice choice;
    choice.seed = 9;
    uloz_planek(ward.plan, choice);
    const auto nights = [&](int w) {
        const std::vector<int> s = ward.shifts(w);
        return std::count(s.begin(), s.end(), 2);
    };
    EXPECT_LT(nights(0), nights(1));
    EXPECT_GT(ward.dutyCount(0), 0);
}

TEST(Search, SaysWhyAWorkerStaysShortOfTheNorm) {
    // Six full-time workers for one person a shift: the shifts run out
    // before the norms do.
    search_ward ward(6);
    const scheduler_report r = ward.plan2(Answer::No);
    const std::string text = joined(r.unmet);
    EXPECT_NE(text.find(": brakuje do normatywu "), std::string::npos) << text;
    EXPECT_NE(text.find("zmiany, które może wziąć, są już obsadzone"), std::string::npos) << text;
    EXPECT_EQ(text.find("Zmiana "), std::string::npos) << text;
}

// Three workers whose norms are each 20 eight-hour duties and four hours:
// the shifts need exactly the 60 whole duties, the four hours are the
// residue.
struct residue_ward : search_ward {
    explicit residue_ward(int setting) {
        group().residueDistribution = byte(setting);
        for (int w = 0; w < 3; ++w) ownNorm(w, 20 * 480 + 240);
    }
    int planned(int w) {
        refresh(w);
        return int(month(w).sum.total[0].workedMinutes) + int(month(w).sum.creditedMinutes);
    }
    std::vector<int> lengths(int w) {
        std::vector<int> out;
        for (const auto& list : month(w).duties)
            for (const dyzur& d : list) out.push_back(d.length);
        return out;
    }
};

TEST(Search, PlansTheResidueOfTheNormAsTheGroupSettingWants) {
    // "Always", and "at the end of the period" in a one-month period, with
    // the norm first: the four hours are worth the over-staffed shift.
    for (int setting : {0, 1}) {
        residue_ward ward(setting);
        ward.group().aim = 1;
        ward.plan2(Answer::Yes);
        for (int w = 0; w < 3; ++w) {
            const std::vector<int> l = ward.lengths(w);
            EXPECT_EQ(std::count(l.begin(), l.end(), 240), 1) << "setting " << setting << " worker " << w;
            EXPECT_EQ(ward.planned(w), 20 * 480 + 240) << "setting " << setting << " worker " << w;
        }
        EXPECT_TRUE(ward.findings("abdfh").empty()) << joined(ward.findings("abdfh"));
    }
    // With the rules first a shortened duty on a shift already staffed is
    // a finding more, worth more than four hours of norm: none is planned.
    residue_ward rules(0);
    rules.plan2(Answer::Yes);
    for (int w = 0; w < 3; ++w) EXPECT_EQ(rules.planned(w), 20 * 480) << w;
    EXPECT_TRUE(rules.findings("c").empty()) << joined(rules.findings("c"));
    // "Never": whole shifts only, whatever the aim.
    residue_ward never(2);
    never.group().aim = 1;
    never.plan2(Answer::Yes);
    for (int w = 0; w < 3; ++w) {
        const std::vector<int> l = never.lengths(w);
        EXPECT_EQ(std::count(l.begin(), l.end(), 480), int(l.size())) << w;
        EXPECT_EQ(never.planned(w), 20 * 480) << w;
    }
}

TEST(Search, LeavesTheResidueForTheEndOfAPeriodThatGoesOn) {
    residue_ward ward(1);
    EXPECT_TRUE(sched::residue_planned_now(ward.plan, ward.group()));
    miesiac july;
    july.year = 2026;
    july.month = 7;
    ward.plan.months.push_back(july);
    EXPECT_FALSE(sched::residue_planned_now(ward.plan, ward.group()));
    ward.group().residueDistribution = 0;
    EXPECT_TRUE(sched::residue_planned_now(ward.plan, ward.group()));
}

TEST(Search, NeverPlansAResidueTooShortForTheWarningsCheck) {
    // An hour short of the norm: a one-hour duty would draw a finding and
    // three hours would overshoot further than the hour it mends.
    residue_ward ward(0);
    for (int w = 0; w < 3; ++w) ward.ownNorm(w, 20 * 480 + 60);
    ward.plan2(Answer::Yes);
    for (int w = 0; w < 3; ++w) EXPECT_EQ(ward.planned(w), 20 * 480) << w;
    EXPECT_TRUE(ward.findings("d").empty()) << joined(ward.findings("d"));
}

TEST(SearchModel, CountsTheHardRulesAsTheWarningsCheckDoes) {
    search_ward ward(1);
    ward.handDuty(0, 1, 2);  // 14:00-22:00
    ward.handDuty(0, 2, 1);  // 06:00-14:00 the next day: 8 hours of rest
    odswiez_iledy(ward.plan);
    sched::search_model m = sched::build_search_model(ward.plan, {0}, {sched::whole_worker_figures(ward.plan, 0)});
    ASSERT_EQ(m.workers.size(), 1u);
    const sched::hard_breaches h = sched::count_breaches(m, m.workers[0]);
    EXPECT_EQ(h.rest, 1);
    EXPECT_EQ(h.nights, 0);
    EXPECT_EQ(ward.findings("a").size(), 1u);
    // The first week (1st to 7th June) still has a long rest; a duty every
    // day of it takes that away.
    EXPECT_EQ(h.weekRest, 0);
    for (int d = 3; d <= 7; ++d) ward.handDuty(0, d, 1);
    odswiez_iledy(ward.plan);
    m = sched::build_search_model(ward.plan, {0}, {sched::whole_worker_figures(ward.plan, 0)});
    EXPECT_EQ(sched::count_breaches(m, m.workers[0]).weekRest, 1);
    EXPECT_EQ(ward.findings("h").size(), 1u);
}

TEST(SearchModel, CutsTheWeeklyRestAtEachWeeksBoundsForKeptDutiesAndProposalsAlike) {
    // Kept duties on 1st-5th June, proposals on 10th-14th: the four free
    // days 6th-9th span the bound of the first two weeks, so each week
    // keeps two free days of its own and neither is short of its rest.
    search_ward ward(1);
    for (int d = 1; d <= 5; ++d) ward.handDuty(0, d, 1);
    odswiez_iledy(ward.plan);
    sched::search_model m =
        sched::build_search_model(ward.plan, {0}, {sched::whole_worker_figures(ward.plan, 0)});
    sched::search_worker& w = m.workers[0];
    const auto propose = [&](int day) {
        w.shift[size_t(day - 1)] = 1;
        w.length[size_t(day - 1)] = 480;
    };
    for (int d = 10; d <= 14; ++d) propose(d);
    EXPECT_EQ(sched::count_breaches(m, w).weekRest, 0);
    // Duties on the 8th and 9th take the second week's long rest away and
    // leave the first's; the 6th and 7th then take the first's too.
    propose(8);
    propose(9);
    EXPECT_EQ(sched::count_breaches(m, w).weekRest, 1);
    propose(6);
    propose(7);
    const sched::hard_breaches h = sched::count_breaches(m, w);
    EXPECT_EQ(h.weekRest, 2);
    EXPECT_EQ(h.rest, 0);  // sixteen hours between the duties
    // A count given up past a limit still says the limit is passed, and
    // one within its limit is the whole count: the search refuses a move
    // on that alone.
    EXPECT_GT(sched::count_breaches(m, w, 0).total(), 0);
    EXPECT_GT(sched::count_breaches(m, w, 1).total(), 1);
    EXPECT_EQ(sched::count_breaches(m, w, 2).total(), 2);
    // Above the norm's room is known before any day is read.
    w.room = 0;
    w.proposedMinutes = 9 * 480;
    const sched::hard_breaches over = sched::count_breaches(m, w, 0);
    EXPECT_EQ(over.norm, 1);
    EXPECT_EQ(over.weekRest, 0);
    EXPECT_EQ(sched::count_breaches(m, w, 3).total(), 3);
}

TEST(SearchModel, CountsTheSundaysInARowBeforeTheMonthFromTheYearlyRecord) {
    search_ward ward(1);
    ward.plan.options.warnings.WorkSundaysMaxCount = 1;
    const std::string id = std::to_string(ward.plan.workers[0].id);
    auto before = [&](const std::string& record) {
        write_file(ward.plan.paths.data / "sundays.ini", "[" + id + "]\r\n" + record);
        return sched::build_search_model(ward.plan, {0}, {sched::whole_worker_figures(ward.plan, 0)}).workers[0].sundaysBefore;
    };
    const std::string lastYearEnd = "2025=" + std::string(49, '0') + "111\r\n";
    // 7 June 2026 is the year's 23rd Sunday: the 22 before it are this year's
    // record, and the run goes on into the last year only through all of them.
    EXPECT_EQ(before(lastYearEnd + "2026=" + std::string(22, '1') + std::string(30, '0') + "\r\n"), 25);
    EXPECT_EQ(before(lastYearEnd + "2026=" + std::string(20, '0') + "11" + std::string(30, '0') + "\r\n"), 2);
    // No key for this year: not one Sunday worked since January, so the
    // Sundays of December lie far behind.
    EXPECT_EQ(before(lastYearEnd), 0);
}

}  // namespace
}  // namespace planek::test
