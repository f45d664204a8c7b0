// The small decisions of the main window and the start that need no window system.
#include <gtest/gtest.h>

#include "shell/Arguments.h"
#include "shell/DialogFilter.h"
#include "shell/InstallationCheck.h"
#include "shell/LaunchState.h"
#include "shell/PictureFileKind.h"
#include "shell/RecentFiles.h"

namespace slanter {
namespace {

using Words = std::vector<std::string>;

TEST(PictureFileKind, ExtensionBmpInAnyCaseIsABitmap) {
    EXPECT_EQ(KindOfChosenFile("/p/a.bmp"), PictureFileKind::Bitmap);
    EXPECT_EQ(KindOfChosenFile("/p/A.BMP"), PictureFileKind::Bitmap);
    EXPECT_EQ(KindOfChosenFile("/p/x.ico.Bmp"), PictureFileKind::Bitmap);
    EXPECT_EQ(KindOfChosenFile("relative.bmp"), PictureFileKind::Bitmap);
}

TEST(PictureFileKind, IcoInAnyCaseIsAnIconAndEverythingElseNoPicture) {
    EXPECT_EQ(KindOfChosenFile("/p/a.ico"), PictureFileKind::Icon);
    EXPECT_EQ(KindOfChosenFile("/p/a.ICO"), PictureFileKind::Icon);
    EXPECT_EQ(KindOfChosenFile("/p/picture.bmp.txt"), PictureFileKind::Other);
    EXPECT_EQ(KindOfChosenFile("/p/a.png"), PictureFileKind::Other);
    EXPECT_EQ(KindOfChosenFile("/p/bmp"), PictureFileKind::Other);
    // A folder's extension is not the file's.
    EXPECT_EQ(KindOfChosenFile("/p/set.bmp/picture"), PictureFileKind::Other);
    EXPECT_EQ(KindOfChosenFile(""), PictureFileKind::Other);
}

TEST(PictureFileKind, AnExtensionTheDecoderReadsIsAPictureBmpAndIcoKeepTheirRoads) {
    const Words decoded{"bmp", "ico", "png", "jpeg", "webp"};
    EXPECT_EQ(KindOfChosenFile("/p/a.png", decoded), PictureFileKind::Picture);
    EXPECT_EQ(KindOfChosenFile("/p/A.JPEG", decoded), PictureFileKind::Picture);
    EXPECT_EQ(KindOfChosenFile("/p/a.bmp", decoded), PictureFileKind::Bitmap);
    EXPECT_EQ(KindOfChosenFile("/p/a.Ico", decoded), PictureFileKind::Icon);
    // The old not-a-bitmap cases stay: what the decoder does not name.
    EXPECT_EQ(KindOfChosenFile("/p/picture.bmp.txt", decoded), PictureFileKind::Other);
    EXPECT_EQ(KindOfChosenFile("/p/png", decoded), PictureFileKind::Other);
    EXPECT_EQ(KindOfChosenFile("/p/set.png/picture", decoded), PictureFileKind::Other);
    EXPECT_EQ(KindOfChosenFile("/p/a.png", {}), PictureFileKind::Other);
}

TEST(DialogFilter, ASaveDialogEntryOfOneExtensionGivesItToATypedName) {
    EXPECT_EQ(DialogEntrySuffix("PNG Files (*.png)", "bmp"), "png");
    EXPECT_EQ(DialogEntrySuffix("Bitmap Files (*.bmp)", "x"), "bmp");
    EXPECT_EQ(DialogEntrySuffix("All Files (*)", "bmp"), "bmp");
    EXPECT_EQ(DialogEntrySuffix("Pictures (*.png *.jpg)", "bmp"), "bmp");
    EXPECT_EQ(DialogEntrySuffix("Odd (*.*)", "bmp"), "bmp");
    EXPECT_EQ(DialogEntrySuffix("No patterns", "bmp"), "bmp");
}

TEST(DialogFilter, TheEntryOfAnOfferedFormatIsTheFirstOfItsOnePattern) {
    const std::string filter = "Bitmap (*.bmp)|*.bmp|PNG (*.png)|*.PNG|Both|*.bmp;*.png";
    EXPECT_EQ(FilterPlaceOf(filter, "png"), 1);
    EXPECT_EQ(FilterPlaceOf(filter, "bmp"), 0);
    EXPECT_EQ(FilterPlaceOf(filter, "gif"), 0);
    EXPECT_EQ(FilterPlaceOf(filter, "pn"), 0);
}

TEST(RecentFiles, TheNewestFirstARepeatMovedUpAtMostEight) {
    Words list;
    for (const char* name : {"a", "b", "c", "b"})
        list = WithRecentFile(list, name);
    EXPECT_EQ(list, (Words{"b", "c", "a"}));
    for (const char* name : {"f0", "f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9"})
        list = WithRecentFile(list, name);
    EXPECT_EQ(list, (Words{"f9", "f8", "f7", "f6", "f5", "f4", "f3", "f2"}));
    // Names the store cannot hold leave the list alone.
    EXPECT_EQ(WithRecentFile({"a"}, ""), Words{"a"});
    EXPECT_EQ(WithRecentFile({"a"}, "two\nlines"), Words{"a"});
    EXPECT_EQ(WithoutRecentFile({"a", "b", "c"}, "b"), (Words{"a", "c"}));
}

TEST(RecentFiles, AStoredListIsCleanedAndCaptionsShowAmpersands) {
    EXPECT_EQ(CleanRecentFiles({"a", "", "b", "a", "c", "d", "e", "f", "g", "h", "i"}),
              (Words{"a", "b", "c", "d", "e", "f", "g", "h"}));
    EXPECT_EQ(RecentFileCaption(0, "/p/a&b.png"), "&1 /p/a&&b.png");
    EXPECT_EQ(RecentFileCaption(7, "x"), "&8 x");
}

TEST(Arguments, SwitchesAnywhereAndInAnyCaseThePictureBesideThem) {
    const Words words{"/english", "/home/me/a.bmp", "/REGISTRYX", "b.ico", "/Japanese"};
    EXPECT_EQ(SwitchWords(words), (Words{"/english", "/REGISTRYX", "/Japanese"}));
    EXPECT_EQ(PictureWords(words), (Words{"/home/me/a.bmp", "b.ico"}));
}

TEST(Arguments, AFolderNamedLikeASwitchIsNoSwitch) {
    EXPECT_FALSE(IsSwitchWord("/home/me/english/a.bmp"));
    EXPECT_FALSE(IsSwitchWord("photos/registry.bmp"));
    EXPECT_FALSE(IsSwitchWord("/ENGLIS"));
    EXPECT_TRUE(IsSwitchWord("/registry"));
}

TEST(Arguments, AWordNamingAnExistingFileIsAPictureEvenWhenItBeginsLikeASwitch) {
    const auto existing = [](const std::string& word) { return word == "/Japanese-pics/a.bmp"; };
    const Words words{"/Japanese-pics/a.bmp", "/Japanese-pics/gone.bmp", "/english"};
    EXPECT_EQ(PictureWords(words, existing), (Words{"/Japanese-pics/a.bmp"}));
    EXPECT_EQ(SwitchWords(words, existing), (Words{"/Japanese-pics/gone.bmp", "/english"}));
    // The file system decides by default: a switch names no file here.
    EXPECT_TRUE(IsSwitchWord("/JAPANESE"));
}

TEST(LaunchState, ShowCommandsMapToWindowStates) {
    for (const int minimized : {2, 6, 7})
        EXPECT_EQ(LaunchStateOf(minimized), LaunchState::Minimized) << minimized;
    EXPECT_EQ(LaunchStateOf(3), LaunchState::Maximized);
    for (const int normal : {-1, 0, 1, 4, 5, 8, 9, 10, 11})
        EXPECT_EQ(LaunchStateOf(normal), LaunchState::Normal) << normal;
}

TEST(DialogFilter, PairsBecomeEntriesAndStarDotStarMeansEveryFile) {
    EXPECT_EQ(DialogNameFilters("Bitmap Files (*.bmp)|*.bmp|All Files (*.*)|*.*"),
              (Words{"Bitmap Files (*.bmp) (*.bmp)", "All Files (*.*) (*)"}));
    EXPECT_EQ(DialogNameFilters("Pictures|*.bmp;*.ico"), (Words{"Pictures (*.bmp *.ico)"}));
    // A description without its pattern is left out.
    EXPECT_EQ(DialogNameFilters("Pictures|*.bmp|Lonely"), (Words{"Pictures (*.bmp)"}));
    EXPECT_TRUE(DialogNameFilters("").empty());
}

TEST(InstallationCheck, EachCodecTheProgramNeedsIsLookedFor) {
    const Words all{"bmp", "gif", "ico", "png"};
    EXPECT_FALSE(InstallationProblem(false, "Bit Map Slanter", all, {"bmp"}));
    EXPECT_EQ(InstallationProblem(false, "Bit Map Slanter", {"bmp", "png"}, {"bmp"}),
              "Bit Map Slanter cannot start: its installation is damaged.\r\n"
              "No reader for ICO pictures was found.\r\n"
              "Please install the program again.");
    EXPECT_EQ(InstallationProblem(true, "Bit Map Slanter", all, {"png"}),
              "Bit Map Slanter のインストールが壊れているため、起動できません。\r\n"
              "BMP 画像の書き込み部品が見つかりません。\r\n"
              "もう一度インストールしてください。");
    EXPECT_TRUE(InstallationProblem(false, "T", {"ico"}, {"bmp"}));
}

} // namespace
} // namespace slanter
