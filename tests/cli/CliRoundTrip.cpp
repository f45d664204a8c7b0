#include "CliRoundTrip.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <optional>

#include "CliRun.h"
#include "bitmap/HandyBitmap.h"
#include "cli/ArgumentParsing.h"
#include "engine/Slanter.h"
#include "support/LoadRoundTrip.h"
#include "support/TempFolder.h"

namespace slanter::cli {

namespace {

// Larger tiles take too long for a fuzzer's millions of inputs; their conversion differs
// from a small one's only in its count of columns.
constexpr std::int64_t kMostCheckedCells = 1 << 16;

// Sentinel bytes of the output that a refused conversion must leave.
const testing::Bytes kKept = {'k', 'e', 'e', 'p'};

struct FuzzInput {
    bool vertical = false;
    bool left = false;
    bool smooth = false;
    bool byArea = false;
    bool exact = false;
    bool segments = false;
    std::optional<std::string> extraWord;
    int pattern = 0;
    testing::Bytes file;
};

FuzzInput Parse(const std::uint8_t* data, std::size_t size) {
    FuzzInput input;
    std::size_t at = 0;
    const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    const std::uint8_t bits = next();
    input.vertical = (bits & 1) != 0;
    input.left = (bits & 2) != 0;
    input.smooth = (bits & 4) != 0;
    input.byArea = (bits & 8) != 0;
    input.exact = (bits & 32) != 0;
    input.segments = (bits & 64) != 0;
    input.pattern = next();
    if ((bits & 16) != 0) {
        const std::size_t wanted = next() % 16; // before the room is counted
        const std::size_t length = std::min(wanted, size - at);
        input.extraWord = std::string(reinterpret_cast<const char*>(data) + at, length);
        at += length;
    }
    input.file.assign(data + at, data + size);
    return input;
}

Arguments PatternWords(const FuzzInput& input) {
    Arguments words{"--pattern", std::to_string(input.pattern)};
    if (input.vertical)
        words.push_back("--vertical");
    if (input.left)
        words.push_back("--left");
    if (input.byArea)
        words.push_back("--sort=area");
    return words;
}

// A refusal carries a text; success says something.
std::string CheckAnswer(const char* verb, const CliRun& run, std::initializer_list<int> codes) {
    if (std::find(codes.begin(), codes.end(), run.code) == codes.end())
        return std::string(verb) + " answered exit code " + std::to_string(run.code);
    if (run.code != kExitOk && run.err.empty())
        return std::string(verb) + " refused without a text";
    if (run.code == kExitOk && run.out.empty())
        return std::string(verb) + " succeeded without output";
    return {};
}

// The tile the chosen pattern gives, when the picture loads and has the pattern.
std::optional<TPoint> ChosenTile(const FuzzInput& input, const THandyBitmap& picture) {
    TSlanter engine;
    engine.SetHorizontal(!input.vertical);
    engine.SetSortOnAngle(!input.byArea);
    engine.SetSourceSize({picture.biWidth(), picture.biHeight()});
    if (input.pattern >= engine.PatternCount())
        return std::nullopt;
    return engine.PatternSize(input.pattern);
}

std::string CheckConvert(const FuzzInput& input, const std::string& in,
                         const std::optional<TPoint>& tile, const std::string& folder) {
    const std::string out = folder + testing::TempFolder::kSeparator + "out.bmp";
    testing::WriteBytes(out, kKept);
    Arguments words{"convert", in, out};
    for (const std::string& word : PatternWords(input))
        words.push_back(word);
    if (input.smooth)
        words.push_back("--smooth");
    if (input.extraWord)
        words.push_back(*input.extraWord);
    const CliRun run = RunWords(words);
    if (run.code == kExitOk && input.extraWord && IsHelpWord(*input.extraWord)) {
        if (run.out.empty() || testing::ReadBytes(out) != kKept)
            return "convert --help did more than show its usage";
    } else if (run.code == kExitOk) {
        THandyBitmap result;
        if (!result.LoadFromFile(out))
            return "the converted file does not load: " + result.ErrorText();
        if (!tile || result.biWidth() != tile->X || result.biHeight() != tile->Y)
            return "the converted file is not the tile's size";
        const std::string again = folder + testing::TempFolder::kSeparator + "again.bmp";
        if (std::string fault = testing::CheckLoadRoundTrip(out, again); !fault.empty())
            return "the converted file: " + fault;
        std::filesystem::remove(again);
    } else {
        if (std::string fault = CheckAnswer("convert", run, {kExitFailure, kExitUsage});
            !fault.empty())
            return fault;
        if (run.code == kExitUsage && !input.extraWord)
            return "convert refused good words";
        if (testing::ReadBytes(out) != kKept)
            return "a refused conversion changed the output";
    }
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++files;
    if (files != 2)
        return "convert left " + std::to_string(files) + " files where 2 belong";
    return {};
}

} // namespace

std::string CheckCliRoundTrip(const std::uint8_t* data, std::size_t size,
                              const std::string& folder) {
    const FuzzInput input = Parse(data, size);
    const std::string in = folder + testing::TempFolder::kSeparator + "in.bmp";
    testing::WriteBytes(in, input.file);

    if (std::string fault = CheckAnswer("info", RunWords({"info", in}), {kExitOk, kExitFailure});
        !fault.empty())
        return fault;

    Arguments patterns{"patterns", in};
    if (input.vertical)
        patterns.push_back("--vertical");
    if (input.byArea)
        patterns.push_back("--sort=area");
    if (input.exact)
        patterns.push_back("--exact");
    const CliRun listed = RunWords(patterns);
    if (std::string fault = CheckAnswer("patterns", listed, {kExitOk, kExitFailure});
        !fault.empty())
        return fault;

    THandyBitmap picture;
    const bool loads = picture.LoadFromFile(in) && picture.biWidth() > 0 && picture.biHeight() > 0;
    const std::optional<TPoint> tile = loads ? ChosenTile(input, picture) : std::nullopt;
    if (!tile || std::int64_t{tile->X} * tile->Y <= kMostCheckedCells)
        if (std::string fault = CheckConvert(input, in, tile, folder); !fault.empty())
            return fault;

    if (loads) {
        Arguments words{"preview", std::to_string(picture.biWidth()),
                        std::to_string(picture.biHeight())};
        for (const std::string& word : PatternWords(input))
            words.push_back(word);
        if (input.segments)
            words.push_back("--segments");
        if (std::string fault =
                CheckAnswer("preview", RunWords(words), {kExitOk, kExitFailure, kExitUsage});
            !fault.empty())
            return fault;
    }
    return {};
}

} // namespace slanter::cli
