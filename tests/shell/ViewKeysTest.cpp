#include <gtest/gtest.h>

#include "shell/ViewKeys.h"

namespace slanter {
namespace {

TEST(ViewKeys, HomeAndEndGoToTheSidesAndWithControlToTheCorners) {
    const ScrollPosition now{30, 40};
    const ScrollPosition last{100, 200};
    EXPECT_EQ(ViewKeyTarget(ViewKey::Home, now, last), (ScrollPosition{0, 40}));
    EXPECT_EQ(ViewKeyTarget(ViewKey::End, now, last), (ScrollPosition{100, 40}));
    EXPECT_EQ(ViewKeyTarget(ViewKey::ControlHome, now, last), (ScrollPosition{0, 0}));
    EXPECT_EQ(ViewKeyTarget(ViewKey::ControlEnd, now, last), last);
}

TEST(ViewKeys, AViewThatCannotScrollSidewaysTakesHomeAndEndUpAndDown) {
    EXPECT_EQ(ViewKeyTarget(ViewKey::Home, {0, 40}, {0, 200}), (ScrollPosition{0, 0}));
    EXPECT_EQ(ViewKeyTarget(ViewKey::End, {0, 40}, {0, 200}), (ScrollPosition{0, 200}));
}

} // namespace
} // namespace slanter
