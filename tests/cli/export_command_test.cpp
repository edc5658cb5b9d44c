#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "cli_runner.h"
#include "core/text.h"
#include "support/month_files.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::result;
using test::run_cli;
using test::run_program;
using test::TempDir;

using test::lines;

std::vector<std::string> fields(const std::string& line, char sep = '|') {
    std::vector<std::string> out;
    std::string f;
    for (char c : line) {
        if (c == sep) out.push_back(f), f.clear();
        else f += c;
    }
    out.push_back(f);
    return out;
}

// The rows of one sheet as the reader printed them, without the sheet name.
std::vector<std::vector<std::string>> sheet_rows(const std::string& printed, const std::string& sheet) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& l : lines(printed)) {
        std::vector<std::string> f = fields(l);
        if (f.front() != sheet) continue;
        f.erase(f.begin());
        rows.push_back(f);
    }
    return rows;
}

const std::vector<std::string>* row_of(const std::vector<std::vector<std::string>>& rows, const std::string& id) {
    for (const auto& r : rows)
        if (!r.empty() && r[0] == id) return &r;
    return nullptr;
}

// The Debian interpreter, whose packages the install script adds.
std::string python() {
    std::error_code ec;
    return fs::exists("/usr/bin/python3", ec) ? "/usr/bin/python3" : "python3";
}

std::string reader(const char* name) { return std::string(PLANEK_TEST_DATA) + "/readers/" + name; }

class CliExport : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;
    std::string november, december;

    void SetUp() override {
        root = (dir / "ward").string();
        const result demo = run_cli(dir, {"demo", root});
        ASSERT_EQ(demo.code, 0) << demo.err;
        const std::vector<fs::path> months = test::month_files(dir / "ward" / "dane");
        ASSERT_EQ(months.size(), 2u);
        november = months[0].string();
        december = months[1].string();
    }
    result cli(std::vector<std::string> args) {
        // Polish column names unless a test asks otherwise, whatever the
        // machine's locale.
        if (std::find(args.begin(), args.end(), "--lang") == args.end()) args.insert(args.begin(), {"--lang", "polski"});
        args.insert(args.begin(), {"--root", root});
        return run_cli(dir, args);
    }
    result read_with(const char* script, const fs::path& file) {
        return run_program(dir, python(), {reader(script), file.string()});
    }
    // October 2026, whose last Sunday turns the clocks back at 3:00.
    std::string october() {
        const std::string f = (dir / "ward" / "dane" / "2026_10.pnk").string();
        EXPECT_EQ(cli({"new", f, "2026-10"}).code, 0);
        return f;
    }
    // A number of the summary's JSON, as text.
    std::string json_number(const std::string& json, const std::string& key) {
        const size_t at = json.find("\"" + key + "\":");
        if (at == std::string::npos) return "?";
        const size_t from = at + key.size() + 3;
        return json.substr(from, json.find_first_of(",}", from) - from);
    }
};

