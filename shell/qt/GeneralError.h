#pragma once

#include <exception>
#include <functional>

#include <QString>

#include "shell/MessageFlags.h"

namespace slanter {

// The general error box (kErrorBox): how a failure of a platform layer ends the command
// in progress.
void ShowGeneralError(const QString& text);
void ShowGeneralError(const std::exception& error);

// Runs one command; whatever it throws is shown in the general error box and ends only
// that command. Answers whether the command ran to its end.
bool RunGuarded(const std::function<void()>& command);

} // namespace slanter
