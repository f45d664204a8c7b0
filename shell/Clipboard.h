#pragma once

#include <functional>
#include <optional>

#include <QImage>

namespace slanter {

// The picture on the clipboard, or nothing when it holds none.
std::optional<QImage> ClipboardBitmap();

// Puts `reader` in place of the platform's clipboard (tests) and answers the one it
// replaces; an empty reader brings the platform's back.
using ClipboardReader = std::function<std::optional<QImage>()>;
ClipboardReader SetClipboardReader(ClipboardReader reader);

} // namespace slanter
