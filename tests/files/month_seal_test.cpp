// A month file proves it reached the disk whole; one that cannot is opened
// for reading only and never saved over without "save as".
#include <gtest/gtest.h>

#include <chrono>

#include "core/file_io.h"
#include "core/text.h"
#include "files/month_file.h"
#include "files/month_project.h"
#include "files/month_seal.h"
#include "month_fixture.h"
#include "support/hostile_files.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;
using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point t) { return std::chrono::duration<double>(clock_type::now() - t).count(); }

class MonthSeal : public MonthFixture {
protected:
    // A month of duties and days off, saved as this program saves it.
    std::string saved_month(const std::string& name = "2024_03.pnk") {
        empty_month(name);
        for (int day = 1; day <= 28; ++day) {
            add_duty(day % 3, day, 420, 720);
            if (day % 7 == 0) add_day_off((day + 1) % 3, day, day, 'u', 455);
        }
        plan.currentFile = path(name).string();
        EXPECT_TRUE(zapisz_dyzury_i_wolne(plan));
        return read_file(path(name));
    }
    // Reads the current file; what the reader had to say is kept in `said`.
    void read_month() {
        said.clear();
        wczytaj_dyzury_i_wolne(plan, &said);
    }
    bool warned_about(const std::string& what) const {
        for (const refusal& r : said)
            if (r.text.find(what) != std::string::npos) return true;
        return false;
    }
    std::vector<refusal> said;
};

TEST_F(MonthSeal, AWrittenMonthEndsWithItsProofAndReadsWhole) {
    const std::string bytes = saved_month();
    EXPECT_NE(bytes.find("[info]\r\nwersja=3.82_testowa\r\nznacznik_konca=1\r\n"), std::string::npos);
    const size_t end = bytes.rfind("\r\n[koniec]\r\nsha256=");
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(bytes.size(), end + 2 + 10 + 7 + 64 + 2);  // the seal is the last thing in the file
    EXPECT_TRUE(check_month_file(plan, path("2024_03.pnk")).empty());

    plan.currentFile = path("2024_03.pnk").string();
    read_month();
    EXPECT_TRUE(plan.guards.damaged.empty());
    EXPECT_TRUE(said.empty());
    // Saving again seals it again: the proof is never taken for data.
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    EXPECT_EQ(read_file(path("2024_03.pnk")).find("[koniec]"), read_file(path("2024_03.pnk")).rfind("[koniec]"));
}

TEST_F(MonthSeal, EveryCutOrChangeIsDamagedAndNeverSavedOver) {
    const std::string whole = saved_month();
    std::vector<cut_month> cases = cuts_of(whole);
    std::string changed = whole;
    changed[whole.find("d5=") + 3] ^= 0x01;  // a duty's group number changed by one bit
    cases.push_back({"one byte changed", changed});
    cases.push_back({"text after the end", whole + "d999=1\r\n"});
    cases.push_back({"header only, as an old `new` left it", "[okres]\r\nFromYear=2024\r\nFromMonth=3\r\n"});
    for (const cut_month& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = path("cut.pnk");
        write_file(file, c.bytes);
        const auto began = clock_type::now();
        const std::vector<month_problem> problems = check_month_file(plan, file);
        EXPECT_LT(seconds_since(began), 1.0);
        ASSERT_FALSE(problems.empty());
        EXPECT_TRUE(std::any_of(problems.begin(), problems.end(),
                                [](const month_problem& p) { return p.section == kEndSection; }));

        // Opened, it says so naming the file and what is missing; a save is refused.
        plan.currentFile = file.string();
        read_month();
        EXPECT_TRUE(warned_about(file.string())) << (said.empty() ? "" : said[0].text);
        EXPECT_TRUE(warned_about("nie wczytał się w całości"));
        EXPECT_FALSE(zapisz_dyzury_i_wolne(plan));
        EXPECT_EQ(read_file(file), c.bytes);

        // Save as, even under the same name the user picks, is the user's choice.
        const fs::path other = path("saved_as.pnk");
        plan.hooks.project.chooseSaveFile = [&](const std::string&, const std::string&) {
            return std::optional<std::string>(other.string());
        };
        ASSERT_TRUE(mi_SaveAs(plan));
        EXPECT_TRUE(check_month_file(plan, other).empty());
        plan.hooks.project.chooseSaveFile = [&](const std::string&, const std::string&) {
            return std::optional<std::string>(file.string());
        };
        plan.currentFile = file.string();
        read_month();
        ASSERT_TRUE(mi_SaveAs(plan));
        EXPECT_TRUE(check_month_file(plan, file).empty());
        plan.hooks.project.chooseSaveFile = nullptr;
    }
}

