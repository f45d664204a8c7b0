#include <sstream>

#include <gtest/gtest.h>

#include "cli/CliCommand.h"
#include "support/ReferenceTable.h"

namespace slanter::cli {
namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun RunWords(const Arguments& words) {
    std::ostringstream out, err;
    const int code = RunCli(words, out, err);
    return {code, out.str(), err.str()};
}

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
          Arguments{"patterns", "64"}, Arguments{"patterns", "64", "48", "--sort=size"},
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
}

TEST(PatternsCommand, SizeWithoutPatternsListsOnlyTheHeader) {
    const CliRun run = RunWords({"patterns", "9999", "9999"});
    EXPECT_EQ(run.code, kExitOk);
    EXPECT_EQ(Lines(run.out).size(), 1u);
}

} // namespace
} // namespace slanter::cli
