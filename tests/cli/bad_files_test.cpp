// The command line on damaged, cut and oversized files, as a ward's IT would
// try it: each is refused with one clear line, fast and small, and the
// files on disk stay as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "cli/cli.h"
#include "cli_runner.h"
#include "core/file_io.h"
#include "files/archive.h"
#include "support/save_leftovers.h"
#include "support/file_snapshot.h"
#include "support/hostile_files.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::measured;
using test::read_file;
using test::TempDir;
using test::write_file;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// A refusal must come at once and small: well under a second and 100 MB in
// the normal build (a sanitizer build only has to finish).
constexpr double kSeconds = kSanitized ? 30.0 : 1.0;
constexpr double kMegabytes = 100.0;

bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

class BadFiles : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;
    fs::path data, month;

    void SetUp() override {
        root = (dir / "ward").string();
        ASSERT_EQ(test::run_cli(dir, {"demo", root}).code, 0);
        data = fs::path(root) / "dane";
        for (const auto& e : fs::directory_iterator(data))
            if (e.path().extension() == ".pnk" && (month.empty() || e.path() > month)) month = e.path();
        ASSERT_FALSE(month.empty());
        // A read makes the staff's safety copy, as every start does.
        ASSERT_EQ(cli({"staff"}).code, 0);
        ASSERT_TRUE(fs::exists(data / "kadra.inr.bak"));
    }
    measured cli(const std::vector<std::string>& args, const std::string& lang = "polski") {
        return test::run_cli_measured(dir, root, args, lang);
    }
    // The figures of one bad input, for the reliability notes.
    void keep_figures(const std::string& what, const measured& m) {
        std::printf("[ figures  ] %-44s exit %d  %.3f s  %.1f MB\n", what.c_str(), m.code, m.seconds,
                    m.peakMegabytes);
        EXPECT_LT(m.seconds, kSeconds) << what;
        if (!kSanitized) {
            EXPECT_LT(m.peakMegabytes, kMegabytes) << what;
        }
    }
    test::folder_files files() const { return test::raw_files(fs::path(root)); }
};

TEST_F(BadFiles, ADamagedStaffArchiveStopsEveryWriteAndStaysAsItWas) {
    const std::string good = read_file(data / "kadra.inr");
    test::write_zip_with_zeros(dir / "zeros.zip", {}, "kadra.ini", 250ull << 20);
    const std::string zeros = read_file(dir / "zeros.zip");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"staff archive: lying size", test::with_halved_sizes(good)},
        {"staff archive: bad CRC", test::with_changed_data_byte(good)},
        {"staff archive: bomb (1 KB stated, 250 MB)", test::with_inflated_size(zeros, 1024)},
        {"staff archive: 250 MB of staff in 250 KB", zeros},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        write_file(data / "kadra.inr", bytes);
        const test::folder_files before = files();
        const measured m = cli({"--yes", "add-dayoff", month.string(), "1", "5", "u"});
        keep_figures(what, m);
        EXPECT_EQ(m.code, 1);
        EXPECT_TRUE(has(m.err, "jest uszkodzone")) << m.err;
        EXPECT_TRUE(has(m.err, "kadra.inr.bak")) << m.err;
        EXPECT_TRUE(has(m.err, "Polecenia zapisujące nie działają")) << m.err;
        EXPECT_FALSE(has(m.err, "Zapisano")) << m.err;
        // Nothing changed but the one kept copy of the damage.
        test::folder_files after = files();
        for (auto it = after.begin(); it != after.end();)
            it = it->first.filename().string().rfind("kadra.inr.bad_", 0) == 0 || it->first.filename() == "planek.log"
                     ? after.erase(it)
                     : std::next(it);
        test::folder_files kept = before;
        kept.erase(data / "planek.log");
        for (auto it = kept.begin(); it != kept.end();)
            it = it->first.filename().string().rfind("kadra.inr.bad_", 0) == 0 ? kept.erase(it) : std::next(it);
        EXPECT_EQ(after, kept);

        // A command that only reads shows the staff of the copy, and says so.
        const measured staff = cli({"staff"});
        EXPECT_EQ(staff.code, 0) << staff.err;
        EXPECT_TRUE(has(staff.err, "tylko do wglądu")) << staff.err;
        EXPECT_TRUE(has(staff.out, "Pracownik ")) << staff.out;
    }
    // Junk beside a good staff file is never inflated: four members of 100 MB.
    const std::string staffFile = [&] {
        std::string bytes;
        EXPECT_TRUE(archive_read_member(data / "kadra.inr.bak", "kadra.ini", bytes).ok());
        return bytes;
    }();
    test::write_zip_with_zeros(dir / "junk.zip", {{"kadra.ini", staffFile}, {"junk1.bin", std::string(1, 'x')},
                                                  {"junk2.bin", std::string(1, 'x')}},
                               "junk3.bin", 100ull << 20);
    write_file(data / "kadra.inr", read_file(dir / "junk.zip"));
    const measured junk = cli({"staff"});
    keep_figures("staff archive: good staff beside a 100 MB junk member", junk);
    EXPECT_EQ(junk.code, 0) << junk.err;
    EXPECT_EQ(junk.err, "");

    // In English too.
    write_file(data / "kadra.inr", test::with_changed_data_byte(good));
    const measured en = cli({"--yes", "add-dayoff", month.string(), "1", "5", "u"}, "english");
    EXPECT_EQ(en.code, 1);
    EXPECT_TRUE(has(en.err, "is damaged")) << en.err;
    EXPECT_TRUE(has(en.err, "Commands that write do not run")) << en.err;
}

