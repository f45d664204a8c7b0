#include "shell/ConversionGuard.h"

#include <utility>
#include <vector>

namespace slanter {

namespace {

struct GuardState {
    int running = 0;
    bool stopRequested = false;
    std::vector<std::function<void()>> waiting;
};

GuardState& State() {
    static GuardState state;
    return state;
}

} // namespace

ConversionRunning::ConversionRunning() {
    ++State().running;
}

ConversionRunning::~ConversionRunning() {
    GuardState& state = State();
    if (--state.running > 0)
        return;
    state.stopRequested = false;
    // Taken out first: what runs may ask for another stop.
    const auto waiting = std::exchange(state.waiting, {});
    for (const auto& then : waiting)
        then();
}

bool AConversionRuns() {
    return State().running > 0;
}

void StopConversions(std::function<void()> then) {
    GuardState& state = State();
    if (state.running == 0) {
        if (then)
            then();
        return;
    }
    state.stopRequested = true;
    if (then)
        state.waiting.push_back(std::move(then));
}

bool ConversionStopRequested() {
    return State().stopRequested;
}

} // namespace slanter
