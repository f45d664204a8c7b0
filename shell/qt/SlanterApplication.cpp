#include "shell/qt/SlanterApplication.h"

#include <exception>

#include "shell/qt/GeneralError.h"

namespace slanter {

TSlanterApplication::TSlanterApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TSlanterApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowGeneralError(error);
    }
    return false;
}

} // namespace slanter
