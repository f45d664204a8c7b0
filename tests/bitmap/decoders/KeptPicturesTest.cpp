// Transparency, colour profiles and 16-bit channels from a picture file to a PNG result,
// read back by Pillow (and the 16-bit samples by a reader of the test's own).
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CliRun.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::TempFolder;

std::string Kept(const std::string& name) {
    return std::string(SLANTER_TESTDATA_DIR) + "/kept/" + name;
}

// What the script printed for these words, without the last line's end.
std::string Script(const std::string& words) {
    const std::string command =
        std::string(SLANTER_PYTHON) + " '" + SLANTER_KEPT_PICTURES + "' " + words;
    std::string printed;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            printed.append(buffer, n);
        pclose(pipe);
    }
    while (!printed.empty() && printed.back() == '\n')
        printed.pop_back();
    return printed;
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

// The word of Pillow's facts that starts with `key`.
std::string Fact(const std::string& facts, const std::string& key) {
    std::istringstream words(facts);
    for (std::string word; words >> word;)
        if (word.rfind(key, 0) == 0)
            return word.substr(key.size());
    return "(no " + key + ")";
}

class KeptPictures : public ::testing::Test {
  protected:
    void Convert(const std::string& input, const std::string& output,
                 std::vector<std::string> more = {}) {
        cli::Arguments words{"convert", input, output};
        words.insert(words.end(), more.begin(), more.end());
        const cli::CliRun run = cli::RunWords(words);
        ASSERT_EQ(run.code, cli::kExitOk) << run.err;
        err_ = run.err;
    }
    TempFolder folder;
    std::string err_;
};

// The BMP result lays the transparency over white as it always has: the PNG result, laid
// over white by the same rule, is it pixel for pixel, and it is less than opaque.
TEST_F(KeptPictures, APlainTransparentTileLaidOverWhiteIsTheBmpTile) {
    for (const char* pattern : {"0", "4", "9"}) {
        SCOPED_TRACE(pattern);
        const std::string png = folder.Path("out.png");
        const std::string bmp = folder.Path("out.bmp");
        Convert(Kept("transparent.png"), png, {"--pattern", pattern});
        Convert(Kept("transparent.png"), bmp, {"--pattern", pattern});
        EXPECT_EQ(Script("overwhite " + Quoted(png) + " " + Quoted(bmp)), "equal");
    }
}

TEST_F(KeptPictures, AnIndexedTileKeepsItsPaletteAndItsTransparentEntries) {
    const std::string png = folder.Path("indexed.png");
    Convert(Kept("indexed-trns.png"), png, {"--pattern", "3"});
    const std::string in = Script("read " + Quoted(Kept("indexed-trns.png")));
    const std::string out = Script("read " + Quoted(png));
    EXPECT_EQ(out.substr(0, 2), "P ");
    EXPECT_EQ(Fact(out, "transparency="), Fact(in, "transparency="));
    EXPECT_EQ(Fact(out, "palette="), Fact(in, "palette="));
}

// Each format's way of embedding a profile: PNG's iCCP, JPEG's APP2, TIFF's tag, WebP's
// ICCP chunk.
TEST_F(KeptPictures, TheProfilesBytesComeOutAsTheyWentIn) {
    for (const char* kind : {"png", "jpg", "tif", "webp"}) {
        SCOPED_TRACE(kind);
        const std::string input = Kept(std::string("profiled.") + kind);
        const std::string png = folder.Path(std::string("out-") + kind + ".png");
        Convert(input, png, {"--angle", "30", "--smooth"});
        const std::string profile = Fact(Script("read " + Quoted(png)), "profile=");
        EXPECT_EQ(profile, Fact(Script("read " + Quoted(input)), "profile="));
        EXPECT_NE(profile, "none");
    }
}

TEST_F(KeptPictures, InfoNamesTheProfileAsLittleCmsDoes) {
    const cli::CliRun run = cli::RunWords({"info", Kept("profiled.png")});
    ASSERT_EQ(run.code, cli::kExitOk);
    EXPECT_NE(run.out.find("profile: " + Script("describe " + Quoted(Kept("profiled.png"))) + " ("),
              std::string::npos)
        << run.out;
}

TEST_F(KeptPictures, AMalformedProfileIsDroppedWithANotice) {
    const std::string png = folder.Path("bad.png");
    Convert(Kept("bad-profile.png"), png, {"--pattern", "1"});
    EXPECT_NE(err_.find("colour profile is malformed"), std::string::npos) << err_;
    EXPECT_EQ(Fact(Script("read " + Quoted(png)), "profile="), "none");
}

// A plain tile copies samples: each is one of the picture's, low byte and all. Their high
// bytes are the BMP tile's levels, the picture's samples being made so.
TEST_F(KeptPictures, ASixteenBitPictureMakesASixteenBitTile) {
    const std::string png = folder.Path("deep.png");
    const std::string bmp = folder.Path("deep.bmp");
    Convert(Kept("deep.png"), png, {"--pattern", "5"});
    Convert(Kept("deep.png"), bmp, {"--pattern", "5"});
    std::set<int> given;
    std::istringstream in(Script("samples " + Quoted(Kept("deep.png"))));
    for (int value; in >> value;)
        given.insert(value);
    std::istringstream out(Script("samples " + Quoted(png)));
    int count = 0, foreign = 0, lowBytes = 0;
    for (int value; out >> value; ++count) {
        foreign += given.count(value) == 0;
        lowBytes += (value & 255) != (value >> 8);
    }
    EXPECT_GT(count, 0);
    EXPECT_EQ(foreign, 0);
    EXPECT_GT(lowBytes, 0);
    EXPECT_EQ(Script("pixels " + Quoted(png)), Script("pixels " + Quoted(bmp)));
    EXPECT_NE(cli::RunWords({"info", Kept("deep.png")}).out.find("channel bits: 16"),
              std::string::npos);
}

TEST_F(KeptPictures, ASixteenBitGreyTiffMakesASixteenBitTile) {
    const std::string png = folder.Path("grey.png");
    Convert(Kept("deep-grey.tif"), png, {"--pattern", "2"});
    std::set<int> given;
    std::istringstream in(Script("samples " + Quoted(Kept("deep.png"))));
    for (int value, k = 0; in >> value; ++k)
        if (k % 3 == 0)
            given.insert(value);
    std::istringstream out(Script("samples " + Quoted(png)));
    int count = 0, foreign = 0;
    for (int value; out >> value; ++count)
        foreign += given.count(value) == 0;
    EXPECT_GT(count, 0);
    EXPECT_EQ(foreign, 0);
}

// A picture with an opacity channel that is opaque throughout is no transparent picture.
TEST_F(KeptPictures, AnOpaqueRgbaPictureGivesTheBytesOfItsRgbTwin) {
    ASSERT_EQ(Script("opaque " + Quoted(folder.Path())), "");
    Convert(folder.Path("rgb.png"), folder.Path("from-rgb.png"), {"--pattern", "4", "--smooth"});
    Convert(folder.Path("rgba.png"), folder.Path("from-rgba.png"), {"--pattern", "4", "--smooth"});
    EXPECT_EQ(testing::ReadBytes(folder.Path("from-rgb.png")),
              testing::ReadBytes(folder.Path("from-rgba.png")));
}

} // namespace
} // namespace slanter
