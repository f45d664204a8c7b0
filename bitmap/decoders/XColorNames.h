#pragma once

#include <cstdint>
#include <string>

namespace slanter {

// The colour of one of the common X11 colour names (any case, blanks ignored), as XPM
// files name their colours; false for a name not in the table.
bool XColorByName(const std::string& name, std::uint8_t& red, std::uint8_t& green,
                  std::uint8_t& blue);

} // namespace slanter
