#pragma once

#include <exception>
#include <functional>
#include <string>

#include "shell/PlatformServices.h"

namespace slanter {

// Runs one command; whatever it throws (the settings store's failure, want of memory) is
// handed to `report` (the general error box) and ends only that command. Answers whether
// the command ran to its end.
inline bool RunReporting(const std::function<void()>& command,
                         const std::function<void(const std::string& text)>& report) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        report(error.what());
    }
    return false;
}

// The same for a command of a window, reported by its services.
inline bool RunCommand(PlatformServices& services, const std::function<void()>& command) {
    return RunReporting(command,
                        [&services](const std::string& text) { services.GeneralError(text); });
}

} // namespace slanter
