#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "files/month_file.h"
#include "month_fixture.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

const std::string S = "\xA4";  // the field separator on disk

std::string duty(const std::string& fields) {
    std::string out;
    for (char c : fields) out += c == '|' ? S : std::string(1, c);
    return out;
}

class MonthBadInput : public MonthFixture {
protected:
    int duty_count() {
        int n = 0;
        for (prac& w : plan.workers)
            for (const auto& list : w.months[0].duties) n += int(list.size());
        return n;
    }
    std::vector<std::string> saved_lines(const std::string& name) {
        plan.currentFile = path(name).string();
        EXPECT_TRUE(zapisz_dyzury_i_wolne(plan));
        std::vector<std::string> lines;
        std::string error;
        EXPECT_TRUE(read_lines(path(name), lines, error)) << error;
        return lines;
    }
};

TEST_F(MonthBadInput, EveryBadLineIsReportedAndEveryGoodOneRead) {
    const std::string big(10 * 1024 * 1024, 'x');
    std::string text = "[okres]\r\nFromYear=2024\r\nFromMonth=3\r\n"
                       "[dyzury]\r\n"
                       "d1=" + duty("1|1|4|720|1|420|0") + "\r\n"
                       "to nie jest klucz\r\n"
                       "d2=" + duty("1|2") + "\r\n"
                       "d3=" + duty("1|1|40|720|1|420|0") + "\r\n"
                       "d4=" + duty("1|0|5|720|1|420|0") + "\r\n"
                       "d5=" + duty("1|1|6|99999|1|420|0") + "\r\n"
                       "d1=" + duty("1|3|8|720|1|420|0") + "\r\n"
                       "d6=" + duty("1|2|9|720|1|420|0|") + big + "\r\n"
                       "d7=" + big + "\r\n"
                       "d8=" + duty("1|77|10|720|1|420|0") + "\r\n"
                       "d9=" + duty("1|1|4|720|1|600|0") + "\r\n"
                       "[wolne]\r\n"
                       "w1=" + duty("1|3|11|12|910|Q") + "\r\n"
                       "w2=" + duty("1|3|14|15|910|u") + "\r\n"
                       "[wymiar_etatu]\r\n1=abc\r\n2=75,5\r\n"
                       "[nieznana]\r\na=1\r\n"
                       "[dyzury]\r\n"
                       "d10=" + duty("1|2|2");  // truncated: no line end, fields missing
    write_file(path("bad.pnk"), text);

    const auto problems = check_month_file(plan, path("bad.pnk"));
    std::vector<std::string> keys;
    for (const month_problem& p : problems) keys.push_back(p.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"to nie jest klucz", "d2", "d3", "d4", "d5", "d1", "d6", "d7", "d9",
                                              "w1", "1", "", "d10"}))
        << [&] {
               std::string all;
               for (const auto& p : problems) all += problem_text(p) + "\n";
               return all;
           }();
    EXPECT_NE(problems[2].reason.find("40"), std::string::npos);
    // A line the editing rules refuse carries the rule's own words.
    EXPECT_EQ(problems[8].reason.rfind("Dodawany dyżur nakłada się na już istniejący!", 0), 0u) << problems[8].reason;
    // Checking changes nothing: no safety copy, nothing read into the plan.
    EXPECT_FALSE(fs::exists(path("bad.pnk.bak")));
    EXPECT_EQ(duty_count(), 0);

    plan.currentFile = path("bad.pnk").string();
    std::vector<refusal> notes;
    const auto read = wczytaj_dyzury_i_wolne(plan, &notes);
    EXPECT_EQ(read.size(), problems.size());
    EXPECT_EQ(notes.size(), 1u);  // one summary message
    EXPECT_TRUE(ui->warnings.empty());
    EXPECT_EQ(duty_count(), 2);          // d1 and d6 (its note cut)
    EXPECT_EQ(month(1).duties[8].at(0).note, std::string(30, 'x'));
    EXPECT_EQ(plan.orphanDuties.size(), 1u);  // d8, worker 77
    EXPECT_TRUE(month(2).daysOff[13].used());
    EXPECT_DOUBLE_EQ(month(1).partTime, 75.5);
    EXPECT_DOUBLE_EQ(month(0).partTime, 100.0);

    // Saved and read again, everything that was read is there and clean.
    const auto once = saved_lines("clean.pnk");
    ui->warnings.clear();
    for (prac& w : plan.workers) w.months[0] = ms_{};
    EXPECT_TRUE(wczytaj_dyzury_i_wolne(plan).empty());
    EXPECT_TRUE(ui->warnings.empty());
    EXPECT_EQ(duty_count(), 2);
    EXPECT_EQ(plan.orphanDuties.size(), 1u);
    EXPECT_EQ(saved_lines("again.pnk"), once);
}