TEST_F(CliExport, WorkbookOpensInOpenpyxlWithTheRosterAndTheDuties) {
    const fs::path out = dir / "grafik.xlsx";
    const result r = cli({"export", "xlsx", december, "--group", "1", "-o", out.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, out.string() + "\n");
    const result read = read_with("xlsx_cells.py", out);
    ASSERT_EQ(read.code, 0) << read.err;

    const auto roster = sheet_rows(read.out, "Grafik");
    ASSERT_FALSE(roster.empty()) << read.out;
    const std::vector<std::string>& head = roster[0];
    ASSERT_EQ(head.size(), 2u + 31u + 8u);
    EXPECT_EQ(head[1], "Pracownik");
    EXPECT_EQ(head[2], "1");
    EXPECT_EQ(head[32], "31");
    EXPECT_EQ(head[33], "Normatyw");
    EXPECT_EQ(head[40], "Wolne");

    // The cells and totals agree with what the month shows and sums up.
    const result show = cli({"show", december, "--group", "1"});
    ASSERT_EQ(show.code, 0) << show.err;
    const result sum = cli({"summary", december, "--group", "1", "--worker", "2", "--json"});
    ASSERT_EQ(sum.code, 0) << sum.err;
    const std::vector<std::string>* w2 = row_of(roster, "2");
    ASSERT_NE(w2, nullptr);
    EXPECT_EQ((*w2)[1], "Wiśniewska Małgorzata");
    std::string days;
    for (int d = 0; d < 31; ++d) days += ((*w2)[2 + d].empty() ? "." : (*w2)[2 + d]) + " ";
    std::string shown;
    for (const std::string& l : lines(show.out))
        if (l.rfind("MWi", 0) == 0) {
            std::istringstream in(l.substr(3, l.find('|') - 3));
            for (std::string cell; in >> cell;) shown += cell + " ";
        }
    EXPECT_EQ(days, shown);
    EXPECT_EQ((*w2)[33], "min:" + json_number(sum.out, "workerNorm"));
    EXPECT_EQ((*w2)[34], "min:" + json_number(sum.out, "workedMinutes"));
    EXPECT_EQ((*w2)[36], "min:" + json_number(sum.out, "nightMinutes"));
    EXPECT_EQ((*w2)[40], "min:" + json_number(sum.out, "creditedMinutes"));
    // Only the chosen group: the delivery ward's staff are not on it.
    EXPECT_EQ(roster.size(), 1u + 15u) << read.out;

    const auto duties = sheet_rows(read.out, "Dyżury");
    ASSERT_GT(duties.size(), 1u);
    EXPECT_EQ(duties[0], (std::vector<std::string>{"Id", "Pracownik", "Data", "Początek", "Koniec", "Długość",
                                                   "Nadgodziny", "Rodzaj"}));
    int nights = 0;
    for (size_t i = 1; i < duties.size(); ++i) {
        ASSERT_EQ(duties[i].size(), 8u);
        EXPECT_EQ(duties[i][2].substr(0, 8), december.substr(december.size() - 11, 4) + "-12-");
        if (duties[i][3] == "19:00") {
            ++nights;
            EXPECT_EQ(duties[i][4], "07:00");
            EXPECT_EQ(duties[i][5], "min:720");
        }
    }
    EXPECT_GT(nights, 0);
}

// The page setup of each sheet as the reader printed it: field -> value, and
// the widths by column letter.
struct page_setup {
    std::map<std::string, std::string> fields;
    std::map<std::string, double> widths;
};
std::map<std::string, page_setup> page_setups(const std::string& printed) {
    std::map<std::string, page_setup> sheets;
    for (const std::string& l : lines(printed)) {
        const std::vector<std::string> f = fields(l);
        if (f.size() == 4 && f[1] == "width") sheets[f[0]].widths[f[2]] = std::stod(f[3]);
        else if (f.size() >= 3) sheets[f[0]].fields[f[1]] = l.substr(f[0].size() + f[1].size() + 2);
    }
    return sheets;
}

// Payroll prints the workbook: each sheet across A4, one page wide, with the
// column names and whose row it is on every page, and no value cut to "###".
TEST_F(CliExport, WorkbookSheetsPrintAcrossOnePageWideWithTheWorkersOnEveryPage) {
    const fs::path out = dir / "grafik.xlsx";
    ASSERT_EQ(cli({"export", "xlsx", december, "--group", "1", "-o", out.string()}).code, 0);
    const result read = read_with("xlsx_page_setup.py", out);
    ASSERT_EQ(read.code, 0) << read.err;
    const auto sheets = page_setups(read.out);
    ASSERT_EQ(sheets.size(), 2u) << read.out;
    for (const auto& [name, s] : sheets) {
        const std::map<std::string, std::string> expected = {
            {"orientation", "landscape"}, {"paperSize", "9"},         {"fitToPage", "True"},
            {"fitToWidth", "1"},          {"fitToHeight", "0"},       {"printTitleRows", "$1:$1"},
            {"printTitleCols", "$A:$B"},  {"footer", "&A|&P / &N"},
        };
        for (const auto& [field, value] : expected) EXPECT_EQ(s.fields.at(field), value) << name << " " << field;
        // The longest name of the ward, "Wiśniewska Małgorzata", whole.
        EXPECT_GE(s.widths.at("B"), 21.0) << name;
    }
    const page_setup& roster = sheets.at("Grafik");
    // The days narrow, the totals ("176:00", "Przepracowano") whole.
    EXPECT_LT(roster.widths.at("C"), 6.0);
    EXPECT_GE(roster.widths.at("AI"), 13.0);  // Przepracowano
    for (const char* total : {"AH", "AJ", "AK", "AL", "AM", "AN", "AO"}) EXPECT_GE(roster.widths.at(total), 6.0) << total;
    // "Nadgodziny 100%" takes two lines of the header row.
    EXPECT_EQ(roster.fields.at("headerHeight"), "30.0");
    const page_setup& duties = sheets.at("Dyżury");
    EXPECT_GE(duties.widths.at("C"), 10.0);  // 2026-12-01
}

// The same workbook as LibreOffice prints it: a ward of 30 over a month of
// 31 days has its whole roster, names to totals, on one landscape page, and
// every page of the duty list carries its column names.
TEST(CliExportPrinted, AThirtyWorkerRosterPrintsOnePageWideFromLibreOffice) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "LibreOffice's print of the same workbook is checked by the plain build";
#endif
    std::error_code ec;
    if (!fs::exists("/usr/bin/soffice", ec)) GTEST_SKIP() << "LibreOffice is not installed";
    TempDir dir;
    const std::string root = (dir / "ward").string();
    ASSERT_EQ(run_cli(dir, {"generate", root, "--workers", "30", "--groups", "1", "--months", "1", "--seed", "3",
                            "--from", "2030-03"})
                  .code,
              0);
    const fs::path xlsx = dir / "grafik.xlsx";
    const std::string month = root + "/dane/2030_03.pnk";
    ASSERT_EQ(run_cli(dir, {"--root", root, "--lang", "polski", "export", "xlsx", month, "--group", "1", "-o",
                            xlsx.string()})
                  .code,
              0);
    const result made = run_program(dir, "/usr/bin/soffice",
                                    {"-env:UserInstallation=file://" + (dir / "office").string(), "--headless",
                                     "--convert-to", "pdf", "--outdir", dir.path().string(), xlsx.string()});
    ASSERT_EQ(made.code, 0) << made.err;
    const fs::path pdf = dir / "grafik.pdf";
    const result info = run_program(dir, "pdfinfo", {pdf.string()});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("841.89 x 595.304 pts (A4)"), std::string::npos) << info.out;
    const size_t at = info.out.find("Pages:");
    ASSERT_NE(at, std::string::npos);
    const int pages = std::stoi(info.out.substr(at + 6));
    ASSERT_GE(pages, 2);

    const auto page_text = [&](int page) {
        return run_program(dir, "pdftotext", {"-f", std::to_string(page), "-l", std::to_string(page), "-layout",
                                              pdf.string(), "-"})
            .out;
    };
    const std::string first = page_text(1);
    for (const char* column : {"Pracownik", "31", "Normatyw", "Przepracowano", "Wolne"})
        EXPECT_NE(first.find(column), std::string::npos) << column << "\n" << first;
    const result staff = run_cli(dir, {"--root", root, "--lang", "polski", "staff"});
    int workers = 0;
    for (const std::string& l : lines(staff.out)) {
        if (l.rfind("Pracownik ", 0) != 0) continue;
        const size_t from = l.find(": ") + 2;
        EXPECT_NE(first.find(l.substr(from, l.find(" [") - from)), std::string::npos) << l;
        ++workers;
    }
    EXPECT_EQ(workers, 30);
    for (int page = 2; page <= pages; ++page) {
        const std::string text = page_text(page);
        EXPECT_NE(text.find("Pracownik"), std::string::npos) << page;
        EXPECT_NE(text.find("Rodzaj"), std::string::npos) << page;
    }
    RecordProperty("pages", pages);
}

