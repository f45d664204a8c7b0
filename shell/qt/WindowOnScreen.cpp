#include "shell/qt/WindowOnScreen.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "shell/FrameFit.h"

namespace slanter {

namespace {

// The frame a window manager gave the last window it framed: the best guess for a window
// not framed yet, whose frame the manager will draw alike.
FrameMargins& LastFrameSeen() {
    static FrameMargins margins;
    return margins;
}

bool IsFramed(const QWidget& window) {
    return window.frameGeometry() != window.geometry();
}

FrameMargins FrameOf(const QWidget& window) {
    if (!IsFramed(window))
        return LastFrameSeen();
    const QRect client = window.geometry();
    const QRect frame = window.frameGeometry();
    const FrameMargins margins{client.left() - frame.left(), client.top() - frame.top(),
                               frame.right() - client.right(), frame.bottom() - client.bottom()};
    LastFrameSeen() = margins;
    return margins;
}

PlacementRect FromQt(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

// The rectangle without frame for `size` with its top left at `origin`, cut and moved so
// that with its frame it lies on the usable area.
QRect FittedGeometry(const QWidget& window, QSize size, QPoint origin) {
    const PlacementRect fitted =
        FitFramedPlacement({origin.x(), origin.y(), size.width(), size.height()}, FrameOf(window),
                           FromQt(AvailableArea(window)), 1, 1);
    // Within the area, so each value is again an int.
    return {static_cast<int>(fitted.left), static_cast<int>(fitted.top),
            static_cast<int>(fitted.width), static_cast<int>(fitted.height)};
}

// Fits each window once more when its frame is first known: placed before the manager
// framed it, it may have been placed with a frame guessed wrong, or none. The manager
// frames a window after it is shown and tells no event of it, so the window is looked at
// for a while after it shows.
class FrameKeeper : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show)
            return false;
        auto* window = qobject_cast<QWidget*>(watched);
        if (window == nullptr || !window->isWindow() || window->property(kFitted).toBool())
            return false;
        const Qt::WindowType kind = window->windowType();
        if (kind != Qt::Window && kind != Qt::Dialog)
            return false;
        window->setProperty(kFitted, true);
        auto* timer = new QTimer(window); // freed with the window, or when done
        timer->setInterval(kLookEvery);
        connect(timer, &QTimer::timeout, window, [window, timer, looks = 0]() mutable {
            if (IsFramed(*window)) {
                if (!(window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
                    KeepOnScreen(*window);
            } else if (++looks < kLooks) {
                return;
            }
            timer->deleteLater();
        });
        timer->start();
        return false;
    }

  private:
    static constexpr const char* kFitted = "slanterFrameFitted";
    static constexpr int kLookEvery = 20; // milliseconds
    static constexpr int kLooks = 150;    // three seconds
};

} // namespace

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = QGuiApplication::screenAt(window.frameGeometry().center());
    if (screen == nullptr)
        screen = window.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

FrameMargins WindowFrame(const QWidget& window) {
    return FrameOf(window);
}

void ResizeOnScreen(QWidget& window, QSize size) {
    if (!IsFramed(window)) {
        window.setGeometry(FittedGeometry(window, size, window.geometry().topLeft()));
        return;
    }
    const QPoint corner = window.frameGeometry().topLeft();
    const QPoint origin = window.geometry().topLeft();
    const QRect fitted = FittedGeometry(window, size, origin);
    window.resize(fitted.size());
    // A framed window is moved by its frame's corner.
    if (fitted.topLeft() != origin)
        window.move(corner + (fitted.topLeft() - origin));
}

void ResizeOnScreen(QWidget& window, QSize size, QPoint origin) {
    window.setGeometry(FittedGeometry(window, size, origin));
}

void KeepOnScreen(QWidget& window) {
    ResizeOnScreen(window, window.size());
}

void KeepFramesOnScreen() {
    QCoreApplication* application = QCoreApplication::instance();
    const QString name = QStringLiteral("SlanterFrameKeeper");
    if (application == nullptr ||
        application->findChild<QObject*>(name, Qt::FindDirectChildrenOnly) != nullptr)
        return;
    auto* keeper = new FrameKeeper(application); // owned by the application
    keeper->setObjectName(name);
    application->installEventFilter(keeper);
}

} // namespace slanter
