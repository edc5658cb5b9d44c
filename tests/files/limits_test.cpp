// Sizes and names no real file has: every reader must finish in bounded
// time, and nothing a file holds may put a file outside its folder.
#include <gtest/gtest.h>
#include <zip.h>

#include <chrono>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "files/archive.h"
#include "files/staff_file.h"
#include "month_fixture.h"
#include "printouts/generation.h"
#include "settings/net_settings.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::MonthFixture;
using test::TempDir;
using test::write_file;
using clock_type = std::chrono::steady_clock;

// Generous enough for a sanitizer build on a busy machine; a quadratic
// reader of ten megabytes takes hours, not seconds.
constexpr auto kBound = std::chrono::seconds(120);

constexpr size_t kTenMegabytes = 10u << 20;

template <class F>
clock_type::duration timed(F&& f) {
    const auto start = clock_type::now();
    f();
    return clock_type::now() - start;
}

std::vector<fs::path> files_under(const fs::path& folder) {
    std::vector<fs::path> out;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) out.push_back(e.path());
    return out;
}

bool inside(const fs::path& file, const fs::path& folder) {
    const fs::path f = fs::weakly_canonical(file), d = fs::weakly_canonical(folder);
    const auto rel = f.lexically_relative(d);
    return !rel.empty() && *rel.begin() != "..";
}

TEST(Limits, TenMegabytesOfTextReadInBoundedTime) {
    TempDir dir;
    // One line without a break, and the same size in short lines.
    write_file(dir / "one_line.txt", std::string(kTenMegabytes, 'x'));
    std::string many;
    while (many.size() < kTenMegabytes) many += "k=\xb9\xea\r\n";
    write_file(dir / "many_lines.txt", many);
    for (const char* name : {"one_line.txt", "many_lines.txt"}) {
        std::vector<std::string> lines;
        std::string error;
        EXPECT_LT(timed([&] { ASSERT_TRUE(read_lines(dir / name, lines, error)) << error; }), kBound) << name;
    }
}

class MonthLimits : public MonthFixture {};

TEST_F(MonthLimits, TenMegabyteLineIsReportedInBoundedTime) {
    const fs::path file = dir / "2024_03.pnk";
    write_file(file, "[okres]\r\nFromYear=2024\r\nFromMonth=3\r\n[dyzury]\r\nd1=" + std::string(kTenMegabytes, '7') +
                         "\r\n[wolne]\r\nw1=" + std::string(kTenMegabytes / 4, '\xa4') + "\r\n");
    std::vector<month_problem> problems;
    EXPECT_LT(timed([&] { problems = check_month_file(plan, file); }), kBound);
    ASSERT_EQ(problems.size(), 2u);
    // A report quotes the key, never the whole value.
    EXPECT_LT(problem_text(problems[0]).size(), 400u);
}

TEST_F(MonthLimits, TenMegabytesOfDutiesReadInBoundedTime) {
    // About 200 000 duty lines, most of them on the same few worker-days.
    std::string text = "[okres]\r\nFromYear=2024\r\nFromMonth=3\r\n[dyzury]\r\n";
    const std::string sep = "\xa4";
    for (int i = 1; text.size() < kTenMegabytes; ++i) {
        const int worker = 1 + i % 3, day = 1 + i % 31, start = (i * 7) % 1380;
        text += "d" + std::to_string(i) + "=1" + sep + std::to_string(worker) + sep + std::to_string(day) + sep +
                "60" + sep + "1" + sep + std::to_string(start) + sep + "0" + sep + sep + "0" + sep + "1" + sep +
                "0" + sep + "0\r\n";
    }
    const fs::path file = dir / "2024_03.pnk";
    write_file(file, text);
    std::vector<month_problem> problems;
    EXPECT_LT(timed([&] { problems = check_month_file(plan, file); }), kBound);
    // Duties that collide with one already read are refused line by line.
    EXPECT_GT(problems.size(), 100000u);
    RecordProperty("refused_duty_lines", int(problems.size()));
}

TEST(Limits, HundredThousandStaffLinesReadInBoundedTime) {
    Translator tr;
    file_problems problems{tr, {}};
    std::vector<std::string> lines;
    for (int i = 1; i <= 100000; ++i) lines.push_back("p¤" + std::to_string(i % 65536) + "¤Kowalska¤Anna¤AK");
    std::vector<prac> workers;
    EXPECT_LT(timed([&] { workers = read_staff_lines(lines, "kadra.ini", problems); }), kBound);
    EXPECT_EQ(workers.size(), lines.size());
}

// Builds a ZIP with arbitrary member names, as a hostile archive would have.
void hostile_zip(const fs::path& file, const std::vector<std::string>& names) {
    int code = 0;
    zip_t* za = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    ASSERT_NE(za, nullptr);
    static const std::string bytes = "escaped";
    for (const std::string& name : names) {
        zip_source_t* src = zip_source_buffer(za, bytes.data(), bytes.size(), 0);
        ASSERT_GE(zip_file_add(za, name.c_str(), src, 0), 0) << name;
    }
    ASSERT_EQ(zip_close(za), 0);
}

