#include <gtest/gtest.h>

#include <cstdlib>

#include "exports/cell_text.h"
#include "exports/csv_writer.h"
#include "exports/ics_writer.h"
#include "exports/xlsx_writer.h"
#include "cli/cli_runner.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> crlf_lines(const std::string& text) {
    std::vector<std::string> out;
    size_t from = 0;
    for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        out.push_back(text.substr(from, at - from));
    EXPECT_EQ(from, text.size()) << "text must end with CR LF";
    return out;
}

// The content lines again, continuation lines joined.
std::vector<std::string> unfolded(const std::string& text) {
    std::vector<std::string> out;
    for (const std::string& l : crlf_lines(text)) {
        if (!l.empty() && l[0] == ' ') out.back() += l.substr(1);
        else out.push_back(l);
    }
    return out;
}

bool has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(CellText, LengthsClocksAndDates) {
    EXPECT_EQ(length_text(455), "7:35");
    EXPECT_EQ(length_text(0), "0:00");
    EXPECT_EQ(length_text(-30), "-0:30");
    EXPECT_EQ(length_text(10560), "176:00");
    EXPECT_EQ(clock_text(0), "00:00");
    EXPECT_EQ(clock_text(1139), "18:59");
    EXPECT_EQ(iso_date(2026, 3, 7), "2026-03-07");
}

TEST(CsvWriter, QuotesOnlyWhatASpreadsheetWouldMisread) {
    sheet s;
    s.header = {"Id", "Pracownik", "Uwagi"};
    s.rows.push_back({cell::of_number(7), cell::of_text("Nowak; Ewa"), cell::of_text("mówi \"tak\"")});
    s.rows.push_back({cell::of_number(8), cell::of_text(" wcięcie"), cell::of_text("dwa\nwiersze")});
    s.rows.push_back({cell::of_date(2026, 10, 25), cell::of_clock(1140), cell::of_text("")});
    const std::string text = csv_text(s);
    ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(text.substr(3),
              "Id;Pracownik;Uwagi\r\n"
              "7;\"Nowak; Ewa\";\"mówi \"\"tak\"\"\"\r\n"
              "8;\" wcięcie\";\"dwa\nwiersze\"\r\n"
              "2026-10-25;19:00;\r\n");
}

// Names a payroll clerk's spreadsheet would take for formulas, as a hostile
// or careless entry in the staff would make them.
const std::vector<std::string> kFormulaLike = {"=HYPERLINK(\"http://x\",\"y\")", "-2+3", "+48 600", "@SUM(A1:A9)",
                                               "\t=1+1", "\r=1+1"};

sheet formula_sheet() {
    sheet s;
    s.header = {"Id", "Pracownik", "Nadgodziny", "=Uwagi"};
    long long id = 1;
    for (const std::string& name : kFormulaLike)
        s.rows.push_back({cell::of_number(id++), cell::of_text(name), cell::of_minutes(-90), cell::of_text("zwykły")});
    return s;
}

TEST(CsvWriter, TextsThatLookLikeFormulasStayTextNumbersStayNumbers) {
    const std::string text = csv_text(formula_sheet());
    EXPECT_NE(text.find("\r\n1;\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\";-90;zwykły\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n2;'-2+3;-90;"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n3;'+48 600;"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n4;'@SUM(A1:A9);"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n5;'\t=1+1;"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n6;\"'\r=1+1\";"), std::string::npos) << text;
    EXPECT_NE(text.find("Id;Pracownik;Nadgodziny [min];'=Uwagi\r\n"), std::string::npos) << text;
}

// What a reader made of the file: per row, [type, value] pairs in JSON.
std::vector<std::string> read_back(const test::TempDir& dir, const fs::path& file) {
    // The Debian interpreter, whose packages the install script adds.
    const std::string python = fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    const test::result r =
        test::run_program(dir, python, {std::string(PLANEK_TEST_DATA) + "/readers/sheet_cells.py", file.string()});
    EXPECT_EQ(r.code, 0) << r.err;
    std::vector<std::string> rows;
    size_t from = 0;
    for (size_t at; (at = r.out.find('\n', from)) != std::string::npos; from = at + 1)
        rows.push_back(r.out.substr(from, at - from));
    return rows;
}

