#include <functional>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "bitmap/BandedResultFile.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/OutputFile.h"
#include "bitmap/PngFile.h"
#include "bitmap/WorkingPicture.h"
#include "cli/ArgumentParsing.h"
#include "cli/CliCommand.h"
#include "cli/MemoryTexts.h"
#include "cli/PatternChoice.h"
#include "cli/ProgressLine.h"
#include "cli/ScaleOption.h"
#include "cli/StopSignals.h"
#include "conversion/ConversionRun.h"
#include "conversion/ResultFileName.h"
#include "conversion/ResultShape.h"
#include "conversion/TileFill.h"
#include "engine/Slanter.h"
#include "shell/DesktopWallpaper.h"

namespace slanter::cli {

namespace {

constexpr const char* kConvertUsage =
    "Usage: slanter-cli convert INPUT OUTPUT (--pattern N | --angle DEGREES) [--vertical]\n"
    "                           [--left] [--smooth] [--sort=angle|area] [--threads N]\n"
    "                           [--scale SIZE] [--fill WIDTHxHEIGHT] [--set-wallpaper]\n"
    "       slanter-cli convert INPUT... --out-dir DIR [--format png|bmp] (--pattern N |\n"
    "                           --angle DEGREES) [the options above]\n"
    "Converts the picture INPUT (BMP, PNG, JPEG, GIF, WebP, TIFF ...) with pattern N of the\n"
    "table that 'slanter-cli patterns INPUT' lists for the same options, and writes the\n"
    "seamless tile to OUTPUT: a PNG file when its name ends in .png, otherwise a BMP file.\n"
    "With --out-dir, converts each INPUT into DIR under a new name made of its own and its\n"
    "pattern's angle (photo-31.37deg.png), goes on past a picture that fails, and exits 1\n"
    "if any failed.\n"
    "  --out-dir DIR  the folder of the results of many pictures\n"
    "  --format FMT   their format with --out-dir: png (default) or bmp\n"
    "  --pattern N    0-based index in the pattern table\n"
    "  --angle DEG    the pattern whose angle is nearest DEG degrees (ties: smaller area)\n"
    "  --vertical     copies stacked in columns instead of rows\n"
    "  --left         rows rising to the left instead of to the right\n"
    "  --smooth       blend each pixel with its nearest neighbour across an edge\n"
    "  --sort=ORDER   order of the table: angle (default) or area\n"
    "  --threads N    threads that compute the tile and compress a PNG output (default:\n"
    "                 all cores); the result is the same for every N\n"
    "  --scale SIZE   convert the picture resized first (area averaging; the file is not\n"
    "                 changed): 50% (a percentage), 1920x (a width, the height following),\n"
    "                 x1080 (a height, the width following) or 1920x1080\n"
    "  --fill WxH     write a picture of exactly W x H pixels laid with the tile from its\n"
    "                 top-left corner, which repeats without seams as the tile does\n"
    "  --set-wallpaper  make OUTPUT the desktop's background, tiled, once it is written\n"
    "                 (Windows; GNOME and its relatives, KDE Plasma or Xfce on Linux)\n"
    "Ctrl-C, SIGTERM or SIGHUP cancels between two columns or before the output is put\n"
    "in place; nothing is written then (exit code 128 + the signal's number: 130 for\n"
    "Ctrl-C).\n"
    "Examples:\n"
    "  slanter-cli convert photo.jpg tile.png --angle 30\n"
    "  slanter-cli convert photo.jpg wallpaper.png --scale x1080 --angle 30 --fill 1920x1080\n"
    "  slanter-cli convert *.jpg --out-dir tiles --angle 30 --scale x1080\n";

struct ConvertOptions {
    std::vector<std::string> inputs;
    std::string output; // one picture's; empty with outDir
    std::string outDir;
    std::string format = "png";
    PatternChoice choice;
    bool smoothing = false;
    int threads = 0; // all cores
    std::optional<ScaleRequest> scale;
    std::optional<TPoint> fill;
    bool setWallpaper = false;
};

// The size of --fill, WIDTHxHEIGHT; nothing for anything else.
std::optional<TPoint> ParseFillSize(const std::string& value) {
    const auto times = value.find('x');
    if (times == std::string::npos)
        return std::nullopt;
    const std::optional<std::int32_t> width = ParseIndex(value.substr(0, times));
    const std::optional<std::int32_t> height = ParseIndex(value.substr(times + 1));
    if (!width || !height || *width < 1 || *height < 1)
        return std::nullopt;
    return TPoint{*width, *height};
}

// Fills options from the words; answers an error text, empty when they are good.
std::string ParseConvertWords(const Arguments& args, ConvertOptions& options) {
    constexpr int kMostThreads = 256;
    const auto fill = [&options](const std::string& value) {
        options.fill = ParseFillSize(value);
        return options.fill ? std::string()
                            : "the size '" + value + "' is not WIDTHxHEIGHT, each side at least 1";
    };
    const auto threads = [&options](const std::string& value) {
        const std::optional<std::int32_t> number = ParseIndex(value);
        if (!number || *number < 1 || *number > kMostThreads)
            return "--threads takes a number from 1 to " + std::to_string(kMostThreads) +
                   ", not '" + value + "'";
        options.threads = *number;
        return std::string();
    };
    const auto outDir = [&options](const std::string& value) {
        options.outDir = value;
        return value.empty() ? std::string("--out-dir needs a folder") : std::string();
    };
    const auto format = [&options](const std::string& value) {
        options.format = value;
        return std::string();
    };
    Arguments words = args;
    for (const auto& [name, missing, take] :
         {std::tuple<const char*, const char*, std::function<std::string(const std::string&)>>{
              "--fill", "--fill needs a size: WIDTHxHEIGHT, as 1920x1080", fill},
          {"--threads", "--threads needs a number", threads},
          {"--out-dir", "--out-dir needs a folder", outDir},
          {"--format", "--format needs png or bmp", format}}) {
        Arguments rest;
        if (std::string problem = TakeOptionValues(words, name, missing, rest, take);
            !problem.empty())
            return problem;
        words = std::move(rest);
    }
    Arguments scaled;
    if (std::string problem = TakeScale(words, scaled, options.scale); !problem.empty())
        return problem;
    words.clear();
    for (const std::string& word : scaled) {
        if (word == "--set-wallpaper")
            options.setWallpaper = true;
        else
            words.push_back(word);
    }
    if (options.format != "png" && options.format != "bmp")
        return "--format must be 'png' or 'bmp', not '" + options.format + "'";
    const bool many = !options.outDir.empty();
    Arguments files;
    const std::string problem =
        options.choice.ReadWords(words, "--smooth", options.smoothing, files,
                                 many ? "one INPUT or more" : "INPUT and OUTPUT", many ? 0 : 2);
    if (!problem.empty())
        return problem;
    if (many && options.setWallpaper && files.size() > 1)
        return "--set-wallpaper makes one picture the background: give one INPUT";
    if (!many) {
        options.output = files.back();
        files.pop_back();
    }
    options.inputs = files;
    return {};
}

// The folder `outDir` with a separator at its end.
std::string FolderWithSeparator(std::string outDir) {
#ifdef _WIN32
    if (outDir.back() != '\\' && outDir.back() != '/')
        outDir += '\\';
#else
    if (outDir.back() != '/')
        outDir += '/';
#endif
    return outDir;
}

// Converts one picture and writes it where `outputFor` names from the chosen pattern's
// angle (into `written`). Answers the exit code; a failure says why on err first.
int ConvertPicture(const ConvertOptions& options, const std::string& input,
                   const std::function<std::string(double angle)>& outputFor, ProgressLine& line,
                   int picture, std::ostream& err, std::string& written) {
    THandyBitmap source;
    if (const std::string reason = LoadWorkingPicture(input, source); !reason.empty()) {
        // One of many pictures is named.
        if (!options.outDir.empty())
            err << "slanter-cli convert: " << input << ": ";
        err << LoadFailureText(input, reason) << "\n";
        return kExitFailure;
    }
    if (source.Kept().ProfileDropped())
        err << "slanter-cli convert: " << input
            << ": its colour profile is malformed; the result carries none\n";
    if (const std::string problem = ApplyScale(options.scale, source); !problem.empty()) {
        err << "slanter-cli convert: " << input << ": " << problem << "\n";
        return kExitFailure;
    }
    TSlanter engine;
    if (!options.choice.Select(engine, source.biWidth(), source.biHeight(), "convert", err))
        return kExitFailure;
    written = outputFor(engine.AngleDegrees(engine.PatternIndex()));
    // Known before the work: a tile (or a filled picture) whose pixel data no BMP file of
    // ours can hold.
    const TPoint tile = engine.PatternSize(engine.PatternIndex());
    const TPoint size = options.fill.value_or(tile);
    if (!ResultFitsInFile(size, ResultDepth(source, options.smoothing))) {
        err << "slanter-cli convert: cannot write " << written << ": image too large (a " << size.X
            << " x " << size.Y << (options.fill ? " picture" : " tile") << " at "
            << ResultDepth(source, options.smoothing) << " bits holds more than "
            << THandyBitmap::kMaxImageBytes << " bytes of pixel data)\n";
        return kExitFailure;
    }

    THandyBitmap result;
    RunHooks hooks;
    hooks.keepGoing = [] { return stopSignal == 0; };
    hooks.showProgress = [&line, picture](const ColumnProgress& progress) {
        line.Show(picture, progress);
    };
    hooks.threads = options.threads;
    // A BMP tile goes to its file band by band while the rest is computed, so that the
    // disk is writing while the cores work.
    std::optional<BandedResultFile> banded;
    if (!options.fill && !NamesPngFile(written)) {
        banded.emplace(written);
        if (!banded->Refusal().empty()) {
            err << "slanter-cli convert: cannot write " << written << ": " << banded->Refusal()
                << "\n";
            return kExitFailure;
        }
        hooks.rowsDone = [&banded, &result](std::int32_t rows) { banded->RowsDone(result, rows); };
    }
    const RunOutcome outcome = ComputeResult(engine, source, options.smoothing, result, hooks);
    if (outcome == RunOutcome::Cancelled) {
        err << "slanter-cli convert: cancelled; nothing was written\n";
        return StoppedExitCode();
    }
    if (outcome == RunOutcome::OutOfMemory) {
        err << "slanter-cli convert: out of memory for a " << tile.X << " x " << tile.Y
            << " tile; nothing was written\n";
        return kExitFailure;
    }
    if (options.fill) {
        THandyBitmap filled;
        if (!FillWithTile(result, options.fill->X, options.fill->Y, filled)) {
            err << "slanter-cli convert: out of memory for a " << options.fill->X << " x "
                << options.fill->Y << " picture; nothing was written\n";
            return kExitFailure;
        }
        result = std::move(filled);
    }
    ResultFileWriting writing;
    writing.threads = options.threads;
    writing.progress = [](double) { return stopSignal == 0; };
    const auto keepGoing = [] { return stopSignal == 0; };
    const std::string problem = banded ? banded->Finish(result, keepGoing)
                                       : WriteResultFile(result, written, keepGoing, writing);
    if (problem == kWriteStopped) {
        err << "slanter-cli convert: cancelled; nothing was written\n";
        return StoppedExitCode();
    }
    if (!problem.empty()) {
        err << "slanter-cli convert: cannot write " << written << ": " << problem << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

// Makes `file` the desktop's background; answers the exit code.
int SetWallpaper(const std::string& file, std::ostream& err) {
    const std::string refusal = SetDesktopWallpaper(file);
    if (refusal == kNoKnownDesktop) {
        err << "slanter-cli convert: " << file
            << " was written, but no desktop this program knows was found to take it as "
               "its background\n";
        return kExitFailure;
    }
    if (!refusal.empty()) {
        err << "slanter-cli convert: " << file
            << " was written, but it could not be made the background: " << refusal << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

int RunConvert(const Arguments& args, std::ostream& out, std::ostream& err) {
    for (const std::string& word : args) {
        if (IsHelpWord(word)) {
            out << kConvertUsage;
            return kExitOk;
        }
    }
    ConvertOptions options;
    if (const std::string problem = ParseConvertWords(args, options); !problem.empty()) {
        err << "slanter-cli convert: " << problem << "\n" << kConvertUsage;
        return kExitUsage;
    }
    const bool many = !options.outDir.empty();

    // Known before any work: an output this build cannot write.
    if (many ? options.format == "png" : NamesPngFile(options.output)) {
        if (const std::string missing = PngWriterMissing(); !missing.empty()) {
            err << "slanter-cli convert: cannot write " << (many ? options.outDir : options.output)
                << ": " << missing << "\n";
            return kExitFailure;
        }
    }

    // From here on a stop signal only asks the run to stop before its next column.
    InterruptGuard guard;
    ProgressLine line(err, static_cast<int>(options.inputs.size()));
    const std::string folder = many ? FolderWithSeparator(options.outDir) : std::string();
    int failed = 0;
    std::string written;
    for (std::size_t k = 0; k < options.inputs.size(); ++k) {
        const std::string& input = options.inputs[k];
        const auto outputFor = [&](double angle) {
            return many ? UnusedFileName(folder, SuggestedResultName(input, angle, options.format))
                        : options.output;
        };
        std::ostringstream why;
        const int code =
            ConvertPicture(options, input, outputFor, line, static_cast<int>(k), why, written);
        if (!why.str().empty()) {
            line.Clear();
            err << why.str();
        }
        // A stop signal ends the whole run; a picture that failed, only itself.
        if (stopSignal != 0 && code != kExitOk)
            return code;
        if (code != kExitOk)
            ++failed;
    }
    line.Clear();
    if (failed > 0)
        return kExitFailure;
    return options.setWallpaper ? SetWallpaper(written, err) : kExitOk;
}

} // namespace slanter::cli
