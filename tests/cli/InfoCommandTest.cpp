#include <sstream>

#include <gtest/gtest.h>

#include "CliRun.h"
#include "cli/CliCommand.h"
#include "support/BmpBuilder.h"
#include "support/TempFolder.h"

namespace slanter::cli {
namespace {

TEST(InfoCommand, ShowsSizeDepthPaletteAndColours) {
    testing::TempFolder folder;
    testing::BmpLayout layout;
    layout.width = 9;
    layout.height = 2;
    layout.bitCount = 4;
    layout.table = testing::TableOf(std::vector<testing::Quad>(12));
    layout.image.assign(2 * 8, 0);
    testing::WriteBytes(folder.Path("p.bmp"), testing::BuildBmp(layout));
    const CliRun run = RunWords({"info", folder.Path("p.bmp")});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(run.out, "width: 9\nheight: 2\nbits: 4\npalette: 12\ncolors: 16\n");
    EXPECT_EQ(run.err, "");
    // Resized, the working picture has 24 bits and no palette.
    const CliRun scaled = RunWords({"info", folder.Path("p.bmp"), "--scale=300%"});
    EXPECT_EQ(scaled.code, kExitOk) << scaled.err;
    EXPECT_EQ(scaled.out, "width: 27\nheight: 6\nbits: 24\npalette: 0\ncolors: 16777216\n");
}

TEST(InfoCommand, AFileItCannotTakeGivesTheReasonAloneOnStandardError) {
    testing::TempFolder folder;
    testing::BmpLayout layout;
    layout.width = 1;
    layout.height = 1;
    layout.planes = 2;
    layout.image.assign(4, 0);
    // A damaged BMP file keeps the reader's own text; no decoder is asked.
    testing::WriteBytes(folder.Path("planes.bmp"), testing::BuildBmp(layout));
    CliRun run = RunWords({"info", folder.Path("planes.bmp")});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err, "biPlanes isn't 1\n");
    EXPECT_EQ(run.out, "");

    run = RunWords({"info", folder.Path("none.bmp")});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err, "can't open " + folder.Path("none.bmp") + "\n");
}

TEST(InfoCommand, WantsExactlyOneFile) {
    EXPECT_EQ(RunWords({"info"}).code, kExitUsage);
    EXPECT_EQ(RunWords({"info", "a.bmp", "b.bmp"}).code, kExitUsage);
    const CliRun help = RunWords({"info", "--help"});
    EXPECT_EQ(help.code, kExitOk);
    EXPECT_NE(help.out.find("Usage: slanter-cli info FILE"), std::string::npos);
    EXPECT_NE(RunWords({"--help"}).out.find("info"), std::string::npos);
}

} // namespace
} // namespace slanter::cli
