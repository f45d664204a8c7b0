#include <gtest/gtest.h>

#include "shell/DialogFilter.h"
#include "shell/MainTexts.h"

namespace slanter {
namespace {

TEST(MainTexts, OpenMessagesInBothLanguages) {
    EXPECT_EQ(NotABitmapText(false, "/p/picture.bmp.txt"),
              "/p/picture.bmp.txt\r\n is not a Bitmap Image file.");
    EXPECT_EQ(NotABitmapText(true, "/p/a.png"),
              "/p/a.png は、\r\nビットマップ画像ではありません。");
    EXPECT_EQ(CantCopyText(false, "/p/a.bmp"), "Can't copy /p/a.bmp.\r\n");
    EXPECT_EQ(CantCopyText(true, "/p/a.bmp"), "/p/a.bmp を、\r\nコピーすることができません。\r\n");
    EXPECT_EQ(InvalidFormatText(false, "/p/a.bmp", "illegal bfSize"),
              "/p/a.bmp has invalid format.\r\n(illegal bfSize)\r\n");
    EXPECT_EQ(InvalidFormatText(true, "/p/a.bmp", "header isn't \"BM\""),
              "/p/a.bmp は、\r\n扱えない形式です。\r\n(header isn't \"BM\")\r\n");
    // A picture the machine cannot hold is told apart from a damaged one.
    EXPECT_EQ(InvalidFormatText(false, "/p/a.png", "out of memory"),
              "There is not enough memory to open\r\n/p/a.png.\r\n");
    EXPECT_EQ(InvalidFormatText(true, "/p/a.png", "out of memory"),
              "/p/a.png を開くためのメモリが足りません。\r\n");
}

TEST(MainTexts, ClipboardTexts) {
    EXPECT_EQ(NoClipboardBitmapText(false), "No Bitmap Image in Clip Board.");
    EXPECT_EQ(NoClipboardBitmapText(true), "クリップボードにビットマップ画像は入っていません。");
    EXPECT_EQ(ClipboardPictureName(false), "Image from Clip Board");
    EXPECT_EQ(ClipboardPictureName(true), "クリップボードの画像");
}

TEST(MainTexts, BitmapInformationInBothLanguages) {
    EXPECT_EQ(BitmapInformationText(false, "/p/a.bmp", 640, 480, 8),
              "/p/a.bmp\r\n\r\n640 dots in width\r\n480 dots in height\r\n256 colors\r\n");
    EXPECT_EQ(BitmapInformationText(true, "クリップボードの画像", 37, 23, 24),
              "クリップボードの画像\r\n\r\n幅 37ドット\r\n高さ 23ドット\r\n16777216色\r\n");
    EXPECT_EQ(BitmapInformationCaption(false), "Bitmap Information");
    EXPECT_EQ(BitmapInformationCaption(true), "ビットマップの情報");
    EXPECT_EQ(NoPictureOpenedText(false), "No Image file has been opened yet.\r\n"
                                          "Open an Image file first, using \"File\" menu.\r\n");
    EXPECT_EQ(NoPictureOpenedText(true),
              "まだ画像ファイルを開いていません。\r\n"
              "まず「ファイル」メニューで画像ファイルを読み込んでください。\r\n");
}

TEST(MainTexts, ColorCountsOfEveryDepthAHeaderCanName) {
    EXPECT_EQ(ColorCountText(1), "2");
    EXPECT_EQ(ColorCountText(16), "65536");
    EXPECT_EQ(ColorCountText(32), "4294967296");
    EXPECT_EQ(ColorCountText(63), "9223372036854775808");
    EXPECT_EQ(ColorCountText(30000), "2^30000");
}

TEST(MainTexts, DialogFilterInBothLanguages) {
    const std::vector<std::string> readable{"tiff", "bmp",  "png", "jpg", "jpeg",
                                            "gif",  "webp", "tif", "ico"};
    const std::string all = "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.webp;*.tif;*.tiff;*.ico";
    const std::string others = "*.png;*.jpg;*.jpeg;*.gif;*.webp;*.tif;*.tiff";
    EXPECT_EQ(OpenDialogFilter(false, readable),
              "Picture Files (" + all + ")|" + all +
                  "|Bitmap Files (*.bmp)|*.bmp|PNG, JPEG, GIF, WebP, TIFF (" + others + ")|" +
                  others + "|Icon Files (*.ico)|*.ico|All Files (*.*)|*.*");
    EXPECT_EQ(OpenDialogFilter(true, readable),
              "画像ファイル (" + all + ")|" + all +
                  "|ビットマップファイル (*.bmp)|*.bmp|PNG, JPEG, GIF, WebP, "
                  "TIFF (" +
                  others + ")|" + others +
                  "|アイコンファイル (*.ico)|*.ico|すべてのファイル (*.*)|*.*");
    // Every pair splits into the entries a dialog shows.
    EXPECT_EQ(DialogNameFilters(OpenDialogFilter(false, readable)).size(), 5u);
    EXPECT_EQ(DialogNameFilters(OpenDialogFilter(true, readable)).size(), 5u);
}

TEST(MainTexts, TheDialogOffersExactlyWhatThePlatformReads) {
    EXPECT_EQ(
        OpenDialogFilter(false, {"dib", "png", "tga", "pbm", "ppm"}),
        "Picture Files (*.bmp;*.dib;*.png;*.pbm;*.ppm;*.tga)|*.bmp;*.dib;*.png;*.pbm;*.ppm;"
        "*.tga|Bitmap Files (*.bmp;*.dib)|*.bmp;*.dib|PNG, PNM, TGA (*.png;*.pbm;*.ppm;*.tga)|"
        "*.png;*.pbm;*.ppm;*.tga|All Files (*.*)|*.*");
}

TEST(MainTexts, ARecentFileThatIsGoneInBothLanguages) {
    EXPECT_EQ(
        RecentFileMissingText(false, "/p/a.png"),
        "/p/a.png\r\n can't be found.\r\nIt has been taken off the list of recent files.\r\n");
    EXPECT_EQ(RecentFileMissingText(true, "/p/a.png"),
              "/p/a.png は、\r\n見つかりません。\r\n最近使ったファイルの一覧から外しました。\r\n");
}

} // namespace
} // namespace slanter
