#include "shell/qt/SlanterApplication.h"

#include <exception>

#include "shell/qt/GeneralError.h"

namespace slanter {

namespace {

// Must come before the application object is made. A display scaled by a fraction (125%,
// 150%) is taken at the nearest whole scale, so that one pixel of a picture is always a
// whole number of the display's pixels: the result window shows its pictures pixel-exact,
// and nothing is blurred by scaling.
int& WithWholeDisplayScale(int& argc) {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    return argc;
}

} // namespace

TSlanterApplication::TSlanterApplication(int& argc, char** argv)
    : QApplication(WithWholeDisplayScale(argc), argv) {}

bool TSlanterApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowGeneralError(error);
    }
    return false;
}

} // namespace slanter
