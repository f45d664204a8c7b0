#pragma once

#include <functional>
#include <vector>

namespace slanter {

// A conversion reads the source picture, the pattern engine and the run's temporary
// folder, and lets the other windows run between its columns. Meanwhile nothing may
// replace or free those objects: the commands that would are refused or wait.
class ConversionGuard {
  public:
    // Held by a conversion for as long as it runs.
    class Running {
      public:
        explicit Running(ConversionGuard& guard);
        // The last conversion to end clears the stop request and runs what waited for it.
        ~Running();
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

      private:
        ConversionGuard& guard_;
    };

    // Whether a conversion is running now.
    bool Runs() const { return running_ > 0; }
    // Asks the running conversions to stop before their next column, and runs `then` once
    // the last of them has ended (at once when none runs).
    void Stop(std::function<void()> then);
    // Whether the running conversions have been asked to stop.
    bool StopRequested() const { return stopRequested_; }

  private:
    int running_ = 0;
    bool stopRequested_ = false;
    std::vector<std::function<void()>> waiting_;
};

} // namespace slanter
