#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "support/ForeignPictures.h"
#include "support/ReferenceTable.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

struct Verdict {
    std::string text;      // "ok" or the refusal
    std::string reference; // another file with the same picture, for Pillow to decode
};

std::string SuitePath(const std::string& relative) {
    return testing::TestDataPath("bmpsuite/" + relative);
}

std::map<std::string, Verdict> ReadVerdicts() {
    std::map<std::string, Verdict> verdicts;
    std::ifstream in(std::string(SLANTER_FIXTURES_DIR) + "/bmpsuite-verdicts.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto first = line.find('\t');
        const auto second = line.find('\t', first + 1);
        Verdict& v = verdicts[line.substr(0, first)];
        v.text = line.substr(first + 1, second == std::string::npos ? second : second - first - 1);
        if (second != std::string::npos)
            v.reference = line.substr(second + 1);
    }
    return verdicts;
}

TEST(BmpSuite, EveryFileHasAVerdict) {
    const auto verdicts = ReadVerdicts();
    std::size_t files = 0;
    for (const char* folder : {"b", "g", "q"}) {
        for (const auto& entry : std::filesystem::directory_iterator(SuitePath(folder))) {
            const std::string name = std::string(folder) + "/" + entry.path().filename().string();
            ++files;
            EXPECT_EQ(verdicts.count(name), 1u) << name;
        }
    }
    EXPECT_EQ(files, verdicts.size());
    EXPECT_GT(files, 50u);
}

TEST(BmpSuite, EachFileIsRefusedWithItsTextOrLoads) {
    for (const auto& [name, verdict] : ReadVerdicts()) {
        THandyBitmap b;
        const bool ok = b.LoadFromFile(SuitePath(name));
        if (verdict.text != "ok") {
            EXPECT_FALSE(ok) << name;
            EXPECT_EQ(b.ErrorText(), verdict.text) << name;
        } else {
            EXPECT_TRUE(ok) << name << ": " << b.ErrorText();
        }
    }
}

#ifndef _WIN32
// Pillow runs on Linux only; the Windows build's pictures are held to the Linux ones by
// CliOutputsMatchLinux, which converts every file of the suite with both programs.
TEST(BmpSuite, EachFileLoadedDecodesAsPillowDoes) {
    std::vector<std::string> accepted;
    std::vector<std::string> decodeFrom;
    std::vector<THandyBitmap> loaded;
    for (const auto& [name, verdict] : ReadVerdicts()) {
        THandyBitmap b;
        if (verdict.text != "ok" || !b.LoadFromFile(SuitePath(name)))
            continue;
        accepted.push_back(name);
        decodeFrom.push_back(SuitePath(verdict.reference.empty() ? name : verdict.reference));
        loaded.push_back(std::move(b));
    }
    ASSERT_FALSE(accepted.empty());
    testing::TempFolder folder;
    const auto pictures = testing::DecodeWithPillow(decodeFrom, folder);
    ASSERT_EQ(pictures.size(), accepted.size()) << "needs Debian's python3-pil (scripts/setup)";
    for (std::size_t k = 0; k < accepted.size(); ++k) {
        const bool sixteen = loaded[k].biBitCount() == 16;
        EXPECT_EQ(testing::FirstDifference(loaded[k], pictures[k], sixteen), "") << accepted[k];
    }
}
#endif

// The table of a 24-bit file is read but not kept: the cells stay colours.
TEST(BmpSuite, TwentyFourBitFilesWithATableStayTrueColour) {
    for (const char* name : {"g/rgb24pal.bmp", "q/rgb24largepal.bmp"}) {
        THandyBitmap b;
        ASSERT_TRUE(b.LoadFromFile(SuitePath(name))) << b.ErrorText();
        EXPECT_EQ(b.PaletteCount(), 0) << name;
    }
    THandyBitmap oversize;
    ASSERT_TRUE(oversize.LoadFromFile(SuitePath("q/pal8oversizepal.bmp")));
    EXPECT_EQ(oversize.PaletteCount(), 300);
}

} // namespace
} // namespace slanter
