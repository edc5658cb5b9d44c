#include "core/file_io.h"
#include "core/system_error_text.h"
#include "core/translator.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "core/text.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;
using test::write_file;

TEST(FileIo, LinesAreWrittenAsCp1250WithCrLfAndReadBack) {
    TempDir dir;
    const auto f = dir / "kadra.ini";
    ASSERT_TRUE(write_lines(f, {"[Łódź]", "nazwa=Gęś¤„x”", ""}));
    EXPECT_EQ(read_file(f), "[\xA3\xF3" "d\x9F]\r\nnazwa=G\xEA\x9C\xA4\x84x\x94\r\n\r\n");
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(read_lines(f, lines, error)) << error;
    EXPECT_EQ(lines, (std::vector<std::string>{"[Łódź]", "nazwa=Gęś¤„x”", ""}));
}

TEST(FileIo, ReadAcceptsEveryLineBreak) {
    TempDir dir;
    write_file(dir / "a.txt", "a\r\nb\nc\rd\r\n\r\ne");
    std::vector<std::string> lines{"old"};
    std::string error;
    ASSERT_TRUE(read_lines(dir / "a.txt", lines, error));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    write_file(dir / "empty.txt", "");
    ASSERT_TRUE(read_lines(dir / "empty.txt", lines, error));
    EXPECT_TRUE(lines.empty());
}

// The line bound of every reader and the line a seal is reported at both
// count as the reader cuts: each break of any kind, and a last line without one.
TEST(FileIo, LinesAreCountedAsTheReaderCutsThem) {
    for (const std::string& text :
         {std::string(), std::string("a"), std::string("\r\n"), std::string("a\rb\nc\r\nd"), std::string("\r\r\n\n\r"),
          std::string("x\r\n\r\ny\r"), std::string("a\n\r"), std::string(1000, '\r') + std::string(999, '\n')}) {
        EXPECT_EQ(count_lines(text), split_text_lines(text).size()) << testing::PrintToString(text);
    }
    // A long text with the breaks far apart and at its very ends.
    std::string long_text = "\n" + std::string(100000, 'x') + "\r" + std::string(70000, 'y') + "\r\n";
    EXPECT_EQ(count_lines(long_text), 3u);
    long_text.pop_back();
    EXPECT_EQ(count_lines(long_text), 3u);
}

TEST(FileIo, MissingFileIsAnErrorNamingIt) {
    TempDir dir;
    std::vector<std::string> lines;
    std::string error;
    EXPECT_FALSE(read_lines(dir / "brak.ini", lines, error));
    EXPECT_NE(error.find("brak.ini"), std::string::npos) << error;
    EXPECT_FALSE(read_lines(dir.path(), lines, error));  // a folder
}

