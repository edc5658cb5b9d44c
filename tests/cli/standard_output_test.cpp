// "-o -": the one file a command writes goes to standard output, alone, and
// no file named "-" is left behind.
#include <gtest/gtest.h>

#include <sstream>

#include "cli_runner.h"
#include "support/month_files.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::result;
using test::run_program;
using test::TempDir;

using test::lines;

// The stamp of when the file was made is the one line two runs differ in.
std::string without_stamps(const std::string& ics) {
    std::string out;
    for (const std::string& l : lines(ics))
        if (l.rfind("DTSTAMP", 0) != 0) out += l + "\n";
    return out;
}

class StandardOutput : public ::testing::Test {
protected:
    TempDir dir;
    std::string root, december;

    void SetUp() override {
        root = (dir / "ward").string();
        ASSERT_EQ(test::run_cli(dir, {"demo", root}).code, 0);
        const std::vector<fs::path> months = test::month_files(dir / "ward" / "dane");
        ASSERT_EQ(months.size(), 2u);
        december = months[1].string();
    }
    // Run from the test's folder, so a file named "-" would land there.
    result cli(std::vector<std::string> args, const std::string& env = "") {
        args.insert(args.begin(), {"--root", root, "--lang", "polski"});
        return run_program(dir, PLANEK_CLI, args,
                           "cd " + test::quote(dir.path().string()) + " && " + env +
                               " LC_ALL=C.UTF-8 LANG=C.UTF-8 ");
    }
    bool dash_left() const { return fs::exists(dir / "-"); }
    fs::path saved(const std::string& name, const std::string& bytes) const {
        const fs::path p = dir / name;
        test::write_file(p, bytes);
        return p;
    }
    std::string reader(const char* name, const fs::path& file) {
        const result r = run_program(dir, "/usr/bin/python3", {std::string(PLANEK_TEST_DATA) + "/readers/" + name,
                                                               file.string()});
        EXPECT_EQ(r.code, 0) << r.err;
        return r.out;
    }
};

TEST_F(StandardOutput, ExportsGiveTheSameFileOnStandardOutputAsOnDisk) {
    for (const bool duties : {false, true}) {
        std::vector<std::string> args{"export", "csv", december, "--group", "1"};
        if (duties) args.push_back("--duties");
        const fs::path file = dir / "month.csv";
        std::vector<std::string> toFile = args, toStdout = args;
        toFile.insert(toFile.end(), {"-o", file.string()});
        toStdout.insert(toStdout.end(), {"-o", "-"});
        const result onDisk = cli(toFile);
        ASSERT_EQ(onDisk.code, 0) << onDisk.err;
        EXPECT_EQ(onDisk.out, file.string() + "\n");
        const result piped = cli(toStdout);
        ASSERT_EQ(piped.code, 0) << piped.err;
        EXPECT_EQ(piped.out, read_file(file)) << "--duties " << duties;
        EXPECT_EQ(piped.err, "");
    }

    // A workbook is binary: it reads back with the same cells.
    const fs::path xlsx = dir / "month.xlsx";
    ASSERT_EQ(cli({"export", "xlsx", december, "-o", xlsx.string()}).code, 0);
    const result book = cli({"export", "xlsx", december, "-o", "-"});
    ASSERT_EQ(book.code, 0) << book.err;
    ASSERT_EQ(book.out.substr(0, 2), "PK");
    EXPECT_EQ(reader("xlsx_cells.py", saved("piped.xlsx", book.out)), reader("xlsx_cells.py", xlsx));

    const fs::path ics = dir / "worker.ics";
    ASSERT_EQ(cli({"export", "ics", december, "--worker", "1", "-o", ics.string()}).code, 0);
    const result events = cli({"export", "ics", december, "--worker", "1", "-o", "-"});
    ASSERT_EQ(events.code, 0) << events.err;
    EXPECT_NE(events.out.find("BEGIN:VEVENT"), std::string::npos);
    EXPECT_EQ(without_stamps(events.out), without_stamps(read_file(ics)));
    EXPECT_FALSE(dash_left());
}

TEST_F(StandardOutput, APrintoutAndItsPdfGoToStandardOutputAlone) {
    ASSERT_EQ(cli({"templates", "--install"}).code, 0);
    const fs::path folder = dir / "printouts";
    const result made = cli({"print", "grafik_miesieczny", december, "--group", "1", "-o", folder.string()});
    ASSERT_EQ(made.code, 0) << made.err;
    const std::vector<std::string> names = lines(made.out);
    ASSERT_EQ(names.size(), 1u) << made.out;
    const result piped = cli({"print", "grafik_miesieczny", december, "--group", "1", "-o", "-"});
    ASSERT_EQ(piped.code, 0) << piped.err;
    EXPECT_EQ(piped.out, read_file(names[0]));
    EXPECT_FALSE(dash_left());
#ifdef PLANEK_PDF
    const result pdf = cli({"print", "grafik_miesieczny", december, "--group", "1", "--pdf", "-o", "-"});
    ASSERT_EQ(pdf.code, 0) << pdf.err;
    ASSERT_EQ(pdf.out.substr(0, 5), "%PDF-");
    const result text = run_program(dir, "pdftotext", {"-layout", saved("piped.pdf", pdf.out).string(), "-"});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("Pracownik"), std::string::npos) << text.out;
    EXPECT_FALSE(dash_left());
#endif
}

