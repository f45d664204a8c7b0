#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
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
#include "cli/ArgumentParsing.h"
#include "cli/CliCommand.h"
#include "cli/OutputFile.h"
#include "cli/PatternChoice.h"
#include "conversion/ConversionRun.h"
#include "conversion/Progress.h"
#include "conversion/ResultShape.h"
#include "engine/Slanter.h"

namespace slanter::cli {

namespace {

constexpr const char* kConvertUsage =
    "Usage: slanter-cli convert INPUT.bmp OUTPUT.bmp --pattern N [--vertical] [--left]\n"
    "                           [--smooth] [--sort=angle|area] [--threads N]\n"
    "Converts INPUT.bmp with pattern N of the table that 'slanter-cli patterns INPUT.bmp'\n"
    "lists for the same options, and writes the seamless tile to OUTPUT.bmp.\n"
    "  --pattern N    0-based index in the pattern table\n"
    "  --vertical     copies stacked in columns instead of rows\n"
    "  --left         rows rising to the left instead of to the right\n"
    "  --smooth       blend each pixel with its nearest neighbour across an edge\n"
    "  --sort=ORDER   order of the table: angle (default) or area\n"
    "  --threads N    threads that compute the tile (default: all cores); the result\n"
    "                 is the same for every N\n"
    "Ctrl-C cancels between two columns; nothing is written then (exit code 130).\n";

constexpr int kExitCancelled = 130;

// Windows calls the handler on a thread of its own, so the flag is an atomic one.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free,
              "the handler may only touch a lock-free flag");

extern "C" void OnInterrupt(int) {
    interrupted = true;
#ifdef _WIN32
    // The runtime resets the handler before calling it; a second Ctrl-C must not kill the
    // run halfway through writing.
    std::signal(SIGINT, OnInterrupt);
#endif
}

#ifdef _WIN32
class InterruptGuard {
  public:
    InterruptGuard() {
        interrupted = false;
        previous_ = std::signal(SIGINT, OnInterrupt);
    }
    ~InterruptGuard() { std::signal(SIGINT, previous_); }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

  private:
    void (*previous_)(int) = SIG_DFL;
};

bool StandardErrorIsTerminal() {
    return _isatty(2) != 0;
}
#else
class InterruptGuard {
  public:
    InterruptGuard() {
        interrupted = false;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previous_);
    }
    ~InterruptGuard() { sigaction(SIGINT, &previous_, nullptr); }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

  private:
    struct sigaction previous_ {};
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
    Arguments words;
    if (std::string problem = TakeThreads(args, words, options.threads); !problem.empty())
        return problem;
    Arguments files;
    const std::string problem = options.choice.ReadWords(words, "--smooth", options.smoothing,
                                                         files, "INPUT.bmp and OUTPUT.bmp");
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

    // From here on Ctrl-C only asks the run to stop before its next column.
    InterruptGuard guard;
    THandyBitmap source;
    if (!source.LoadFromFile(options.input)) {
        err << source.ErrorText() << "\n";
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
    bool finished = false;
    {
        ProgressLine line(err);
        RunHooks hooks;
        hooks.keepGoing = [] { return !interrupted; };
        hooks.showProgress = [&line](const ColumnProgress& progress) { line.Show(progress); };
        hooks.threads = options.threads;
        finished = ComputeResult(engine, source, options.smoothing, result, hooks);
    }
    if (!finished) {
        err << "slanter-cli convert: cancelled; nothing was written\n";
        return kExitCancelled;
    }
    const std::string problem = WriteResultFile(result, options.output);
    if (!problem.empty()) {
        err << "slanter-cli convert: cannot write " << options.output << ": " << problem << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace slanter::cli
