#include "shell/qt/PixelExactPicture.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace slanter {

PixelExactPicture::PixelExactPicture(QWidget& target) : QObject(&target), target_(target) {
    target_.installEventFilter(this);
}

void PixelExactPicture::SetPicture(const QImage& picture) {
    // The display's own format draws without a conversion at each paint.
    picture_ = picture.convertToFormat(
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    target_.update();
}

bool PixelExactPicture::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &target_ || event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    const QRect exposed = static_cast<QPaintEvent*>(event)->rect().intersected(picture_.rect());
    if (!exposed.isEmpty()) {
        QPainter painter(&target_);
        // Without smoothing a whole scale repeats each pixel: the nearest one is sampled.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(exposed, picture_, exposed);
    }
    return true;
}

} // namespace slanter
