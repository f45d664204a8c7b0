#pragma once

class QGroupBox;

namespace slanter {

// A group box keeps its designed bounds, its caption and its option buttons their
// texts; with the fonts at hand (the stand-ins for the designed font are wider) a text
// may not fit. A caption that would run over the frame takes a smaller font of its own;
// an option button whose text would be cut is widened up to the frame, and only where
// that is not enough takes a smaller font, down to the least size.
void FitGroupBox(QGroupBox& box);

} // namespace slanter
