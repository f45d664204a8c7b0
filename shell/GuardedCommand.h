#pragma once

#include <exception>
#include <functional>

#include "shell/PlatformServices.h"

namespace slanter {

// Runs one command of a window; whatever it throws (the settings store's failure, want of
// memory) is shown in the general error box and ends only that command. Answers whether
// the command ran to its end.
inline bool RunCommand(PlatformServices& services, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        services.GeneralError(error.what());
    }
    return false;
}

} // namespace slanter
