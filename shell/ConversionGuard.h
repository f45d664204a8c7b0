#pragma once

#include <functional>

namespace slanter {

// A conversion reads the source picture, the pattern engine and the run's temporary
// folder, and lets the other windows run between its columns. Meanwhile nothing may
// replace or free those objects: the commands that would are refused or wait.

// Held by a conversion for as long as it runs.
class ConversionRunning {
  public:
    ConversionRunning();
    // The last conversion to end clears the stop request and runs what waited for it.
    ~ConversionRunning();
    ConversionRunning(const ConversionRunning&) = delete;
    ConversionRunning& operator=(const ConversionRunning&) = delete;
};

// Whether a conversion is running now.
bool AConversionRuns();

// Asks the running conversions to stop before their next column, and runs `then` once the
// last of them has ended (at once when none runs).
void StopConversions(std::function<void()> then);

// Whether the running conversions have been asked to stop.
bool ConversionStopRequested();

} // namespace slanter
