// The decoders against files that Pillow and ImageMagick wrote, and slanter-cli's
// PNG output against Pillow's reading of the BMP result.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CliRun.h"
#include "bitmap/ExifOrientation.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"
#include "bitmap/WorkingPicture.h"
#include "shell/General.h"
#include "support/BlockPicture.h"
#include "support/BmpBuilder.h"
#include "support/DecodeTwice.h"
#include "support/ForeignPictures.h"
#include "support/ReferenceTable.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

class PictureDecoder : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        made_ = std::make_unique<TempFolder>();
        const std::string command = std::string(SLANTER_PYTHON) + " '" + SLANTER_FOREIGN_PICTURES +
                                    "' make '" + made_->Path() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    static void TearDownTestSuite() { made_.reset(); }
    static std::string Made(const std::string& name) { return made_->Path(name); }

    static std::unique_ptr<TempFolder> made_;
    TempFolder folder;
};

std::unique_ptr<TempFolder> PictureDecoder::made_;

std::string Words(const cli::CliRun& run) {
    return "exit " + std::to_string(run.code) + ": " + run.err;
}

TEST_F(PictureDecoder, EveryFormatOpensAsTheWorkingPictureItsWriterDecodes) {
    struct Case {
        const char* file;
        int bits;
    };
    for (const Case& c :
         {Case{"palette.png", 8},        Case{"palette.gif", 8},      Case{"rgba.png", 24},
          Case{"grey.png", 24},          Case{"deep.png", 24},        Case{"photo.jpg", 24},
          Case{"lossless.webp", 24},     Case{"picture.tif", 24},     Case{"v5.bmp", 24},
          Case{"alpha32.bmp", 24},       Case{"topdown.bmp", 24},     Case{"trns16.png", 24},
          Case{"planar16.tif", 24},      Case{"cmyk.tif", 24},        Case{"cmyk.jpg", 24},
          Case{"picture.ppm", 24},       Case{"grey.pgm", 24},        Case{"mono.pbm", 8},
          Case{"palette.tga", 8},        Case{"palette-rle.tga", 8},  Case{"rgb.tga", 24},
          Case{"top-rle.tga", 24},       Case{"rgba-rle.tga", 24},    Case{"grey.tga", 24},
          Case{"magick-palette.tga", 8}, Case{"magick-grey.tga", 24}, Case{"five15.tga", 24},
          Case{"five16.tga", 24},        Case{"mono.xbm", 8},         Case{"magick.xbm", 8},
          Case{"magick.wbmp", 8},        Case{"magick.xpm", 8},       Case{"named.xpm", 8},
          Case{"many.xpm", 24},          Case{"png.icns", 24},        Case{"packed.icns", 24},
          Case{"icon.ico", 24},          Case{"bmp-icon.ico", 24}}) {
        SCOPED_TRACE(c.file);
        THandyBitmap picture;
        ASSERT_EQ(LoadWorkingPicture(Made(c.file), picture), "");
        EXPECT_EQ(picture.biBitCount(), c.bits);
        EXPECT_EQ(picture.PaletteCount() > 0, c.bits == 8);
        const testing::ForeignPicture expected =
            testing::ReadForeignPicture(Made(std::string(c.file) + ".ref"));
        EXPECT_EQ(testing::FirstDifference(picture, expected, false), "");
        // The working file the desktop program writes, and reads back with its own reader.
        ASSERT_TRUE(picture.SaveToFile(folder.Path("working.bmp"))) << picture.ErrorText();
        THandyBitmap again;
        ASSERT_TRUE(again.LoadFromFile(folder.Path("working.bmp"))) << again.ErrorText();
        EXPECT_EQ(testing::FirstDifference(again, expected, false), "");
    }
}

TEST_F(PictureDecoder, EveryFormatThatRecordsACamerasTurnIsShownTurned) {
    for (int orientation = 1; orientation <= 8; ++orientation) {
        for (const char* extension : {".jpg", ".png", ".webp", ".tif"}) {
            const std::string file = "turned" + std::to_string(orientation) + extension;
            SCOPED_TRACE(file);
            THandyBitmap picture;
            ASSERT_EQ(DecodePictureFile(Made(file), picture), "");
            EXPECT_EQ(testing::FirstDifference(
                          picture, testing::ReadForeignPicture(Made(file + ".ref")), false),
                      "");
            // The container walk the Windows decoder turns by finds the same block.
            const testing::Bytes bytes = testing::ReadBytes(Made(file));
            EXPECT_EQ(FileOrientation([&](std::uint64_t at, std::size_t count, std::uint8_t* into) {
                          if (at > bytes.size() || count > bytes.size() - at)
                              return false;
                          std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), count, into);
                          return true;
                      }),
                      orientation);
        }
    }
}

