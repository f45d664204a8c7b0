#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>
#ifndef _WIN32
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#endif

#include "CliRun.h"
#include "bitmap/AreaResize.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/OutputFile.h"
#include "bitmap/PngFile.h"
#include "cli/CliCommand.h"
#include "conversion/ConversionRun.h"
#include "engine/Slanter.h"
#include "support/BlockPicture.h"
#include "support/ReferenceTable.h"
#include "support/TempFolder.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace slanter::cli {
namespace {

using testing::TempFolder;

class ConvertCommand : public ::testing::Test {
  protected:
    ConvertCommand() : input(folder.Path("in.bmp")), output(folder.Path("out.bmp")) {}

    void SavePicture(int bitCount, int width = 40, int height = 30) {
        testing::BlockPicture picture(width, height, bitCount, 10);
        ASSERT_TRUE(picture.Bitmap().SaveToFile(input)) << picture.Bitmap().ErrorText();
    }

    // The bytes the desktop program's result file holds for the same choices.
    testing::Bytes Expected(int pattern, bool horizontal, bool rightUp, bool smoothing,
                            bool sortOnAngle) {
        THandyBitmap source;
        EXPECT_TRUE(source.LoadFromFile(input));
        TSlanter engine;
        engine.SetHorizontal(horizontal);
        engine.SetRightUp(rightUp);
        engine.SetSortOnAngle(sortOnAngle);
        engine.SetSourceSize({source.biWidth(), source.biHeight()});
        engine.SetPatternIndex(pattern);
        THandyBitmap result;
        EXPECT_EQ(ComputeResult(engine, source, smoothing, result, {}), RunOutcome::Finished);
        const std::string path = folder.Path("expected.bmp");
        EXPECT_TRUE(result.SaveToFile(path));
        return testing::ReadBytes(path);
    }

    // The largest tile of a 2000 x 2000 picture, 76 million pixels, takes far longer than
    // the waits of the interrupt tests; at 8 bits a file can still hold it. Answers its
    // index.
    std::string SaveSlowPicture() {
        SavePicture(8, 2000, 2000);
        TSlanter engine;
        engine.SetSourceSize({2000, 2000});
        int largest = 0;
        for (int k = 0; k < engine.PatternCount(); ++k)
            if (engine.PatternArea(k) > engine.PatternArea(largest))
                largest = k;
        return std::to_string(largest);
    }

    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

#ifndef _WIN32
    // Starts slanter-cli with these words after the program name.
    pid_t Spawn(const std::vector<std::string>& arguments) {
        const std::string cli = SLANTER_CLI_PATH;
        std::vector<std::string> words{cli};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        pid_t child = 0;
        EXPECT_EQ(posix_spawn(&child, cli.c_str(), nullptr, nullptr, argv.data(), environ), 0);
        return child;
    }
    // The exit code of the child, or -1 when it did not exit by itself.
    static int ExitCode(pid_t child) {
        int status = 0;
        if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }
#endif

    TempFolder folder;
    std::string input;
    std::string output;
};

TEST_F(ConvertCommand, WritesTheSameBytesAsTheConversionForEveryDepthAndOption) {
    for (const int bitCount : {1, 4, 8, 16, 24}) {
        SavePicture(bitCount);
        const CliRun plain = RunWords({"convert", input, output, "--pattern", "5"});
        ASSERT_EQ(plain.code, kExitOk) << plain.err;
        EXPECT_EQ(plain.err, ""); // no progress line off a terminal
        EXPECT_EQ(testing::ReadBytes(output), Expected(5, true, true, false, true)) << bitCount;

        const CliRun all = RunWords({"convert", input, output, "--pattern=7", "--vertical",
                                     "--left", "--smooth", "--sort=area"});
        ASSERT_EQ(all.code, kExitOk) << all.err;
        EXPECT_EQ(testing::ReadBytes(output), Expected(7, false, false, true, false)) << bitCount;
    }
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"expected.bmp", "in.bmp", "out.bmp"}));
    // The output is an ordinary new file, not a private temporary one.
    EXPECT_EQ(std::filesystem::status(output).permissions(),
              std::filesystem::status(folder.Path("expected.bmp")).permissions());
}

