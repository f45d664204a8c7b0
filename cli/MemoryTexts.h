#pragma once

#include <string>

#include "engine/Point.h"

namespace slanter::cli {

// The desktop program's texts for a picture the machine has no memory for, in the run's
// language, on one line for the terminal.

// The reason a picture file could not be loaded: the desktop program's "not enough memory"
// text for want of memory, else the reason as it is.
std::string LoadFailureText(const std::string& fileName, const std::string& reason);
// The picture resized to `size` cannot be held.
std::string ScaleWithoutMemoryText(TPoint size);

} // namespace slanter::cli
