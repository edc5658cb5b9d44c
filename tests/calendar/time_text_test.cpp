#include "calendar/time_text.h"

#include <gtest/gtest.h>

namespace planek {
namespace {

TEST(H2min, ReadsTypedTimes) {
    EXPECT_EQ(h2min("7:35"), 455);
    EXPECT_EQ(h2min("-1:30"), -90);
    EXPECT_EQ(h2min("8"), 480);
    EXPECT_EQ(h2min(""), 0);
    EXPECT_EQ(h2min("   "), 0);
    EXPECT_EQ(h2min(":"), 0);
    EXPECT_EQ(h2min("12:5"), 725);
    EXPECT_EQ(h2min("+2:00"), 120);
    EXPECT_EQ(h2min(" 07:35 "), 455);
    EXPECT_EQ(h2min(":30"), 30);
    EXPECT_EQ(h2min("3:"), 180);
    EXPECT_EQ(h2min("1:305"), 90);  // only two characters after the colon
    EXPECT_EQ(h2min("546:07"), 32767);
    EXPECT_EQ(h2min("-546:08"), -32768);
}

TEST(H2min, RejectsWhatIsNotATime) {
    for (const char* bad : {"abc", "7:xx", "7.5", "1,5", "-", "--1:30", "1:-5", "546:08", "99999999999"}) {
        EXPECT_THROW(h2min(bad), time_text_error) << bad;
        EXPECT_FALSE(try_h2min(bad).has_value()) << bad;
    }
    try {
        h2min("7:xx");
    } catch (const time_text_error& e) {
        EXPECT_EQ(e.text(), "7:xx");
    }
    EXPECT_EQ(try_h2min("7:35"), 455);
}

TEST(Min2h, TextFormat) {
    EXPECT_EQ(min2h(0, "txt", true), "0");
    EXPECT_EQ(min2h(0, "txt", false), "");
    EXPECT_EQ(min2h(455, "txt"), "07:35");
    EXPECT_EQ(min2h(1440, "txt", true, true), "24:00");
    EXPECT_EQ(min2h(2880, "txt", true, true), "24:00");
    EXPECT_EQ(min2h(1500, "txt", true, true), "01:00");
    EXPECT_EQ(min2h(1500, "txt", true, false), "25:00");
    EXPECT_EQ(min2h(-90, "txt"), "-01:30");
    EXPECT_EQ(min2h(9100, "txt"), "151:40");
    EXPECT_EQ(min2h(9600, "txt"), "160:00");
    EXPECT_EQ(min2h(455, "txt."), "07.35");
}

TEST(Min2h, DecimalHoursWithCommaSeparator) {
    EXPECT_EQ(min2h(90, "txt#"), "1,50");
    EXPECT_EQ(min2h(455, "txt#"), "7,58");
    EXPECT_EQ(min2h(455, "htm#"), "7,58");
    EXPECT_EQ(min2h(480, "txt,"), "8,00");
    EXPECT_EQ(min2h(59, "txt#"), "0,98");
    EXPECT_EQ(min2h(-90, "txt#"), "-1,50");
    EXPECT_EQ(min2h(9100, "txt#"), "151,67");
    EXPECT_EQ(min2h(0, "txt#", false), "");
}

TEST(Min2h, HtmlFormat) {
    EXPECT_EQ(min2h(480, "htm"), "8");
    EXPECT_EQ(min2h(450, "htm"), "7<sup>30</sup>");
    EXPECT_EQ(min2h(425, "htm"), "7<sup>05</sup>");
    EXPECT_EQ(min2h(0, "htm", false), "&nbsp;");
    EXPECT_EQ(min2h(0, "htm", true), "0");
    EXPECT_EQ(min2h(-450, "htm"), "-7<sup>30</sup>");
}

TEST(TimeText, RoundTripOverTheTypedRange) {
    for (int m = -32768; m <= 32767; m += 7)
        ASSERT_EQ(h2min(min2h(m, "txt")), m) << m;
}

}  // namespace
}  // namespace planek
