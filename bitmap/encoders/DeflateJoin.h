#pragma once

#include <cstdint>
#include <vector>

namespace slanter {

// Turns a complete raw DEFLATE stream into one that more blocks may follow: its final
// block is marked as not final, and an empty stored block after it brings the stream to
// a byte boundary, as zlib's full flush ends a piece. Another stream's bytes appended then
// continue it. False, with deflated unchanged, when deflated is not a well-formed stream.
bool OpenForJoining(std::vector<std::uint8_t>& deflated);

} // namespace slanter
