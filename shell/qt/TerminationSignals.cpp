#include "shell/qt/TerminationSignals.h"

#include <csignal>
#include <utility>

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

namespace slanter {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The handler may do nothing but write to the pipe; the rest runs in the message loop.
volatile std::sig_atomic_t writeEnd = -1;

extern "C" void OnSignal(int) {
    const int fd = writeEnd;
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(fd, &byte, 1);
    }
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onRequest)
    : onRequest_(std::move(onRequest)) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Receive);
    writeEnd = pipe_[1];
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (pipe_[0] < 0)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
    writeEnd = -1;
    notifier_->setEnabled(false);
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::Receive() {
    char bytes[16];
    while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    if (onRequest_)
        onRequest_();
}

} // namespace slanter