TEST_F(PictureDecoder, APictureBeyondTheRecordsSizeIsRefusedBeforeItIsDecoded) {
    THandyBitmap picture;
    EXPECT_EQ(DecodePictureFile(Made("huge.png"), picture), "image too large");
}

TEST_F(PictureDecoder, ThePlatformNamesTheFormatsOfTheIssue) {
    const std::vector<std::string> formats = DecodedExtensions();
    for (const char* format : {"bmp", "png", "jpg", "jpeg", "gif", "webp", "tif", "tiff", "ppm"})
        EXPECT_NE(std::find(formats.begin(), formats.end(), format), formats.end()) << format;
    EXPECT_TRUE(DecodesOtherFormats());
}

// Every damaged file is refused with a reason or, where the decoder makes something of
// it, gives a picture our writer and reader take; none may crash (the sanitized build
// runs this too). The BMP fuzzing corpus goes through the same road.
TEST_F(PictureDecoder, MalformedFilesOfEveryFormatGiveAReasonOrAPicture) {
    std::vector<std::string> files;
    for (const char* corpus : {"/picture-corpus", "/bmp-corpus"})
        for (const auto& entry : fs::directory_iterator(std::string(SLANTER_FIXTURES_DIR) + corpus))
            files.push_back(entry.path().string());
    ASSERT_GT(files.size(), 90u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        THandyBitmap picture;
        if (LoadWorkingPicture(file, picture).empty()) {
            EXPECT_TRUE(picture.SaveToFile(folder.Path("again.bmp"))) << picture.ErrorText();
        }
    }
    // Cut short or with a wrong first byte, each format says why.
    for (const char* file : {"short.png", "magic.png", "short.jpg", "magic.jpg", "short.webp",
                             "magic.webp", "short.tif", "header.tif", "short.gif"}) {
        THandyBitmap picture;
        EXPECT_NE(LoadWorkingPicture(std::string(SLANTER_FIXTURES_DIR) + "/picture-corpus/" + file,
                                     picture),
                  "")
            << file;
    }
    // A damaged BMP file keeps the reader's own text.
    THandyBitmap picture;
    EXPECT_EQ(LoadWorkingPicture(std::string(SLANTER_FIXTURES_DIR) + "/picture-corpus/short-v5.bmp",
                                 picture),
              "illegal bfSize");
}

std::string CorpusFile(const std::string& name) {
    return std::string(SLANTER_FIXTURES_DIR) + "/picture-corpus/" + name;
}

bool StartsWith(const std::string& text, const std::string& head) {
    return text.rfind(head, 0) == 0;
}

// libjpeg and giflib would fill what is missing with grey; libpng stops early.
TEST_F(PictureDecoder, AFileCutShortIsRefusedWithItsReasonInTheRunsLanguage) {
    for (const char* file : {"short.png", "short.jpg", "short.gif", "short.webp", "short.tif"}) {
        THandyBitmap picture;
        EXPECT_TRUE(StartsWith(DecodePictureFile(CorpusFile(file), picture),
                               "the file ends before its picture does"))
            << file;
        EXPECT_EQ(picture.biWidth(), 0) << file;
    }
    Japanese = true;
    THandyBitmap picture;
    const std::string reason = DecodePictureFile(CorpusFile("short.jpg"), picture);
    Japanese = false;
    EXPECT_TRUE(StartsWith(reason, "ファイルが画像の途中で終わっています")) << reason;
}

