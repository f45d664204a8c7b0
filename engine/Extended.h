#pragma once

namespace slanter {

// The pattern engine and the smoothing evaluate every formula in 80-bit extended
// precision and round to double only where a value is stored. On x86-64 with GCC or
// Clang this is `long double`; a port to a compiler without it must find another way.
using Extended = long double;

static_assert(sizeof(Extended) >= 10, "Extended must be the 80-bit x87 format");

// pi as the engine has always taken it, with its half and quarter as written.
inline constexpr Extended kPi = 3.14159265358979L;
inline constexpr Extended kHalfPi = 1.570796326794895L;
inline constexpr Extended kQuarterPi = 0.7853981633974475L;

// Rounds an extended value to double, as storing it in a double variable does.
inline double StoreDouble(Extended value) {
    return static_cast<double>(value);
}

} // namespace slanter
