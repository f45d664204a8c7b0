#pragma once

#include <functional>
#include <string>

#include "engine/Slanter.h"

namespace slanter::testing {

// Calls check with the engine set to each pattern of a width x height picture, in all four
// combinations of arrangement and tilt.
void ForEveryPattern(int width, int height, const std::function<void(const TSlanter&)>& check);

// "64x48 rows rising right pattern 7", for failure messages.
std::string DescribeSelection(const TSlanter& engine);

} // namespace slanter::testing
