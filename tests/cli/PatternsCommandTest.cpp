#include <sstream>

#include <gtest/gtest.h>

#include "CliRun.h"
#include "cli/CliCommand.h"
#include "support/BmpBuilder.h"
#include "support/ReferenceTable.h"
#include "support/TempFolder.h"

namespace slanter::cli {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(PatternsCommand, ExactListingReadsBackToTheReferenceDoubles) {
    const CliRun run = RunWords({"patterns", "64", "48", "--vertical", "--sort=area", "--exact"});
    ASSERT_EQ(run.code, kExitOk) << run.err;
    const auto rows =
        testing::ReadReferenceTable(testing::TestDataPath("patterns/64x48-vertical-area.txt"));
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        std::istringstream line(lines[k]);
        std::string index, radians, degrees, area, slide;
        int width = 0, height = 0;
        line >> index >> radians >> degrees >> area >> slide >> width >> height;
        EXPECT_EQ(index, std::to_string(k));
        EXPECT_EQ(std::stod(degrees), rows[k].degrees);
        EXPECT_EQ(std::stoi(area), rows[k].area);
        EXPECT_EQ(std::stod(slide), rows[k].slide);
        EXPECT_EQ(width, rows[k].size.X);
        EXPECT_EQ(height, rows[k].size.Y);
    }
}

// Rows 7 and 8 of 64 x 48 by angle share the angle 11.012156418521093 degrees, with
// areas 4 and 16: the smaller area wins the tie, in either order of the table.
TEST(PatternsCommand, AngleNamesTheNearestRowTiesToTheSmallerAreaInBothOrders) {
    const auto byArea =
        testing::ReadReferenceTable(testing::TestDataPath("patterns/64x48-horizontal-area.txt"));
    std::size_t areaRow = byArea.size();
    for (std::size_t k = 0; k < byArea.size(); ++k)
        if (byArea[k].degrees == 11.012156418521093 && byArea[k].area == 4)
            areaRow = k;
    ASSERT_LT(areaRow, byArea.size());
    for (const char* angle : {"11.012156418521093", "11.1", "10.9"}) {
        SCOPED_TRACE(angle);
        CliRun run = RunWords({"patterns", "64", "48", "--angle", angle});
        ASSERT_EQ(run.code, kExitOk) << run.err;
        EXPECT_EQ(Lines(run.out).back(),
                  "nearest to " + std::string(angle) + " degrees: pattern 7");
        run = RunWords(
            {"patterns", "64", "48", "--sort=area", "--exact", "--angle=" + std::string(angle)});
        ASSERT_EQ(run.code, kExitOk) << run.err;
        EXPECT_EQ(Lines(run.out).back(), "nearest to " + std::string(angle) + " degrees: pattern " +
                                             std::to_string(areaRow));
    }
    // No pattern is steeper than 90 degrees or falls: such an angle is a mistake.
    for (const char* outside : {"-90", "720", "180", "90.000001", "100000000000000000"}) {
        const CliRun run = RunWords({"patterns", "64", "48", "--angle", outside});
        EXPECT_EQ(run.code, kExitUsage) << outside;
        EXPECT_NE(run.err.find("is outside 0 to 90 degrees"), std::string::npos) << run.err;
    }
    // An empty table fails as convert does.
    const CliRun none = RunWords({"patterns", "9999", "1", "--vertical", "--angle", "3"});
    EXPECT_EQ(none.code, kExitFailure);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("has no pattern"), std::string::npos) << none.err;
    for (const char* bad : {"x", "", "1e3", "nan", "1.2.3", "--vertical"})
        EXPECT_EQ(RunWords({"patterns", "64", "48", "--angle", bad}).code, kExitUsage) << bad;
    EXPECT_EQ(RunWords({"patterns", "64", "48", "--angle"}).code, kExitUsage);
}

TEST(PatternsCommand, TableShowsTheColumnsOfThePatternList) {
    const CliRun run = RunWords({"patterns", "64", "48"});
    ASSERT_EQ(run.code, kExitOk);
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_NE(lines[0].find("angle"), std::string::npos);
    EXPECT_EQ(lines[1], "    0   4.80     9    6.29%    573     48");
}

