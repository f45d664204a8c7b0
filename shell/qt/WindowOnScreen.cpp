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

void ResizeOnScreen(QWidget& window, QSize size) {
    const QSize extra = FrameExtra(window);
    const QPoint corner = window.frameGeometry().topLeft();
    const QSize outer = size + extra;
    const ScreenRect fitted = FitInside({corner.x(), corner.y(), outer.width(), outer.height()},
                                        FromQt(AvailableArea(window)));
    window.resize(fitted.width - extra.width(), fitted.height - extra.height());
    if (QPoint(fitted.left, fitted.top) != corner)
        window.move(fitted.left, fitted.top);
}

void KeepOnScreen(QWidget& window) {
    ResizeOnScreen(window, window.size());
}

} // namespace slanter
