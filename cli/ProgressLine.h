#pragma once

#include <chrono>
#include <ostream>

#include "conversion/ConversionRun.h"

namespace slanter::cli {

// One progress line on a terminal over every picture of a run, redrawn a few times a
// second at most and wiped at the end; nothing where standard error is no terminal.
class ProgressLine {
  public:
    explicit ProgressLine(std::ostream& err, int pictures = 1);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Where the run stands in picture `picture` (from 0).
    void Show(int picture, const ColumnProgress& progress);
    // Wipes the line, so that a message starts on a line of its own.
    void Clear();

  private:
    std::ostream& err_;
    int pictures_;
    bool shown_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_;
};

} // namespace slanter::cli
