#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/ResultFileName.h"
#include "conversion/SaveFolderChoice.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

TEST(SaveFolderChoice, TheFolderLastSavedToWinsThenThePicturesOwn) {
    const testing::TempFolder temp;
    const std::string saved = temp.Path("saved") + "/";
    const std::string pictures = temp.Path("pictures") + "/";
    std::filesystem::create_directory(temp.Path("saved"));
    std::filesystem::create_directory(temp.Path("pictures"));
    EXPECT_EQ(SaveDialogFolder(saved, pictures + "photo.png"), saved);
    EXPECT_EQ(SaveDialogFolder("", pictures + "photo.png"), pictures);
    // A folder removed since is passed over.
    EXPECT_EQ(SaveDialogFolder(temp.Path("gone") + "/", pictures + "photo.png"), pictures);
    // The clipboard's picture has no folder: the platform chooses.
    EXPECT_EQ(SaveDialogFolder("", ""), "");
}

TEST(ResultFileName, ThePicturesNameWithoutFolderOrExtensionThenTheAngle) {
    EXPECT_EQ(SuggestedResultName("/home/u/photo.jpg", 31.3712, "png"), "photo-31.37deg.png");
    EXPECT_EQ(SuggestedResultName("C:\\Pictures\\my.photo.v2.bmp", 7.005, "bmp"),
              "my.photo.v2-7.00deg.bmp");
    EXPECT_EQ(SuggestedResultName("/p/.hidden", 45, "png"), ".hidden-45.00deg.png");
    EXPECT_EQ(SuggestedResultName("", 4.26, "bmp"), "tile-4.26deg.bmp");
}

} // namespace
} // namespace slanter
