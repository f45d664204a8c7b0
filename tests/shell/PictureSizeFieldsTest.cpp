#include "shell/PictureSizeFields.h"

#include <gtest/gtest.h>

namespace slanter {
namespace {

TEST(PictureSizeFields, APercentTakesAPointOrACommaAndAtMostTwoDecimals) {
    EXPECT_EQ(FieldValueFromText(SizeField::Percent, "12.5"), 1250);
    EXPECT_EQ(FieldValueFromText(SizeField::Percent, "33,33"), 3333);
    EXPECT_EQ(FieldValueFromText(SizeField::Percent, "1.234"), std::nullopt);
    EXPECT_EQ(FieldValueFromText(SizeField::Percent, "1e3"), std::nullopt);
    EXPECT_EQ(FieldValueFromText(SizeField::Percent, "10000.01"), std::nullopt);
    EXPECT_EQ(FieldValueFromText(SizeField::Percent, "0"), std::nullopt);
}

TEST(PictureSizeFields, ASideIsDigitsFromOneToAHundredThousand) {
    EXPECT_EQ(FieldValueFromText(SizeField::Width, "100000"), 100000);
    EXPECT_EQ(FieldValueFromText(SizeField::Height, "100001"), std::nullopt);
    EXPECT_EQ(FieldValueFromText(SizeField::Width, "0"), std::nullopt);
    EXPECT_EQ(FieldValueFromText(SizeField::Width, "-5"), std::nullopt);
    EXPECT_EQ(FieldValueFromText(SizeField::Width, ""), std::nullopt);
}

TEST(PictureSizeFields, APercentShowsTwoDecimals) {
    EXPECT_EQ(FieldText(SizeField::Percent, 3200), "32.00");
    EXPECT_EQ(FieldText(SizeField::Percent, 5), "0.05");
    EXPECT_EQ(FieldText(SizeField::Height, 1080), "1080");
}

TEST(PictureSizeFields, EachFieldGivesTheSizeTheOthersShow) {
    // A 6000 x 4000 photo: 1920 wide is 1280 high and 32 %.
    const TPoint photo{6000, 4000};
    const TPoint size = SizeOfField(photo, SizeField::Width, 1920);
    EXPECT_EQ(size, (TPoint{1920, 1280}));
    EXPECT_EQ(FieldValue(photo, SizeField::Percent, size), 3200);
    EXPECT_EQ(SizeOfField(photo, SizeField::Height, 1080), (TPoint{1620, 1080}));
    EXPECT_EQ(SizeOfField(photo, SizeField::Percent, 1250), (TPoint{750, 500}));
    EXPECT_EQ(FieldValue(photo, SizeField::Height, size), 1280);
}

} // namespace
} // namespace slanter
