#include "shell/qt/WindowOnScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "shell/ScreenFit.h"

namespace slanter {

namespace {

ScreenRect FromQt(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

// The frame's share of the outer size; none until the window manager has framed it.
QSize FrameExtra(const QWidget& window) {
    return window.frameGeometry().size() - window.geometry().size();
}

} // namespace

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = QGuiApplication::screenAt(window.frameGeometry().center());
    if (screen == nullptr)
        screen = window.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

namespace {

// The window's rectangle without frame for `size` with its top left at `origin`, cut and
// moved so that with its frame it lies on its screen's usable area.
QRect FittedGeometry(const QWidget& window, QSize size, QPoint origin) {
    const QSize extra = FrameExtra(window);
    const QPoint frameOffset = window.geometry().topLeft() - window.frameGeometry().topLeft();
    const QPoint corner = origin - frameOffset;
    const QSize outer = size + extra;
    const ScreenRect fitted = FitInside({corner.x(), corner.y(), outer.width(), outer.height()},
                                        FromQt(AvailableArea(window)));
    return {QPoint(fitted.left, fitted.top) + frameOffset,
            QSize(fitted.width - extra.width(), fitted.height - extra.height())};
}

} // namespace

void ResizeOnScreen(QWidget& window, QSize size) {
    const QPoint corner = window.frameGeometry().topLeft();
    const QPoint origin = window.geometry().topLeft();
    const QRect fitted = FittedGeometry(window, size, origin);
    window.resize(fitted.size());
    // A top-level window is moved by its frame's corner.
    if (fitted.topLeft() != origin)
        window.move(corner + (fitted.topLeft() - origin));
}

void ResizeOnScreen(QWidget& window, QSize size, QPoint origin) {
    window.setGeometry(FittedGeometry(window, size, origin));
}

void KeepOnScreen(QWidget& window) {
    ResizeOnScreen(window, window.size());
}

} // namespace slanter
