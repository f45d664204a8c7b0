#include "support/GuardedFolder.h"

#include <filesystem>
#include <stdexcept>

#ifndef _WIN32
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace slanter::testing {

#ifdef _WIN32
GuardedFolder::GuardedFolder() : path_(folder_.Path()) {}

GuardedFolder::~GuardedFolder() = default;
#else
namespace {

std::string MakeFolder() {
    // Memory-backed where there is one: a fuzzer writes its files millions of times.
    const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/slanter-scratch-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a folder from " + pattern);
    return pattern;
}

} // namespace

// The watcher is a shell that reads a pipe to its end, which comes when every holder of
// the write end, this process above all, has gone; then it removes the folder. It
// ignores the terminal's signals, which reach the whole process group, so that it
// outlives us.
GuardedFolder::GuardedFolder() : path_(MakeFolder()) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe for the watcher of " + path_);
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("no watcher for " + path_);
    if (child == 0) {
        // Only calls that are safe between fork and exec.
        ::dup2(ends[0], STDIN_FILENO);
        ::signal(SIGINT, SIG_IGN);
        ::signal(SIGTERM, SIG_IGN);
        ::signal(SIGHUP, SIG_IGN);
        ::execl("/bin/sh", "sh", "-c", "cat >/dev/null; exec rm -rf -- \"$0\"", path_.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ends[0]);
    watcher_ = ends[1];
    watcherId_ = child;
}

GuardedFolder::~GuardedFolder() {
    ::close(watcher_);
    ::waitpid(watcherId_, nullptr, 0);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
#endif

std::string GuardedFolder::Path(const std::string& name) const {
    return path_ + TempFolder::kSeparator + name;
}

} // namespace slanter::testing