TEST_F(MonthBadInput, MissingAndUnreadableFiles) {
    EXPECT_EQ(check_month_file(plan, path("nie_ma.pnk")).size(), 1u);
    plan.currentFile = path("2024_05.pnk").string();
    EXPECT_TRUE(wczytaj_dyzury_i_wolne(plan).empty());  // a missing file is an empty month
    EXPECT_EQ(plan.month, 5);
    EXPECT_EQ(plan.days.size(), 31u);
}

TEST_F(MonthBadInput, OutOfRangePeriodValuesFallBack) {
    write_file(path("p.pnk"),
               "[okres]\r\nFromYear=20240\r\nFromMonth=13\r\nWeekMode=1\r\nWeekModeCount=42\r\n[kalendarz_wlasny]\r\n"
               "31=1\r\n");
    const auto problems = check_month_file(plan, path("p.pnk"));
    EXPECT_EQ(problems.size(), 4u);
    plan.currentFile = path("p.pnk").string();
    wczytaj_dyzury_i_wolne(plan);
    EXPECT_EQ(plan.year, 2024);  // today's
    EXPECT_EQ(plan.month, 3);
    EXPECT_EQ(plan.weekModeCount, 15);  // more weeks than day slots is refused
    EXPECT_EQ(plan.days.size(), 15u);
}

TEST_F(MonthBadInput, TwoDifferentDaysOffOnOneDayKeepTheFirst) {
    write_file(path("w.pnk"), "[okres]\r\nFromYear=2024\r\nFromMonth=3\r\n[wolne]\r\nw1=" + duty("1|1|3|4|910|u") +
                                  "\r\nw2=" + duty("1|1|3|3|455|z") + "\r\n");
    plan.currentFile = path("w.pnk").string();
    EXPECT_EQ(wczytaj_dyzury_i_wolne(plan).size(), 1u);
    EXPECT_EQ(month(0).daysOff[2].symbol, 'u');
    EXPECT_EQ(month(0).daysOff[2].dayTo, 4);
}

// Random damage to a real month file: the reader never crashes, whatever it
// reads is written back, and what is written back reads cleanly and the
// same again.
TEST_F(MonthBadInput, RandomMutationsOfARealFile) {
    empty_month();
    for (int d = 1; d <= 28; d += 3) add_duty(d % 3, d, d % 2 ? 420 : 1140, 720, d % 2 ? 1 : 2);
    add_day_off(0, 8, 10, 'u');
    add_day_off(1, 15, 19, 'z');
    add_day_off(2, 20, 20, '1');
    plan.months[0].days[3].note = "linia 1\r\nlinia 2";
    plan.months[0].days[6].erDuty = 1;
    month(1).partTime = 50;
    month(2).overtimeManual = 30;
    const std::vector<std::string> base = saved_lines("base.pnk");

    std::mt19937 rng(20240315);
    auto pick = [&](size_t n) { return size_t(std::uniform_int_distribution<size_t>(0, n - 1)(rng)); };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int runs = 0;
    for (; runs < 300 && std::chrono::steady_clock::now() < deadline; ++runs) {
        std::vector<std::string> lines = base;
        const int edits = 1 + int(pick(4));
        for (int e = 0; e < edits; ++e) {
            std::string& l = lines[pick(lines.size())];
            switch (pick(7)) {
                case 0: if (!l.empty()) l.erase(pick(l.size()), 1); break;
                case 1: l.insert(l.empty() ? 0 : pick(l.size()), 1, "0123456789=¤[]-x"[pick(16)]); break;
                case 2: lines.push_back(lines[pick(lines.size())]); break;
                case 3: if (!l.empty()) l.resize(pick(l.size())); break;
                case 4: l += "99999"; break;
                case 5: std::swap(l, lines[pick(lines.size())]); break;
                case 6: l = cp1250_to_utf8(std::string(1, char(pick(256)))) + l; break;
            }
        }
        std::string bytes;
        for (const std::string& l : lines) bytes += utf8_to_cp1250_lossy(l) + "\r\n";
        if (pick(4) == 0) bytes.resize(pick(bytes.size()));
        write_file(path("m.pnk"), bytes);

        for (prac& w : plan.workers) w.months[0] = ms_{};
        plan.currentFile = path("m.pnk").string();
        wczytaj_dyzury_i_wolne(plan);
        const auto first = saved_lines("m1.pnk");
        for (prac& w : plan.workers) w.months[0] = ms_{};
        plan.currentFile = path("m1.pnk").string();
        const auto again = wczytaj_dyzury_i_wolne(plan);
        ASSERT_TRUE(again.empty()) << "run " << runs << ": " << problem_text(again.front());
        ASSERT_EQ(saved_lines("m2.pnk"), first) << "run " << runs;
    }
    EXPECT_GT(runs, 20);
}

}  // namespace
}  // namespace planek::test
