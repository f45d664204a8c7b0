#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace slanter {

// Keeps windows, frame and scroll bars included, on the usable area of their screen (the
// screen less its panels and docks), as the platform the program was written for does
// when a window asks to be larger than the screen.

// The usable area of the screen that holds most of `window`; empty when there is none.
QRect AvailableArea(const QWidget& window);

// Resizes the window to `size` (its size without frame, as QWidget::resize takes it), cut
// to what fits on its screen's usable area with its frame, and moves it onto that area.
void ResizeOnScreen(QWidget& window, QSize size);

// Moves the window onto its screen's usable area, cutting it down when it is larger.
void KeepOnScreen(QWidget& window);

} // namespace slanter
