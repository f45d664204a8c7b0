#include <gtest/gtest.h>

#include <filesystem>

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

} // namespace
} // namespace slanter