TEST_F(StandardOutput, ScheduleKeepsItsReportThereAndRefusesAMonthOnIt) {
    const std::string before = read_file(december);
    const result r = cli({"schedule", december, "--group", "1", "--accept", "-o", "-"});
    EXPECT_EQ(r.code, 2) << r.err;
    EXPECT_NE(r.err.find("-o WYNIK.pnk"), std::string::npos) << r.err;
    EXPECT_EQ(read_file(december), before);
    EXPECT_FALSE(dash_left());
}

// A month saved under a new name or made empty goes to standard output as
// its file would hold it, sealed, and reads back as that month; the month
// read stays as it was, no file named "-" appears, and the target is named
// once (a word or -o, not both).
TEST_F(StandardOutput, MonthFilesGoToStandardOutputAsTheirFilesHoldThem) {
    const std::string before = read_file(december);
    const fs::path copy = dir / "copy.pnk";
    const result toFile = cli({"save-as", december, copy.string()});
    ASSERT_EQ(toFile.code, 0) << toFile.err;
    for (const std::vector<std::string>& call : {std::vector<std::string>{"save-as", december, "-o", "-"},
                                                 std::vector<std::string>{"save-as", december, "-"}}) {
        const result piped = cli(call);
        ASSERT_EQ(piped.code, 0) << piped.err;
        EXPECT_EQ(piped.out, read_file(copy));
        EXPECT_EQ(read_file(december), before);
        EXPECT_FALSE(dash_left());
    }

    for (const std::vector<std::string>& call : {std::vector<std::string>{"new", "-o", "-", "2031-02"},
                                                 std::vector<std::string>{"new", "-", "2031-02"}}) {
        const result piped = cli(call);
        ASSERT_EQ(piped.code, 0) << piped.err;
        EXPECT_NE(piped.out.find("[okres]\r\nFromYear=2031\r\nFromMonth=2\r\n"), std::string::npos)
            << piped.out;
        EXPECT_FALSE(dash_left());
        const fs::path back = saved("2031_02.pnk", piped.out);
        const result check = cli({"check", back.string()});
        EXPECT_EQ(check.code, 0) << check.out << check.err;
        const result info = cli({"info", back.string(), "--json"});
        ASSERT_EQ(info.code, 0) << info.err;
        EXPECT_NE(info.out.find("\"year\": 2031, \"month\": 2,"), std::string::npos) << info.out;
    }

    EXPECT_EQ(cli({"save-as", december, copy.string(), "-o", "-"}).code, 2);
    EXPECT_EQ(cli({"save-as", december}).code, 2);
    EXPECT_EQ(cli({"new", "-o", "-", "2031-02", "2031-03"}).code, 2);
    EXPECT_EQ(cli({"new", "-o", "-", "2031-13"}).code, 2);
}

// What goes wrong on the way out is said on the error stream, in the run's
// language: standard output that takes nothing (a full disk), and a data
// folder that cannot keep its id, whose calendar still goes out whole.
TEST_F(StandardOutput, WhatFailsOnTheWayOutIsSaidApart) {
    const std::string cmd = test::quote(PLANEK_CLI) + " --root " + test::quote(root) +
                            " --lang english export csv " + test::quote(december) + " -o - >/dev/full 2>" +
                            test::quote((dir / "full.err").string());
    const int status = std::system(("LC_ALL=C.UTF-8 " + cmd).c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(read_file(dir / "full.err"),
              "The file could not be written to standard output (a closed pipe or a full disk).\n");

    fs::create_directories(dir / "ward" / "dane" / "planek.id");
    const result events = cli({"--lang", "english", "export", "ics", december, "--worker", "1", "-o", "-"});
    ASSERT_EQ(events.code, 0) << events.err;
    EXPECT_EQ(events.out.rfind("BEGIN:VCALENDAR", 0), 0u) << events.out.substr(0, 200);
    EXPECT_NE(events.err.find("once the folder is moved they will not replace those handed out before."),
              std::string::npos)
        << events.err;
    EXPECT_EQ(lines(events.err).size(), 1u) << events.err;
}

#ifdef PLANEK_PDF
// A desktop's platform named in the environment of a shell without a display
// (ssh, cron) must not stop a PDF: the command line draws offscreen.
TEST_F(StandardOutput, PdfIsMadeWhateverDisplayTheEnvironmentNames) {
    ASSERT_EQ(cli({"templates", "--install"}).code, 0);
    for (const std::string env : {"env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb",
                                  "env -u WAYLAND_DISPLAY DISPLAY=:99 QT_QPA_PLATFORM=xcb",
                                  "env -u DISPLAY WAYLAND_DISPLAY=nowhere-0 QT_QPA_PLATFORM=wayland"}) {
        const fs::path folder = dir / "pdf";
        fs::remove_all(folder);
        const result r = cli({"print", "grafik_miesieczny", december, "--group", "1", "--pdf", "-o", folder.string()},
                             env);
        ASSERT_EQ(r.code, 0) << env << ": " << r.err;
        const std::vector<std::string> names = lines(r.out);
        ASSERT_EQ(names.size(), 2u) << r.out;
        const result text = run_program(dir, "pdftotext", {"-layout", names[1], "-"});
        ASSERT_EQ(text.code, 0) << env << ": " << text.err;
        EXPECT_NE(text.out.find("Pracownik"), std::string::npos) << env << "\n" << text.out;
    }
}
#endif

}  // namespace
}  // namespace planek