TEST(Limits, ArchiveMembersNeverLandOutsideTheTarget) {
    TempDir dir;
    const fs::path target = dir / "target";
    fs::create_directories(target);
    const fs::path outside = dir.path() / "outside";
    hostile_zip(dir / "evil.zip", {"../outside", "../../outside2", (dir.path() / "absolute").string(),
                                   "a/../../outside3", "..\\outside4", "sub/../../outside5"});
    std::vector<fs::path> written;
    ASSERT_TRUE(archive_unpack(dir / "evil.zip", target, &written));
    for (const fs::path& p : written) EXPECT_TRUE(inside(p, target)) << p;
    for (const fs::path& p : files_under(dir.path()))
        EXPECT_TRUE(p == dir / "evil.zip" || inside(p, target)) << p << " written outside the target";
}

struct print_root {
    TempDir dir;
    Plan plan;
    print_root() {
        plan.paths = Paths::local(dir.path());
        plan.clock = std::make_shared<FixedClock>(2026, 3, 15);
        fs::create_directories(plan.paths.templates);
    }
    gen_result run(const std::string& body) {
        const fs::path t = plan.paths.templates / "t.wzr";
        write_file(t, utf8_to_cp1250_lossy(body));
        return generuj(plan, t);
    }
};

TEST(Limits, FileNameOfATemplateStaysInThePrintoutsFolder) {
    for (const char* name : {"../../escaped", "..", "/tmp/absolute", "..\\..\\escaped", "sub/../../escaped",
                             "@_worker_surname/../../x"}) {
        print_root r;
        gen_result g = r.run(std::string("<HEADER>\n<TYPE>txt</TYPE>\n<FILE_NAME>") + name +
                             "</FILE_NAME>\n</HEADER>\ntext\n");
        ASSERT_TRUE(g.ok) << name << ": " << g.error;
        EXPECT_EQ(g.file.parent_path(), r.plan.paths.printouts) << name;
        for (const fs::path& p : files_under(r.dir.path()))
            EXPECT_TRUE(inside(p, r.plan.paths.printouts) || inside(p, r.plan.paths.templates))
                << name << " wrote " << p;
    }
}

TEST(Limits, DeeplyNestedTemplateRunsInBoundedDepthAndTime) {
    std::string body, closing;
    for (int i = 0; i < 20000; ++i) {
        body += "<_group>";
        closing += "</_group>";
    }
    print_root r;
    gen_result g;
    EXPECT_LT(timed([&] { g = r.run("<HEADER>\n<TYPE>txt</TYPE>\n</HEADER>\n" + body + "x" + closing + "\n"); }),
              kBound);
    EXPECT_TRUE(g.ok || !g.error.empty());
}

TEST(Limits, ServerPathWithDotDotNamesTheFolderItResolvesTo) {
    TempDir dir;
    const fs::path root = dir / "local", server = dir / "server";
    fs::create_directories(root / "dane");
    fs::create_directories(server);
    Plan plan;
    plan.paths = Paths::local(root);
    plan.options.net.ServerPath = (root / ".." / "server").string() + "\\";
    plan.options.net.Template = plan.options.net.Printout = plan.options.net.Config = true;
    (void)PathsUpdate(plan);
    // The printouts and templates go to the server's own folders, nowhere else.
    EXPECT_EQ(fs::weakly_canonical(plan.paths.printouts), fs::weakly_canonical(server / "wydruki"));
    EXPECT_EQ(fs::weakly_canonical(plan.paths.templates), fs::weakly_canonical(server / "templates"));
    EXPECT_FALSE(RunAsServer(plan));

    // A server path that climbs to a folder that does not exist keeps the local folders.
    plan.options.net.ServerPath = (root / ".." / ".." / "no-such-server").string();
    (void)PathsUpdate(plan);
    EXPECT_EQ(plan.paths.printouts, Paths::local(root).printouts);
}

TEST(Limits, RelativeServerPathIsTakenFromTheProgramFolderNotTheWorkingFolder) {
    TempDir dir;
    const fs::path root = dir / "local", server = dir / "server";
    fs::create_directories(root / "dane");
    fs::create_directories(server);
    Plan plan;
    plan.paths = Paths::local(root);
    plan.options.net.ServerPath = "..\\server\\";
    plan.options.net.Template = true;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path() / "local" / "dane");  // where "..\\server" would name nothing
    (void)PathsUpdate(plan);
    fs::current_path(before);
    EXPECT_EQ(fs::weakly_canonical(plan.paths.templates), fs::weakly_canonical(server / "templates"));
}

}  // namespace
}  // namespace planek
