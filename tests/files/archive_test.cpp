#include <gtest/gtest.h>
#include <zip.h>

#include <chrono>

#include "core/file_io.h"
#include "files/archive.h"
#include "support/hostile_files.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::read_file;
using test::write_file;

// Builds a ZIP with arbitrary member names, as a hostile archive would have.
void make_zip(const fs::path& file, const std::vector<std::pair<std::string, std::string>>& members) {
    int code = 0;
    zip_t* za = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    ASSERT_NE(za, nullptr);
    for (const auto& [name, bytes] : members) {
        if (!name.empty() && name.back() == '/') {
            zip_dir_add(za, name.c_str(), 0);
            continue;
        }
        zip_source_t* src = zip_source_buffer(za, bytes.data(), bytes.size(), 0);
        ASSERT_GE(zip_file_add(za, name.c_str(), src, 0), 0);
    }
    ASSERT_EQ(zip_close(za), 0);
}

TEST(Archive, PacksFilesAndUnpacksThemElsewhere) {
    TempDir dir;
    write_file(dir / "a" / "one.txt", "first\r\n");
    write_file(dir / "b" / "two.bin", std::string("\0\xA4\xFF", 3));
    write_file(dir / "empty.txt", "");
    ASSERT_TRUE(archive_pack({dir / "a" / "one.txt", dir / "b" / "two.bin", dir / "empty.txt"}, dir / "x.inr"));
    EXPECT_FALSE(fs::exists(dir / "x.inr.tmp~"));

    std::vector<fs::path> written;
    ASSERT_TRUE(archive_unpack(dir / "x.inr", dir / "out", &written));
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(read_file(dir / "out" / "one.txt"), "first\r\n");
    EXPECT_EQ(read_file(dir / "out" / "two.bin"), std::string("\0\xA4\xFF", 3));
    EXPECT_EQ(read_file(dir / "out" / "empty.txt"), "");
}

TEST(Archive, PackFailureLeavesOldArchiveWhole) {
    TempDir dir;
    ASSERT_TRUE(archive_pack_members({{"kadra.ini", "old"}}, dir / "k.inr"));
    const std::string before = read_file(dir / "k.inr");

    io_result missing = archive_pack({dir / "nope.txt"}, dir / "k.inr");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error.find("nope.txt"), std::string::npos);

    write_file(dir / "a" / "same.txt", "1");
    write_file(dir / "b" / "same.txt", "2");
    EXPECT_FALSE(archive_pack({dir / "a" / "same.txt", dir / "b" / "same.txt"}, dir / "k.inr").ok());

    // Closing the ZIP, then the five steps of the safe write up to the
    // rename, then the folder sync after it, each failing in turn.
    for (int step = 1; step <= 7; ++step) {
        SCOPED_TRACE(step);
        set_write_fault(step);
        const io_result r = archive_pack_members({{"kadra.ini", "new"}}, dir / "k.inr");
        set_write_fault(0);
        EXPECT_FALSE(r.ok());
        EXPECT_NE(r.error.find("k.inr"), std::string::npos) << r.error;
        if (step < 7) {
            EXPECT_EQ(read_file(dir / "k.inr"), before);
        }
    }
}

TEST(Archive, ALeftoverTemporaryFileDoesNotBlockTheNextSave) {
    TempDir dir;
    // The fixed temporary name of older versions, left by a crash.
    fs::create_directories(dir / "k.inr.tmp~");
    write_file(dir / "k.inr.tmp~" / "x", "");
    ASSERT_TRUE(archive_pack_members({{"kadra.ini", "new"}}, dir / "k.inr"));
    std::vector<archive_member> members;
    ASSERT_TRUE(archive_read(dir / "k.inr", members));
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].bytes, "new");
    // Nothing but the archive and that leftover stays in the folder.
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST(Archive, AnEmptyArchiveIsWrittenAndReadsBackEmpty) {
    TempDir dir;
    ASSERT_TRUE(archive_pack_members({}, dir / "empty.bak"));
    std::vector<archive_member> members{{"x", "y"}};
    ASSERT_TRUE(archive_read(dir / "empty.bak", members));
    EXPECT_TRUE(members.empty());
}

