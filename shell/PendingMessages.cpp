#include "shell/PendingMessages.h"

#include <utility>

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
        ProcessPlatformMessages();
}

PendingMessagesProcessor SetPendingMessagesProcessor(PendingMessagesProcessor processor) {
    return std::exchange(CurrentProcessor(), std::move(processor));
}

} // namespace slanter