TEST_F(BadFiles, ACutMonthIsNeverReadWholeNorWrittenOver) {
    const std::string whole = read_file(month);
    ASSERT_TRUE(has(whole, "[koniec]"));
    for (const test::cut_month& c : test::cuts_of(whole)) {
        SCOPED_TRACE(c.name);
        write_file(month, c.bytes);
        const measured checked = cli({"check", month.string()});
        keep_figures("month file cut: " + c.name, checked);
        EXPECT_EQ(checked.code, 1);
        EXPECT_FALSE(has(checked.out, "Plik wczytany w całości")) << checked.out;
        EXPECT_TRUE(has(checked.out, "[koniec]")) << checked.out;

        const measured added = cli({"--yes", "add-duty", month.string(), "1", "10", "D"});
        EXPECT_EQ(added.code, 1);
        EXPECT_TRUE(has(added.err, "nie da się wczytać w całości")) << added.err;
        EXPECT_EQ(read_file(month), c.bytes);
    }
    const measured en = cli({"check", month.string()}, "english");
    EXPECT_TRUE(has(en.out, "the file is empty")) << en.out;
}

TEST_F(BadFiles, OversizedFilesAreRefusedBeforeTheyAreRead) {
    // Sparse files: a gigabyte on the file system's word, nothing on the disk.
    auto huge = [](const fs::path& file) {
        write_file(file, "[x]\r\n");
        fs::resize_file(file, std::uintmax_t(1) << 30);
    };
    struct bad {
        const char* what;
        fs::path file;
        std::vector<std::string> args;
        const char* said;
        int code;
    };
    const std::vector<bad> cases = {
        {"month file of 1 GB", month, {"check", month.string()}, "jest za duży", 1},
        {"konfiguracja.ini of 1 GB", data / "konfiguracja.ini", {"staff"}, "konfiguracja.ini", 1},
        {"grupy.ini of 1 GB", data / "grupy.ini", {"staff"}, "jest za duży", 0},
        {"sundays.ini of 1 GB", data / "sundays.ini", {"--yes", "add-duty", month.string(), "1", "12", "D"},
         "jest za duży", 0},
    };
    for (const bad& b : cases) {
        SCOPED_TRACE(b.what);
        const std::string original = fs::exists(b.file) ? read_file(b.file) : std::string();
        huge(b.file);
        const measured m = cli(b.args);
        keep_figures(b.what, m);
        EXPECT_TRUE(has(m.err + m.out, b.said)) << m.err << m.out;
        // The file itself is where it was, or kept whole under its ".bad_" name.
        bool kept = fs::exists(b.file) && fs::file_size(b.file) == std::uintmax_t(1) << 30;
        for (const auto& e : fs::directory_iterator(b.file.parent_path()))
            kept = kept || (e.path().filename().string().rfind(b.file.filename().string() + ".bad_", 0) == 0 &&
                            fs::file_size(e.path()) == std::uintmax_t(1) << 30);
        EXPECT_TRUE(kept);
        fs::remove(b.file);
        for (const auto& e : fs::directory_iterator(b.file.parent_path()))
            if (e.path().filename().string().rfind(b.file.filename().string() + ".bad_", 0) == 0) fs::remove(e.path());
        if (!original.empty()) write_file(b.file, original);
    }
}

TEST_F(BadFiles, PrintTakesOnlyTemplates) {
    write_file(dir / "passwd", "root:x:0:0:root:/root:/bin/bash\n");
    for (const fs::path& notTemplate : {dir / "passwd", month}) {
        const measured m = cli({"print", notTemplate.string(), month.string(), "-o", (dir / "out").string()});
        EXPECT_EQ(m.code, 1);
        EXPECT_TRUE(has(m.err, "nie jest szablonem wydruku")) << m.err;
        EXPECT_FALSE(fs::exists(dir / "out"));
    }
}

TEST_F(BadFiles, NewLeavesTheFinishedMonthOrNothing) {
    const fs::path target = data / "2031_01.pnk";
    const measured made = cli({"new", target.string(), "2031-01"});
    ASSERT_EQ(made.code, 0) << made.err;
    const measured checked = cli({"check", target.string()});
    EXPECT_EQ(checked.code, 0) << checked.out;
    EXPECT_TRUE(has(read_file(target), "[koniec]"));
    // A folder that cannot be written in gets nothing, not even a header.
    const fs::path nowhere = dir / "no-such-folder" / "2031_02.pnk";
    EXPECT_EQ(cli({"new", nowhere.string(), "2031-02"}).code, 1);
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
}

TEST_F(BadFiles, NewLeavesNothingBehindWhenAnyOfItsWritesFails) {
    const fs::path target = data / "2031_03.pnk";
    std::ostringstream out, err;
    const std::vector<std::string> args{"--root", root, "--lang", "polski", "new", target.string(), "2031-03"};
    set_write_fault(0);
    ASSERT_EQ(cli::run(args, out, err), 0) << err.str();
    const int steps = write_steps();
    ASSERT_GT(steps, 4);
    const test::folder_files before = [&] {
        fs::remove(target);
        return files();
    }();
    for (int n = 1; n <= steps; ++n) {
        SCOPED_TRACE("write step " + std::to_string(n));
        set_write_fault(n);
        const int code = cli::run(args, out, err);
        set_write_fault(0);
        // Failed, it leaves no month, no header of one and no temporary file;
        // only a failure after the rename (the folder's sync) leaves the whole new month.
        if (fs::exists(target)) {
            EXPECT_EQ(cli({"check", target.string()}).code, 0);
            fs::remove(target);
        }
        EXPECT_EQ(test::save_leftovers(fs::path(root)), std::vector<fs::path>{});
        if (code != 0) {
            test::folder_files now = files();
            now.erase(data / "planek.log");
            test::folder_files was = before;
            was.erase(data / "planek.log");
            EXPECT_EQ(now.size(), was.size());
        }
    }
}

}  // namespace
}  // namespace planek
