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

TEST(CaptionFormat, TwoColumnCaptionsPairTitlesWithTheirValues) {
    // The norm caption: titles and values each broken by "\r"; read as one
    // line it would say "Dyżury: 20 12 dyż.".
    EXPECT_EQ(paired_caption_lines("Dni robocze: \rDyżury \"Dzienna\": ", "20 \r12 dyż. + 07:40"),
              (std::vector<std::string>{"Dni robocze: 20", "Dyżury \"Dzienna\": 12 dyż. + 07:40"}));
    EXPECT_EQ(paired_caption_lines("A: \rB: \rC: ", "1\r2"), (std::vector<std::string>{"A: 1", "B: 2", "C:"}));
    EXPECT_EQ(paired_caption_lines("Normatyw: ", "160:00"), (std::vector<std::string>{"Normatyw: 160:00"}));
    EXPECT_TRUE(paired_caption_lines("", "").empty());
}

// A radio list as a language file holds it, its breaks written out or as
// escapes; a list without a title is items only.
TEST(CaptionFormat, RadioListsGiveTheirItems) {
    const std::vector<std::string> two{"niezatwierdzony", "zatwierdzony"};
    EXPECT_EQ(caption_items("Status: \rniezatwierdzony\nzatwierdzony"), two);
    EXPECT_EQ(caption_items("Status: \\rniezatwierdzony\\nzatwierdzony"), two);
    EXPECT_EQ(caption_items("planned\\ncarried out"), (std::vector<std::string>{"planned", "carried out"}));
    EXPECT_EQ(caption_items("C:\\temp\\x"), (std::vector<std::string>{"C:\\temp\\x"}));
}

}  // namespace
}  // namespace planek
