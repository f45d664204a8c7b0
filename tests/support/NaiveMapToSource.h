#pragma once

#include "engine/Point.h"

namespace slanter {
class TSlanter;
}

namespace slanter::testing {

// The layout walk as first written: one period per step, every step rounded. It keeps
// a folded coordinate that rounded onto its far bound, where the engine steps inside.
SourcePosition NaiveMapToSource(const TSlanter& engine, TPoint pixel);

} // namespace slanter::testing