TEST(Archive, MemberPathsAreStrippedToTheirLastPart) {
    TempDir dir;
    make_zip(dir / "evil.zip", {{"../escape.txt", "a"},
                                {"/etc/abs.txt", "b"},
                                {"deep/down/nested.txt", "c"},
                                {"win\\back.txt", "d"},
                                {"folder/", ""},
                                {"..", "e"}});
    std::vector<fs::path> written;
    ASSERT_TRUE(archive_unpack(dir / "evil.zip", dir / "target" / "in", &written));
    EXPECT_EQ(written.size(), 4u);
    EXPECT_EQ(read_file(dir / "target" / "in" / "escape.txt"), "a");
    EXPECT_EQ(read_file(dir / "target" / "in" / "abs.txt"), "b");
    EXPECT_EQ(read_file(dir / "target" / "in" / "nested.txt"), "c");
    EXPECT_EQ(read_file(dir / "target" / "in" / "back.txt"), "d");
    EXPECT_FALSE(fs::exists(dir / "target" / "escape.txt"));
    EXPECT_FALSE(fs::exists(dir / "target" / "in" / "folder"));
    for (const auto& entry : fs::recursive_directory_iterator(dir / "target"))
        EXPECT_TRUE(entry.is_directory() || entry.path().parent_path() == dir / "target" / "in") << entry.path();
}

TEST(Archive, DamagedArchiveIsReportedAndWritesNothing) {
    TempDir dir;
    write_file(dir / "garbage.inr", "this is not a zip file at all");
    io_result r = archive_unpack(dir / "garbage.inr", dir / "out");
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("garbage.inr"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "out" / "garbage.inr"));

    // A truncated archive: the first half of a good one.
    ASSERT_TRUE(archive_pack_members({{"a.txt", std::string(5000, 'x')}, {"b.txt", "tail"}}, dir / "good.inr"));
    std::string bytes = read_file(dir / "good.inr");
    write_file(dir / "cut.inr", bytes.substr(0, bytes.size() / 2));
    std::vector<archive_member> members;
    EXPECT_FALSE(archive_read(dir / "cut.inr", members).ok());
    EXPECT_TRUE(members.empty());

    EXPECT_FALSE(archive_read(dir / "missing.inr", members).ok());
}

// Sets the uncompressed size of every member, in the local and central
// headers alike, as an archive crafted to exhaust memory would.
std::string with_claimed_size(std::string zip, std::uint32_t size) {
    auto patch = [&](const std::string& sig, size_t offset) {
        for (size_t at = zip.find(sig); at != std::string::npos; at = zip.find(sig, at + 1))
            for (int i = 0; i < 4; ++i) zip[at + offset + i] = char((size >> (8 * i)) & 0xFF);
    };
    patch(std::string("PK\x03\x04", 4), 22);
    patch(std::string("PK\x01\x02", 4), 24);
    return zip;
}

TEST(Archive, AbsurdSizesAreRefused) {
    TempDir dir;
    ASSERT_TRUE(archive_pack_members({{"kadra.ini", std::string(100, 'a')}}, dir / "ok.inr"));
    write_file(dir / "huge.inr", with_claimed_size(read_file(dir / "ok.inr"), 0xFFFFFFF0u));
    io_result r = archive_unpack(dir / "huge.inr", dir / "out");
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("huge.inr"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("zbyt duży"), std::string::npos) << r.error;
    EXPECT_FALSE(fs::exists(dir / "out" / "kadra.ini"));
}

// A staff file the size of a ward's, compressible as real lines are.
std::string staff_text(int workers) {
    std::string text;
    for (int i = 1; i <= workers; ++i)
        text += "p\xA4" + std::to_string(i) + "\xA4" "1\xA4" "0\xA4" "0\xA4" "0\xA4" "0\xA4" "100\xA4" "Kowalska " +
                std::to_string(i) + "\r\n";
    return text;
}

using clock_type = std::chrono::steady_clock;
double seconds_of(clock_type::time_point start) {
    return std::chrono::duration<double>(clock_type::now() - start).count();
}

