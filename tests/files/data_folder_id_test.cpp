#include <gtest/gtest.h>

#include "files/data_folder_id.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;
using test::write_file;

TEST(DataFolderId, MadeOnceKeptInTheFolderAndDifferentForEachFolder) {
    TempDir dir;
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    const std::string a = data_folder_id(dir / "a");
    ASSERT_EQ(a.size(), 32u);
    EXPECT_EQ(a.find_first_not_of("0123456789abcdef"), std::string::npos) << a;
    EXPECT_EQ(read_file(dir / "a" / kDataFolderIdName), a + "\r\n");
    EXPECT_EQ(data_folder_id(dir / "a"), a);
    EXPECT_NE(data_folder_id(dir / "b"), a);
    // Only the id file is left behind, no temporary one.
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir / "a")) ++files;
    EXPECT_EQ(files, 1u);

    // The id moves with the folder.
    fs::rename(dir / "a", dir / "c");
    EXPECT_EQ(data_folder_id(dir / "c"), a);
}

TEST(DataFolderId, ADamagedFileIsReplacedAndAnUnwritableFolderStillGetsAStableId) {
    TempDir dir;
    fs::create_directories(dir / "a");
    write_file(dir / "a" / kDataFolderIdName, "not an id");
    const std::string a = data_folder_id(dir / "a");
    ASSERT_EQ(a.size(), 32u);
    EXPECT_EQ(read_file(dir / "a" / kDataFolderIdName), a + "\r\n");
    EXPECT_EQ(data_folder_id(dir / "a"), a);

    // A folder that cannot take the file (here: one that is not there).
    const std::string gone = data_folder_id(dir / "gone");
    EXPECT_EQ(gone.size(), 32u);
    EXPECT_EQ(data_folder_id(dir / "gone"), gone);
    EXPECT_NE(data_folder_id(dir / "gone2"), gone);
    EXPECT_FALSE(fs::exists(dir / "gone"));
}

}  // namespace
}  // namespace planek
