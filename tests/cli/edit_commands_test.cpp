#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <cstdlib>
#include <sstream>

#include "calendar/summaries.h"
#include "cli_runner.h"
#include "files/program_session.h"
#include "support/scripted_interaction.h"
#include "support/demo_period.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;

using test::quote;
using test::result;

bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

// The demo ward with an empty April 2030 (Monday the 1st) to edit, so the
// days and their weekdays are known.
class CliEdit : public ::testing::Test {
protected:
    TempDir dir;
    std::string root, month;

    void SetUp() override {
        test::demo_period ward;
        ASSERT_NO_FATAL_FAILURE(test::make_demo_months(dir, ward, {"2030-04"}));
        root = ward.root;
        month = ward.months[0];
    }
    // The messages asserted below are the Polish ones, whatever the system language.
    result cli(const std::vector<std::string>& args) { return test::run_cli_on(dir, root, args, "polski"); }
    // The cells of one worker's row of `planek-cli show`, by day (1-based).
    std::vector<std::string> row(const std::string& nick, const std::string& group = "1") {
        const result shown = cli({"show", month, "--group", group});
        EXPECT_EQ(shown.code, 0) << shown.err;
        std::istringstream in(shown.out);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind(nick + " ", 0) != 0) continue;
            std::istringstream cells(line);
            std::vector<std::string> out;
            for (std::string c; cells >> c && c != "|";) out.push_back(c);
            return out;  // [0] is the nick, so [day] is the day
        }
        ADD_FAILURE() << "no row " << nick << " in\n" << shown.out;
        return std::vector<std::string>(32, "?");
    }
};