TEST_F(ConvertCommand, AnyNumberOfThreadsWritesTheSameBytes) {
    SavePicture(24, 64, 48);
    const testing::Bytes expected = Expected(3, true, true, true, true);
    for (const char* threads : {"--threads=1", "--threads=2", "--threads=5"}) {
        const CliRun run =
            RunWords({"convert", input, output, "--pattern", "3", "--smooth", threads});
        ASSERT_EQ(run.code, kExitOk) << run.err;
        EXPECT_EQ(testing::ReadBytes(output), expected) << threads;
    }
    for (const char* wrong : {"0", "x", "257"}) {
        const CliRun run =
            RunWords({"convert", input, output, "--pattern", "3", "--threads", wrong});
        EXPECT_EQ(run.code, kExitUsage) << wrong;
        EXPECT_NE(run.err.find("--threads takes a number"), std::string::npos) << run.err;
    }
    EXPECT_EQ(RunWords({"convert", input, output, "--pattern", "3", "--threads"}).code, kExitUsage);
}

TEST_F(ConvertCommand, FailuresSayWhyAndLeaveAnExistingOutputAlone) {
    SavePicture(24);
    testing::WriteBytes(output, {'k', 'e', 'e', 'p'});

    const CliRun outside = RunWords({"convert", input, output, "--pattern", "100"});
    EXPECT_EQ(outside.code, kExitFailure);
    EXPECT_NE(outside.err.find("outside the table"), std::string::npos);

    testing::WriteBytes(folder.Path("bad.bmp"), {'B', 'M', 1, 2, 3});
    const CliRun unreadable =
        RunWords({"convert", folder.Path("bad.bmp"), output, "--pattern", "0"});
    EXPECT_EQ(unreadable.code, kExitFailure);
    THandyBitmap reader;
    EXPECT_FALSE(reader.LoadFromFile(folder.Path("bad.bmp")));
    EXPECT_EQ(unreadable.err, reader.ErrorText() + "\n");

    const CliRun nowhere =
        RunWords({"convert", input, folder.Path("missing/out.bmp"), "--pattern", "0"});
    EXPECT_EQ(nowhere.code, kExitFailure);
    EXPECT_NE(nowhere.err.find("cannot write"), std::string::npos);

    EXPECT_EQ(testing::ReadBytes(output), (testing::Bytes{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"bad.bmp", "in.bmp", "out.bmp"}));
}

TEST_F(ConvertCommand, AngleConvertsWithTheNearestPatternWhateverTheOrder) {
    SavePicture(24, 64, 48);
    // 11.1 degrees: nearest are rows 7 (area 4) and 8 (area 16) of the angle order, one
    // angle; the smaller area wins.
    const CliRun byAngle = RunWords({"convert", input, output, "--angle", "11.1"});
    ASSERT_EQ(byAngle.code, kExitOk) << byAngle.err;
    const testing::Bytes expected = Expected(7, true, true, false, true);
    EXPECT_EQ(testing::ReadBytes(output), expected);
    const CliRun byArea = RunWords({"convert", input, output, "--angle=11.1", "--sort=area"});
    ASSERT_EQ(byArea.code, kExitOk) << byArea.err;
    EXPECT_EQ(testing::ReadBytes(output), expected);

    for (const Arguments& words :
         {Arguments{"convert", input, output, "--angle", "30", "--pattern", "1"},
          Arguments{"convert", input, output, "--angle", "thirty"},
          Arguments{"convert", input, output, "--angle"}}) {
        const CliRun run = RunWords(words);
        EXPECT_EQ(run.code, kExitUsage) << words.back();
        EXPECT_FALSE(run.err.empty());
    }
}

// A build with the platform's PNG writer writes PNG for an output named .png; one
// without refuses before the work and leaves nothing behind.
TEST_F(ConvertCommand, APngOutputIsWrittenOrRefusedBeforeTheWork) {
    SavePicture(24);
    const std::string png = folder.Path("out.png");
    const CliRun run = RunWords({"convert", input, png, "--pattern", "2"});
    if (PngWriterMissing().empty()) {
        ASSERT_EQ(run.code, kExitOk) << run.err;
        const testing::Bytes bytes = testing::ReadBytes(png);
        ASSERT_GT(bytes.size(), 8u);
        EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
        EXPECT_EQ(FolderNames(), (std::vector<std::string>{"in.bmp", "out.png"}));
    } else {
        EXPECT_EQ(run.code, kExitFailure);
        EXPECT_EQ(run.err,
                  "slanter-cli convert: cannot write " + png + ": " + PngWriterMissing() + "\n");
        EXPECT_EQ(FolderNames(), (std::vector<std::string>{"in.bmp"}));
    }
}

