// The desktop program ended by real signals while one of its message boxes is open: it
// must end as its Exit command ends it, its folder of temporary pictures gone.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "support/TempFolder.h"

extern char** environ;

namespace slanter {
namespace {

namespace fs = std::filesystem;

class SignalEnd : public ::testing::Test {
  protected:
    SignalEnd() : temporary(folder.Path("tmp")) {
        fs::create_directory(temporary);
        fs::create_directory(folder.Path("runtime"));
        fs::permissions(folder.Path("runtime"), fs::perms::owner_all);
    }

    // The program on `picture`, offscreen, with a home and a temporary location of its own.
    pid_t Start(const std::string& picture) {
        std::vector<std::string> settings{"QT_QPA_PLATFORM=offscreen", "TMPDIR=" + temporary,
                                          "HOME=" + folder.Path(),
                                          "XDG_CONFIG_HOME=" + folder.Path("config"),
                                          "XDG_RUNTIME_DIR=" + folder.Path("runtime")};
        std::vector<char*> environment;
        for (std::string& setting : settings)
            environment.push_back(setting.data());
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string name(*entry, std::string(*entry).find('='));
            if (name != "QT_QPA_PLATFORM" && name != "TMPDIR" && name != "HOME" &&
                name != "XDG_CONFIG_HOME" && name != "XDG_RUNTIME_DIR")
                environment.push_back(*entry);
        }
        environment.push_back(nullptr);
        std::string program = SLANTER_PROGRAM_PATH;
        std::string argument = picture;
        char* argv[] = {program.data(), argument.data(), nullptr};
        pid_t child = 0;
        EXPECT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environment.data()),
                  0);
        return child;
    }

    // The run's folder of temporary pictures, once made; empty before.
    std::string RunFolder() const {
        for (const auto& entry : fs::directory_iterator(temporary))
            if (entry.path().filename().string().rfind("slanter-", 0) == 0)
                return entry.path().string();
        return {};
    }

    // Waits for `ready` a minute at most: the program starts slowly on a busy machine.
    template <typename Ready>
    static bool WaitFor(Ready ready) {
        for (int k = 0; k < 3000; ++k) {
            if (ready())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    // The child's exit code once it has ended by itself; -1 when it ended by a signal or
    // had not ended a minute after the signal (it is killed then).
    static int Ended(pid_t child) {
        int status = 0;
        const bool ended = WaitFor([&] { return waitpid(child, &status, WNOHANG) == child; });
        if (!ended) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    testing::TempFolder folder;
    std::string temporary;
};

// Junk in a .bmp file: "Unsupported image format" is open once the working file is there.
TEST_F(SignalEnd, EachSignalEndsTheProgramWhileTheUnsupportedFormatBoxIsOpen) {
    const std::string junk = folder.Path("junk.bmp");
    testing::WriteBytes(junk, {'j', 'u', 'n', 'k'});
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = Start(junk);
        ASSERT_TRUE(WaitFor([&] {
            const std::string run = RunFolder();
            return !run.empty() && fs::exists(run + "/Temp0000.bmp");
        })) << signal;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        kill(child, signal);
        EXPECT_EQ(Ended(child), 0) << signal;
        EXPECT_EQ(RunFolder(), "") << signal;
    }
}

// A named pipe is no file to copy: "Can't copy" is open.
TEST_F(SignalEnd, TerminateEndsTheProgramWhileTheCantCopyBoxIsOpen) {
    const std::string pipe = folder.Path("pipe.bmp");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const pid_t child = Start(pipe);
    ASSERT_TRUE(WaitFor([&] { return !RunFolder().empty(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    kill(child, SIGTERM);
    EXPECT_EQ(Ended(child), 0);
    EXPECT_EQ(RunFolder(), "");
}

} // namespace
} // namespace slanter
