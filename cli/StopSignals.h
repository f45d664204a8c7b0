#pragma once

#include <atomic>
#include <csignal>

namespace slanter::cli {

// The signal that asked the run to stop, 0 while none has: a run stops before its next
// column, or before its output is renamed into place, and leaves no file behind.
extern std::atomic<int> stopSignal;

// The exit code of a run a signal stopped: 128 + its number, as a shell reports it (130
// for Ctrl-C).
int StoppedExitCode();

// Whether standard error is a terminal, where a progress line may be drawn.
bool StandardErrorIsTerminal();

// While it lives, the signals that end a run (Ctrl-C, SIGTERM, SIGHUP; Ctrl-Break on
// Windows) set stopSignal instead of ending the process.
class InterruptGuard {
  public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

  private:
    static constexpr int kSignals = 3;
#ifdef _WIN32
    void (*previous_[kSignals])(int) = {};
#else
    struct sigaction previous_[kSignals] {};
#endif
};

} // namespace slanter::cli
