#include "cli/ProgressLine.h"

#include <string>

#include "cli/StopSignals.h"
#include "conversion/Progress.h"

namespace slanter::cli {

ProgressLine::ProgressLine(std::ostream& err, int pictures)
    : err_(err), pictures_(pictures), shown_(StandardErrorIsTerminal()) {}

ProgressLine::~ProgressLine() {
    Clear();
}

void ProgressLine::Clear() {
    if (drawn_)
        err_ << "\r" << std::string(60, ' ') << "\r" << std::flush;
    drawn_ = false;
}

void ProgressLine::Show(int picture, const ColumnProgress& progress) {
    if (!shown_)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - last_ < std::chrono::milliseconds(200))
        return;
    last_ = now;
    drawn_ = true;
    err_ << "\r";
    // Of many pictures: which one, and the share of all of them.
    if (pictures_ > 1)
        err_ << picture + 1 << "/" << pictures_ << "  "
             << (picture * 100 + progress.percent) / pictures_ << "%  ";
    else
        err_ << progress.percent << "%  ";
    err_ << EstimateText(progress.estimateSeconds, false) << "   " << std::flush;
}

} // namespace slanter::cli