TEST(Archive, AMemberIsReadWholeOrRefused) {
    TempDir dir;
    const std::string staff = staff_text(29);
    const std::string good = test::zip_bytes({{"kadra.ini", staff}});
    std::string bytes;
    write_file(dir / "good.inr", good);
    ASSERT_TRUE(archive_read_member(dir / "good.inr", "KADRA.INI", bytes).ok());
    EXPECT_EQ(bytes, staff);

    // Each lie a damaged or crafted archive tells: what it states no longer
    // matches what it holds. Before, the first three gave part of the staff
    // (or a changed surname) as if whole.
    struct bad {
        const char* what;
        std::string zip;
        archive_fault fault;
    };
    const std::vector<bad> cases = {
        {"stated sizes half the real ones", test::with_halved_sizes(good), archive_fault::damaged},
        {"inflated size half the real one", test::with_inflated_size(good, std::uint32_t(staff.size() / 2)),
         archive_fault::damaged},
        {"one byte of the data changed", test::with_changed_data_byte(good), archive_fault::damaged},
        {"inflated size larger than the data", test::with_inflated_size(good, std::uint32_t(staff.size() + 10)),
         archive_fault::damaged},
        {"inflated size past every bound", test::with_inflated_size(good, 0xFFFFFFF0u), archive_fault::too_large},
    };
    for (const bad& b : cases) {
        write_file(dir / "bad.inr", b.zip);
        const archive_check c = archive_read_member(dir / "bad.inr", "kadra.ini", bytes);
        EXPECT_FALSE(c.ok()) << b.what;
        if (c.fault != archive_fault::not_an_archive) {
            EXPECT_EQ(c.fault, b.fault) << b.what;
        }
        EXPECT_TRUE(bytes.empty()) << b.what;
        const std::string text = archive_fault_text(Translator{}, dir / "bad.inr", c);
        EXPECT_NE(text.find("bad.inr"), std::string::npos) << text;
        EXPECT_NE(text.find("uszkodzone"), std::string::npos) << text;
        // The whole-archive reader refuses the same archives.
        std::vector<archive_member> members;
        EXPECT_FALSE(archive_read(dir / "bad.inr", members).ok()) << b.what;
        EXPECT_TRUE(members.empty());
    }
}

TEST(Archive, AMemberStatedSmallThatInflatesHugeStopsAtItsStatedSize) {
    TempDir dir;
    // 100 MB of zeros packs into a few hundred kilobytes; the archive states 1 000 bytes.
    test::write_zip_with_zeros(dir / "zeros.inr", {}, "kadra.ini", 100ull << 20);
    write_file(dir / "bomb.inr", test::with_inflated_size(read_file(dir / "zeros.inr"), 1000));
    std::string bytes;
    const auto start = clock_type::now();
    const archive_check c = archive_read_member(dir / "bomb.inr", "kadra.ini", bytes);
    EXPECT_EQ(c.fault, archive_fault::damaged);
    EXPECT_LT(seconds_of(start), 0.5);
    // Stated truly, it is refused before a byte is inflated.
    const auto again = clock_type::now();
    EXPECT_EQ(archive_read_member(dir / "zeros.inr", "kadra.ini", bytes).fault, archive_fault::too_large);
    EXPECT_LT(seconds_of(again), 0.5);
}

TEST(Archive, OnlyTheMemberAskedForIsInflated) {
    TempDir dir;
    const std::string staff = staff_text(1200);
    // Junk beside the staff, stated truly and within the member bound, as
    // four such members once were all read (1 GB).
    test::write_zip_with_zeros(dir / "kadra.inr", {{"kadra.ini", staff}}, "junk.bin", 60ull << 20);
    std::string bytes;
    const auto start = clock_type::now();
    ASSERT_TRUE(archive_read_member(dir / "kadra.inr", "kadra.ini", bytes).ok());
    EXPECT_EQ(bytes, staff);
    EXPECT_LT(seconds_of(start), 0.2);
    EXPECT_EQ(archive_read_member(dir / "kadra.inr", "grupy.ini", bytes).fault, archive_fault::no_member);

    // An archive kept inside another (a backup's copy of kadra.inr) reads the same way.
    std::string inner;
    ASSERT_TRUE(archive_read_member(dir / "kadra.inr", "junk.bin", inner).ok());
    EXPECT_EQ(inner.size(), size_t(60) << 20);
    const std::string nested = test::zip_bytes({{"kadra.ini", staff}});
    ASSERT_TRUE(archive_read_member_bytes(nested, "kadra.ini", bytes).ok());
    EXPECT_EQ(bytes, staff);
    EXPECT_EQ(archive_read_member_bytes(test::with_changed_data_byte(nested), "kadra.ini", bytes).fault,
              archive_fault::damaged);
}

TEST(Archive, BareNames) {
    EXPECT_EQ(archive_bare_name("kadra.ini"), "kadra.ini");
    EXPECT_EQ(archive_bare_name("../../x"), "x");
    EXPECT_EQ(archive_bare_name("C:\\dane\\x"), "x");
    EXPECT_EQ(archive_bare_name("dir/"), "");
    EXPECT_EQ(archive_bare_name("a/.."), "");
}

}  // namespace
}  // namespace planek
