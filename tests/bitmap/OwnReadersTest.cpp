#include "bitmap/decoders/OwnReaders.h"

#include <gtest/gtest.h>

#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

TEST(OwnReaders, AFileIsOursByItsFirstBytesWhateverItsName) {
    const testing::TempFolder folder;
    const std::string bmp = folder.Path("named.png");
    ASSERT_TRUE(testing::PatternedBitmap(8, 3, 2).SaveToFile(bmp));
    const OwnReader* reader = OwnReaderOf(bmp);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->format, PictureFormat::Bmp);
    StoredSize size;
    EXPECT_EQ(reader->size(bmp, size), "");
    EXPECT_EQ(size.width, 3);
}

TEST(OwnReaders, PngAndAMissingFileAreLeftToTheSystem) {
    const testing::TempFolder folder;
    const std::string png = folder.Path("named.bmp");
    testing::WriteBytes(png, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13});
    EXPECT_EQ(OwnReaderOf(png), nullptr);
    EXPECT_EQ(OwnReaderOf(folder.Path("gone.bmp")), nullptr);
}

} // namespace
} // namespace slanter
