#pragma once

#include <windows.h>

#include "shell/ScreenFit.h"

namespace slanter {

// The usable area (without task bars) of the monitor that holds most of `window`, or of
// the monitor nearest to the point `corner`.
ScreenRect WorkAreaOf(HWND window);
ScreenRect WorkAreaAt(POINT corner);

// Moves and shrinks the window the least that puts its whole frame on its monitor's work
// area; its client area then shows the rest with scroll bars.
void KeepOnWorkArea(HWND window);

// The font the windows' controls use: the system's message font at the display's scale,
// in a Japanese run a face that has the Japanese glyphs.
HFONT ControlFont();
// The control font's description at `pixels` pixels high (0 keeps its height).
LOGFONTW ControlFontAt(int pixels);
// A designed length (pixels at 96 dots per inch) at the display's scale.
int Scaled(int designed);
// The same at `dpi` dots per inch.
int Scaled(int designed, int dpi);
// The dots per inch of the monitor the window is on (the display's where the system
// cannot tell per monitor).
int WindowDpi(HWND window);

} // namespace slanter
