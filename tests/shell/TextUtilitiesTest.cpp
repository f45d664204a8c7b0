#include <gtest/gtest.h>

#include "shell/TextUtilities.h"

namespace slanter {
namespace {

// Shift-JIS bytes: 表 is 95 5C and ソ is 83 5C (second byte = backslash), 示 is 8E A6,
// half-width katakana ｱ is the single byte B1.
const std::string kHyou = "\x95\x5C";
const std::string kSo = "\x83\x5C";
const std::string kJi = "\x8E\xA6";

TEST(ShiftJisText, LeadBytesAreExactlyTheTwoRanges) {
    EXPECT_FALSE(IsLeadByte(0x80));
    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0x9F));
    EXPECT_FALSE(IsLeadByte(0xA0));
    EXPECT_FALSE(IsLeadByte(0xB1));
    EXPECT_FALSE(IsLeadByte(0xDF));
    EXPECT_TRUE(IsLeadByte(0xE0));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0xFD));
    EXPECT_FALSE(IsLeadByte('\\'));
}

TEST(ShiftJisText, ASecondByteEqualToTheBackslashIsNoBackslash) {
    // C:<表>\x : the first real backslash is the fourth character.
    const std::string folder = "C:" + kHyou + "\\x";
    EXPECT_EQ(MBPos("\\", folder), 4);
    EXPECT_EQ(MBPos("\\", kHyou + kSo), 0);
    EXPECT_EQ(MBCopy(folder, 1, 3), "C:" + kHyou);
    EXPECT_EQ(MBCopyFrom(folder, 5), "x");
    // Single bytes around the lead ranges do not swallow the backslash after them.
    EXPECT_EQ(MBPos("\\", "\xB1\\"), 2);
    EXPECT_EQ(MBPos("\\", "\xA0\\"), 2);
    EXPECT_EQ(MBPos("\\", "\xFD\\"), 2);
    EXPECT_EQ(MBPos("\\", "\xFC\\"), 0);
}

TEST(ShiftJisText, MatchesBeginOnlyAtCharacterBoundaries) {
    // ソフ is 83 5C 83 74; the bytes 5C 83 occur, but from inside ソ.
    const std::string sofu = kSo + "\x83\x74";
    EXPECT_EQ(MBPos("\x5C\x83", sofu), 0);
    EXPECT_EQ(MBPos("\x83\x74", sofu), 2);
    EXPECT_EQ(MBPos(kJi, kHyou + kJi + kJi), 2);
    EXPECT_EQ(MBPos("a", kHyou + kJi + "ba"), 4);
    EXPECT_EQ(MBPos("", "abc"), 0);
    EXPECT_EQ(MBPos("abcd", "abc"), 0);
}

TEST(ShiftJisText, CopyCountsDoubleByteCharactersAsOne) {
    const std::string text = "a" + kHyou + kJi + "b"; // four characters, six bytes
    EXPECT_EQ(MBCopy(text, 2, 1), kHyou);
    EXPECT_EQ(MBCopy(text, 2, 2), kHyou + kJi);
    EXPECT_EQ(MBCopy(text, 3, 9), kJi + "b");
    EXPECT_EQ(MBCopy(text, 4, 1), "b");
    EXPECT_EQ(MBCopy(text, 5, 1), "");
    EXPECT_EQ(MBCopy(text, 1, 0), "");
    EXPECT_EQ(MBCopyFrom(text, 3), kJi + "b");
    EXPECT_EQ(MBCopyFrom(text, 1), text);
    EXPECT_EQ(MBCopyFrom(text, 5), "");
}

TEST(ShiftJisText, ALeadByteAtTheEndStandsAlone) {
    const std::string text = "a" + kJi + "\x95"; // ends inside a character
    EXPECT_EQ(MBCopy(text, 3, 1), "\x95");
    EXPECT_EQ(MBCopy(text, 2, 5), kJi + "\x95");
    EXPECT_EQ(MBCopyFrom(text, 3), "\x95");
    EXPECT_EQ(MBCopyFrom(text, 4), "");
    EXPECT_EQ(MBPos("\x95", text), 3);
    EXPECT_EQ(MBPos("\x95\x5C", text), 0);
}

// UTF-8 bytes: ぁ is E3 81 81, whose last byte is a Shift-JIS lead byte; ā is C4 81.
const std::string kSmallA = "\xE3\x81\x81";

TEST(Utf8Text, ABackslashAfterACharacterEndingIn0x81IsABackslash) {
    // Read as Shift-JIS, the 81 would take the backslash after it as its second byte.
    const std::string folder = "C:\\" + kSmallA + "\\\xC4\x81\\x";
    EXPECT_EQ(MBPos("\\", folder, CodePage::ShiftJis), 3);
    EXPECT_EQ(MBPos("\\", folder.substr(3), CodePage::ShiftJis), 0);
    EXPECT_EQ(MBPos("\\", folder.substr(3), CodePage::Utf8), 2);
    EXPECT_EQ(MBCopy(folder, 4, 3, CodePage::Utf8), kSmallA + "\\\xC4\x81");
    EXPECT_EQ(MBCopyFrom(folder, 8, CodePage::Utf8), "x");
    EXPECT_EQ(MBPos("x", folder, CodePage::SingleByte), 11);
}

TEST(Utf8Text, ACutOrBrokenSequenceEndsWhereItsBytesStop) {
    EXPECT_EQ(CharacterLength("\xF0\x9F\x98\x80", 0, CodePage::Utf8), 4u);
    EXPECT_EQ(CharacterLength("\xE3\x81", 0, CodePage::Utf8), 2u); // cut by the end
    EXPECT_EQ(CharacterLength("\xE3\\a", 0, CodePage::Utf8), 1u);  // no continuation
    EXPECT_EQ(CharacterLength("\x81\\", 0, CodePage::Utf8), 1u);   // a stray continuation
    EXPECT_EQ(CharacterLength("\xC0\x81", 0, CodePage::Utf8), 1u); // never a lead byte
}

TEST(Utf8Text, WindowsCodePagesMapToTheirRules) {
    EXPECT_EQ(CodePageOfWindows(932), CodePage::ShiftJis);
    EXPECT_EQ(CodePageOfWindows(65001), CodePage::Utf8);
    EXPECT_EQ(CodePageOfWindows(1252), CodePage::SingleByte);
}

TEST(RightStr, CountsBytes) {
    EXPECT_EQ(RightStr("10012", 4), "0012");
    EXPECT_EQ(RightStr("ab", 4), "ab");
    EXPECT_EQ(RightStr("ab", 2), "ab");
    EXPECT_EQ(RightStr("ab", 0), "");
    EXPECT_EQ(RightStr("ab", -3), "");
    EXPECT_EQ(RightStr("x" + kHyou, 1), "\x5C");
}

TEST(UpperCaseAscii, ChangesOnlyAsciiLetters) {
    EXPECT_EQ(UpperCaseAscii("/japanese z{"), "/JAPANESE Z{");
    EXPECT_EQ(UpperCaseAscii("\xE6\x97\xA5\xC3\xA9"), "\xE6\x97\xA5\xC3\xA9");
}

TEST(SplitAt, KeepsEmptyParts) {
    EXPECT_EQ(SplitAt("a||b|", '|'), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(SplitAt("ab", '|'), (std::vector<std::string>{"ab"}));
}

} // namespace
} // namespace slanter
