#include <gtest/gtest.h>

#include "engine/ExtendedPrecision.h"

// Every test program starts as slanter-cli does, with the x87 unit at 64-bit precision.
int main(int argc, char** argv) {
    slanter::UseExtendedPrecision();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
