#include "shell/qt/Clipboard.h"

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

ClipboardWriter& CurrentWriter() {
    static ClipboardWriter writer;
    return writer;
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

void PutClipboardBitmap(const QImage& picture) {
    if (const ClipboardWriter& writer = CurrentWriter()) {
        writer(picture);
        return;
    }
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setImage(picture);
}

void PutClipboardPicture(const QImage& picture, const QByteArray& png) {
    if (png.isEmpty() || CurrentWriter()) {
        PutClipboardBitmap(picture);
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return;
    auto* data = new QMimeData;
    data->setImageData(picture);
    data->setData(QStringLiteral("image/png"), png);
    clipboard->setMimeData(data);
}

ClipboardWriter SetClipboardWriter(ClipboardWriter writer) {
    return std::exchange(CurrentWriter(), std::move(writer));
}

} // namespace slanter
