#pragma once

#include <cmath>
#include <cstdint>

#include "engine/Extended.h"

namespace slanter {

// Folding a coordinate into [0, period) one period per step, each step computed in
// extended precision and stored as double, is exact for every step but an upward last
// one: an intermediate value lies closer to zero than the start and keeps its grain.
// So the number of steps follows from sign tests in plain doubles (one rounding never
// flips a sign), all exact steps collapse into one, and only the upward last step goes
// through extended precision. A coordinate carried along by the slide is rounded at
// every step and still takes its steps one by one.

namespace fold_detail {

// value + steps * period, rounded once; its sign is the exact sum's.
inline double Shifted(double value, std::int64_t steps, double period) {
    return value + static_cast<double>(steps) * period;
}

// Steps of "while value < 0: value += period", for value < 0.
inline std::int64_t StepsUp(double value, double period) {
    if (!(Shifted(value, 1, period) < 0))
        return 1;
    auto steps = static_cast<std::int64_t>(std::ceil(-value / period));
    if (steps < 1)
        steps = 1;
    while (steps > 1 && !(Shifted(value, steps - 1, period) < 0))
        --steps;
    while (Shifted(value, steps, period) < 0)
        ++steps;
    return steps;
}

// Steps of "repeat value -= period until value < period", for value >= period.
inline std::int64_t StepsDown(double value, double period) {
    if (Shifted(value, -1, period) < period)
        return 1;
    auto steps = static_cast<std::int64_t>(value / period);
    if (steps < 1)
        steps = 1;
    while (steps > 1 && Shifted(value, -steps, period) < 0)
        --steps;
    while (!(Shifted(value, -steps, period) < period))
        ++steps;
    return steps;
}

// Brings value into [0, period] (period itself only by rounding up from just below 0),
// moving `carried` by `step` for every period added and back for every one taken away.
template <bool kCarry>
inline void Fold(double& value, double period, double& carried, double step) {
    std::int64_t steps = 0;
    if (value < period) {
        if (!(value < 0))
            return;
        steps = StepsUp(value, period);
        // The steps before the last are exact; the last one rounds as the walk's does.
        const double beforeLast = Shifted(value, steps - 1, period);
        value = StoreDouble(Extended(beforeLast) + period);
    } else {
        steps = StepsDown(value, period);
        value = Shifted(value, -steps, period);
        step = -step;
    }
    if constexpr (kCarry) {
        for (; steps > 0; --steps)
            carried = StoreDouble(Extended(carried) + step);
    }
}

} // namespace fold_detail

inline void FoldAlone(double& value, double period) {
    double unused = 0;
    fold_detail::Fold<false>(value, period, unused, 0);
}

// As FoldAlone, carrying the other coordinate along by the slide, rounded step by step
// as the layout walk does.
inline void FoldCarrying(double& value, double period, double& carried, double step) {
    fold_detail::Fold<true>(value, period, carried, step);
}

// A folded coordinate that rounded onto its far bound stands for the point just inside.
inline double JustInside(double value, double bound) {
    return value < bound ? value : std::nextafter(bound, 0.0);
}

} // namespace slanter
