#pragma once

#include <cstdint>
#include <string>

#include "engine/Point.h"

namespace slanter {

// The rules of the Picture > Size dialog, for both desktop front ends: the user edits the
// width, the height or the percentage, and the other fields follow the picture's
// proportions. Sizes are taken from the picture as opened, never from one resized
// before, so that sizing down and up again loses nothing.

// The size whose width is `width`, the height following `original`.
TPoint SizeForWidth(TPoint original, std::int32_t width);
// The size whose height is `height`, the width following.
TPoint SizeForHeight(TPoint original, std::int32_t height);
// Both sides at `hundredths` / 100 percent (1 = 0.01 %).
TPoint SizeForPercent(TPoint original, std::int64_t hundredths);
// The percentage a width stands for, in hundredths of a percent, rounded to nearest.
std::int64_t PercentHundredths(TPoint original, std::int32_t width);

// The most a side may be in the dialog, and the largest percentage (in hundredths).
inline constexpr std::int32_t kMostSizeSide = 100'000;
inline constexpr std::int64_t kMostPercentHundredths = 1'000'000;

struct PictureSizeTexts {
    std::string caption;
    std::string original; // "Original size: W x H dots" for the size given
    std::string width;
    std::string height;
    std::string percent;
    std::string ok;
    std::string cancel;
};
PictureSizeTexts SizeDialogTexts(bool japanese, TPoint original);

// The size chosen cannot be held (the bitmap store's or its file's limits).
std::string SizeTooLargeText(bool japanese, TPoint size);
// Not enough memory for the picture at the size chosen.
std::string SizeNoMemoryText(bool japanese, TPoint size);
// The information box's line for a resized picture: the size it was opened at.
std::string OriginalSizeLine(bool japanese, TPoint original);

} // namespace slanter
