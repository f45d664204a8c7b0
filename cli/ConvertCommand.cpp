#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>

#include <chrono>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "bitmap/HandyBitmap.h"
#include "bitmap/OutputFile.h"
#include "bitmap/PngFile.h"
#include "bitmap/WorkingPicture.h"
#include "cli/ArgumentParsing.h"
#include "cli/CliCommand.h"
#include "cli/MemoryTexts.h"
#include "cli/PatternChoice.h"
#include "cli/ScaleOption.h"
#include "conversion/ConversionRun.h"
#include "conversion/Progress.h"
#include "conversion/ResultShape.h"
#include "engine/Slanter.h"

namespace slanter::cli {

namespace {

constexpr const char* kConvertUsage =
    "Usage: slanter-cli convert INPUT OUTPUT (--pattern N | --angle DEGREES) [--vertical]\n"
    "                           [--left] [--smooth] [--sort=angle|area] [--threads N]\n"
    "                           [--scale SIZE]\n"
    "Converts the picture INPUT (BMP, PNG, JPEG, GIF, WebP, TIFF ...) with pattern N of the\n"
    "table that 'slanter-cli patterns INPUT' lists for the same options, and writes the\n"
    "seamless tile to OUTPUT: a PNG file when its name ends in .png, otherwise a BMP file.\n"
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
    "Ctrl-C, SIGTERM or SIGHUP cancels between two columns or before the output is put\n"
    "in place; nothing is written then (exit code 128 + the signal's number: 130 for\n"
    "Ctrl-C).\n";

// The signals that end a run: it stops before its next column, or before its output is
// renamed into place, and leaves no file behind. Windows raises SIGINT for Ctrl-C and
// SIGBREAK for Ctrl-Break.
#ifdef _WIN32
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGBREAK};
#else
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
#endif

// The signal that asked the run to stop, 0 while none has. Windows calls the handler on a
// thread of its own, so the value is an atomic one.
std::atomic<int> stopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free,
              "the handler may only touch a lock-free value");

extern "C" void OnStopSignal(int signal) {
    stopSignal = signal;
#ifdef _WIN32
    // The runtime resets the handler before calling it; a second Ctrl-C must not kill the
    // run halfway through writing.
    std::signal(signal, OnStopSignal);
#endif
}

// The exit code of a run a signal stopped: 128 + its number, as a shell reports it (130
// for Ctrl-C).
int StoppedExitCode() {
    return 128 + stopSignal;
}

#ifdef _WIN32
class InterruptGuard {
  public:
    InterruptGuard() {
        stopSignal = 0;
        for (std::size_t k = 0; k < std::size(kStopSignals); ++k)
            previous_[k] = std::signal(kStopSignals[k], OnStopSignal);
    }
    ~InterruptGuard() {
        for (std::size_t k = 0; k < std::size(kStopSignals); ++k)
            std::signal(kStopSignals[k], previous_[k]);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

  private:
    void (*previous_[std::size(kStopSignals)])(int) = {};
};

bool StandardErrorIsTerminal() {
    return _isatty(2) != 0;
}
#else
class InterruptGuard {
  public:
    InterruptGuard() {
        stopSignal = 0;
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        for (std::size_t k = 0; k < std::size(kStopSignals); ++k)
            sigaction(kStopSignals[k], &action, &previous_[k]);
    }
    ~InterruptGuard() {
        for (std::size_t k = 0; k < std::size(kStopSignals); ++k)
            sigaction(kStopSignals[k], &previous_[k], nullptr);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

  private:
    struct sigaction previous_[std::size(kStopSignals)]{};
};

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}
#endif

// One progress line on a terminal, redrawn a few times a second at most.
class ProgressLine {
  public:
    explicit ProgressLine(std::ostream& err) : err_(err), shown_(StandardErrorIsTerminal()) {}
    void Show(const ColumnProgress& progress) {
        if (!shown_)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (drawn_ && now - last_ < std::chrono::milliseconds(200))
            return;
        last_ = now;
        drawn_ = true;
        err_ << "\r" << progress.percent << "%  " << EstimateText(progress.estimateSeconds, false)
             << "   " << std::flush;
    }
    ~ProgressLine() {
        if (drawn_)
            err_ << "\r" << std::string(60, ' ') << "\r" << std::flush;
    }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

