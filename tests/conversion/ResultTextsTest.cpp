#include <gtest/gtest.h>

#include "conversion/ResultSaveFilter.h"
#include "conversion/ResultTexts.h"

namespace slanter {
namespace {

TEST(ResultTexts, InformationOfASmoothedTwentyFourBitResultInBothLanguages) {
    EXPECT_EQ(ResultInfoText(false, true, true, true, 320, 200, 24),
              "Horizontal\r\nRight Up\r\nSmoothing On\r\n\r\n320 dots in width\r\n"
              "200 dots in height\r\n16777216 colors\r\n");
    EXPECT_EQ(ResultInfoText(true, true, true, true, 320, 200, 24),
              "横ならび\r\n右上がり\r\nスムージングした\r\n\r\n幅 320ドット\r\n"
              "高さ 200ドット\r\n16777216色\r\n");
}

TEST(ResultTexts, InformationFollowsArrangementTiltSmoothingAndDepth) {
    EXPECT_EQ(ResultInfoText(false, false, false, false, 7, 9, 8),
              "Vertical\r\nLeft Up\r\nSmoothing Off\r\n\r\n7 dots in width\r\n"
              "9 dots in height\r\n256 colors\r\n");
    EXPECT_EQ(ResultInfoText(true, false, false, false, 7, 9, 1),
              "縦ならび\r\n左上がり\r\nスムージングしない\r\n\r\n幅 7ドット\r\n"
              "高さ 9ドット\r\n2色\r\n");
    EXPECT_NE(ResultInfoText(false, true, true, false, 1, 1, 4).find("\r\n16 colors\r\n"),
              std::string::npos);
    EXPECT_NE(ResultInfoText(false, true, true, false, 1, 1, 16).find("\r\n65536 colors\r\n"),
              std::string::npos);
}

TEST(ResultTexts, CaptionsAndFileNamesCarryTheSerialNumber) {
    EXPECT_EQ(NumberedCaption("完成画像", 3), "完成画像(3)");
    EXPECT_EQ(NumberedCaption("Converted", 12), "Converted(12)");
    EXPECT_EQ(ResultFileName(1), "Temp0001.bmp");
    EXPECT_EQ(ResultFileName(12), "Temp0012.bmp");
    EXPECT_EQ(ResultFileName(9999), "Temp9999.bmp");
    // From the 10000th conversion the names come round, the first being the working file's.
    EXPECT_EQ(ResultFileName(10000), "Temp0000.bmp");
    EXPECT_EQ(ResultFileName(10001), "Temp0001.bmp");
}

TEST(ResultTexts, FailuresNameTheFileAndTheReasonInJapanese) {
    EXPECT_EQ(ResultNotWrittenText(true, "/t/Temp0001.bmp", "can't create /t/Temp0001.bmp"),
              "/t/Temp0001.bmp に、\r\n変換した画像を書き込めません。\r\n"
              "(can't create /t/Temp0001.bmp)\r\n");
    EXPECT_EQ(ResultNotReadText(true, "/t/Temp0001.bmp", "Unable to read image data"),
              "/t/Temp0001.bmp から、\r\n変換した画像を読み込めません。\r\n"
              "(Unable to read image data)\r\n");
    EXPECT_EQ(TileTooLargeText(true, 9874, 7291, 24),
              "この模様の画像 (9874 x 7291ドット, 24ビット) は大きすぎて、\r\n"
              "ビットマップファイルに書き込めません。\r\n"
              "(画素のデータが 4294967241 バイトを超えます)\r\n");
    EXPECT_EQ(ResultNotSavedText(true, "/u/a.bmp"),
              "/u/a.bmp に、\r\n保存することができません。\r\n");
}

TEST(ResultTexts, ATypedExtensionDecidesTheFormatAndAnotherIsRefusedInBothLanguages) {
    EXPECT_EQ(SavedFormatOf("/u/a.BMP"), SavedFormat::Bmp);
    EXPECT_EQ(SavedFormatOf("/u/a.Png"), SavedFormat::Png);
    EXPECT_EQ(SavedFormatOf("/u.png/a"), SavedFormat::Bmp);
    EXPECT_EQ(SavedFormatOf("/u/wrong.jpg"), SavedFormat::Refused);
    EXPECT_EQ(UnsavableExtensionText(true, "/u/wrong.jpg"),
              "/u/wrong.jpg には、\r\n保存できません。\r\n"
              "保存できるのは .bmp と .png のファイルです。\r\n");
    EXPECT_EQ(ResultNotSavedText(true, "/u/a.bmp", "No space left on device"),
              "/u/a.bmp に、\r\n保存することができません。\r\n(No space left on device)\r\n");
}

} // namespace
} // namespace slanter
