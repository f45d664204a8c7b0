#pragma once

#include <cstdint>

namespace slanter {

// A result window as the method window starts it: made hidden for one conversion.
class ResultWindow {
  public:
    // Runs the conversion of the pattern the engine has selected, numbered `number` in
    // this run, and returns when it has finished, failed or been cancelled; a failed or
    // cancelled run closes the window. A window converts once.
    virtual void Convert(std::int32_t number, bool smoothing) = 0;

  protected:
    ~ResultWindow() = default;
};

} // namespace slanter
