#include "editing/panel_names.h"

#include <gtest/gtest.h>

namespace planek {
namespace {

TEST(PanelNames, RoundTripOfBothKinds) {
    EXPECT_EQ(duty_panel_name(3, 14, 2), "p3_14_2");
    EXPECT_EQ(day_off_panel_name(12, 0), "u12_0");
    const auto p = parse_panel_name("p3_14_2");
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->duty);
    EXPECT_EQ(p->worker, 3);
    EXPECT_EQ(p->day, 14);
    EXPECT_EQ(p->position, 2);
    const auto u = parse_panel_name("u12_0");
    ASSERT_TRUE(u);
    EXPECT_FALSE(u->duty);
    EXPECT_EQ(u->worker, 12);
    EXPECT_EQ(u->day, 0);
}

TEST(PanelNames, AnythingElseIsNoPanel) {
    for (const char* bad : {"p_temp", "d", "w", "", "p", "p3_14", "u3_14_2", "p3_14_2_1", "px_1_2", "p3__2",
                            "p-1_2_3", "u3_", "x3_4", "p3_14_99999999"})
        EXPECT_FALSE(parse_panel_name(bad)) << bad;
}

}  // namespace
}  // namespace planek
