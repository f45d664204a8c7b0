#pragma once

namespace slanter {

// The window state the launch asks the main window for, from the launch show command
// (the values of the Windows SW_ constants).
enum class LaunchState { Normal, Minimized, Maximized };

// Minimized for 2 (show minimized), 6 (minimize) and 7 (show minimized, not active);
// maximized for 3; normal for every other value.
LaunchState LaunchStateOf(int showCommand);

// The show command of a launch that asks for nothing in particular.
inline constexpr int kShowNormal = 1;

} // namespace slanter
