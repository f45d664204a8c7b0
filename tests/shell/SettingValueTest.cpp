#include <gtest/gtest.h>

#include "shell/SettingValue.h"

namespace slanter {
namespace {

using Kind = SettingValue::Kind;

TEST(SettingValue, LiteralsKeepTheirKind) {
    EXPECT_EQ(SettingValue("Normal").kind(), Kind::Text);
    EXPECT_EQ(SettingValue(50).kind(), Kind::Integer);
    EXPECT_EQ(SettingValue(true).kind(), Kind::Boolean);
    EXPECT_EQ(SettingValue(0.5).kind(), Kind::Floating);
    EXPECT_EQ(SettingValue().kind(), Kind::Empty);
}

TEST(SettingValue, StoredTexts) {
    EXPECT_EQ(StoredSettingText(-5), "-5");
    EXPECT_EQ(StoredSettingText(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(StoredSettingText(true), "1");
    EXPECT_EQ(StoredSettingText(false), "0");
    EXPECT_EQ(StoredSettingText("C:\\a b"), "C:\\a b");
    EXPECT_EQ(StoredSettingText(SettingValue()), std::nullopt);
}

TEST(SettingValue, FloatingTextHasWidth23AndFourExponentDigits) {
    EXPECT_EQ(FloatingSettingText(1.5), " 1.50000000000000E+0000");
    EXPECT_EQ(FloatingSettingText(-0.001), "-1.00000000000000E-0003");
    EXPECT_EQ(FloatingSettingText(1e300), " 1.00000000000000E+0300");
    EXPECT_EQ(FloatingSettingText(0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(FloatingSettingText(2.0 / 3.0), " 6.66666666666667E-0001");
}

TEST(SettingValue, IntegerTextsThatConvert) {
    EXPECT_EQ(StoredSettingInteger("0x20"), 32);
    EXPECT_EQ(StoredSettingInteger("0X1f"), 31);
    EXPECT_EQ(StoredSettingInteger("$FF"), 255);
    EXPECT_EQ(StoredSettingInteger("-$10"), -16);
    EXPECT_EQ(StoredSettingInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(StoredSettingInteger("+7"), 7);
    EXPECT_EQ(StoredSettingInteger("007"), 7);
    EXPECT_EQ(StoredSettingInteger("0"), 0);
    EXPECT_EQ(StoredSettingInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StoredSettingInteger("2147483647"), 2147483647);
}

TEST(SettingValue, IntegerTextsThatDoNotConvert) {
    for (const char* text : {"", "abc", "12a", " 5", "5 ", "-", "$", "0x", "0xZZ", "0x-5", "0x$1",
                             "2147483648", "-2147483649", "$100000000", "1.5", "true"})
        EXPECT_EQ(StoredSettingInteger(text), std::nullopt) << text;
}

TEST(SettingValue, ReadRulesByTheKindOfTheDefault) {
    EXPECT_EQ(SettingFromStoredText(100, "0x20"), SettingValue(32));
    EXPECT_EQ(SettingFromStoredText(100, "letters"), SettingValue(100));
    EXPECT_EQ(SettingFromStoredText(100, std::nullopt), SettingValue(100));

    EXPECT_EQ(SettingFromStoredText(false, "2"), SettingValue(true));
    EXPECT_EQ(SettingFromStoredText(true, "0"), SettingValue(false));
    EXPECT_EQ(SettingFromStoredText(false, "1"), SettingValue(true));
    EXPECT_EQ(SettingFromStoredText(true, "1"), SettingValue(true));
    EXPECT_EQ(SettingFromStoredText(true, "yes"), SettingValue(true));
    EXPECT_EQ(SettingFromStoredText(false, std::nullopt), SettingValue(false));

    EXPECT_EQ(SettingFromStoredText("Normal", "Maximized"), SettingValue("Maximized"));
    EXPECT_EQ(SettingFromStoredText("Normal", std::nullopt), SettingValue("Normal"));
    EXPECT_EQ(SettingFromStoredText(1.5, std::nullopt), SettingValue(" 1.50000000000000E+0000"));
    EXPECT_EQ(SettingFromStoredText(1.5, "2"), SettingValue("2"));

    EXPECT_EQ(SettingFromStoredText(SettingValue(), "5"), SettingValue());
}

} // namespace
} // namespace slanter
