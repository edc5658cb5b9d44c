#include "calendar/caption_format.h"

#include <gtest/gtest.h>

namespace planek {
namespace {

TEST(CaptionFormat, FillsDirectivesInOrder) {
    EXPECT_EQ(format_caption(" :: Kalendarz: %s %d", {"Maj", 2026LL}), " :: Kalendarz: Maj 2026");
    EXPECT_EQ(format_caption("%d_%.2d", {2024LL, 3LL}), "2024_03");
    EXPECT_EQ(format_caption("[%5s|%-3s]", {"ab", "c"}), "[   ab|c  ]");
    EXPECT_EQ(format_caption("100%% %s", {"x"}), "100% x");
    EXPECT_EQ(format_caption("%d", {-5LL}), "-5");
}

TEST(CaptionFormat, EditedFormatsNeverFail) {
    // Formats come from language files a user may edit.
    EXPECT_EQ(format_caption("%s %s %s", {"a"}), "a  ");
    EXPECT_EQ(format_caption("%d dni", {"dwa"}), "dwa dni");
    EXPECT_EQ(format_caption("%s", {7LL}), "7");
    EXPECT_EQ(format_caption("koniec %", {}), "koniec %");
    EXPECT_EQ(format_caption("%.2", {1LL}), "%.2");
    EXPECT_EQ(format_caption("%99999999999d", {1LL}).size(), 1000u);
}

}  // namespace
}  // namespace planek
