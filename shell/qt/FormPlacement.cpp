#include "shell/qt/FormPlacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "shell/FrameFit.h"
#include "shell/StoredPlacement.h"
#include "shell/qt/WindowOnScreen.h"

namespace slanter {

namespace {

// The geometry the window returns to when restored, also while it is maximized or
// minimized, so a window closed maximized keeps its restored bounds.
QRect NormalRectangle(const QWidget& form) {
    const QRect normal = form.normalGeometry();
    return normal.isValid() ? normal : form.geometry();
}

WindowShow ShowOf(const QWidget& form) {
    if (form.windowState() & Qt::WindowMinimized)
        return WindowShow::Minimized;
    if (form.windowState() & Qt::WindowMaximized)
        return WindowShow::Maximized;
    return WindowShow::Normal;
}

PlacementRect FromQt(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

// The part of the screen windows may take (without panels and docks): the screen that
// holds the stored corner, or the primary one when no screen does.
QRect AvailableArea(const QPoint& corner) {
    const QScreen* screen = QGuiApplication::screenAt(corner);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}

} // namespace

bool IsSizeableFrame(const QWidget& form) {
    if (form.windowFlags() & Qt::MSWindowsFixedSizeDialogHint)
        return false;
    return form.minimumSize() != form.maximumSize();
}

void SaveFormPlacement(const QWidget& form) {
    const std::string section = form.objectName().toStdString();
    if (section.empty())
        return;
    WritePlacement(section, {FromQt(NormalRectangle(form)), ShowOf(form)}, IsSizeableFrame(form));
}

void RestoreFormPlacement(QWidget& form) {
    const std::string section = form.objectName().toStdString();
    if (section.empty())
        return;
    const StoredPlacement stored =
        ReadPlacement(section, FromQt(NormalRectangle(form)), IsSizeableFrame(form));

    // Brought within the screen, frame and title bar included: a stored size larger than
    // it would make a window the window system cannot hold, and a stored position off it
    // a window nobody can reach or move.
    const QRect area = AvailableArea(
        QPoint(static_cast<int>(stored.normal.left), static_cast<int>(stored.normal.top)));
    const PlacementRect fitted = FitFramedPlacement(stored.normal, WindowFrame(form), FromQt(area),
                                                    form.minimumWidth(), form.minimumHeight());

    // The bounds go to the normal state first, so a maximized window returns to them.
    form.setWindowState(form.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    form.setGeometry(static_cast<int>(fitted.left), static_cast<int>(fitted.top),
                     static_cast<int>(fitted.width), static_cast<int>(fitted.height));
    if (stored.show == WindowShow::Minimized)
        form.setWindowState(form.windowState() | Qt::WindowMinimized);
    else if (stored.show == WindowShow::Maximized)
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
}

} // namespace slanter
