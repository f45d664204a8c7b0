#include "shell/IconChoice.h"

#include <vector>

#include <gtest/gtest.h>

namespace slanter {
namespace {

int Chosen(const std::vector<int>& sides, int wanted) {
    int best = sides.front();
    for (int side : sides) {
        if (IsCloserIconSide(side, best, wanted))
            best = side;
    }
    return best;
}

TEST(IconChoiceTest, ExactThenNextLargerThenLargestSmaller) {
    EXPECT_EQ(Chosen({16, 256, 32, 48, 24}, 32), 32);
    EXPECT_EQ(Chosen({16, 256, 64, 48, 24}, 32), 48);
    EXPECT_EQ(Chosen({256, 64, 48}, 32), 48);
    EXPECT_EQ(Chosen({16, 24, 20}, 32), 24);
    // The order the file lists its images in does not matter.
    EXPECT_EQ(Chosen({24, 48, 16}, 32), Chosen({16, 48, 24}, 32));
}

} // namespace
} // namespace slanter
