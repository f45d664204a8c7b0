#include <gtest/gtest.h>

#include "bitmap/AreaResize.h"
#include "bitmap/HandyBitmap.h"
#include "shell/TemporaryPictures.h"
#include "shell/WorkingResize.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

bool SameFile(THandyBitmap& expected, const std::string& file) {
    THandyBitmap written;
    if (!written.LoadFromFile(file) || written.biWidth() != expected.biWidth() ||
        written.biHeight() != expected.biHeight())
        return false;
    for (std::int32_t y = 0; y < written.biHeight(); ++y)
        for (std::int32_t x = 0; x < written.biWidth(); ++x)
            if (written.GetPixelColor(x, y) != expected.GetPixelColor(x, y))
                return false;
    return true;
}

TEST(WorkingResize, DownAndBackUpComesFromThePictureAsOpened) {
    const testing::TempFolder parent;
    TemporaryPictures temporary(parent.Path());
    const std::string working = temporary.WorkingFileName();
    THandyBitmap opened = testing::PatternedBitmap(24, 60, 40);
    bool written = true;
    // Its own size, never resized: nothing to write.
    EXPECT_EQ(WriteResizedWorkingFile(opened, false, {60, 40}, temporary, working, false, "a.bmp",
                                      written),
              "");
    EXPECT_FALSE(written);
    EXPECT_EQ(WriteResizedWorkingFile(opened, false, {30, 20}, temporary, working, false, "a.bmp",
                                      written),
              "");
    EXPECT_TRUE(written);
    THandyBitmap half;
    ASSERT_TRUE(AreaResize(opened, 30, 20, half));
    EXPECT_TRUE(SameFile(half, working));
    // Back to its own size: the opened picture itself, not the half grown again.
    EXPECT_EQ(WriteResizedWorkingFile(opened, true, {60, 40}, temporary, working, false, "a.bmp",
                                      written),
              "");
    EXPECT_TRUE(written);
    EXPECT_TRUE(SameFile(opened, working));
    // A working file that cannot be written names the picture, in the run's language.
    EXPECT_NE(WriteResizedWorkingFile(opened, true, {30, 20}, temporary, parent.Path(), false,
                                      "a.bmp", written)
                  .find("a.bmp"),
              std::string::npos);
    EXPECT_FALSE(written);
}

} // namespace
} // namespace slanter