TEST(FileIo, UnencodableCharacterRefusesTheWholeFile) {
    TempDir dir;
    const auto f = dir / "plan.txt";
    write_file(f, "old\r\n");
    const io_result r = write_lines(f, {"fine", "smile ☺ here"});
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("☺"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("plan.txt"), std::string::npos) << r.error;
    EXPECT_EQ(read_file(f), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(FileIo, ReplacingKeepsNoTemporaryFiles) {
    TempDir dir;
    const auto f = dir / "x.bin";
    ASSERT_TRUE(write_bytes(f, std::string("a\0b", 3)));
    ASSERT_TRUE(write_bytes(f, "second"));
    EXPECT_EQ(read_file(f), "second");
    std::string bytes, error;
    ASSERT_TRUE(read_bytes(f, bytes, error));
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(FileIo, WriteFailureInReadOnlyFolderKeepsOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    TempDir dir;
    const auto f = dir / "ro" / "grupy.ini";
    write_file(f, "old");
    fs::permissions(f.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    const io_result r = write_lines(f, {"new"});
    fs::permissions(f.parent_path(), fs::perms::owner_all);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("grupy.ini"), std::string::npos) << r.error;
    EXPECT_EQ(read_file(f), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(f.parent_path()), fs::directory_iterator()), 1);
}

TEST(FileIo, WriteIntoMissingOrBogusFolderFails) {
    TempDir dir;
    const io_result r = write_bytes(dir / "no" / "such" / "folder.ini", "x");
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("folder.ini"), std::string::npos) << r.error;
    write_file(dir / "plain", "file");
    EXPECT_FALSE(write_lines(dir / "plain" / "a.ini", {"x"}).ok());
    EXPECT_FALSE(write_bytes(dir.path(), "x").ok());  // the target is a folder
    EXPECT_EQ(read_file(dir / "plain"), "file");
}

// The system's reason for a failure speaks the session's language, not the
// process locale's: built-in Polish, else the language's own text; a reason
// the program has no words for stays the system's.
TEST(FileIo, TheReasonOfAFailureSpeaksTheSessionsLanguage) {
    TempDir dir;
    const fs::path missing = dir / "no" / "folder.ini";
    const io_result polish = write_bytes(missing, "x");
    EXPECT_NE(polish.error.find(": nie ma takiego pliku ani folderu."), std::string::npos) << polish.error;
    Translator english;
    english.set("messages", "msg_WriteFailed", "Cannot write the file %s%s.");
    english.set("messages", "msg_SysNoSuchFile", "no such file or folder");
    const io_result said = write_bytes(missing, "x", &english);
    EXPECT_EQ(said.error, "Cannot write the file \"" + missing.string() + "\": no such file or folder.");
    EXPECT_EQ(system_error_text(std::make_error_code(std::errc::no_space_on_device), nullptr), "brak miejsca na dysku");
    EXPECT_EQ(system_error_text(EISDIR, &english), "to jest folder") << "a key the language lacks is the built-in text";
    EXPECT_EQ(system_error_text(ECHILD, &english), std::strerror(ECHILD));
}

// Sets the modification time of `f` to `days` days ago.
void age(const fs::path& f, double days) {
    const auto ago = std::chrono::duration_cast<fs::file_time_type::duration>(std::chrono::duration<double>(days * 86400));
    fs::last_write_time(f, fs::file_time_type::clock::now() - ago);
}

bool fresh(const fs::path& f) {
    return fs::file_time_type::clock::now() - fs::last_write_time(f) < std::chrono::minutes(1);
}

TEST(SafetyCopy, MissingCopyIsMadeMissingFileIsNot) {
    TempDir dir;
    const auto p = dir / "grupy.ini";
    EXPECT_FALSE(safety_copy(p, ".bak", 4));
    EXPECT_FALSE(fs::exists(dir / "grupy.ini.bak"));
    write_file(p, "data");
    age(p, 30);
    EXPECT_TRUE(safety_copy(p, "bak", 4));  // "." added
    EXPECT_EQ(read_file(dir / "grupy.ini.bak"), "data");
    EXPECT_TRUE(fresh(dir / "grupy.ini.bak"));  // age counts from the copy
}

TEST(SafetyCopy, ACopyThatWasDueButFailedSaysSoAndLeavesTheFile) {
    TempDir dir;
    const auto p = dir / "grupy.ini";
    write_file(p, "data");
    EXPECT_TRUE(safety_copy(p, ".bak", 4).error.empty()) << "a copy made is no failure";
    age(dir / "grupy.ini.bak", 30);
    set_write_fault(1);
    const safety_copy_result failed = safety_copy(p, ".bak", 4);
    set_write_fault(0);
    EXPECT_FALSE(failed);
    EXPECT_NE(failed.error.find("grupy.ini.bak"), std::string::npos) << failed.error;
    EXPECT_EQ(read_file(p), "data");
    EXPECT_EQ(read_file(dir / "grupy.ini.bak"), "data");
    EXPECT_TRUE(safety_copy(p, ".bak", 4)) << "the next read makes the copy";
}

TEST(SafetyCopy, BakIsRenewedOnlyWhenOldEnough) {
    TempDir dir;
    const auto p = dir / "kadra.inr";
    const auto c = dir / "kadra.inr.bak";
    write_file(p, "new and longer");
    write_file(c, "old");
    age(c, 3.9);
    EXPECT_FALSE(safety_copy(p, ".bak", 4));
    EXPECT_EQ(read_file(c), "old");
    age(c, 4.01);
    EXPECT_TRUE(safety_copy(p, ".bak", 4));
    EXPECT_EQ(read_file(c), "new and longer");
    EXPECT_TRUE(fresh(c));
}

TEST(SafetyCopy, YoungErrCopyIsReplacedOnlyByALargerFile) {
    TempDir dir;
    const auto p = dir / "grupy.ini";
    const auto c = dir / "grupy.ini.err";
    write_file(c, "good copy");
    age(c, 2);
    write_file(p, "damaged");  // smaller
    EXPECT_FALSE(safety_copy(p, ".err", 10));
    EXPECT_EQ(read_file(c), "good copy");
    write_file(p, "same size");  // equal size is not larger
    EXPECT_FALSE(safety_copy(p, ".err", 10));
    EXPECT_EQ(read_file(c), "good copy");
    write_file(p, "grown, larger file");
    EXPECT_TRUE(safety_copy(p, ".err", 10));
    EXPECT_EQ(read_file(c), "grown, larger file");
    // An old enough copy is renewed whatever the sizes.
    write_file(p, "x");
    age(c, 10.01);
    EXPECT_TRUE(safety_copy(p, "err", 10));
    EXPECT_EQ(read_file(c), "x");
}

}  // namespace
}  // namespace planek
