// The decoder over the Windows Imaging Component, under wine, against the files that
// Pillow and ImageMagick wrote before the run (bitmap/decoders/foreign_pictures.py, the files the
// decoder over Qt is held to as well).
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"
#include "bitmap/TextLanguage.h"
#include "bitmap/WideName.h"
#include "bitmap/WorkingPicture.h"
#include "support/ForeignPictures.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

std::string Made(const std::string& name) {
    return std::string(SLANTER_WIC_PICTURES) + "/" + name;
}

TEST(WicPictureDecoder, EveryFormatOpensAsTheWorkingPictureItsWriterDecodes) {
    struct Case {
        const char* file;
        int bits;
    };
    testing::TempFolder folder;
    for (const Case& c :
         {Case{"palette.png", 8}, Case{"palette.gif", 8},        Case{"rgba.png", 24},
          Case{"grey.png", 24},   Case{"deep.png", 24},          Case{"picture.tif", 24},
          Case{"v5.bmp", 24},     Case{"alpha32.bmp", 24},       Case{"topdown.bmp", 24},
          Case{"icon.ico", 24},   Case{"picture.ppm", 24},       Case{"grey.pgm", 24},
          Case{"mono.pbm", 8},    Case{"palette.tga", 8},        Case{"palette-rle.tga", 8},
          Case{"rgb.tga", 24},    Case{"top-rle.tga", 24},       Case{"rgba-rle.tga", 24},
          Case{"grey.tga", 24},   Case{"magick-palette.tga", 8}, Case{"magick-grey.tga", 24},
          Case{"five15.tga", 24}, Case{"five16.tga", 24},        Case{"mono.xbm", 8},
          Case{"magick.xbm", 8},  Case{"magick.wbmp", 8},        Case{"magick.xpm", 8},
          Case{"named.xpm", 8}}) {
        SCOPED_TRACE(c.file);
        THandyBitmap picture;
        ASSERT_EQ(LoadWorkingPicture(Made(c.file), picture), "");
        EXPECT_EQ(picture.biBitCount(), c.bits);
        EXPECT_EQ(picture.PaletteCount() > 0, c.bits == 8);
        const testing::ForeignPicture expected =
            testing::ReadForeignPicture(Made(std::string(c.file) + ".ref"));
        EXPECT_EQ(testing::FirstDifference(picture, expected, false), "");
        ASSERT_TRUE(picture.SaveToFile(folder.Path("working.bmp"))) << picture.ErrorText();
        THandyBitmap again;
        ASSERT_TRUE(again.LoadFromFile(folder.Path("working.bmp"))) << again.ErrorText();
        EXPECT_EQ(testing::FirstDifference(again, expected, false), "");
    }
}

// WIC gives a compressed BMP file's palette indices as colours; the working picture is
// indexed again, with the pixels the same picture has uncompressed.
TEST(WicPictureDecoder, ACompressedBmpFileKeepsEightBitsAndItsPixels) {
    const std::string suite = std::string(SLANTER_FIXTURES_DIR) + "/bmpsuite/g/";
    for (const char* file : {"pal8rle.bmp", "pal4rle.bmp"}) {
        SCOPED_TRACE(file);
        THandyBitmap compressed;
        THandyBitmap plain;
        ASSERT_EQ(LoadWorkingPicture(suite + file, compressed), "");
        ASSERT_TRUE(plain.LoadFromFile(suite + (file[3] == '8' ? "pal8.bmp" : "pal4.bmp")));
        EXPECT_EQ(compressed.biBitCount(), 8);
        EXPECT_GT(compressed.PaletteCount(), 0);
        ASSERT_EQ(compressed.biWidth(), plain.biWidth());
        ASSERT_EQ(compressed.biHeight(), plain.biHeight());
        for (std::int32_t y = 0; y < plain.biHeight(); ++y)
            for (std::int32_t x = 0; x < plain.biWidth(); ++x)
                ASSERT_EQ(compressed.GetPixelColor(x, y), plain.GetPixelColor(x, y))
                    << x << "," << y;
    }
}

