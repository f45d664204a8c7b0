#pragma once

#include <functional>
#include <optional>

#include "engine/Point.h"

namespace slanter {

// What stands in for the platform's Picture > Size dialog (tests): the size chosen for a
// picture opened at `original` and shown at `current`, or nothing for Cancel.
using PictureSizeAsker = std::function<std::optional<TPoint>(TPoint original, TPoint current)>;

// Puts `asker` in place of the dialog and answers the one it replaces; an empty one brings
// the dialog back.
PictureSizeAsker SetPictureSizeAsker(PictureSizeAsker asker);
// The one in place; empty while the dialog asks.
const PictureSizeAsker& CurrentPictureSizeAsker();

} // namespace slanter
