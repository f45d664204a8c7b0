#include "shell/Clipboard.h"

#include <utility>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace slanter {

namespace {

ClipboardReader& CurrentReader() {
    static ClipboardReader reader;
    return reader;
}

std::optional<QImage> PlatformClipboardBitmap() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (data == nullptr || !data->hasImage())
        return std::nullopt;
    QImage image = clipboard->image();
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace

std::optional<QImage> ClipboardBitmap() {
    const ClipboardReader& reader = CurrentReader();
    return reader ? reader() : PlatformClipboardBitmap();
}

ClipboardReader SetClipboardReader(ClipboardReader reader) {
    return std::exchange(CurrentReader(), std::move(reader));
}

} // namespace slanter
