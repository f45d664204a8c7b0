#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "shell/ConversionGuard.h"

namespace slanter {
namespace {

TEST(ConversionGuard, AStopWithoutAConversionRunsItsFollowUpAtOnce) {
    int ran = 0;
    StopConversions([&] { ++ran; });
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(ConversionStopRequested());
}

TEST(ConversionGuard, AStopWaitsForTheLastConversionAndIsThenForgotten) {
    std::vector<int> ran;
    std::optional<ConversionRunning> outer(std::in_place);
    {
        const ConversionRunning inner;
        StopConversions([&] { ran.push_back(1); });
        StopConversions([&] { ran.push_back(2); });
        EXPECT_TRUE(ConversionStopRequested());
    }
    // One conversion still runs: it must stop too, and nothing has followed yet.
    EXPECT_TRUE(ConversionStopRequested());
    EXPECT_TRUE(ran.empty());
    outer.reset();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_FALSE(ConversionStopRequested());
    // The next conversion starts free of the old request.
    const ConversionRunning next;
    EXPECT_FALSE(ConversionStopRequested());
}

} // namespace
} // namespace slanter
