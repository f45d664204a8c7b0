#include "shell/ConversionGuard.h"

#include <utility>

namespace slanter {

ConversionGuard::Running::Running(ConversionGuard& guard) : guard_(guard) {
    ++guard_.running_;
}

ConversionGuard::Running::~Running() {
    if (--guard_.running_ > 0)
        return;
    guard_.stopRequested_ = false;
    // Taken out first: what runs may ask for another stop.
    const auto waiting = std::exchange(guard_.waiting_, {});
    for (const auto& then : waiting)
        then();
}

void ConversionGuard::Stop(std::function<void()> then) {
    if (running_ == 0) {
        if (then)
            then();
        return;
    }
    stopRequested_ = true;
    if (then)
        waiting_.push_back(std::move(then));
}

} // namespace slanter