  private:
    std::ostream& err_;
    bool shown_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_;
};

struct ConvertOptions {
    std::string input;
    std::string output;
    PatternChoice choice;
    bool smoothing = false;
    int threads = 0; // all cores
    std::optional<ScaleRequest> scale;
};

// Takes "--threads N" or "--threads=N" out of the words; answers the problem, empty when
// there is none.
std::string TakeThreads(const Arguments& args, Arguments& rest, int& threads) {
    constexpr int kMostThreads = 256;
    for (std::size_t k = 0; k < args.size(); ++k) {
        std::optional<std::string> value = OptionValue(args[k], "--threads=");
        if (!value && args[k] == "--threads") {
            if (k + 1 == args.size())
                return "--threads needs a number";
            value = args[++k];
        }
        if (!value) {
            rest.push_back(args[k]);
            continue;
        }
        const std::optional<std::int32_t> number = ParseIndex(*value);
        if (!number || *number < 1 || *number > kMostThreads)
            return "--threads takes a number from 1 to " + std::to_string(kMostThreads) +
                   ", not '" + *value + "'";
        threads = *number;
    }
    return {};
}

// Fills options from the words; answers an error text, empty when they are good.
std::string ParseConvertWords(const Arguments& args, ConvertOptions& options) {
    Arguments unscaled;
    if (std::string problem = TakeScale(args, unscaled, options.scale); !problem.empty())
        return problem;
    Arguments words;
    if (std::string problem = TakeThreads(unscaled, words, options.threads); !problem.empty())
        return problem;
    Arguments files;
    const std::string problem =
        options.choice.ReadWords(words, "--smooth", options.smoothing, files, "INPUT and OUTPUT");
    if (!problem.empty())
        return problem;
    options.input = files[0];
    options.output = files[1];
    return {};
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

    // Known before any work: an output this build cannot write.
    if (NamesPngFile(options.output)) {
        if (const std::string missing = PngWriterMissing(); !missing.empty()) {
            err << "slanter-cli convert: cannot write " << options.output << ": " << missing
                << "\n";
            return kExitFailure;
        }
    }

    // From here on a stop signal only asks the run to stop before its next column.
    InterruptGuard guard;
    THandyBitmap source;
    if (const std::string reason = LoadWorkingPicture(options.input, source); !reason.empty()) {
        err << LoadFailureText(options.input, reason) << "\n";
        return kExitFailure;
    }
    if (source.Kept().ProfileDropped())
        err << "slanter-cli convert: " << options.input
            << ": its colour profile is malformed; the result carries none\n";
    if (const std::string problem = ApplyScale(options.scale, source); !problem.empty()) {
        err << "slanter-cli convert: " << problem << "\n";
        return kExitFailure;
    }
    TSlanter engine;
    if (!options.choice.Select(engine, source.biWidth(), source.biHeight(), "convert", err))
        return kExitFailure;
    // Known before the work: a tile whose pixel data no BMP file of ours can hold.
    const TPoint tile = engine.PatternSize(engine.PatternIndex());
    if (!ResultFitsInFile(tile, ResultDepth(source, options.smoothing))) {
        err << "slanter-cli convert: cannot write " << options.output << ": image too large (a "
            << tile.X << " x " << tile.Y << " tile at " << ResultDepth(source, options.smoothing)
            << " bits holds more than " << THandyBitmap::kMaxImageBytes
            << " bytes of pixel data)\n";
        return kExitFailure;
    }

    THandyBitmap result;
    RunOutcome outcome = RunOutcome::Finished;
    {
        ProgressLine line(err);
        RunHooks hooks;
        hooks.keepGoing = [] { return stopSignal == 0; };
        hooks.showProgress = [&line](const ColumnProgress& progress) { line.Show(progress); };
        hooks.threads = options.threads;
        outcome = ComputeResult(engine, source, options.smoothing, result, hooks);
    }
    if (outcome == RunOutcome::Cancelled) {
        err << "slanter-cli convert: cancelled; nothing was written\n";
        return StoppedExitCode();
    }
    if (outcome == RunOutcome::OutOfMemory) {
        err << "slanter-cli convert: out of memory for a " << tile.X << " x " << tile.Y
            << " tile; nothing was written\n";
        return kExitFailure;
    }
    ResultFileWriting writing;
    writing.threads = options.threads;
    writing.progress = [](double) { return stopSignal == 0; };
    const std::string problem = WriteResultFile(
        result, options.output, [] { return stopSignal == 0; }, writing);
    if (problem == kWriteStopped) {
        err << "slanter-cli convert: cancelled; nothing was written\n";
        return StoppedExitCode();
    }
    if (!problem.empty()) {
        err << "slanter-cli convert: cannot write " << options.output << ": " << problem << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace slanter::cli
