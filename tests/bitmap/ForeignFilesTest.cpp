#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "support/ForeignPictures.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

// Pillow and ImageMagick run on Linux only. The Windows build's reader and writer are held
// to the Linux ones byte for byte by CliOutputsMatchLinux.
#ifndef _WIN32
namespace slanter {
namespace {

using testing::TempFolder;

constexpr const char* kNeeds = "needs Debian's python3-pil and imagemagick (scripts/setup)";

TEST(ForeignFiles, FilesWrittenByPillowAndImageMagickLoadWithThePixelsTheyDecode) {
    TempFolder folder;
    ASSERT_TRUE(testing::RunForeignScript({"make", folder.Path()})) << kNeeds;
    struct Made {
        const char* name;
        int bitCount;
    };
    for (const Made made : {Made{"pillow-1", 1}, Made{"pillow-8-grey", 8},
                            Made{"pillow-8-palette", 8}, Made{"pillow-24", 24}, Made{"magick-1", 1},
                            Made{"magick-4", 4}, Made{"magick-8", 8}, Made{"magick-24", 24}}) {
        const std::string name = made.name;
        THandyBitmap b;
        ASSERT_TRUE(b.LoadFromFile(folder.Path(name + ".bmp"))) << name << ": " << b.ErrorText();
        EXPECT_EQ(b.biBitCount(), made.bitCount) << name;
        EXPECT_EQ(b.PaletteCount() > 0, made.bitCount <= 8) << name;
        const testing::ForeignPicture picture =
            testing::ReadForeignPicture(folder.Path(name + ".ref"));
        EXPECT_EQ(testing::FirstDifference(b, picture, false), "") << name;
    }
    // ImageMagick stores 16 bits only with bit-field masks, and RLE when asked.
    for (const std::string name : {"magick-16", "magick-8-rle"}) {
        THandyBitmap b;
        EXPECT_FALSE(b.LoadFromFile(folder.Path(name + ".bmp"))) << name;
        EXPECT_EQ(b.ErrorText(), "compressed") << name;
    }
}

TEST(ForeignFiles, PillowReadsEveryFileWeWriteWithOurPixels) {
    TempFolder folder;
    std::vector<THandyBitmap> written;
    std::vector<std::string> files;
    for (const int bitCount : {1, 4, 8, 16, 24}) {
        for (const int width : {1, 7, 37}) {
            written.push_back(testing::PatternedBitmap(bitCount, width, 3 + width % 5));
            files.push_back(
                folder.Path(std::to_string(bitCount) + "-" + std::to_string(width) + ".bmp"));
            ASSERT_TRUE(written.back().SaveToFile(files.back())) << written.back().ErrorText();
        }
    }
    TempFolder decoded;
    const auto pictures = testing::DecodeWithPillow(files, decoded);
    ASSERT_EQ(pictures.size(), files.size()) << kNeeds;
    for (std::size_t k = 0; k < files.size(); ++k) {
        const THandyBitmap& b = written[k];
        // Pillow widens 16-bit channels to 0..255; compare the five bits we wrote.
        EXPECT_EQ(testing::FirstDifference(b, pictures[k], b.biBitCount() == 16), "") << files[k];
        if (pictures[k].mode != "P")
            continue;
        // Where Pillow keeps the indices, they are ours too.
        for (int top = 0; top < pictures[k].height; ++top)
            for (int x = 0; x < pictures[k].width; ++x)
                ASSERT_EQ(pictures[k].index[top * pictures[k].width + x],
                          b.GetPixelIndex(x, b.biHeight() - 1 - top))
                    << files[k] << " " << x << "," << top;
    }
}

// The reader and the writer move the pixel data in pieces of whole rows: pictures of
// several pieces, the last one short, come out as Pillow reads them and back in unchanged.
TEST(ForeignFiles, PicturesOfManyPiecesGoOutAndComeBackWhole) {
    TempFolder folder;
    std::vector<THandyBitmap> written;
    std::vector<std::string> files;
    for (const auto& [bitCount, width, height] :
         {std::tuple{24, 1001, 301}, std::tuple{8, 2100, 263}, std::tuple{1, 9000, 251}}) {
        written.push_back(testing::PatternedBitmap(bitCount, width, height));
        files.push_back(folder.Path(std::to_string(bitCount) + ".bmp"));
        ASSERT_TRUE(written.back().SaveToFile(files.back())) << written.back().ErrorText();
    }
    TempFolder decoded;
    const auto pictures = testing::DecodeWithPillow(files, decoded);
    ASSERT_EQ(pictures.size(), files.size()) << kNeeds;
    for (std::size_t k = 0; k < files.size(); ++k) {
        const THandyBitmap& b = written[k];
        EXPECT_EQ(testing::FirstDifference(b, pictures[k], false), "") << files[k];
        THandyBitmap loaded;
        ASSERT_TRUE(loaded.LoadFromFile(files[k])) << loaded.ErrorText();
        for (int y = 0; y < b.biHeight(); ++y)
            for (int x = 0; x < b.biWidth(); ++x)
                ASSERT_EQ(loaded.GetPixelColor(x, y), b.GetPixelColor(x, y)) << files[k];
    }
}

} // namespace
} // namespace slanter
#endif
