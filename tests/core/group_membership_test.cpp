#include <gtest/gtest.h>

#include "core/worker.h"

namespace planek {
namespace {

// Membership is read from the "|"-closed list as it is stored; only whole,
// closed entries count.
TEST(GroupMembership, OnlyWholeClosedEntriesCount) {
    prac w;
    w.groups = "1|22|305";  // the last entry lacks its closing bar
    EXPECT_TRUE(w.inGroup(1));
    EXPECT_TRUE(w.inGroup(22));
    EXPECT_FALSE(w.inGroup(2));
    EXPECT_FALSE(w.inGroup(305));
    EXPECT_FALSE(w.inGroup(0));

    w.groups = "05|65535|";
    EXPECT_FALSE(w.inGroup(5));
    EXPECT_TRUE(w.inGroup(65535));

    w.groups = "";
    EXPECT_FALSE(w.inGroup(1));
    w.groups = "||7|";
    EXPECT_TRUE(w.inGroup(7));
}

}  // namespace
}  // namespace planek
