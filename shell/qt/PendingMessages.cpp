#include "shell/PendingMessages.h"

#include <QCoreApplication>

namespace slanter {

void ProcessPlatformMessages() {
    QCoreApplication::processEvents();
}

} // namespace slanter