// The formats of our own readers, cut in half: refused, never a picture half made up. A
// WBMP file, having no signature, is then no longer known for one.
TEST_F(PictureDecoder, OurOwnReadersRefuseAFileCutShort) {
    for (const char* name :
         {"rgb.tga", "top-rle.tga", "palette-rle.tga", "named.xpm", "magick.xbm", "magick.wbmp"}) {
        const testing::Bytes whole = testing::ReadBytes(Made(name));
        const std::string cut = folder.Path(std::string("cut-") + name);
        testing::WriteBytes(cut, testing::Bytes(whole.begin(), whole.begin() + whole.size() / 2));
        THandyBitmap picture;
        const std::string reason = DecodePictureFile(cut, picture);
        EXPECT_TRUE(StartsWith(reason, std::string(name) == "magick.wbmp"
                                           ? "the file is no picture of a format"
                                           : "the file ends before its picture does"))
            << name << ": " << reason;
    }
}

// TGA and WBMP files have no signature: files of no format the program reads stay so.
TEST_F(PictureDecoder, AFileOfNoFormatReadIsTakenForNoFormatWithoutASignature) {
    const std::string text = folder.Path("notes.txt");
    testing::WriteBytes(text, {'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e', '\n'});
    THandyBitmap picture;
    EXPECT_TRUE(StartsWith(DecodePictureFile(text, picture), "the file is no picture"));
}

// A 2 x 2 icon of 8 bits whose mask clears its bottom-left pixel: the pixel shows white.
TEST_F(PictureDecoder, AnIconsMaskLaysItsClearPixelsOverWhite) {
    testing::Bytes icon = {0, 0, 1, 0, 1, 0,                                  // one icon
                           2, 2, 2, 0, 1, 0, 8, 0, 64, 0, 0, 0, 22, 0, 0, 0}; // its entry
    const std::uint32_t info[] = {40, 2, 4, 0x00080001, 0, 0, 0, 0, 2, 0};
    for (const std::uint32_t field : info)
        for (int k = 0; k < 4; ++k)
            icon.push_back(static_cast<std::uint8_t>(field >> 8 * k));
    const testing::Bytes rest = {255,  0, 0, 0, 0, 0, 255, 0,  // blue, red
                                 0,    1, 0, 0, 1, 0, 0,   0,  // the rows from the bottom
                                 0x80, 0, 0, 0, 0, 0, 0,   0}; // the mask
    icon.insert(icon.end(), rest.begin(), rest.end());
    const std::string file = folder.Path("masked.ico");
    testing::WriteBytes(file, icon);
    THandyBitmap picture;
    ASSERT_EQ(DecodePictureFile(file, picture), "");
    EXPECT_EQ(picture.GetPixelColor(0, 0), 0xffffff);
    EXPECT_EQ(picture.GetPixelColor(1, 0), 0x0000ff);
    EXPECT_EQ(picture.GetPixelColor(0, 1), 0x0000ff);
    EXPECT_EQ(picture.GetPixelColor(1, 1), 0xff0000);
}

// An XPM colour by a name the table lacks is refused, naming it, in the run's language.
TEST_F(PictureDecoder, AnXpmColourOfAnUnknownNameIsRefusedByName) {
    const std::string xpm = folder.Path("odd.xpm");
    const std::string text = "/* XPM */\n\"1 1 1 1\",\n\". c burnt sienna\",\n\".\"\n";
    testing::WriteBytes(xpm, testing::Bytes(text.begin(), text.end()));
    THandyBitmap picture;
    EXPECT_EQ(DecodePictureFile(xpm, picture),
              "the picture is of a kind this program does not read (colour burnt sienna)");
    Japanese = true;
    const std::string reason = DecodePictureFile(xpm, picture);
    Japanese = false;
    EXPECT_EQ(reason, "このプログラムが読めない種類の画像です (colour burnt sienna)");
}

// 57 bytes whose text chunk claims a gigabyte: the chunk is skipped, not read into memory,
// so the file is refused as cut short rather than for want of memory or for its size.
TEST_F(PictureDecoder, AChunkClaimingAGigabyteIsNeverHeldInMemory) {
    THandyBitmap picture;
    EXPECT_TRUE(StartsWith(DecodePictureFile(CorpusFile("gigabyte-text.png"), picture),
                           "the file ends before its picture does (Read Error)"));
}