TEST_F(CliEdit, AddedDutiesShowAndOverlapsAreRefusedWithTheFileUnchanged) {
    // Anna Kowalska (1) on the surgical ward's 12-hour shifts.
    result added = cli({"add-duty", month, "1", "10", "D"});
    ASSERT_EQ(added.code, 0) << added.err;
    EXPECT_TRUE(has(added.out, "Dodano dyżur D: Kowalska Anna, dzień 10, 07:00-19:00")) << added.out;
    added = cli({"add-duty", month, "1", "10", "N", "--overtime", "1:00"});
    ASSERT_EQ(added.code, 0) << added.err;
    EXPECT_TRUE(has(added.out, "19:00-07:00 + 01:00") || has(added.out, "19:00-07:00 + 1:00")) << added.out;
    EXPECT_EQ(row("AKo")[10], "D/N");
    EXPECT_EQ(row("AKo")[11], ".");

    // The night with its hour of overtime ends at 8:00 the next day.
    const std::string before = read_file(month);
    const result refused = cli({"add-duty", month, "1", "11", "D", "--start", "7:00", "--length", "4:00"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(has(refused.err, "Dodawany dyżur nakłada się na już istniejący!")) << refused.err;
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(read_file(month), before);

    // Touching ends do not overlap.
    added = cli({"add-duty", month, "1", "11", "1", "--start", "8:00", "--length", "4:00"});
    ASSERT_EQ(added.code, 0) << added.err;
    EXPECT_NE(row("AKo")[11], ".");

    // A duty the file cannot place: a day past the month, a shift the group lacks.
    const std::string placed = read_file(month);
    EXPECT_EQ(cli({"add-duty", month, "1", "31", "D"}).code, 1);
    // Both are the ward's data refusing, as an unknown worker is.
    const result noShift = cli({"add-duty", month, "1", "12", "X"});
    EXPECT_EQ(noShift.code, 1);
    EXPECT_NE(noShift.err.find("nie ma zmiany „X”"), std::string::npos) << noShift.err;
    EXPECT_EQ(cli({"add-duty", month, "1", "12", "D", "--start", "25:00"}).code, 2);
    EXPECT_EQ(cli({"add-duty", month, "999", "12", "D"}).code, 1);
    EXPECT_EQ(cli({"add-duty", month, "1", "12"}).code, 2);
    EXPECT_EQ(read_file(month), placed);
}

TEST_F(CliEdit, TheArchivedWorkerAndTheNoDutyDayRefuseWithTheirMessages) {
    const std::string before = read_file(month);
    const result blocked = cli({"add-duty", month, "29", "3", "1", "--group", "2"});
    EXPECT_EQ(blocked.code, 1);
    EXPECT_TRUE(has(blocked.err, "Wybrany pracownik jest zablokowany.")) << blocked.err;

    // Katarzyna Wójcik (3) asks for no night on the 20th; the question
    // defaults to No.
    ASSERT_EQ(cli({"add-dayoff", month, "3", "20", "ż", "--shift", "2"}).code, 0);
    const std::string withWish = read_file(month);
    EXPECT_NE(withWish, before);
    const result no = cli({"add-duty", month, "3", "20", "N"});
    EXPECT_EQ(no.code, 1);
    EXPECT_TRUE(has(no.err, "nie chce pracować na tej zmianie")) << no.err;
    EXPECT_EQ(read_file(month), withWish);
    EXPECT_EQ(cli({"--yes", "add-duty", month, "3", "20", "N"}).code, 0);
    EXPECT_EQ(row("KWó")[20].substr(0, 1), "N");
}

TEST_F(CliEdit, DaysOffAndTheirAllowances) {
    const std::string staff = read_file(dir / "ward" / "dane" / "kadra.inr");
    // Monday 15th to Friday 19th; the allowance question answered No.
    result added = cli({"add-dayoff", month, "2", "15", "u", "--to", "19"});
    ASSERT_EQ(added.code, 0) << added.err;
    EXPECT_TRUE(has(added.err, "Pomniejszyć ilość pozostałego")) << added.err;
    EXPECT_TRUE(has(added.out, "Dodano wolne „Wypoczynkowy”: Wiśniewska Małgorzata, dni 15-19")) << added.out;
    EXPECT_EQ(read_file(dir / "ward" / "dane" / "kadra.inr"), staff);
    const std::vector<std::string> cells = row("MWi");
    for (int d = 15; d <= 19; ++d) EXPECT_EQ(cells[d], "U") << d;
    EXPECT_EQ(cells[14], ".");

    // A second day off inside it is refused and changes nothing.
    const std::string before = read_file(month);
    const result twice = cli({"add-dayoff", month, "2", "17", "z"});
    EXPECT_EQ(twice.code, 1);
    EXPECT_TRUE(has(twice.err, "Wybrany pracownik ma już wstawione wolne w wybranym dniu.")) << twice.err;
    EXPECT_EQ(read_file(month), before);
    EXPECT_EQ(cli({"add-dayoff", month, "2", "3", "nieznany"}).code, 2);
    EXPECT_EQ(cli({"add-dayoff", month, "2", "5", "u", "--to", "3"}).code, 2);

    // Yes takes the leave off the worker's balance, which lives in the staff file.
    added = cli({"--yes", "add-dayoff", month, "3", "1", "u", "--to", "2"});
    ASSERT_EQ(added.code, 0) << added.err;
    EXPECT_TRUE(has(added.out, "Zapisano limity urlopów w kadrze")) << added.out;
    EXPECT_NE(read_file(dir / "ward" / "dane" / "kadra.inr"), staff);
    const result check = cli({"staff"});
    EXPECT_EQ(check.code, 0) << check.err;
}

TEST_F(CliEdit, LeaveOnAReadOnlyMonthSavesNeitherFileAndSaysOneFailure) {
    const fs::path staffFile = dir / "ward" / "dane" / "kadra.inr";
    const std::string staff = read_file(staffFile), before = read_file(month);
    fs::permissions(month, fs::perms::owner_read | fs::perms::group_read);
    const result added = cli({"--yes", "add-dayoff", month, "3", "1", "u", "--to", "2"});
    fs::permissions(month, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(added.code, 1);
    EXPECT_FALSE(has(added.out, "Zapisano")) << added.out;
    EXPECT_TRUE(has(added.err, "Nie zapisano pliku")) << added.err;
    EXPECT_EQ(read_file(staffFile), staff) << "the balance was drawn for a leave no file holds";
    EXPECT_EQ(read_file(month), before);
}

TEST_F(CliEdit, RemoveTakesTheDaysDutiesOrItsDayOff) {
    ASSERT_EQ(cli({"add-duty", month, "1", "10", "1", "--length", "4:00"}).code, 0);
    ASSERT_EQ(cli({"add-duty", month, "1", "10", "1", "--start", "12:00", "--length", "4:00"}).code, 0);
    ASSERT_EQ(cli({"add-duty", month, "1", "10", "1", "--start", "16:00", "--length", "3:00"}).code, 0);
    ASSERT_EQ(cli({"add-dayoff", month, "1", "20", "z", "--to", "24"}).code, 0);

    // The middle one of three.
    result removed = cli({"remove", month, "1", "10", "--duty", "2"});
    ASSERT_EQ(removed.code, 0) << removed.err;
    EXPECT_TRUE(has(removed.out, "dyżurów 1")) << removed.out;
    const std::string two = row("AKo")[10];
    EXPECT_EQ(std::count(two.begin(), two.end(), '/'), 1) << two;
    EXPECT_EQ(cli({"remove", month, "1", "10", "--duty", "3"}).code, 1);

    // The day off goes by any of its days, the duties stay.
    removed = cli({"remove", month, "1", "22", "--dayoff"});
    ASSERT_EQ(removed.code, 0) << removed.err;
    for (int d = 20; d <= 24; ++d) EXPECT_EQ(row("AKo")[d], ".") << d;
    EXPECT_NE(row("AKo")[10], ".");

    // Without a choice everything on the day goes; then nothing is left.
    ASSERT_EQ(cli({"remove", month, "1", "10"}).code, 0);
    EXPECT_EQ(row("AKo")[10], ".");
    const std::string before = read_file(month);
    const result empty = cli({"remove", month, "1", "10"});
    EXPECT_EQ(empty.code, 1);
    EXPECT_TRUE(has(empty.err, "nie ma w dniu 10")) << empty.err;
    EXPECT_EQ(read_file(month), before);
}

// Jolanta Kozłowska (11) works 8-hour days; a first duty of her daily norm
// offers to fill the whole month.
TEST_F(CliEdit, TheWholeMonthOfferFollowsTheAnswer) {
    const auto eights = [](const std::vector<std::string>& cells) {
        return std::count(cells.begin(), cells.end(), std::string("8"));
    };
    result one = cli({"add-duty", month, "11", "2", "1", "--length", "7:35"});
    ASSERT_EQ(one.code, 0) << one.err;
    EXPECT_TRUE(has(one.err, "Czy rozpisać wybrany dyżur na cały miesiąc?\n-> Nie")) << one.err;
    EXPECT_EQ(eights(row("JKo")), 1);

    ASSERT_EQ(cli({"remove", month, "11", "2"}).code, 0);
    const result all = cli({"--yes", "add-duty", month, "11", "2", "1", "--length", "7:35"});
    ASSERT_EQ(all.code, 0) << all.err;
    EXPECT_TRUE(has(all.out, "Rozpisano dyżur na cały miesiąc: Kozłowska Jolanta")) << all.out;
    EXPECT_GE(eights(row("JKo")), 14);
    // With a duty in the month the offer is not made again.
    const result later = cli({"--yes", "add-duty", month, "11", "6", "1", "--length", "7:35"});
    EXPECT_FALSE(has(later.err, "Czy rozpisać")) << later.err;
}

TEST_F(CliEdit, ADutyTakenOnRequestGoesOnlyAfterYes) {
    ASSERT_EQ(cli({"add-duty", month, "1", "8", "D", "--on-request", "--note", "zamiana"}).code, 0);
    const std::string before = read_file(month);
    const result no = cli({"remove", month, "1", "8"});
    EXPECT_EQ(no.code, 1);
    EXPECT_TRUE(has(no.err, "na życzenie")) << no.err;
    EXPECT_EQ(read_file(month), before);
    ASSERT_EQ(cli({"--yes", "remove", month, "1", "8"}).code, 0);
    EXPECT_EQ(row("AKo")[8], ".");
}

// One language from the first word to the last: the folder's choice (as the
// window reads it at start) without --lang, the one asked for with it. The
// tests run under an English locale, so a Polish folder is one whose
// configuration says so.
TEST_F(CliEdit, EveryLineOfAnEditSpeaksTheSessionsLanguage) {
    ASSERT_EQ(test::run_cli_on(dir, root, {"config", "--set", "glowne", "lang", "1"}).code, 0);
    const result polish = test::run_cli_on(dir, root, {"add-dayoff", month, "28", "3", "u"});
    ASSERT_EQ(polish.code, 0) << polish.err;
    EXPECT_TRUE(has(polish.out, "Dodano wolne „Wypoczynkowy”: Olszewska Monika, dni 3-3, normatyw 07:35")) << polish.out;
    EXPECT_TRUE(has(polish.out, "Zapisano ")) << polish.out;
    EXPECT_TRUE(has(polish.err, "Pomniejszyć ilość pozostałego")) << polish.err;
    EXPECT_TRUE(has(polish.err, "-> Nie (odpowiedź wybierają opcje --yes i --no)")) << polish.err;

    const result english = test::run_cli_on(dir, root, {"add-dayoff", month, "28", "4", "u"}, "english");
    ASSERT_EQ(english.code, 0) << english.err;
    EXPECT_TRUE(has(english.out, "Added day off \"Annual leave\": Olszewska Monika, days 4-4, norm 07:35"))
        << english.out;
    EXPECT_TRUE(has(english.out, "Saved ")) << english.out;
    EXPECT_TRUE(has(english.err, "-> No (the answer is chosen by --yes and --no)")) << english.err;
    const result removed = test::run_cli_on(dir, root, {"remove", month, "28", "4"}, "english");
    ASSERT_EQ(removed.code, 0) << removed.err;
    EXPECT_TRUE(has(removed.out, "Removed: Olszewska Monika, day 4, duties 0, day off")) << removed.out;
    for (const std::string& text : {english.out, english.err, removed.out, removed.err})
        for (const char* polishWord : {"Dodano", "Zapisano", "Usunięto", "Nie ", "Wypoczynkowy", "ą", "ę", "ó"})
            EXPECT_FALSE(has(text, polishWord)) << polishWord << " in\n" << text;

    // A folder that chooses no language speaks the system's, names included.
    ASSERT_EQ(test::run_cli_on(dir, root, {"config", "--set", "glowne", "lang", "-1"}).code, 0);
    const result system = test::run_cli_on(dir, root, {"add-dayoff", month, "28", "5", "u"});
    ASSERT_EQ(system.code, 0) << system.err;
    EXPECT_TRUE(has(system.out, "Added day off \"Annual leave\"")) << system.out;
}

// Each worker's overtime carried into the month, as a fresh session reads
// the file; with `from`, after the window's overtime loading instead.
std::map<word, int> carried(const std::string& root, const std::string& month, const std::string& from = "") {
    Plan plan;
    plan.ui = std::make_shared<test::ScriptedInteraction>();
    session_request session;
    session.root = root;
    session.language = "polski";
    EXPECT_TRUE(open_program_session(plan, session).ok());
    months_request tabs;
    tabs.files = {month};
    tabs.group = 1;
    EXPECT_TRUE(open_session_months(plan, tabs).ok());
    if (!from.empty()) {
        EXPECT_TRUE(nadpracowania_auto_wczytaj(plan, from));
    }
    std::map<word, int> out;
    for (const prac& w : plan.workers)
        if (!w.months.empty()) out[w.id] = w.months[size_t(plan.currentMonth)].overtimeFromPrevious;
    return out;
}

TEST_F(CliEdit, LoadOvertimeCarriesThePreviousMonthsBalancesAsTheWindowDoes) {
    const std::string march = (fs::path(root) / "dane" / "2030_03.pnk").string();
    ASSERT_EQ(cli({"new", march, "2030-03"}).code, 0);
    for (const std::vector<std::string>& edit : std::vector<std::vector<std::string>>{
             {"add-duty", march, "1", "4", "D"}, {"add-duty", march, "1", "5", "N"}, {"add-duty", march, "2", "6", "D"},
             {"add-dayoff", march, "2", "11", "u", "--to", "15"}}) {
        const result r = cli(edit);
        ASSERT_EQ(r.code, 0) << r.err;
    }
    const std::map<word, int> byWindow = carried(root, month, march);
    EXPECT_NE(byWindow.at(1), 0);
    EXPECT_NE(byWindow.at(2), 0);
    EXPECT_NE(byWindow.at(1), byWindow.at(2));

    const result loaded = cli({"load-overtime", month, "--from", march, "--group", "1"});
    ASSERT_EQ(loaded.code, 0) << loaded.err;
    EXPECT_TRUE(has(loaded.err, "Wgrano nadpracowania pracowników")) << loaded.err;
    EXPECT_TRUE(has(loaded.out, "Zapisano ")) << loaded.out;
    // Carried into a month with nothing planned yet, and kept by its save.
    EXPECT_EQ(carried(root, month), byWindow);

    // A file that cannot be read changes nothing.
    const std::string before = read_file(month);
    const result missing = cli({"load-overtime", month, "--from", (fs::path(root) / "nope.pnk").string()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(has(missing.err, "Nie wczytano nadpracowań z pliku")) << missing.err;
    EXPECT_EQ(read_file(month), before);
    EXPECT_EQ(cli({"load-overtime", month}).code, 2);
}

// An edit writes the month set and nothing it does not name: the shared
// configuration stays as it was to the byte, whatever was opened or saved.
TEST_F(CliEdit, AnEditLeavesTheConfigurationAsItWas) {
    const fs::path config = fs::path(root) / "dane" / "konfiguracja.ini";
    const std::string before = read_file(config);
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(cli({"add-duty", month, "1", "10", "D"}).code, 0);
    ASSERT_EQ(cli({"--yes", "add-dayoff", month, "2", "12", "u", "--to", "13"}).code, 0);
    ASSERT_EQ(cli({"remove", month, "1", "10"}).code, 0);
    EXPECT_EQ(read_file(config), before);
}

}  // namespace
}  // namespace planek

namespace planek {
namespace {

TEST_F(CliEdit, AWishIsSavedInTheMonthAndTheSecondAlgorithmCountsIt) {
    // Małgorzata Wiśniewska (2), whom the scheduler plans.
    const test::result set = cli({"wish", month, "2", "10", "shift", "2", "--weight", "3"});
    ASSERT_EQ(set.code, 0) << set.err;
    EXPECT_TRUE(has(set.out, "zmiana 2 (waga 3)")) << set.out;
    const std::string file = read_file(month);
    EXPECT_TRUE(has(file, "[zyczenia]")) << file;
    ASSERT_EQ(cli({"wish", month, "2", "11", "off"}).code, 0);
    EXPECT_EQ(cli({"wish", month, "2", "11", "sometimes"}).code, 2);
    EXPECT_EQ(cli({"wish", month, "2", "11", "shift", "9"}).code, 1);
    const test::result planned = cli({"schedule", month, "--group", "1", "--algorithm", "2", "--seed", "1", "--discard"});
    ASSERT_EQ(planned.code, 0) << planned.err;
    EXPECT_TRUE(has(planned.out, "Spełniono ")) << planned.out;
    EXPECT_TRUE(has(planned.out, " z 2 życzeń")) << planned.out;
    ASSERT_EQ(cli({"wish", month, "2", "10", "none"}).code, 0);
    ASSERT_EQ(cli({"wish", month, "2", "11", "none"}).code, 0);
    EXPECT_FALSE(has(read_file(month), "[zyczenia]"));
}

}  // namespace
}  // namespace planek
