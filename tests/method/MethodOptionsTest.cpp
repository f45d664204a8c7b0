#include <gtest/gtest.h>

#include "method/MethodOptions.h"

namespace slanter {
namespace {

TEST(MethodOptions, StoredTextsKeepTheirOwnSpellings) {
    EXPECT_EQ(StoredOptionText(kRowSetting, true), "Horizontal");
    EXPECT_EQ(StoredOptionText(kRowSetting, false), "Vertical");
    EXPECT_EQ(StoredOptionText(kRotationSetting, true), "Anti-Clockwize");
    EXPECT_EQ(StoredOptionText(kRotationSetting, false), "Clockwize");
    EXPECT_EQ(StoredOptionText(kSmoothingSetting, true), "OFF");
    EXPECT_EQ(StoredOptionText(kSmoothingSetting, false), "ON");
    EXPECT_EQ(StoredOptionText(kSortSetting, true), "Angle");
    EXPECT_EQ(StoredOptionText(kSortSetting, false), "Area");
}

TEST(MethodOptions, OnlyTheFirstTextItselfChecksTheFirstButton) {
    EXPECT_TRUE(FirstButtonChosen(kRowSetting, "Horizontal"));
    EXPECT_FALSE(FirstButtonChosen(kRowSetting, "Vertical"));
    // Any other text, however near, means the second button.
    EXPECT_FALSE(FirstButtonChosen(kRowSetting, "horizontal"));
    EXPECT_FALSE(FirstButtonChosen(kRowSetting, "Horizontal "));
    EXPECT_FALSE(FirstButtonChosen(kRowSetting, ""));
    EXPECT_FALSE(FirstButtonChosen(kRotationSetting, "Anti-Clockwise"));
    EXPECT_TRUE(FirstButtonChosen(kRotationSetting, "Anti-Clockwize"));
    EXPECT_FALSE(FirstButtonChosen(kSmoothingSetting, "off"));
    EXPECT_FALSE(FirstButtonChosen(kSortSetting, "1"));
}

TEST(MethodOptions, StoredWidthsOutsideTheHeadersRangeAreBroughtIntoIt) {
    EXPECT_EQ(ColumnWidthFromStore(50), 50);
    EXPECT_EQ(ColumnWidthFromStore(0), 0);
    EXPECT_EQ(ColumnWidthFromStore(-5), 0);
    EXPECT_EQ(ColumnWidthFromStore(10000), 10000);
    EXPECT_EQ(ColumnWidthFromStore(2147483647), 10000);
}

} // namespace
} // namespace slanter
