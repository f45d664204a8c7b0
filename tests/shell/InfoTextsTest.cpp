#include <gtest/gtest.h>

#include "shell/InfoTexts.h"

namespace slanter {
namespace {

TEST(InfoTexts, VersionNumberShowsTheMinorWithTwoDigits) {
    EXPECT_EQ(VersionNumberText(3, 0, 2), "Ver.3.00  Rev.2");
    EXPECT_EQ(VersionNumberText(3, 5, 2), "Ver.3.05  Rev.2");
    EXPECT_EQ(VersionNumberText(1, 12, 10), "Ver.1.12  Rev.10");
}

TEST(InfoTexts, VersionBoxInBothLanguages) {
    EXPECT_EQ(VersionInfoText(false, "Bitmap Image Modifying Tool", "Bit Map Slanter", "Slanter", 3,
                              0, 2),
              "Version Information\n\nBitmap Image Modifying Tool\n"
              "Bit Map Slanter (Slanter)  Ver.3.00  Rev.2");
    EXPECT_EQ(VersionInfoText(true, "画像を斜めに貼り付けられるようにするソフト", "Bit Map Slanter",
                              "Slanter", 3, 5, 2),
              "バージョン情報\n\n画像を斜めに貼り付けられるようにするソフト\n"
              "Bit Map Slanter (Slanter)  Ver.3.05  Rev.2");
}

TEST(InfoTexts, VersionBoxLeavesOutANameEqualToTheTitleIgnoringCase) {
    EXPECT_EQ(VersionInfoText(false, "D", "Bit Map Slanter", "BIT MAP SLANTER", 3, 0, 2),
              "Version Information\n\nD\nBit Map Slanter  Ver.3.00  Rev.2");
}

TEST(InfoTexts, CopyrightPointsToTheTextFileOnlyWhenItExists) {
    EXPECT_EQ(CopyrightText(false, "/tools/SlanterE.txt", true),
              "Copyright Information\r\nCopyright (C) TAMRI Lab. All rights reserved.\r\n\r\n"
              "See /tools/SlanterE.txt for detail.");
    EXPECT_EQ(CopyrightText(false, "/tools/SlanterE.txt", false),
              "Copyright Information\r\nCopyright (C) TAMRI Lab. All rights reserved.");
    EXPECT_EQ(CopyrightText(true, "/tools/Slanter.txt", true),
              "著作権情報\r\nCopyright (C) TAMRI Lab. All rights reserved.\r\n\r\n"
              "詳細は /tools/Slanter.txt をご覧ください。");
}

TEST(InfoTexts, HelpNotFound) {
    EXPECT_EQ(HelpNotFoundText(false, "/tools/SlanterE.hlp"), "/tools/SlanterE.hlp is not found.");
    EXPECT_EQ(HelpNotFoundText(true, "/tools/Slanter.hlp"),
              "/tools/Slanter.hlp が見つかりません。");
}

} // namespace
} // namespace slanter
