// A conversion that cannot get its memory: a program of its own, since starving a
// process of memory holds for all of it.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "CliRun.h"
#include "bitmap/HandyBitmap.h"
#include "conversion/ConversionRun.h"
#include "engine/Slanter.h"
#include "shell/General.h"
#include "support/MemoryStarvation.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter::cli {
namespace {

// A 1 x 6878 picture at one bit: its first pattern by angle is a 9992 x 9481 tile,
// 379 MB of cells but a 12 MB file.
class ConvertWithoutMemory : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testing::PatternedBitmap(1, 1, 6878).SaveToFile(input));
        engine.SetSourceSize({1, 6878});
        engine.SetPatternIndex(0);
        ASSERT_EQ(engine.PatternSize(0), (TPoint{9992, 9481}));
    }
    testing::TempFolder folder;
    const std::string input = folder.Path("thin.bmp");
    TSlanter engine;
};

TEST_F(ConvertWithoutMemory, TheRunAnswersOutOfMemoryInsteadOfAnEmptyPicture) {
    THandyBitmap source;
    ASSERT_TRUE(source.LoadFromFile(input));
    THandyBitmap result;
    const testing::MemoryStarvation starved;
    ASSERT_TRUE(starved.Holds());
    EXPECT_EQ(ComputeResult(engine, source, false, result, {}), RunOutcome::OutOfMemory);
}

TEST_F(ConvertWithoutMemory, NothingIsWrittenAndAnExistingOutputStays) {
    const std::string output = folder.Path("keep.bmp");
    const testing::Bytes kept = {'k', 'e', 'e', 'p'};
    testing::WriteBytes(output, kept);
    CliRun run{};
    {
        const testing::MemoryStarvation starved;
        ASSERT_TRUE(starved.Holds());
        run = RunWords({"convert", input, output, "--pattern", "0"});
    }
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err, "slanter-cli convert: out of memory for a 9992 x 9481 tile; nothing was "
                       "written\n");
    EXPECT_EQ(testing::ReadBytes(output), kept);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 2);
}

// An RLE8 BMP file of half a megabyte whose 8000 x 8000 picture takes 256 MB (each row in
// full runs of one colour), and a 600 x 600 BMP file asked at ten times its size: each
// says so as the desktop program does, in the run's language.
TEST_F(ConvertWithoutMemory, APictureTooLargeForTheMemoryLeftIsNotEnoughMemory) {
    const std::string large = folder.Path("large.bmp");
    const std::string bmp = folder.Path("square.bmp");
    testing::Bytes rle = {'B', 'M'};
    const auto put = [&rle](std::uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k)
            rle.push_back(static_cast<std::uint8_t>(value >> 8 * k));
    };
    const std::uint32_t pixelsAt = 14 + 40 + 4 * 256;
    // A row: 31 runs of 255 pixels, one of 95, its end.
    const std::uint32_t rowBytes = 32 * 2 + 2, dataBytes = 8000 * rowBytes + 2;
    // The file header, then the info header: 8000 x 8000, 8 bits, RLE8, 256 colours.
    const std::uint32_t fields[][2] = {{pixelsAt + dataBytes, 4},
                                       {0, 4},
                                       {pixelsAt, 4},
                                       {40, 4},
                                       {8000, 4},
                                       {8000, 4},
                                       {1, 2},
                                       {8, 2},
                                       {1, 4},
                                       {2, 4},
                                       {0, 4},
                                       {0, 4},
                                       {256, 4},
                                       {0, 4}};
    for (const auto& [value, bytes] : fields)
        put(value, static_cast<int>(bytes));
    rle.resize(pixelsAt, 0);
    for (int y = 0; y < 8000; ++y) {
        for (int run = 0; run < 31; ++run)
            put(0x00ff, 2);
        put(0x005f, 2);
        put(0x0000, 2);
    }
    put(0x0100, 2);
    testing::WriteBytes(large, rle);
    ASSERT_TRUE(testing::PatternedBitmap(1, 600, 600).SaveToFile(bmp));
    for (const bool japanese : {false, true}) {
        Japanese = japanese;
        CliRun info{}, convert{}, scale{};
        {
            const testing::MemoryStarvation starved;
            ASSERT_TRUE(starved.Holds());
            info = RunWords({"info", large});
            convert = RunWords({"convert", large, folder.Path("out.bmp"), "--pattern", "0"});
            scale = RunWords({"info", bmp, "--scale", "1000%"});
        }
        Japanese = false;
        EXPECT_EQ(info.code, kExitFailure);
        EXPECT_EQ(info.err, japanese ? large + " を開くためのメモリが足りません。\n"
                                     : "There is not enough memory to open " + large + ".\n");
        EXPECT_EQ(convert.err, info.err);
        EXPECT_EQ(scale.err,
                  japanese
                      ? "slanter-cli info: 6000 x 6000 ドットの画像のためのメモリが足りません。\n"
                      : "slanter-cli info: There is not enough memory for the picture at "
                        "6000 x 6000 dots.\n");
    }
}

} // namespace
} // namespace slanter::cli
