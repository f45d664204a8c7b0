#pragma once

#include <functional>

#include "engine/Point.h"

namespace slanter {

// Answers an integer in 0 .. n - 1, or 0 when n is not above 0.
using RandomBelow = std::function<int(int n)>;

// Where a new result window opens on a screen of `screen` pixels, so that several results
// do not cover each other exactly: its left edge between a and 2a - 1 with
// a = (screen width - 200) div 2, its top edge in the upper half of the screen less 50.
TPoint ResultWindowPlace(TPoint screen, const RandomBelow& random);

// Random numbers from a generator seeded from the clock when it is made.
RandomBelow ClockSeededRandom();

} // namespace slanter
