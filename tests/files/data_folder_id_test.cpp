#include <gtest/gtest.h>

#include "core/translator.h"
#include "files/data_folder_id.h"
#include "settings/language.h"
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

// An id that could not be kept is said, in the caller's language, with the
// file it was to go to; one kept or read back says nothing.
TEST(DataFolderId, AnIdThatCannotBeKeptIsSaid) {
    TempDir dir;
    fs::create_directories(dir / "a");
    std::string unsaved = "unchanged";
    const std::string a = data_folder_id(dir / "a", &unsaved);
    EXPECT_EQ(unsaved, "unchanged");
    EXPECT_EQ(data_folder_id(dir / "a", &unsaved), a);
    EXPECT_EQ(unsaved, "unchanged");

    // A folder in the id file's place can be neither read nor replaced.
    fs::create_directories(dir / "b" / kDataFolderIdName);
    Translator english;
    ASSERT_TRUE(load_language_file(english, fs::path(PLANEK_SOURCE_DIR) / "lang" / "english.lng"));
    unsaved.clear();
    const std::string b = data_folder_id(dir / "b", &unsaved, &english);
    EXPECT_EQ(b.size(), 32u);
    EXPECT_NE(unsaved.find((dir / "b" / kDataFolderIdName).string()), std::string::npos) << unsaved;
    EXPECT_NE(unsaved.find("once the folder is moved"), std::string::npos) << unsaved;
    EXPECT_TRUE(fs::is_directory(dir / "b" / kDataFolderIdName));
    unsaved.clear();
    EXPECT_EQ(data_folder_id(dir / "b", &unsaved), b);
    EXPECT_NE(unsaved.find("po przeniesieniu folderu"), std::string::npos) << unsaved;
}

}  // namespace
}  // namespace planek
