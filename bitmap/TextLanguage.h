#pragma once

namespace slanter {

// The run's language, chosen once at the program's start and read by every layer that
// gives the user texts, down to the decoders' reasons for a refused picture.
extern bool Japanese;

} // namespace slanter
