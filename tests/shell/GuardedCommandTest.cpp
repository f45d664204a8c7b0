#include "shell/GuardedCommand.h"

#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace slanter {
namespace {

TEST(GuardedCommand, AFailureIsReportedByItsTextAndEndsOnlyThatCommand) {
    std::vector<std::string> reported;
    const auto report = [&](const std::string& text) { reported.push_back(text); };
    int steps = 0;
    EXPECT_FALSE(RunReporting(
        [&] {
            ++steps;
            throw std::runtime_error("disk full");
        },
        report));
    EXPECT_TRUE(RunReporting([&] { ++steps; }, report));
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(reported, std::vector<std::string>{"disk full"});
}

} // namespace
} // namespace slanter
