#pragma once

#include <functional>

namespace slanter {

// Lets every pending event of the window system run (input, painting, the other windows'
// commands) and returns; a long command calls it now and then to stay responsive.
void ProcessPendingMessages();
// What ProcessPendingMessages does unless a processor stands in: each front end defines
// it over its toolkit.
void ProcessPlatformMessages();

// Puts `processor` in place of the platform's event processing (tests) and answers the
// one it replaces; an empty processor brings the platform's back.
using PendingMessagesProcessor = std::function<void()>;
PendingMessagesProcessor SetPendingMessagesProcessor(PendingMessagesProcessor processor);

} // namespace slanter