TEST(CsvWriter, PythonsCsvReadsTheFormulaLikeNamesAsTheTextsTheyAre) {
    test::TempDir dir;
    const fs::path file = dir / "lista.csv";
    ASSERT_TRUE(write_csv(file, formula_sheet()));
    const std::vector<std::string> rows = read_back(dir, file);
    ASSERT_EQ(rows.size(), 1 + kFormulaLike.size());
    EXPECT_EQ(rows[1], R"x([["s", "1"], ["s", "'=HYPERLINK(\"http://x\",\"y\")"], ["s", "-90"], ["s", "zwyk\u0142y"]])x");
    EXPECT_EQ(rows[6], R"x([["s", "6"], ["s", "'\r=1+1"], ["s", "-90"], ["s", "zwyk\u0142y"]])x");
}

TEST(XlsxWriter, FormulaLikeNamesAreTypedTextCells) {
    test::TempDir dir;
    const fs::path file = dir / "lista.xlsx";
    sheet s = formula_sheet();
    s.name = "Lista";
    ASSERT_TRUE(write_xlsx(file, {s}));
    const std::vector<std::string> rows = read_back(dir, file);
    ASSERT_EQ(rows.size(), 1 + kFormulaLike.size());
    EXPECT_EQ(rows[1].rfind(R"x([["n", "1"], ["s", "=HYPERLINK(\"http://x\",\"y\")"], )x", 0), 0u) << rows[1];
    for (const std::string& row : rows) EXPECT_EQ(row.find("[\"f\""), std::string::npos) << "a formula cell: " << row;
}

TEST(CsvWriter, LibreOfficeOpensTheFormulaLikeNamesAsText) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "LibreOffice is not installed";
    test::TempDir dir;
    const fs::path file = dir / "lista.csv";
    ASSERT_TRUE(write_csv(file, formula_sheet()));
    // ";" separated, '"' quoted, UTF-8 (76), from row 1, formulas evaluated if it takes any for one.
    const test::result converted = test::run_program(
        dir, "soffice",
        {"-env:UserInstallation=file://" + (dir / "profile").string(), "--headless", "--infilter=CSV:59,34,76,1,,0,false,true,false,false,false,-1,true",
         "--convert-to", "xlsx", "--outdir", (dir / "out").string(), file.string()});
    ASSERT_TRUE(fs::exists(dir / "out" / "lista.xlsx")) << converted.out << converted.err;
    const std::vector<std::string> rows = read_back(dir, dir / "out" / "lista.xlsx");
    ASSERT_EQ(rows.size(), 1 + kFormulaLike.size());
    for (const std::string& row : rows) {
        EXPECT_EQ(row.find("[\"f\""), std::string::npos) << "a formula cell: " << row;
        EXPECT_EQ(row.find("#NAME"), std::string::npos) << row;
    }
    EXPECT_NE(rows[2].find("-2+3"), std::string::npos) << rows[2];
    EXPECT_EQ(rows[2].find("\"1\""), std::string::npos) << "-2+3 was worked out: " << rows[2];
}

// "7:35" would come in as a clock time and "176:00" as a duration: every
// length is a number of minutes instead, its column saying so.
TEST(CsvWriter, LengthsAreWholeMinutesUnderANameWithTheUnit) {
    sheet s;
    s.header = {"Id", "Normatyw", "Nadgodziny"};
    s.rows.push_back({cell::of_number(1), cell::of_minutes(10560), cell::of_minutes(455)});
    s.rows.push_back({cell::of_number(2), cell::of_minutes(0), cell::of_minutes(-90)});
    EXPECT_EQ(csv_text(s).substr(3),
              "Id;Normatyw [min];Nadgodziny [min]\r\n"
              "1;10560;455\r\n"
              "2;0;-90\r\n");
}

TEST(CsvWriter, AFailedWriteKeepsTheOldFile) {
    test::TempDir dir;
    const auto file = dir / "a.csv";
    sheet s;
    s.header = {"x"};
    ASSERT_TRUE(write_csv(file, s).ok());
    const std::string before = test::read_file(file);
    s.header = {"y"};
    set_write_fault(2);
    EXPECT_FALSE(write_csv(file, s).ok());
    set_write_fault(0);
    EXPECT_EQ(test::read_file(file), before);
}

TEST(IcsWriter, EventsInTheWardsZoneWithTimesPastMidnight) {
    calendar_event night;
    night.uid = "n@planek";
    night.date = {2026, 12, 31};
    night.start = 1140;
    night.end = 1140 + 720 + 60;
    night.summary = "Dyżur N — Oddział";
    calendar_event leave;
    leave.uid = "u@planek";
    leave.allDay = true;
    leave.date = {2026, 2, 27};
    leave.end = 3;
    leave.summary = "Wypoczynkowy";
    const std::vector<std::string> lines = unfolded(ics_text({night, leave}, 0));
    EXPECT_EQ(lines.front(), "BEGIN:VCALENDAR");
    EXPECT_EQ(lines.back(), "END:VCALENDAR");
    EXPECT_TRUE(has(lines, "TZID:Europe/Warsaw"));
    EXPECT_TRUE(has(lines, "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU"));
    EXPECT_TRUE(has(lines, "DTSTAMP:19700101T000000Z"));
    EXPECT_TRUE(has(lines, "DTSTART;TZID=Europe/Warsaw:20261231T190000"));
    EXPECT_TRUE(has(lines, "DTEND;TZID=Europe/Warsaw:20270101T080000"));  // into the next year
    EXPECT_TRUE(has(lines, "DTSTART;VALUE=DATE:20260227"));
    EXPECT_TRUE(has(lines, "DTEND;VALUE=DATE:20260302"));  // the day after the last, past February
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "BEGIN:VEVENT"), 2);
}

TEST(IcsWriter, LongNotesFoldWithoutBreakingCharactersAndSpecialsAreEscaped) {
    calendar_event e;
    e.uid = "x@planek";
    e.date = {2026, 1, 5};
    e.summary = "a,b;c\\d";
    for (int i = 0; i < 40; ++i) e.description += "żółć ";
    e.description += "\nkoniec";
    const std::string text = ics_text({e}, 0);
    for (const std::string& l : crlf_lines(text)) {
        EXPECT_LE(l.size(), 75u) << l;
        ASSERT_FALSE(l.empty());
        // A continuation never starts inside a UTF-8 character.
        if (l[0] == ' ' && l.size() > 1) {
            EXPECT_NE(static_cast<unsigned char>(l[1]) & 0xC0, 0x80) << l;
        }
    }
    const std::vector<std::string> lines = unfolded(text);
    EXPECT_TRUE(has(lines, "SUMMARY:a\\,b\\;c\\\\d"));
    std::string want = "DESCRIPTION:";
    for (int i = 0; i < 40; ++i) want += "żółć ";
    EXPECT_TRUE(has(lines, want + "\\nkoniec"));
}

}  // namespace
}  // namespace planek
