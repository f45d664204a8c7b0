#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

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

// zlib's reading of the file's IDAT chunks as one zlib stream, its checksum included:
// the filtered rows, or nothing when the stream is damaged or goes on past its end.
Bytes InflatedRows(const Bytes& png, std::size_t expected) {
    Bytes stream;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::size_t length = std::size_t{png[at]} << 24 | std::size_t{png[at + 1]} << 16 |
                                   std::size_t{png[at + 2]} << 8 | png[at + 3];
        if (std::equal(png.begin() + static_cast<std::ptrdiff_t>(at) + 4,
                       png.begin() + static_cast<std::ptrdiff_t>(at) + 8, "IDAT"))
            stream.insert(stream.end(), png.begin() + static_cast<std::ptrdiff_t>(at) + 8,
                          png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        at += 12 + length;
    }
    Bytes rows(expected + 1);
    uLongf size = static_cast<uLongf>(rows.size());
    uLong used = static_cast<uLong>(stream.size());
    if (uncompress2(rows.data(), &size, stream.data(), &used) != Z_OK || used != stream.size())
        return {};
    rows.resize(size);
    return rows;
}

// Four strips of 24-bit rows, each but the last left open for the next.
TEST(PngEncoder, ZlibReadsTheStripsAsOneStreamOfEveryRow) {
    const THandyBitmap picture = testing::PatternedBitmap(24, 1000, 1100);
    EXPECT_EQ(InflatedRows(Encoded(picture, 2), 1100 * 3001).size(), 1100u * 3001u);
}

// A single strip, the last, with one byte of pixels or less.
TEST(PngEncoder, OnePixelPicturesAreWholeFiles) {
    std::vector<THandyBitmap> written;
    for (const int bitCount : {1, 24}) {
        written.push_back(testing::PatternedBitmap(bitCount, 1, 1));
        EXPECT_EQ(InflatedRows(Encoded(written.back(), 0), 4).size(), bitCount == 1 ? 2u : 4u);
    }
#ifndef _WIN32
    testing::TempFolder folder;
    std::vector<std::string> files;
    for (const THandyBitmap& picture : written) {
        files.push_back(folder.Path(std::to_string(files.size()) + ".png"));
        ASSERT_EQ(SaveAsPng(picture, files.back()), "");
    }
    const std::vector<testing::ForeignPicture> decoded = testing::DecodeWithPillow(files, folder);
    ASSERT_EQ(decoded.size(), files.size());
    for (std::size_t k = 0; k < files.size(); ++k)
        EXPECT_EQ(testing::FirstDifference(written[k], decoded[k], false), "") << files[k];
#endif
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
