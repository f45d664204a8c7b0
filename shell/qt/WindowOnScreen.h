#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "shell/FrameFit.h"

class QWidget;

namespace slanter {

// Keeps windows, frame and title bar included, on the usable area of their screen (the
// screen less its panels and docks), as the platform the program was written for does
// when a window asks to be larger than the screen.

// The usable area of the screen that holds most of `window`; empty when there is none.
QRect AvailableArea(const QWidget& window);

// Resizes the window to `size` (its size without frame, as QWidget::resize takes it), cut
// to what fits on its screen's usable area with its frame, and moves it onto that area.
void ResizeOnScreen(QWidget& window, QSize size);
// The same with the window's place given too (its top left without frame, as
// QWidget::setGeometry takes it), for a window manager that has not yet applied the last.
void ResizeOnScreen(QWidget& window, QSize size, QPoint origin);

// Moves the window onto its screen's usable area, cutting it down when it is larger.
void KeepOnScreen(QWidget& window);

// The window's frame as its window manager drew it; for a window not framed yet, the frame
// of the last window that was (none before the first).
FrameMargins WindowFrame(const QWidget& window);

// From now on every window of the program is fitted once more as soon as its window
// manager has framed it, so that no title bar starts off the screen.
void KeepFramesOnScreen();

} // namespace slanter
