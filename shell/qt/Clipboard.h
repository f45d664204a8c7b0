#pragma once

#include <functional>
#include <optional>

#include <QByteArray>
#include <QImage>

namespace slanter {

// The picture on the clipboard, or nothing when it holds none.
std::optional<QImage> ClipboardBitmap();

// Puts `reader` in place of the platform's clipboard (tests) and answers the one it
// replaces; an empty reader brings the platform's back.
using ClipboardReader = std::function<std::optional<QImage>()>;
ClipboardReader SetClipboardReader(ClipboardReader reader);

// Puts the picture on the clipboard as a bitmap, with its colour table when it has one.
void PutClipboardBitmap(const QImage& picture);

// The same, with the picture as a PNG file beside it (image/png) for programs that take
// its opacity; png empty for a picture without one.
void PutClipboardPicture(const QImage& picture, const QByteArray& png);

// Puts `writer` in place of the platform's clipboard (tests) and answers the one it
// replaces; an empty writer brings the platform's back.
using ClipboardWriter = std::function<void(const QImage& picture)>;
ClipboardWriter SetClipboardWriter(ClipboardWriter writer);

} // namespace slanter
