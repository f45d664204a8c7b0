#pragma once

#include <cstdint>
#include <functional>

#include "preview/PreviewSpace.h"

namespace slanter {

// One copy of the picture on the lattice T + j·U + k·V, with that corner.
struct LatticeCopy {
    std::int64_t j = 0;
    std::int64_t k = 0;
    PreviewVector corner;
};

// Moves of the corner that no preview of the engine's patterns comes near (the most we
// have seen is about 170,000, for a picture of 6750 x 1); an angle the engine never yields
// (pi, say) makes the rows march away for ever, and a tiny one makes them walk very long.
inline constexpr std::int64_t kLatticeStepBudget = 2'000'000;

// Walks the rows of copies that cross the view, first the rows below the tile's corner
// (k = -1, -2, ...) and then the rows from the corner upward (k = 0, 1, ...): each row is
// walked back until a copy has left the view and then drawn forward until one has left it
// on the other side. Every copy to draw is handed to draw, in drawing order.
struct LatticeWalkResult {
    bool complete = true;   // false: stepBudget moves of the corner were used up, cut short
    std::int64_t steps = 0; // moves of the corner made
};
LatticeWalkResult WalkLattice(const PreviewSpace& space,
                              const std::function<void(const LatticeCopy&)>& draw,
                              std::int64_t stepBudget = kLatticeStepBudget);

} // namespace slanter
