#include "cli/MemoryTexts.h"

#include "bitmap/ErrorTexts.h"
#include "shell/General.h"
#include "shell/MainTexts.h"
#include "shell/PictureSizeChoice.h"

namespace slanter::cli {

namespace {

// A message box's lines joined by blanks, without the last line break.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '\r')
            continue;
        line.push_back(c == '\n' ? ' ' : c);
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

} // namespace

std::string LoadFailureText(const std::string& fileName, const std::string& reason) {
    if (reason != bitmap_text::kOutOfMemory)
        return reason;
    return OneLine(NotEnoughMemoryText(Japanese, fileName));
}

std::string ScaleWithoutMemoryText(TPoint size) {
    return OneLine(SizeNoMemoryText(Japanese, size));
}

} // namespace slanter::cli
