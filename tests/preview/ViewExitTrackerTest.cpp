#include <gtest/gtest.h>

#include "preview/ViewExitTracker.h"

namespace slanter {
namespace {

// Copies 10 x 10, upright, in a view of -20..20.
PreviewSpace SquareCopies() {
    PreviewSpace space;
    space.U = {10, 0};
    space.Q = {0, 10};
    space.R = 20;
    return space;
}

TEST(ViewExitTracker, SidesCountOnlyWhenAllFourCornersAreStrictlyBeyond) {
    const PreviewSpace space = SquareCopies();
    const ViewExitTracker tracker(space);
    EXPECT_EQ(tracker.SidesBeyond({-35, 0}), kExitLeft);
    EXPECT_EQ(tracker.SidesBeyond({-30, 0}), 0); // its right side lies on the edge
    EXPECT_EQ(tracker.SidesBeyond({-30.001, 0}), kExitLeft);
    EXPECT_EQ(tracker.SidesBeyond({20.001, 0}), kExitRight);
    EXPECT_EQ(tracker.SidesBeyond({20, 0}), 0);
    EXPECT_EQ(tracker.SidesBeyond({0, 25}), kExitAbove);
    EXPECT_EQ(tracker.SidesBeyond({0, -31}), kExitBelow);
    EXPECT_EQ(tracker.SidesBeyond({-40, -40}), kExitLeft | kExitBelow);
    EXPECT_EQ(tracker.SidesBeyond({25, 25}), kExitRight | kExitAbove);
    EXPECT_EQ(tracker.SidesBeyond({-5, -5}), 0);
}

TEST(ViewExitTracker, AfterAResetTheFirstCopyOutsideCountsThenOnlyTheOppositeSide) {
    const PreviewSpace space = SquareCopies();
    ViewExitTracker tracker(space);
    EXPECT_FALSE(tracker.RectPassedView(false, {-5, -5})); // inside
    EXPECT_EQ(tracker.ExitSides(), 0);
    EXPECT_TRUE(tracker.RectPassedView(false, {0, 25})); // first one out: above
    EXPECT_EQ(tracker.ExitSides(), kExitAbove);
    EXPECT_FALSE(tracker.RectPassedView(false, {25, 0})); // right is not below
    EXPECT_FALSE(tracker.RectPassedView(false, {0, 30})); // above again
    EXPECT_EQ(tracker.ExitSides(), kExitAbove);
    EXPECT_TRUE(tracker.RectPassedView(false, {-40, -40})); // below, with left as well
    EXPECT_EQ(tracker.ExitSides(), kExitLeft | kExitBelow);
    EXPECT_TRUE(tracker.RectPassedView(false, {25, 0})); // right answers the recorded left
    EXPECT_EQ(tracker.ExitSides(), kExitRight);
    EXPECT_TRUE(tracker.RectPassedView(false, {-35, 0}));
    EXPECT_EQ(tracker.ExitSides(), kExitLeft);

    EXPECT_FALSE(tracker.RectPassedView(true, {-35, 0})); // a reset only forgets
    EXPECT_EQ(tracker.ExitSides(), 0);
    EXPECT_TRUE(tracker.RectPassedView(false, {-35, 0}));
    EXPECT_EQ(tracker.ExitSides(), kExitLeft);
}

} // namespace
} // namespace slanter
