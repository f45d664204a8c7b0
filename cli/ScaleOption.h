#pragma once

#include <optional>
#include <string>

#include "bitmap/PictureScale.h"
#include "cli/CliCommand.h"

namespace slanter {
class THandyBitmap;
}

namespace slanter::cli {

// Takes every "--scale SIZE" and "--scale=SIZE" out of args (the last one counts) and puts
// the other words in rest. Answers the problem with the words, empty when they are good.
std::string TakeScale(const Arguments& args, Arguments& rest, std::optional<ScaleRequest>& scale);

// The picture at the size asked for (AreaResize), in place. Answers the problem, empty on
// success; with no request the picture stays as it is.
std::string ApplyScale(const std::optional<ScaleRequest>& scale, THandyBitmap& picture);

// A picture size at the size asked for; nothing when it cannot be had (then `problem`).
std::optional<TPoint> ScaleSize(const std::optional<ScaleRequest>& scale, TPoint size,
                                std::string& problem);

} // namespace slanter::cli
