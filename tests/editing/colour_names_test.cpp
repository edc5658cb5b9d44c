// The names a user reads for stored colours, in both languages.
#include "editing/colour_names.h"

#include <gtest/gtest.h>

#include "settings/language.h"

namespace planek {
namespace {

TEST(ColourNames, NamedColoursReadInTheLanguageOthersAsHex) {
    Plan plan;
    EXPECT_EQ(colour_caption(plan, "clWhite"), "biały");
    EXPECT_EQ(colour_caption(plan, "clltgray"), "srebrny") << "another name of one value reads as that value";
    EXPECT_EQ(colour_caption(plan, "$00E0FFFF"), "#FFFFE0");  // stored blue-green-red
    EXPECT_EQ(colour_caption(plan, "$000000FF"), "czerwony");
    EXPECT_EQ(colour_caption(plan, "nie kolor"), "");

    ASSERT_TRUE(load_language_file(plan.tr, std::filesystem::path(PLANEK_SOURCE_DIR) / "lang" / "english.lng"));
    EXPECT_EQ(colour_caption(plan, "clWhite"), "white");
    EXPECT_EQ(colour_caption(plan, "clYellow"), "yellow");
    Plan polish;
    ASSERT_TRUE(load_language_file(polish.tr, std::filesystem::path(PLANEK_SOURCE_DIR) / "lang" / "polski.lng"));
    EXPECT_EQ(colour_caption(polish, "clYellow"), "żółty") << "read from the Windows-1250 file";
}

}  // namespace
}  // namespace planek