TEST_F(MonthSeal, MonthsOfOlderVersionsReadAsBefore) {
    // No seal, no announcement: a file of an older version, with one duty.
    write_file(path("old.pnk"), "[info]\r\nwersja=3.82_testowa\r\nstatus=0\r\n\r\n[okres]\r\nFromYear=2024\r\n"
                                "FromMonth=3\r\n\r\n[dyzury]\r\nd1=1\xA4" "1\xA4" "4\xA4" "720\xA4" "1\xA4" "420\xA4" "0\r\n");
    EXPECT_TRUE(check_month_file(plan, path("old.pnk")).empty());
    plan.currentFile = path("old.pnk").string();
    read_month();
    EXPECT_TRUE(plan.guards.damaged.empty());
    EXPECT_EQ(month(0).duties[3].size(), 1u);
    // Saved, it gains the proof.
    ASSERT_TRUE(zapisz_dyzury_i_wolne(plan));
    EXPECT_NE(read_file(path("old.pnk")).find("[koniec]"), std::string::npos);
}

TEST_F(MonthSeal, SealingAndCheckingAgree) {
    month_ini ini;
    std::vector<month_problem> ignored;
    const std::string body = "[info]\r\nznacznik_konca=1\r\n";
    ini.parse({"[info]", "znacznik_konca=1"}, ignored);
    EXPECT_EQ(check_month_end(seal_month_bytes(body), ini).state, month_end::whole);
    EXPECT_EQ(check_month_end(body, ini).state, month_end::missing_end);
    // A seal made for other text, or spoilt, proves nothing.
    std::string sealed = seal_month_bytes(body);
    EXPECT_EQ(check_month_end("x" + sealed, ini).state, month_end::wrong_hash);
    sealed[sealed.size() - 3] = sealed[sealed.size() - 3] == '0' ? '1' : '0';
    EXPECT_EQ(check_month_end(sealed, ini).state, month_end::wrong_hash);
    EXPECT_EQ(check_month_end(seal_month_bytes(body).substr(0, body.size() + 6), ini).state, month_end::missing_end);
    // "[koniec]" inside a value is not the seal.
    EXPECT_EQ(check_month_end(body + "note=[koniec]\r\n", ini).state, month_end::missing_end);
}

// A save puts its lines onto the file as it stands without parsing it; the
// file must prove itself whole as the reader's parse would tell, at the same line.
TEST_F(MonthSeal, TheCheckWithoutAParseSaysWhatTheParsedOneSays) {
    const std::string body = "[info]\r\nznacznik_konca=1\r\n\r\n[okres]\r\nFromYear=2024\r\n";
    const std::string older = "[okres]\r\nFromYear=2024\r\n\r\n[dyzury]\r\nd1=1\r\n";
    std::string spoilt = seal_month_bytes(body);
    spoilt[3] = 'x';
    for (const std::string& bytes :
         {seal_month_bytes(body), body, older, std::string("[okres]\r\nFromYear=2024\r\n"), std::string(),
          spoilt, seal_month_bytes(body) + "x=1\r\n", seal_month_bytes(older)}) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        month_ini ini;
        std::vector<month_problem> ignored;
        ini.parse(split_text_lines(bytes), ignored);
        const month_end_check parsed = check_month_end(bytes, ini), unparsed = check_month_end(bytes);
        EXPECT_EQ(unparsed.state, parsed.state);
        EXPECT_EQ(unparsed.line, parsed.line);
    }
}

TEST_F(MonthSeal, MonthFilesOverTheirBoundAreRefusedAtOnce) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"40 MB", "[okres]\r\nFromYear=2024\r\nFromMonth=3\r\n[x]\r\n" + std::string(40u << 20, 'x')},
        {"1.2 million lines", "[okres]\r\nFromYear=2024\r\nFromMonth=3\r\n" + std::string(1200000, '\n')},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        write_file(path("big.pnk"), bytes);
        const auto began = clock_type::now();
        const std::vector<month_problem> problems = check_month_file(plan, path("big.pnk"));
        EXPECT_LT(seconds_since(began), 1.0);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_NE(problems[0].reason.find("big.pnk"), std::string::npos) << problems[0].reason;
        EXPECT_NE(problems[0].reason.find("nie wczytano go"), std::string::npos) << problems[0].reason;
        plan.currentFile = path("big.pnk").string();
        read_month();
        EXPECT_FALSE(zapisz_dyzury_i_wolne(plan));
        EXPECT_EQ(fs::file_size(path("big.pnk")), bytes.size());
    }
}

}  // namespace
}  // namespace planek::test
