#include "shell/AccessKey.h"

#include <gtest/gtest.h>

namespace slanter {
namespace {

TEST(AccessKey, TheLetterAfterASingleAmpersandInUpperCase) {
    EXPECT_EQ(AccessKey(L"&Width:"), L'W');
    EXPECT_EQ(AccessKey(L"&percent"), L'P');
    EXPECT_EQ(AccessKey(L"\u5e45(&W):"), L'W');
}

TEST(AccessKey, DoubledAmpersandsShowAndMarkNothing) {
    EXPECT_EQ(AccessKey(L"Save && &Go"), L'G');
    EXPECT_EQ(AccessKey(L"R&&D"), 0);
    EXPECT_EQ(AccessKey(L"Trailing&"), 0);
    EXPECT_EQ(AccessKey(L""), 0);
}

} // namespace
} // namespace slanter
