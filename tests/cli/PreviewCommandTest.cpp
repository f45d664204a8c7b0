#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "CliRun.h"
#include "cli/CliCommand.h"
#include "engine/Slanter.h"
#include "preview/PreviewDrawing.h"

namespace slanter::cli {
namespace {

std::vector<PreviewSegment> ReadSegments(const std::string& text) {
    std::vector<PreviewSegment> segments;
    std::istringstream in(text);
    std::string colour;
    PreviewSegment segment;
    while (in >> colour >> segment.x1 >> segment.y1 >> segment.x2 >> segment.y2) {
        EXPECT_TRUE(colour == "red" || colour == "black") << colour;
        segment.colour = colour == "red" ? kPreviewRed : kPreviewBlack;
        segments.push_back(segment);
    }
    EXPECT_TRUE(in.eof());
    return segments;
}

TEST(PreviewCommand, SegmentsAreTheCoreDrawingOfTheSameSelection) {
    const CliRun run = RunWords({"preview", "64", "48", "--pattern", "7", "--vertical", "--left",
                                 "--sort=area", "--segments"});
    ASSERT_EQ(run.code, kExitOk) << run.err;
    TSlanter engine;
    engine.SetHorizontal(false);
    engine.SetRightUp(false);
    engine.SetSortOnAngle(false);
    engine.SetSourceSize({64, 48});
    engine.SetPatternIndex(7);
    EXPECT_EQ(ReadSegments(run.out), ComputePreviewDrawing(engine).segments);
}

// 64 x 48 ordered by area, pattern 0: 24.30 degrees, tile 116 x 52, R = 0.7 x 116.
TEST(PreviewCommand, WithoutSegmentsItShowsTheDrawingSpace) {
    const CliRun run = RunWords({"preview", "64", "48", "--pattern=0", "--sort=area"});
    ASSERT_EQ(run.code, kExitOk) << run.err;
    EXPECT_NE(run.out.find("image 201 x 201\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("A 116 B 52 SA 64 SB 48 R 81.200000\n"), std::string::npos);
    EXPECT_NE(run.out.find("T -58.000000 -26.000000\n"), std::string::npos);
    EXPECT_NE(run.out.find(" red, 4 black\n"), std::string::npos);
}

TEST(PreviewCommand, BadWordsAreUsageErrorsAndMissingPatternsFailures) {
    for (const Arguments& words :
         {Arguments{"preview", "64", "48"}, Arguments{"preview", "64", "--pattern", "1"},
          Arguments{"preview", "0", "48", "--pattern", "1"},
          Arguments{"preview", "64", "48", "--pattern"},
          Arguments{"preview", "64", "48", "--pattern", "-1"},
          Arguments{"preview", "64", "48", "--pattern", "1", "--sort=size"},
          Arguments{"preview", "64", "48", "--pattern", "1", "--bogus"}}) {
        const CliRun run = RunWords(words);
        EXPECT_EQ(run.code, kExitUsage) << words.size();
        EXPECT_FALSE(run.err.empty());
        EXPECT_TRUE(run.out.empty());
    }
    const CliRun outside = RunWords({"preview", "64", "48", "--pattern", "100"});
    EXPECT_EQ(outside.code, kExitFailure);
    EXPECT_NE(outside.err.find("0 to 99"), std::string::npos);
    const CliRun none = RunWords({"preview", "9999", "1", "--pattern", "0", "--vertical"});
    EXPECT_EQ(none.code, kExitFailure);
    EXPECT_NE(none.err.find("no pattern"), std::string::npos);
    EXPECT_EQ(RunWords({"preview", "--help"}).code, kExitOk);
    EXPECT_NE(RunWords({"--help"}).out.find("preview"), std::string::npos);
}

} // namespace
} // namespace slanter::cli
