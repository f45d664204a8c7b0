#pragma once

namespace slanter {

// The splash window ("OpenForm"): the program's icon, title and version, up while the main
// window is built, a third of the way into the screen's free space.
void ShowSplash();
void HideSplash();
// Whether the splash is up now (tests).
bool SplashShown();

} // namespace slanter