// The inputs the decoder's fuzzer kept, and the damaged files of every format: each is
// refused or decodes to the same picture whatever the memory held before (the sanitized
// build fills it differently for each of the two decodings).
TEST_F(PictureDecoder, EveryKeptFuzzInputDecodesAlikeWhateverTheMemoryHeld) {
    std::size_t count = 0;
    for (const char* corpus : {"/decoder-corpus", "/picture-corpus"}) {
        for (const auto& entry :
             fs::directory_iterator(std::string(SLANTER_FIXTURES_DIR) + corpus)) {
            EXPECT_EQ(testing::CheckDecodesAlike(entry.path().string(), folder.Path("again.bmp")),
                      "")
                << entry.path();
            ++count;
        }
    }
    EXPECT_GE(count, 20u);
}

// The size read from the headers alone is the decoded picture's, turned as it records:
// over every file of the test data, the fuzzer's corpus and every foreign format.
TEST_F(PictureDecoder, EveryDecodedPicturesSizeIsTheOneItsHeadersGive) {
    std::size_t decoded = 0;
    for (const std::string& folderPath : {std::string(SLANTER_FIXTURES_DIR), Made("")}) {
        for (const auto& entry : fs::recursive_directory_iterator(folderPath)) {
            if (!entry.is_regular_file() || entry.path().extension() == ".ref")
                continue;
            const std::string file = entry.path().string();
            THandyBitmap picture;
            if (!DecodePictureFile(file, picture).empty())
                continue;
            std::int32_t width = 0, height = 0;
            EXPECT_EQ(DecodedPictureSize(file, width, height), "") << file;
            EXPECT_EQ(width, picture.biWidth()) << file;
            EXPECT_EQ(height, picture.biHeight()) << file;
            ++decoded;
        }
    }
    EXPECT_GE(decoded, 100u);
}

// Names are bytes here: one that is no UTF-8 opens as any other.
TEST_F(PictureDecoder, ANameThatIsNoUtf8Opens) {
    const std::string name = folder.Path("in\xff\xfe.png");
    fs::copy_file(Made("palette.png"), name);
    THandyBitmap picture;
    EXPECT_EQ(LoadWorkingPicture(name, picture), "");
    EXPECT_EQ(picture.biWidth(), 37);
}

// Refused from the header and the file's length, before a picture of that size is made:
// the reason carries no word of the library, which never got to read the pixels.
TEST_F(PictureDecoder, AFileTooShortForThePictureItClaimsIsRefusedBeforeItIsMade) {
    // The PNM file of a few bytes claims 44240 x 44240 pixels.
    const std::string pnm = std::string(SLANTER_FIXTURES_DIR) +
                            "/decoder-corpus/3ade0ad7c59375305906ef3007902d45026f20bf";
    for (const std::string& file : {Made("claims.png"), CorpusFile("strip-beyond-end.tif"), pnm}) {
        THandyBitmap picture;
        EXPECT_EQ(DecodePictureFile(file, picture), "the file ends before its picture does")
            << file;
    }
}

// The rows an RLE file never reaches are the first palette entry, not leftover memory: its
// data ends the picture after the bottom row.
TEST_F(PictureDecoder, AnRleBmpThatEndsEarlyLeavesItsLastRowsAtTheFirstColour) {
    testing::BmpLayout layout;
    layout.width = 6;
    layout.height = 4;
    layout.bitCount = 8;
    layout.compression = 1;
    layout.table = testing::TableOf({{30, 20, 10}, {255, 255, 255}});
    layout.image = {6, 1, 0, 0, 0, 1}; // six of white, the row's end, the picture's
    const std::string early = folder.Path("early.bmp");
    testing::WriteBytes(early, testing::BuildBmp(layout));
    THandyBitmap picture;
    ASSERT_EQ(DecodePictureFile(early, picture), "");
    for (std::int32_t x = 0; x < picture.biWidth(); ++x) {
        ASSERT_EQ(picture.GetPixelIndex(x, 0), 1) << x;
        ASSERT_EQ(picture.GetPixelIndex(x, 3), 0) << x;
    }
}

// A BMP file our reader leaves to the decoder, cut in half, is refused as cut: its header
// records the whole length.
TEST_F(PictureDecoder, ACompressedBmpCutShortOfItsRecordedLengthIsRefused) {
    const testing::Bytes whole =
        testing::ReadBytes(testing::TestDataPath("bmpsuite/g/pal8rle.bmp"));
    const std::string cut = folder.Path("cut.bmp");
    testing::WriteBytes(cut, testing::Bytes(whole.begin(), whole.begin() + whole.size() / 2));
    THandyBitmap picture;
    EXPECT_EQ(DecodePictureFile(cut, picture), "the file ends before its picture does");
}

