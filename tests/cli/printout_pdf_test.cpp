// The shipped templates as PDF over the demo's two wards: each page turned
// the way its content needs and drawn at the scale it was measured for.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "cli_runner.h"

namespace planek {
namespace {

#ifdef PLANEK_PDF

namespace fs = std::filesystem;
using test::result;
using test::run_cli_on;
using test::run_program;
using test::TempDir;

struct pdf_page {
    int width = 0, height = 0;  // points
    double scale = 0;           // of the text against the sizes the printout asks for
    double right = 0;           // right edge of the rightmost word, points
    bool landscape() const { return width > height; }
};

// The pages as tests/data/readers/pdf_pages.py reads them.
std::vector<pdf_page> pages_of(const TempDir& dir, const fs::path& pdf) {
    const result r = run_program(dir, "/usr/bin/python3", {std::string(PLANEK_TEST_DATA) + "/readers/pdf_pages.py",
                                                           pdf.string()});
    EXPECT_EQ(r.code, 0) << r.err;
    std::vector<pdf_page> pages;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) {
        for (char& c : line) c = c == '|' ? ' ' : c;
        std::istringstream f(line);
        std::string word;
        int n = 0;
        pdf_page p;
        f >> word >> n >> p.width >> p.height >> p.scale >> p.right;
        pages.push_back(p);
    }
    return pages;
}

class DemoPdf : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;
    std::vector<std::string> months;

    void SetUp() override {
        root = (dir / "ward").string();
        ASSERT_EQ(test::run_cli(dir, {"demo", root}).code, 0);
        ASSERT_EQ(run_cli_on(dir, root, {"templates", "--install"}).code, 0);
        for (const auto& e : fs::directory_iterator(dir / "ward" / "dane"))
            if (e.path().extension() == ".pnk") months.push_back(e.path().string());
        std::sort(months.begin(), months.end());
        ASSERT_EQ(months.size(), 2u);
    }
    // The PDF of a template over both months, for group 1 (the surgical
    // ward) or 2 (the delivery suite); empty for one that makes no PDF (RTF).
    fs::path pdf(const std::string& name, const std::string& group) {
        std::vector<std::string> args{"print", name};
        args.insert(args.end(), months.begin(), months.end());
        args.insert(args.end(), {"--group", group, "--pdf", "-o", (dir / "out").string()});
        const result r = run_cli_on(dir, root, args, "polski");
        const size_t second = r.out.find('\n') + 1;
        if (r.code != 0 || second >= r.out.size()) return {};
        return r.out.substr(second, r.out.find('\n', second) - second);
    }
};

// A4 in points, less the printout's margins of 10 mm.
constexpr double kLandscapeRight = 842 - 28.3;

TEST_F(DemoPdf, BothWardsRostersFillOneLandscapePageAtTheSameScale) {
    std::map<std::string, pdf_page> roster;
    for (const char* group : {"1", "2"}) {
        const fs::path file = pdf("grafik_miesieczny", group);
        ASSERT_FALSE(file.empty()) << group;
        const std::vector<pdf_page> pages = pages_of(dir, file);
        ASSERT_EQ(pages.size(), 1u) << file;
        EXPECT_TRUE(pages[0].landscape()) << file;
        // Shrunk just enough that the totals reach the right margin.
        EXPECT_LT(pages[0].scale, 1.0) << file;
        EXPECT_GT(pages[0].right, kLandscapeRight - 15) << file;
        EXPECT_LE(pages[0].right, kLandscapeRight + 1) << file;
        roster[group] = pages[0];
    }
    EXPECT_NEAR(roster["1"].scale, roster["2"].scale, 0.02);
}

// What went wrong before: a page chosen upright for the layout wrapped to
// its width, then drawn unwrapped and shrunk onto it.
TEST_F(DemoPdf, AnUprightPageIsNeverShrunkAndAShrunkPageIsFilledAcross) {
    int made = 0;
    for (const auto& e : fs::directory_iterator(dir / "ward" / "templates"))
        for (const char* group : {"1", "2"}) {
            const fs::path file = pdf(e.path().stem().string(), group);
            if (file.empty()) continue;
            ++made;
            const std::vector<pdf_page> pages = pages_of(dir, file);
            ASSERT_FALSE(pages.empty()) << file;
            for (const pdf_page& p : pages)
                if (!p.landscape()) {
                    EXPECT_DOUBLE_EQ(p.scale, 1.0) << file;
                }
            // The widest part is on the first page of every shipped template.
            if (pages[0].scale < 1.0) {
                EXPECT_GT(pages[0].right, kLandscapeRight - 15) << file;
            }
        }
    EXPECT_GE(made, 14);  // seven HTML templates for two wards
}

// Only --pdf needs Qt, and only the program that draws loads it: every other
// command starts without its forty libraries.
TEST(CliPdfMaker, TheCommandLineLoadsNoQtAndTheDrawingProgramMakesAPdfFromStandardInput) {
    TempDir dir;
    const result needed = run_program(dir, "/usr/bin/readelf", {"-d", PLANEK_CLI});
    ASSERT_EQ(needed.code, 0) << needed.err;
    EXPECT_EQ(needed.out.find("libQt"), std::string::npos) << needed.out;

    const fs::path maker = fs::path(PLANEK_CLI).parent_path() / "planek-pdf";
    test::write_file(dir / "printout.txt", "Grafik\n1 2 3\n");
    const std::string draw = test::quote(maker.string()) + " text Grafik <" +
                             test::quote((dir / "printout.txt").string()) + " >" +
                             test::quote((dir / "out.pdf").string()) + " 2>/dev/null";
    ASSERT_EQ(std::system(draw.c_str()), 0);
    EXPECT_EQ(test::read_file(dir / "out.pdf").substr(0, 5), "%PDF-");
    // Misused, it says nothing and stops: the command line does the talking.
    const result wrong = run_program(dir, maker.string(), {"pdf"});
    EXPECT_EQ(wrong.code, 2);
    EXPECT_TRUE(wrong.out.empty() && wrong.err.empty());
}

// A command line copied away from the drawing program refuses --pdf in the
// session's language, naming what is missing, and says the printout was made.
TEST_F(DemoPdf, WithoutTheDrawingProgramThePdfIsRefusedInTheSessionsLanguage) {
    const fs::path alone = dir / "alone" / "bin" / "planek-cli";
    fs::create_directories(alone.parent_path());
    fs::copy_file(PLANEK_CLI, alone);
    fs::permissions(alone, fs::perms::owner_all);
    for (const auto& [lang, text] : {std::pair<std::string, std::string>{"polski", "Nie ma programu planek-pdf"},
                                     {"english", "There is no program planek-pdf"}}) {
        std::vector<std::string> args{"--root", root, "--lang", lang, "print", "grafik_miesieczny"};
        args.insert(args.end(), months.begin(), months.end());
        args.insert(args.end(), {"--group", "1", "--pdf", "-o", (dir / "out").string()});
        const result r = run_program(dir, alone.string(), args, "LANG=C.UTF-8 ");
        EXPECT_NE(r.code, 0) << lang;
        EXPECT_NE(r.err.find(text), std::string::npos) << lang << ": " << r.err;
        EXPECT_NE(r.out.find(".htm"), std::string::npos) << lang << ": " << r.out;
    }
}

#endif

}  // namespace
}  // namespace planek
