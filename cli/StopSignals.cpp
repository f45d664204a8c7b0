#include "cli/StopSignals.h"

#include <iterator>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace slanter::cli {

namespace {

// Windows raises SIGINT for Ctrl-C and SIGBREAK for Ctrl-Break.
#ifdef _WIN32
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGBREAK};
#else
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
#endif

extern "C" void OnStopSignal(int signal) {
    stopSignal = signal;
#ifdef _WIN32
    // The runtime resets the handler before calling it; a second Ctrl-C must not kill the
    // run halfway through writing.
    std::signal(signal, OnStopSignal);
#endif
}

} // namespace

// Windows calls the handler on a thread of its own, so the value is an atomic one.
std::atomic<int> stopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free,
              "the handler may only touch a lock-free value");

int StoppedExitCode() {
    return 128 + stopSignal;
}

#ifdef _WIN32
InterruptGuard::InterruptGuard() {
    static_assert(std::size(kStopSignals) == kSignals);
    stopSignal = 0;
    for (int k = 0; k < kSignals; ++k)
        previous_[k] = std::signal(kStopSignals[k], OnStopSignal);
}

InterruptGuard::~InterruptGuard() {
    for (int k = 0; k < kSignals; ++k)
        std::signal(kStopSignals[k], previous_[k]);
}

bool StandardErrorIsTerminal() {
    return _isatty(2) != 0;
}
#else
InterruptGuard::InterruptGuard() {
    static_assert(std::size(kStopSignals) == kSignals);
    stopSignal = 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int k = 0; k < kSignals; ++k)
        sigaction(kStopSignals[k], &action, &previous_[k]);
}

InterruptGuard::~InterruptGuard() {
    for (int k = 0; k < kSignals; ++k)
        sigaction(kStopSignals[k], &previous_[k], nullptr);
}

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}
#endif

} // namespace slanter::cli