// The same pixels as a PNG file and as a BMP file convert alike: the same bytes for 24
// bits, the same pixels for a palette (the two files' tables differ in length).
TEST_F(PictureDecoder, APngConvertsAsTheSamePixelsStoredAsABmpFile) {
    const std::string script =
        std::string(SLANTER_PYTHON) +
        " -c \"from PIL import Image; "
        "import random, sys; r = random.Random(5); "
        "im = Image.frombytes('RGB', (41, 27), "
        "bytes(r.randrange(256) for _ in range(41 * 27 * 3))); "
        "f = sys.argv[1]; im.save(f + '/rgb.png'); im.save(f + '/rgb.bmp'); "
        "q = im.quantize(60); q.save(f + '/pal.png'); q.save(f + '/pal.bmp')\" '" +
        folder.Path() + "'";
    ASSERT_EQ(std::system(script.c_str()), 0);
    for (const char* name : {"rgb", "pal"}) {
        for (const bool smooth : {false, true}) {
            SCOPED_TRACE(std::string(name) + (smooth ? " smoothed" : ""));
            std::vector<std::string> outputs;
            for (const char* format : {".png", ".bmp"}) {
                const std::string output =
                    folder.Path(std::string("out-") + name + format + ".bmp");
                cli::Arguments words{"convert", folder.Path(name + std::string(format)), output,
                                     "--pattern", "3"};
                if (smooth)
                    words.push_back("--smooth");
                const cli::CliRun run = cli::RunWords(words);
                ASSERT_EQ(run.code, cli::kExitOk) << Words(run);
                outputs.push_back(output);
            }
            if (std::string(name) == "rgb") {
                EXPECT_EQ(testing::ReadBytes(outputs[0]), testing::ReadBytes(outputs[1]));
                continue;
            }
            const auto decoded = testing::DecodeWithPillow(outputs, folder);
            ASSERT_EQ(decoded.size(), 2u);
            ASSERT_TRUE(decoded[0].ok && decoded[1].ok);
            EXPECT_EQ(decoded[0].rgb, decoded[1].rgb);
        }
    }
}

// slanter-cli writes PNG for an output named .png (in any case): Pillow reads it as the
// very pixels it reads from the BMP result, an indexed result with its palette.
TEST_F(PictureDecoder, APngResultHoldsThePixelsOfTheBmpResultAtEveryDepth) {
    for (const int bits : {1, 4, 8, 16, 24}) {
        SCOPED_TRACE(bits);
        const std::string input = folder.Path("in.bmp");
        testing::BlockPicture block(40, 30, bits, 7);
        ASSERT_TRUE(block.Bitmap().SaveToFile(input));
        const std::string bmp = folder.Path("out.bmp");
        const std::string png = folder.Path(bits == 8 ? "OUT.PNG" : "out.png");
        for (const std::string& output : {bmp, png}) {
            const cli::CliRun run = cli::RunWords({"convert", input, output, "--angle", "30"});
            ASSERT_EQ(run.code, cli::kExitOk) << Words(run);
        }
        const testing::Bytes written = testing::ReadBytes(png);
        ASSERT_GT(written.size(), 8u);
        EXPECT_EQ(std::string(written.begin() + 1, written.begin() + 4), "PNG");
        const auto decoded = testing::DecodeWithPillow({bmp, png}, folder);
        ASSERT_EQ(decoded.size(), 2u);
        ASSERT_TRUE(decoded[0].ok && decoded[1].ok) << decoded[0].error << decoded[1].error;
        EXPECT_EQ(decoded[1].width, decoded[0].width);
        EXPECT_EQ(decoded[1].height, decoded[0].height);
        EXPECT_EQ(decoded[1].rgb, decoded[0].rgb);
        EXPECT_EQ(decoded[1].mode, bits <= 8 ? "P" : "RGB");
        fs::remove(bmp);
        fs::remove(png);
    }
    // Nothing but the inputs and the decodings is left: no temporary of the PNG writer.
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        EXPECT_EQ(entry.path().filename().string().rfind(".out", 0), std::string::npos);
}

} // namespace
} // namespace slanter
