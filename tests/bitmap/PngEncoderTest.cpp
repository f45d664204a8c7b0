#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "bitmap/PngFile.h"
#include "bitmap/encoders/PngEncoder.h"
#include "support/ForeignPictures.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::Bytes;

Bytes Encoded(const THandyBitmap& picture, int threads) {
    Bytes out;
    PngEncoding encoding;
    encoding.threads = threads;
    const std::string problem = EncodePng(
        picture,
        [&out](const std::uint8_t* bytes, std::size_t count) {
            out.insert(out.end(), bytes, bytes + count);
            return true;
        },
        encoding);
    EXPECT_EQ(problem, "");
    return out;
}

// A picture of several strips, so that the threads have pieces to share.
TEST(PngEncoder, TheFileIsTheSameForEveryThreadCount) {
    const THandyBitmap picture = testing::PatternedBitmap(24, 1000, 1100);
    const Bytes alone = Encoded(picture, 1);
    for (const int threads : {2, 3, 8})
        EXPECT_EQ(Encoded(picture, threads), alone) << threads << " threads";
}

TEST(PngEncoder, CancellingStopsTheEncodingAndSaysSo) {
    const THandyBitmap picture = testing::PatternedBitmap(24, 1000, 1100);
    PngEncoding encoding;
    encoding.keepGoing = [](double) { return false; };
    EXPECT_EQ(EncodePng(
                  picture, [](const std::uint8_t*, std::size_t) { return true; }, encoding),
              kPngStopped);
}

#ifndef _WIN32
// Pillow is the independent decoder; the 24-bit picture spans several strips.
TEST(PngEncoder, PillowReadsOurPngsWithTheBmpPixelsAndPalette) {
    testing::TempFolder folder;
    std::vector<THandyBitmap> written;
    std::vector<std::string> files;
    for (const int bitCount : {1, 4, 8, 16, 24}) {
        const int width = bitCount == 24 ? 700 : 37;
        written.push_back(testing::PatternedBitmap(bitCount, width, bitCount == 24 ? 800 : 5));
        files.push_back(folder.Path(std::to_string(bitCount) + ".png"));
        ASSERT_EQ(SaveAsPng(written.back(), files.back()), "");
    }
    const std::vector<testing::ForeignPicture> decoded = testing::DecodeWithPillow(files, folder);
    ASSERT_EQ(decoded.size(), files.size());
    for (std::size_t k = 0; k < files.size(); ++k) {
        EXPECT_EQ(decoded[k].mode, written[k].biBitCount() <= 8 ? "P" : "RGB") << files[k];
        EXPECT_EQ(testing::FirstDifference(written[k], decoded[k], written[k].biBitCount() == 16),
                  "")
            << files[k];
    }
}
#endif

} // namespace
} // namespace slanter