TEST_F(CliExport, EnglishColumnsAndSemicolonSeparatedUtf8) {
    const fs::path out = dir / "roster.csv";
    const result r = cli({"--lang", "english", "export", "csv", december, "--group", "1", "-o", out.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string text = read_file(out);
    ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    const std::vector<std::string> rows = lines(text.substr(3));
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows[0].substr(0, 15), "Id;Worker;1;2;3");
    EXPECT_NE(rows[0].find(";Norm [min];Worked [min];Day [min];Night [min];Holidays [min];Overtime 100% [min];"
                           "Overtime 50% [min];Days off [min]\r"),
              std::string::npos)
        << rows[0];
    EXPECT_EQ(fields(rows[2], ';').size(), 41u);
    EXPECT_EQ(rows[2].rfind("2;Wiśniewska Małgorzata;", 0), 0u) << rows[2];

    const fs::path list = dir / "duties.csv";
    ASSERT_EQ(cli({"export", "csv", december, "--duties", "-o", list.string()}).code, 0);
    const std::vector<std::string> duties = lines(read_file(list).substr(3));
    EXPECT_EQ(duties[0], "Id;Pracownik;Data;Początek;Koniec;Długość [min];Nadgodziny [min];Rodzaj\r");
    EXPECT_GT(duties.size(), 30u);
}

TEST_F(CliExport, CalendarOfAWorkerReadsBackAcrossTheClockChange) {
    const std::string oct = october();
    ASSERT_EQ(cli({"add-duty", oct, "2", "24", "N", "--overtime", "1:00", "--note", "zastępstwo; za Ewę"}).code, 0);
    ASSERT_EQ(cli({"add-duty", oct, "2", "26", "D"}).code, 0);
    ASSERT_EQ(cli({"--no", "add-dayoff", oct, "2", "12", "u", "--to", "16"}).code, 0);
    const fs::path out = dir / "anna.ics";
    const result r = cli({"export", "ics", oct, november, "--worker", "2", "-o", out.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const result read = read_with("ics_events.py", out);
    ASSERT_EQ(read.code, 0) << read.err;
    const std::vector<std::string> events = lines(read.out);
    ASSERT_GT(events.size(), 5u);
    EXPECT_EQ(events[0], "zones|Europe/Warsaw");
    // The ward's data folder got its id with the first export.
    const std::string ward = "@" + trim(read_file(dir / "ward" / "dane" / "planek.id"));
    ASSERT_EQ(ward.size(), 33u);
    // Leave of five days, all day long, then the night duty over the change:
    // 19:00 summer time to 7:00 + 1:00 overtime winter time is 14 hours.
    EXPECT_EQ(events[1], "planek-2-2026-10-12-wolne" + ward + "|2026-10-12|2026-10-17|day|Wypoczynkowy|");
    EXPECT_EQ(events[2],
              "planek-2-2026-10-24-1" + ward + "|2026-10-24T17:00Z|2026-10-25T07:00Z|"
              "zone:2026-10-24T17:00Z/2026-10-25T07:00Z|Dyżur N — Oddział Chirurgii|zastępstwo; za Ewę");
    EXPECT_EQ(events[3],
              "planek-2-2026-10-26-1" + ward + "|2026-10-26T06:00Z|2026-10-26T18:00Z|"
              "zone:2026-10-26T06:00Z/2026-10-26T18:00Z|Dyżur D — Oddział Chirurgii|");
    // November's duties follow, all in winter time.
    const std::vector<std::string> nov = fields(events[4]);
    EXPECT_EQ(nov[0].substr(0, 18), "planek-2-2026-11-0");
    ASSERT_EQ(nov.size(), 6u);
    EXPECT_TRUE(nov[1].substr(10) == "T18:00Z" || nov[1].substr(10) == "T06:00Z") << events[4];

    // The same month exported again gives the same events under the same ids.
    const fs::path again = dir / "again.ics";
    ASSERT_EQ(cli({"export", "ics", oct, november, "--worker", "2", "-o", again.string()}).code, 0);
    EXPECT_EQ(read_with("ics_events.py", again).out, read.out);
}

// Two wards each have a worker 2 with a night on the same day: one phone
// holding both calendars must keep both, and a ward's folder copied to
// another computer must go on replacing its own events.
TEST_F(CliExport, CalendarIdsDifferBetweenWardsAndTravelWithTheFolder) {
    const std::string other = (dir / "other").string();
    ASSERT_EQ(run_cli(dir, {"demo", other}).code, 0);
    const auto uids = [&](const std::string& folder) {
        const fs::path out = dir / "cal.ics";
        const std::string month = folder + "/dane/" + fs::path(december).filename().string();
        const result r = run_cli(dir, {"--root", folder, "export", "ics", month, "--worker", "2", "-o", out.string()});
        EXPECT_EQ(r.code, 0) << r.err;
        std::set<std::string> ids;
        for (const std::string& e : lines(read_with("ics_events.py", out).out))
            if (e.rfind("zones|", 0) != 0) ids.insert(fields(e)[0]);
        return ids;
    };
    const std::set<std::string> ours = uids(root), theirs = uids(other);
    ASSERT_GT(ours.size(), 5u);
    ASSERT_EQ(theirs.size(), ours.size());
    for (const std::string& id : ours) EXPECT_EQ(theirs.count(id), 0u) << id;

    const std::string moved = (dir / "moved").string();
    fs::copy(root, moved, fs::copy_options::recursive);
    EXPECT_EQ(uids(moved), ours);
}

TEST_F(CliExport, BadInputSaysSoInOneLineAndLeavesNoFile) {
    const fs::path out = dir / "out.ics";
    struct bad {
        std::vector<std::string> args;
        std::string says;
    };
    const std::string folder = (dir / "ward" / "dane").string();
    const std::vector<bad> cases = {
        {{"export", "ics", december, "--worker", "999", "-o", out.string()}, "Nie ma pracownika 999"},
        {{"export", "xlsx", (dir / "nie_ma.pnk").string(), "-o", out.string()}, "Nie ma pliku"},
        {{"export", "csv", folder, "-o", out.string()}, "Nie można odczytać pliku miesiąca"},
        {{"export", "xlsx", december, "-o", (dir / "nie_ma" / "a.xlsx").string()}, "Nie można zapisać pliku"},
        {{"export", "csv", december, "-o", folder}, "Nie można zapisać pliku"},
        {{"export", "ics", december, "--worker", "2", "-o", (dir / "nie_ma" / "a.ics").string()},
         "Nie można zapisać pliku"},
    };
    for (const bad& b : cases) {
        const result r = cli(b.args);
        EXPECT_EQ(r.code, 1) << b.args[1] << " " << b.args.back() << ": " << r.err;
        EXPECT_EQ(lines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find(b.says), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out));
    }
    // Nothing half-written beside the targets either.
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();

    EXPECT_EQ(cli({"export", "pdf", december, "-o", out.string()}).code, 2);
    EXPECT_EQ(cli({"export", "ics", december, "-o", out.string()}).code, 2);
}

TEST_F(CliExport, PdfOfTheMonthlyRosterHoldsEveryWorkerAndTheTotals) {
    ASSERT_EQ(cli({"templates", "--install"}).code, 0);
    const fs::path outDir = dir / "wydruki";
    const result r = cli({"print", "grafik_miesieczny", december, "--group", "1", "--pdf", "-o", outDir.string()});
#ifdef PLANEK_PDF
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> made = lines(r.out);
    ASSERT_EQ(made.size(), 2u) << r.out;
    fs::path pdf = made[0];
    pdf.replace_extension(".pdf");
    EXPECT_EQ(made[1], pdf.string());
    const result text = run_program(dir, "pdftotext", {"-layout", pdf.string(), "-"});
    ASSERT_EQ(text.code, 0) << text.err;
    const result info = run_program(dir, "pdfinfo", {pdf.string()});
    EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("842 x 595 pts (A4)"), std::string::npos) << info.out;  // landscape

    // Each worker's row shows the name, the norm and the hours worked.
    const result sum = cli({"summary", december, "--group", "1"});
    ASSERT_EQ(sum.code, 0) << sum.err;
    int workers = 0;
    for (const std::string& l : lines(sum.out)) {
        const size_t colon = l.find(": norma ");
        ASSERT_NE(colon, std::string::npos) << l;
        const std::string name = l.substr(l.find(' ') + 1, colon - l.find(' ') - 1);
        const std::string norm = l.substr(colon + 8, l.find(',', colon) - colon - 8);
        const size_t w = l.find("przepracowano ") + 14;
        const std::string worked = l.substr(w, l.find(' ', w) - w);
        bool found = false;
        for (const std::string& row : lines(text.out))
            found = found || (row.find(name) != std::string::npos && row.find(" " + norm + " ") != std::string::npos &&
                              row.find(" " + worked + " ") != std::string::npos);
        EXPECT_TRUE(found) << name << " " << norm << " " << worked << "\n" << text.out;
        ++workers;
    }
    EXPECT_EQ(workers, 15);
#else
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("PDF"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(outDir));
#endif
}

#ifdef PLANEK_PDF
// The roster goes on the ward's wall as one sheet: a ward of 30 over a month
// of 31 days still fits one landscape A4 page.
TEST(CliPdf, TheMonthlyRosterOfThirtyWorkersPrintsOnOneLandscapePage) {
    TempDir dir;
    const std::string root = (dir / "ward").string();
    const result made = run_cli(dir, {"generate", root, "--workers", "30", "--groups", "1", "--months", "1", "--seed",
                                      "3", "--from", "2030-03"});
    ASSERT_EQ(made.code, 0) << made.err;
    ASSERT_EQ(run_cli(dir, {"--root", root, "templates", "--install"}).code, 0);
    const std::string month = (dir / "ward" / "dane" / "2030_03.pnk").string();
    const result r = run_cli(dir, {"--root", root, "--lang", "polski", "print", "grafik_miesieczny", month, "--group",
                                   "1", "--pdf", "-o", (dir / "out").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> files = lines(r.out);
    ASSERT_EQ(files.size(), 2u) << r.out;
    const result info = run_program(dir, "pdfinfo", {files[1]});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("842 x 595 pts (A4)"), std::string::npos) << info.out;
    // All thirty are on that page, the last one too.
    const result text = run_program(dir, "pdftotext", {"-layout", files[1], "-"});
    ASSERT_EQ(text.code, 0) << text.err;
    // The PDF's font joins "fi" into one glyph, which pdftotext gives back as such.
    std::string shown = text.out;
    for (size_t at; (at = shown.find("\xEF\xAC\x81")) != std::string::npos;) shown.replace(at, 3, "fi");
    const result staff = run_cli(dir, {"--root", root, "--lang", "polski", "staff"});
    int workers = 0;
    for (const std::string& l : lines(staff.out)) {
        if (l.rfind("Pracownik ", 0) != 0) continue;
        const size_t from = l.find(": ") + 2;
        const std::string name = l.substr(from, l.find(" [") - from);
        EXPECT_NE(shown.find(name), std::string::npos) << name << "\n" << shown;
        ++workers;
    }
    EXPECT_EQ(workers, 30);
}
#endif

}  // namespace
}  // namespace planek
