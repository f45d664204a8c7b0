#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "shell/ConversionGuard.h"

namespace slanter {
namespace {

TEST(ConversionGuard, AStopWithoutAConversionRunsItsFollowUpAtOnce) {
    ConversionGuard guard;
    int ran = 0;
    guard.Stop([&] { ++ran; });
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(guard.StopRequested());
}

TEST(ConversionGuard, AStopWaitsForTheLastConversionAndIsThenForgotten) {
    ConversionGuard guard;
    std::vector<int> ran;
    std::optional<ConversionGuard::Running> outer(std::in_place, guard);
    {
        const ConversionGuard::Running inner(guard);
        guard.Stop([&] { ran.push_back(1); });
        guard.Stop([&] { ran.push_back(2); });
        EXPECT_TRUE(guard.StopRequested());
    }
    // One conversion still runs: it must stop too, and nothing has followed yet.
    EXPECT_TRUE(guard.StopRequested());
    EXPECT_TRUE(ran.empty());
    outer.reset();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_FALSE(guard.StopRequested());
    // The next conversion starts free of the old request.
    const ConversionGuard::Running next(guard);
    EXPECT_FALSE(guard.StopRequested());
}

} // namespace
} // namespace slanter