// Decoders of JPEG round their colour conversion and upsampling each their own way: wine's
// is held to Pillow's within a few levels.
TEST(WicPictureDecoder, ASmoothJpegOpensAsPillowSeesItWithinAFewLevels) {
    THandyBitmap picture;
    ASSERT_EQ(LoadWorkingPicture(Made("smooth.jpg"), picture), "");
    EXPECT_EQ(picture.biBitCount(), 24);
    const testing::ForeignPicture expected = testing::ReadForeignPicture(Made("smooth.jpg.ref"));
    ASSERT_EQ(picture.biWidth(), expected.width);
    ASSERT_EQ(picture.biHeight(), expected.height);
    int most = 0;
    long total = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const std::int32_t color = picture.GetPixelColor(x, expected.height - 1 - y);
            for (int c = 0; c < 3; ++c) {
                const int difference = std::abs((color >> (8 * c) & 255) -
                                                expected.rgb[(y * expected.width + x) * 3 + c]);
                most = std::max(most, difference);
                total += difference;
            }
        }
    }
    EXPECT_LE(most, 8);
    EXPECT_LT(total, 3L * expected.width * expected.height);
}

// WIC turns nothing by itself; the picture is turned as the Linux decoders turn it. JPEG
// pictures of noise are held to Pillow's on average: the two decoders' upsampling differs
// by many levels at single pixels, a wrong turn by half the range everywhere.
TEST(WicPictureDecoder, EveryFormatThatRecordsACamerasTurnIsShownTurned) {
    for (int orientation = 1; orientation <= 8; ++orientation) {
        for (const char* extension : {".jpg", ".png", ".tif"}) {
            const std::string file = "turned" + std::to_string(orientation) + extension;
            SCOPED_TRACE(file);
            THandyBitmap picture;
            ASSERT_EQ(DecodePictureFile(Made(file), picture), "");
            const testing::ForeignPicture expected =
                testing::ReadForeignPicture(Made(file + ".ref"));
            ASSERT_EQ(picture.biWidth(), expected.width);
            ASSERT_EQ(picture.biHeight(), expected.height);
            long total = 0;
            for (int y = 0; y < expected.height; ++y)
                for (int x = 0; x < expected.width; ++x)
                    for (int c = 0; c < 3; ++c)
                        total += std::abs(
                            (picture.GetPixelColor(x, expected.height - 1 - y) >> (8 * c) & 255) -
                            expected.rgb[(y * expected.width + x) * 3 + c]);
            EXPECT_LE(total, extension[1] == 'j' ? 20L * 3 * expected.width * expected.height : 0)
                << total;
            std::int32_t width = 0;
            std::int32_t height = 0;
            EXPECT_EQ(DecodedPictureSize(Made(file), width, height), "");
            EXPECT_EQ(width, expected.width);
            EXPECT_EQ(height, expected.height);
        }
    }
}

// The size comes from the header: a file cut short in its pixels still tells it.
TEST(WicPictureDecoder, TheSizeIsReadWithoutThePixels) {
    testing::TempFolder folder;
    const testing::Bytes whole = testing::ReadBytes(Made("turned6.tif"));
    const std::string cut = folder.Path("cut.tif");
    testing::WriteBytes(cut, testing::Bytes(whole.begin(), whole.begin() + whole.size() / 2));
    THandyBitmap picture;
    EXPECT_NE(DecodePictureFile(cut, picture), "");
    std::int32_t width = 0;
    std::int32_t height = 0;
    ASSERT_EQ(DecodedPictureSize(Made("turned6.tif"), width, height), "");
    const std::int32_t turned[] = {width, height};
    EXPECT_EQ(DecodedPictureSize(cut, width, height), "");
    EXPECT_EQ(width, turned[0]);
    EXPECT_EQ(height, turned[1]);
}

