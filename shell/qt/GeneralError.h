#pragma once

#include <exception>
#include <functional>

#include <QString>

namespace slanter {

// The general error box: how a failure of a platform layer (the settings store, the
// picture decoder) ends the command in progress. An OK button and the stop icon.
inline constexpr int kErrorBox = 16;

void ShowGeneralError(const QString& text);
void ShowGeneralError(const std::exception& error);

// Runs one command; whatever it throws is shown in the general error box and ends only
// that command. Answers whether the command ran to its end.
bool RunGuarded(const std::function<void()>& command);

} // namespace slanter