TEST(PatternsCommand, BadSizesAreUsageErrorsWithAMessage) {
    for (const Arguments& words :
         {Arguments{"patterns", "0", "48"}, Arguments{"patterns", "-5", "48"},
          Arguments{"patterns", "64", "x"}, Arguments{"patterns", "10000", "48"},
          Arguments{"patterns", "64", "48", "9"}, Arguments{"patterns", "64", "48", "--sort=size"},
          Arguments{"patterns", "64", "48", "--bogus"}, Arguments{"patterns", "", "48"}}) {
        const CliRun run = RunWords(words);
        EXPECT_EQ(run.code, kExitUsage) << words[1];
        EXPECT_FALSE(run.err.empty());
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_NE(RunWords({"patterns", "10000", "48"}).err.find("1 to 9999"), std::string::npos);
}

TEST(PatternsCommand, HelpAndUnknownVerbs) {
    EXPECT_EQ(RunWords({"patterns", "--help"}).code, kExitOk);
    EXPECT_NE(RunWords({"patterns", "--help"}).out.find("Usage"), std::string::npos);
    EXPECT_EQ(RunWords({"--help"}).code, kExitOk);
    EXPECT_EQ(RunWords({}).code, kExitUsage);
    EXPECT_EQ(RunWords({"frobnicate"}).code, kExitUsage);
    const CliRun version = RunWords({"--version"});
    EXPECT_EQ(version.code, kExitOk);
    EXPECT_EQ(version.out, "slanter-cli (Bit Map Slanter) Ver.3.00  Rev.2\n");
}

TEST(PatternsCommand, SizeWithoutPatternsFailsAsConvertDoes) {
    const CliRun run = RunWords({"patterns", "9999", "9999"});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "slanter-cli patterns: a 9999 x 9999 picture has no pattern in this "
                       "arrangement\n");
}

// The headers of a BMP file claiming 100,000,000 x 1 pixels without them: reading on
// would refuse the file, so the answer shows that the headers alone were read.
TEST(PatternsCommand, ABmpFileGivesItsSizeFromItsHeadersAlone) {
    testing::TempFolder folder;
    testing::BmpLayout layout;
    layout.width = 100'000'000;
    layout.height = 1;
    testing::WriteBytes(folder.Path("wide.bmp"), testing::BuildBmp(layout));
    const CliRun run = RunWords({"patterns", folder.Path("wide.bmp")});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err, "slanter-cli patterns: a 100000000 x 1 picture has no pattern in this "
                       "arrangement\n");
}

TEST(PatternsCommand, AFileGivesThePatternsOfItsPicture) {
    testing::TempFolder folder;
    testing::BmpLayout layout;
    layout.width = 64;
    layout.height = 48;
    layout.image.assign(48 * 64 * 3, 0);
    testing::WriteBytes(folder.Path("p.bmp"), testing::BuildBmp(layout));
    const CliRun fromFile = RunWords({"patterns", folder.Path("p.bmp"), "--vertical"});
    ASSERT_EQ(fromFile.code, kExitOk) << fromFile.err;
    EXPECT_EQ(fromFile.out, RunWords({"patterns", "64", "48", "--vertical"}).out);
}

TEST(PatternsCommand, AFileItCannotTakeGivesTheReasonOnStandardError) {
    testing::TempFolder folder;
    const std::string name = folder.Path("missing.bmp");
    CliRun run = RunWords({"patterns", name});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err, "can't open " + name + "\n");
    EXPECT_EQ(run.out, "");

    // One word is a file name even when it looks like a size.
    EXPECT_EQ(RunWords({"patterns", "64"}).err, "can't open 64\n");

    testing::BmpLayout empty;
    empty.width = 0;
    empty.height = 4;
    testing::WriteBytes(folder.Path("empty.bmp"), testing::BuildBmp(empty));
    run = RunWords({"patterns", folder.Path("empty.bmp")});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_NE(run.err.find("no pixels"), std::string::npos);
}

} // namespace
} // namespace slanter::cli

namespace slanter::cli {
namespace {

// The table of the size --scale gives, worked by hand: 128 x 96 at 50% is 64 x 48, and so
// is x48 (the width following) and 64x; a scale that is no size is a usage error.
TEST(PatternsCommand, ScaleListsThePatternsOfTheResizedPicture) {
    const CliRun plain = RunWords({"patterns", "64", "48"});
    ASSERT_EQ(plain.code, kExitOk);
    for (const char* scale : {"--scale=50%", "--scale=x48", "--scale=64x"}) {
        const CliRun run = RunWords({"patterns", "128", "96", scale});
        EXPECT_EQ(run.code, kExitOk) << scale << run.err;
        EXPECT_EQ(run.out, plain.out) << scale;
    }
    EXPECT_EQ(RunWords({"patterns", "128", "96", "--scale", "half"}).code, kExitUsage);
    EXPECT_EQ(RunWords({"patterns", "128", "96", "--scale"}).code, kExitUsage);
}

} // namespace
} // namespace slanter::cli