// The size read from the headers alone is the decoded picture's, for our own readers and
// WIC's alike: over every file of the test data and every foreign format.
TEST(WicPictureDecoder, EveryDecodedPicturesSizeIsTheOneItsHeadersGive) {
    std::size_t decoded = 0;
    for (const std::string& folder : {std::string(SLANTER_FIXTURES_DIR), Made("")}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file() || entry.path().extension() == ".ref")
                continue;
            const std::string file = entry.path().string();
            THandyBitmap picture;
            if (!DecodePictureFile(file, picture).empty())
                continue;
            std::int32_t width = 0;
            std::int32_t height = 0;
            EXPECT_EQ(DecodedPictureSize(file, width, height), "") << file;
            EXPECT_EQ(width, picture.biWidth()) << file;
            EXPECT_EQ(height, picture.biHeight()) << file;
            ++decoded;
        }
    }
    EXPECT_GE(decoded, 100u);
}

// Names are UTF-8 on Windows too, for our own decoders and for WIC.
TEST(WicPictureDecoder, AFileWhoseNameIsNotAsciiOpens) {
    testing::TempFolder folder;
    for (const char* file : {"topdown.bmp", "picture.ppm", "rgba.png"}) {
        const std::string name = folder.Path("\xe7\x94\xbb\xe5\x83\x8f-" + std::string(file));
        std::filesystem::copy_file(Made(file), std::filesystem::path(WideName(name)));
        THandyBitmap picture;
        EXPECT_EQ(DecodePictureFile(name, picture), "") << file;
        EXPECT_GT(picture.biWidth(), 0) << file;
    }
}

TEST(WicPictureDecoder, APictureBeyondTheRecordsSizeIsRefusedBeforeItIsDecoded) {
    THandyBitmap picture;
    EXPECT_EQ(DecodePictureFile(Made("huge.png"), picture), "image too large");
}

TEST(WicPictureDecoder, NamesTheFormatsOfTheIssue) {
    const std::vector<std::string> formats = DecodedExtensions();
    for (const char* format :
         {"bmp", "png", "jpg", "jpeg", "gif", "tif", "tiff", "ico", "tga", "xbm", "xpm", "wbmp"})
        EXPECT_NE(std::find(formats.begin(), formats.end(), format), formats.end()) << format;
    EXPECT_TRUE(DecodesOtherFormats());
}

// Cut short, with a wrong first byte, missing: each is refused with a reason, and the
// record holds no picture after it.
TEST(WicPictureDecoder, DamagedAndMissingFilesGiveAReason) {
    const std::string corpus = std::string(SLANTER_FIXTURES_DIR) + "/picture-corpus/";
    for (const char* file : {"short.png", "magic.png", "short.jpg", "magic.jpg", "short.tif",
                             "header.tif", "short.gif", "magic.gif"}) {
        THandyBitmap picture;
        const std::string reason = LoadWorkingPicture(corpus + file, picture);
        EXPECT_NE(reason, "") << file;
        if (!reason.empty()) {
            EXPECT_EQ(picture.CellRow(0), nullptr) << file << ": " << reason;
        }
    }
    THandyBitmap picture;
    EXPECT_EQ(DecodePictureFile(corpus + "no-such-file.png", picture),
              "can't open " + corpus + "no-such-file.png");
    EXPECT_EQ(LoadWorkingPicture(corpus + "short-v5.bmp", picture), "illegal bfSize");
}

