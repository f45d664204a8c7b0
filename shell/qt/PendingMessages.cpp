#include "shell/PendingMessages.h"

#include <utility>

#include <QCoreApplication>

namespace slanter {

namespace {

PendingMessagesProcessor& CurrentProcessor() {
    static PendingMessagesProcessor processor;
    return processor;
}

} // namespace

void ProcessPendingMessages() {
    if (const PendingMessagesProcessor& processor = CurrentProcessor())
        processor();
    else
        QCoreApplication::processEvents();
}

PendingMessagesProcessor SetPendingMessagesProcessor(PendingMessagesProcessor processor) {
    return std::exchange(CurrentProcessor(), std::move(processor));
}

} // namespace slanter
