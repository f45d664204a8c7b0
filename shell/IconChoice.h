#pragma once

namespace slanter {

// Whether an icon image whose longer side is `candidate` pixels suits an icon of `wanted`
// pixels better than one of `best` pixels: the exact size wins; otherwise the smallest
// image larger than wanted, which loses least when scaled down; otherwise the largest.
bool IsCloserIconSide(int candidate, int best, int wanted);

} // namespace slanter