// WIC's own errors are numbers and English, and it shows a JPEG damaged in its data grey:
// a cut PNG, JPEG or GIF, a PNG too short for the rows it claims, a JPEG damaged in its middle
// and an empty file get the reasons the other platform's decoders give, in the run's
// language.
TEST(WicPictureDecoder, CutDamagedAndEmptyFilesGiveTheDecodersReasonsInTheRunsLanguage) {
    const testing::TempFolder folder;
    const std::string empty = folder.Path("empty.png");
    testing::WriteBytes(empty, {});
    testing::Bytes jpeg = testing::ReadBytes(Made("photo.jpg"));
    ASSERT_GT(jpeg.size(), 1300u);
    for (std::size_t k = 0; k < 400; ++k)
        jpeg[800 + k] = static_cast<std::uint8_t>(k * 37);
    const std::string damaged = folder.Path("damaged.jpg");
    testing::WriteBytes(damaged, jpeg);
    const std::string corpus = std::string(SLANTER_FIXTURES_DIR) + "/picture-corpus/";
    struct Case {
        std::string file;
        const char* english;
        const char* japanese;
    };
    const char* cutEnglish = "the file ends before its picture does";
    const char* cutJapanese = "ファイルが画像の途中で終わっています";
    for (const Case& c :
         {Case{corpus + "short.png", cutEnglish, cutJapanese},
          Case{Made("claims.png"), cutEnglish, cutJapanese},
          Case{corpus + "short.jpg", cutEnglish, cutJapanese},
          Case{corpus + "short.gif", cutEnglish, cutJapanese},
          Case{damaged, "the picture's data is damaged", "画像のデータが壊れています"},
          Case{empty, "the file is no picture of a format this program reads",
               "このプログラムが読める形式"}}) {
        for (const bool japanese : {false, true}) {
            Japanese = japanese;
            THandyBitmap picture;
            const std::string reason = DecodePictureFile(c.file, picture);
            Japanese = false;
            EXPECT_EQ(reason.rfind(japanese ? c.japanese : c.english, 0), 0u)
                << c.file << ": " << reason;
            EXPECT_EQ(picture.biWidth(), 0) << c.file;
        }
    }
}

std::string Kept(const std::string& name) {
    return std::string(SLANTER_TESTDATA_DIR) + "/kept/" + name;
}

// tests/bitmap/kept_pictures.py made transparent.png from these formulas, and deep.png
// with high byte k and low byte k + d in each sample.
TEST(WicPictureDecoder, ATransparentPngKeepsItsStraightColoursAndOpacity) {
    THandyBitmap picture;
    ASSERT_EQ(LoadWorkingPicture(Kept("transparent.png"), picture), "");
    const KeptLayer& kept = picture.Kept();
    ASSERT_TRUE(kept.HasPixels());
    EXPECT_TRUE(kept.HasAlpha());
    int wrong = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) {
            const int alpha = std::vector<int>{0, 255, 128, 255, 40}[(x / 3 + y / 4) % 5];
            const KeptPixel pixel = kept.Pixels()[(15 - y) * 24 + x];
            wrong += KeptChannel(pixel, 3) != std::uint32_t(alpha) ||
                     (alpha != 0 &&
                      pixel != MakeKeptPixel(x * 10 % 256, y * 15 % 256, x * y % 256, alpha));
        }
    EXPECT_EQ(wrong, 0);
}

TEST(WicPictureDecoder, ASixteenBitPngKeepsItsSixteenBits) {
    THandyBitmap picture;
    ASSERT_EQ(LoadWorkingPicture(Kept("deep.png"), picture), "");
    ASSERT_EQ(picture.Kept().ChannelBits(), 16);
    const KeptPixel first = picture.Kept().Pixels()[15 * 24];
    // Pixel (0, 0): k = 0, 30, 60 and d = 0, 1, 2.
    EXPECT_EQ(first, MakeKeptPixel(0, 257 * 30 + 1, 257 * 60 + 2, 0xFFFF));
}

TEST(WicPictureDecoder, APngsColourProfileIsKept) {
    THandyBitmap picture;
    ASSERT_EQ(LoadWorkingPicture(Kept("profiled.png"), picture), "");
    const std::vector<std::uint8_t>& profile = picture.Kept().Profile();
    ASSERT_GT(profile.size(), 128u);
    EXPECT_EQ(std::string(profile.begin() + 36, profile.begin() + 40), "acsp");
}

} // namespace
} // namespace slanter
