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
#include <sys/wait.h>
#endif

#include "CliRun.h"
#include "bitmap/HandyBitmap.h"
#include "cli/CliCommand.h"
#include "conversion/ConversionRun.h"
#include "engine/Slanter.h"
#include "support/BlockPicture.h"
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
        EXPECT_TRUE(ComputeResult(engine, source, smoothing, result, {}));
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

TEST_F(ConvertCommand, PictureWithoutPatternsIsAFailure) {
    SavePicture(8, 9999, 1);
    const CliRun run = RunWords({"convert", input, output, "--pattern", "0", "--vertical"});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_NE(run.err.find("no pattern"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(ConvertCommand, TileTooLargeForAFileFailsBeforeTheWork) {
    SavePicture(24, 2000, 2000);
    TSlanter engine;
    engine.SetSourceSize({2000, 2000});
    int largest = 0;
    for (int k = 0; k < engine.PatternCount(); ++k)
        if (engine.PatternArea(k) > engine.PatternArea(largest))
            largest = k;
    // 24 bits: three bytes a pixel, beyond 100,000,000 bytes for this tile.
    const TPoint tile = engine.PatternSize(largest);
    ASSERT_GT(std::int64_t{tile.X} * tile.Y * 3, 100'000'000);
    const CliRun run = RunWords({"convert", input, output, "--pattern", std::to_string(largest)});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_NE(run.err.find("image too large"), std::string::npos);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"in.bmp"}));
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

#ifndef _WIN32
// The same from outside, as a terminal sends it.
TEST_F(ConvertCommand, InterruptCancelsAndWritesNothing) {
    const std::string largest = SaveSlowPicture();
    const std::string cli = SLANTER_CLI_PATH;
    std::vector<std::string> words{cli, "convert", input, output, "--pattern", largest};
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, cli.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"in.bmp"}));
}
#endif

} // namespace
} // namespace slanter::cli