TEST_F(ConvertCommand, PictureWithoutPatternsIsAFailure) {
    SavePicture(8, 9999, 1);
    const CliRun run = RunWords({"convert", input, output, "--pattern", "0", "--vertical"});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_NE(run.err.find("no pattern"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(ConvertCommand, TileBeyondOneHundredMillionBytesIsWritten) {
    SavePicture(24, 2000, 2000);
    TSlanter engine;
    engine.SetSourceSize({2000, 2000});
    // The smallest tile whose 24-bit pixel data passes 100,000,000 bytes: once refused.
    int chosen = -1;
    std::int64_t least = INT64_MAX;
    for (int k = 0; k < engine.PatternCount(); ++k) {
        const TPoint tile = engine.PatternSize(k);
        const std::int64_t bytes = (std::int64_t{tile.X} * 3 + 3) / 4 * 4 * tile.Y;
        if (bytes > 100'000'000 && bytes < least)
            chosen = k, least = bytes;
    }
    ASSERT_GE(chosen, 0);
    const CliRun run = RunWords({"convert", input, output, "--pattern", std::to_string(chosen)});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    ASSERT_TRUE(std::filesystem::exists(output));
    EXPECT_EQ(std::filesystem::file_size(output), static_cast<std::uintmax_t>(54 + least));
}

// The picture is resized first (area averaging) and the file left as it was.
TEST_F(ConvertCommand, ScaleConvertsTheResizedPicture) {
    SavePicture(24, 40, 30);
    const testing::Bytes before = testing::ReadBytes(input);
    const CliRun run =
        RunWords({"convert", input, output, "--pattern", "1", "--scale", "x15", "--threads=2"});
    ASSERT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(testing::ReadBytes(input), before);
    THandyBitmap source, half;
    ASSERT_TRUE(source.LoadFromFile(input));
    ASSERT_TRUE(AreaResize(source, 20, 15, half));
    ASSERT_TRUE(half.SaveToFile(input));
    EXPECT_EQ(testing::ReadBytes(output), Expected(1, true, true, false, true));
    EXPECT_EQ(RunWords({"convert", input, output, "--pattern", "1", "--scale=0%"}).code,
              kExitUsage);
}

// The filled picture is the tile laid from its top-left corner: every pixel is the tile's
// at the same place modulo the tile's sides, counted from the top.
TEST_F(ConvertCommand, FillWritesAPictureOfTheSizeAskedLaidWithTheTile) {
    SavePicture(8, 40, 30);
    const std::string tileFile = folder.Path("tile.bmp");
    ASSERT_EQ(RunWords({"convert", input, tileFile, "--pattern", "2"}).code, kExitOk);
    const CliRun run = RunWords({"convert", input, output, "--pattern", "2", "--fill", "333x77"});
    ASSERT_EQ(run.code, kExitOk) << run.err;
    THandyBitmap tile, filled;
    ASSERT_TRUE(tile.LoadFromFile(tileFile));
    ASSERT_TRUE(filled.LoadFromFile(output));
    ASSERT_EQ(filled.biWidth(), 333);
    ASSERT_EQ(filled.biHeight(), 77);
    EXPECT_EQ(filled.biBitCount(), tile.biBitCount());
    int wrong = 0;
    for (int top = 0; top < 77; ++top)
        for (int x = 0; x < 333; ++x)
            wrong +=
                filled.GetPixelColor(x, 76 - top) !=
                tile.GetPixelColor(x % tile.biWidth(), tile.biHeight() - 1 - top % tile.biHeight());
    EXPECT_EQ(wrong, 0);
    // A transparent tile fills a transparent picture.
    const std::string clear = folder.Path("clear.png");
    ASSERT_EQ(RunWords({"convert", testing::TestDataPath("kept/transparent.png"), clear,
                        "--pattern", "0", "--fill", "50x40"})
                  .code,
              kExitOk);
    EXPECT_NE(RunWords({"info", clear}).out.find("alpha: kept"), std::string::npos);
    for (const char* bad : {"1920", "0x10", "10x", "x10", "10x-1"})
        EXPECT_EQ(RunWords({"convert", input, output, "--pattern", "2", "--fill", bad}).code,
                  kExitUsage)
            << bad;
}

// Each picture under a name of its own in the folder, the first's name taken already; a
// picture that fails is named and the others go on.
TEST_F(ConvertCommand, ManyPicturesGoIntoAFolderPastOneThatFails) {
    SavePicture(24, 40, 30);
    const std::string second = folder.Path("second.bmp");
    std::filesystem::copy_file(input, second);
    const std::string broken = folder.Path("broken.bmp");
    testing::WriteBytes(broken, {'B', 'M'});
    std::filesystem::create_directory(folder.Path("out"));
    const std::string out = folder.Path("out") + TempFolder::kSeparator;
    const CliRun alone = RunWords({"convert", input, folder.Path("alone.bmp"), "--angle", "10"});
    ASSERT_EQ(alone.code, kExitOk) << alone.err;
    // The chosen pattern's angle as the table prints it.
    const CliRun patterns = RunWords({"patterns", input, "--angle", "10"});
    std::istringstream last(patterns.out.substr(patterns.out.rfind(' ')));
    std::string index;
    last >> index;
    std::istringstream rows(patterns.out);
    std::string angle;
    for (std::string row; std::getline(rows, row) && angle.empty();) {
        std::istringstream words(row);
        std::string first;
        if (words >> first && first == index)
            words >> angle;
    }
    ASSERT_FALSE(angle.empty()) << patterns.out;
    testing::WriteBytes(out + "in-" + angle + "deg.bmp", {'x'});

    const CliRun run = RunWords({"convert", input, broken, second, "--out-dir", folder.Path("out"),
                                 "--format=bmp", "--angle", "10"});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_NE(run.err.find(broken), std::string::npos) << run.err;
    EXPECT_EQ(testing::ReadBytes(out + "in-" + angle + "deg.bmp"), testing::Bytes{'x'});
    EXPECT_EQ(testing::ReadBytes(out + "in-" + angle + "deg-2.bmp"),
              testing::ReadBytes(folder.Path("alone.bmp")));
    EXPECT_EQ(testing::ReadBytes(out + "second-" + angle + "deg.bmp"),
              testing::ReadBytes(folder.Path("alone.bmp")));
    EXPECT_EQ(RunWords({"convert", input, second, "--out-dir", folder.Path("out"),
                        "--set-wallpaper", "--angle", "10"})
                  .code,
              kExitUsage);
    EXPECT_EQ(RunWords({"convert", input, "--out-dir", folder.Path("out"), "--format", "gif",
                        "--angle", "10"})
                  .code,
              kExitUsage);
}

TEST_F(ConvertCommand, UsageErrors) {
    SavePicture(24);
    for (const Arguments& words :
         {Arguments{"convert", input, output}, Arguments{"convert", input, "--pattern", "1"},
          Arguments{"convert", input, output, "--pattern", "-1"},
          Arguments{"convert", input, output, "--pattern", "x"},
          Arguments{"convert", input, output, "--pattern"},
          Arguments{"convert", input, output, "--pattern", "1", "--sort=size"},
          Arguments{"convert", input, output, "--pattern", "1", "--tilt"}}) {
        const CliRun run = RunWords(words);
        EXPECT_EQ(run.code, kExitUsage) << words.back();
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(RunWords({"convert", "--help"}).code, kExitOk);
    EXPECT_FALSE(std::filesystem::exists(output));
}

// Two values for one option could only be a slip: neither is taken silently.
TEST_F(ConvertCommand, AnOptionGivenTwiceIsBadUsageAndNothingIsWritten) {
    SavePicture(24);
    const CliRun run = RunWords({"convert", input, output, "--pattern", "1", "--pattern=2"});
    EXPECT_EQ(run.code, kExitUsage);
    EXPECT_EQ(run.err, "slanter-cli convert: --pattern is given more than once\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// Ctrl-C between two columns: exit code 130 and nothing written, not even a temporary.
// Here the interrupt is raised inside the process, as Windows delivers Ctrl-C (on a thread
// of its own), again and again until the run ends.
TEST_F(ConvertCommand, AnInterruptDuringTheRunCancelsItAndWritesNothing) {
    const std::string largest = SaveSlowPicture();
    // Ignored before the run sets its handler and after it puts this one back.
    const auto previous = std::signal(SIGINT, SIG_IGN);
    std::atomic<bool> finished{false};
    std::thread presser([&finished] {
        while (!finished) {
            std::raise(SIGINT);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    const CliRun run = RunWords({"convert", input, output, "--pattern", largest});
    finished = true;
    presser.join();
    std::signal(SIGINT, previous);
    EXPECT_EQ(run.code, 130) << run.err;
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"in.bmp"}));
}

// A stop asked for once the data is on disk: the temporary goes, the old output stays.
TEST_F(ConvertCommand, AStopBeforeTheRenameRemovesTheTemporaryAndKeepsTheOutput) {
    SavePicture(8);
    THandyBitmap picture;
    ASSERT_TRUE(picture.LoadFromFile(input));
    testing::WriteBytes(output, {'o', 'l', 'd'});
    EXPECT_EQ(WriteResultFile(picture, output, [] { return false; }), kWriteStopped);
    EXPECT_EQ(testing::ReadBytes(output), (testing::Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"in.bmp", "out.bmp"}));
}

#ifndef _WIN32
// The same from outside, as a terminal, a service manager or a closed session sends it:
// 128 + the signal's number, and nothing written, not even a temporary.
TEST_F(ConvertCommand, InterruptTerminateAndHangUpCancelAndWriteNothing) {
    const std::string largest = SaveSlowPicture();
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = Spawn({"convert", input, output, "--pattern", largest});
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        kill(child, signal);
        EXPECT_EQ(ExitCode(child), 128 + signal) << signal;
        EXPECT_EQ(FolderNames(), (std::vector<std::string>{"in.bmp"})) << signal;
    }
}

// A signal at any moment of a run, its write included: the output is either the whole
// result or not there, and no temporary stays beside it.
TEST_F(ConvertCommand, ASignalAtAnyMomentLeavesAWholeOutputOrNone) {
    SavePicture(24, 600, 500);
    const std::vector<std::string> words{"convert", input, output, "--pattern", "40"};
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(ExitCode(Spawn(words)), 0);
    const auto whole = std::chrono::steady_clock::now() - start;
    const testing::Bytes expected = testing::ReadBytes(output);
    ASSERT_GT(expected.size(), 1000000u);
    for (int step = 0; step <= 24; ++step) {
        std::filesystem::remove(output);
        const int signal = step % 2 == 0 ? SIGTERM : SIGHUP;
        const pid_t child = Spawn(words);
        std::this_thread::sleep_for(whole * step / 20);
        kill(child, signal);
        const int code = ExitCode(child);
        const std::vector<std::string> names = FolderNames();
        const bool written = names == std::vector<std::string>{"in.bmp", "out.bmp"};
        EXPECT_TRUE(written || names == std::vector<std::string>{"in.bmp"}) << step;
        if (written) {
            EXPECT_EQ(testing::ReadBytes(output), expected) << step;
        }
        // -1: the signal came before the program set its handlers or after it put the
        // defaults back; 128 + the signal: the run stopped and wrote nothing.
        EXPECT_TRUE(code == 0 || code == 128 + signal || code == -1) << step << ": " << code;
        if (code == 0) {
            EXPECT_TRUE(written) << step;
        }
        if (code == 128 + signal) {
            EXPECT_FALSE(written) << step;
        }
    }
}

// Four conversions of one picture side by side: each reads it while the others do.
TEST_F(ConvertCommand, ConversionsOfOnePictureRunSideBySide) {
    SavePicture(24);
    std::vector<pid_t> children;
    for (int k = 0; k < 4; ++k)
        children.push_back(
            Spawn({"convert", input, folder.Path("out" + std::to_string(k)), "--pattern", "0"}));
    for (const pid_t child : children)
        EXPECT_EQ(ExitCode(child), 0);
}

// Pipes and devices are never replaced, nor a folder; a replaced file keeps its bits.
TEST_F(ConvertCommand, OnlyARegularFileIsReplacedAndItKeepsItsPermissions) {
    SavePicture(8);
    const std::string pipe = folder.Path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const CliRun toPipe = RunWords({"convert", input, pipe, "--pattern", "0"});
    EXPECT_EQ(toPipe.code, kExitFailure);
    EXPECT_EQ(toPipe.err, "slanter-cli convert: cannot write " + pipe +
                              ": it is a named pipe, not a regular file\n");
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    const CliRun toDevice = RunWords({"convert", input, "/dev/null", "--pattern", "0"});
    EXPECT_EQ(toDevice.code, kExitFailure);
    EXPECT_NE(toDevice.err.find("it is a device, not a regular file"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    const CliRun toFolder = RunWords({"convert", input, folder.Path(), "--pattern", "0"});
    EXPECT_NE(toFolder.err.find("it is a folder, not a regular file"), std::string::npos);

    testing::WriteBytes(output, {'o', 'l', 'd'});
    ASSERT_EQ(chmod(output.c_str(), 0640), 0);
    EXPECT_EQ(RunWords({"convert", input, output, "--pattern", "0"}).code, kExitOk);
    struct stat info {};
    ASSERT_EQ(stat(output.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"in.bmp", "out.bmp", "pipe"}));
}

// The temporary beside the output must not outgrow the folder's limit on names.
TEST_F(ConvertCommand, AnOutputNameAsLongAsTheSystemAllowsIsWritten) {
    SavePicture(8);
    const long longest = pathconf(folder.Path().c_str(), _PC_NAME_MAX);
    ASSERT_GT(longest, 8);
    const std::string name = std::string(static_cast<std::size_t>(longest) - 4, 'n') + ".bmp";
    const CliRun run = RunWords({"convert", input, folder.Path(name), "--pattern", "0"});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"in.bmp", name}));
}
#endif

} // namespace
} // namespace slanter::cli
