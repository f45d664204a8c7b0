#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace slanter {
class TSlanter;
}

namespace slanter::cli {

// An angle in degrees as a decimal number ("30", "29.5"); nothing for anything else.
std::optional<double> ParseDegrees(const std::string& text);

// Why `text` is no angle --angle takes (a number of degrees from 0 to 90, the angles
// patterns have); empty when it is one.
std::string AngleProblem(const std::string& text);

// The pattern of the engine's table whose angle is nearest `degrees`; of patterns as near,
// the one of smaller area, then the first. -1 when the table is empty.
std::int32_t NearestAnglePattern(const TSlanter& engine, double degrees);

} // namespace slanter::cli
