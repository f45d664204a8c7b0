#pragma once

#include <cmath>
#include <cstdint>

#include "engine/Extended.h"

namespace slanter {

// Folding a coordinate into [0, period) one period per step is exact for every step but
// the last one upward from below zero, so the number of steps can be found at once from
// exact sign tests and the whole fold done in one rounding. A coordinate carried along
// by a slide is rounded at every step and must still take its steps one by one.

namespace fold_detail {

// Sign of value + steps * period, exact: the sum is rounded once and rounding to
// nearest keeps the sign of a nonzero value.
inline bool ShiftedIsNegative(double value, std::int64_t steps, double period) {
    return Extended(value) + Extended(steps) * Extended(period) < 0;
}

// Steps of +period taken by "while value < 0: value += period".
inline std::int64_t StepsUp(double value, double period) {
    auto steps = static_cast<std::int64_t>(std::ceil(-Extended(value) / period));
    if (steps < 1)
        steps = 1;
    while (steps > 1 && !ShiftedIsNegative(value, steps - 1, period))
        --steps;
    while (ShiftedIsNegative(value, steps, period))
        ++steps;
    return steps;
}

// Steps of -period taken by "repeat value -= period until value < period".
inline std::int64_t StepsDown(double value, double period) {
    auto steps = static_cast<std::int64_t>(std::floor(Extended(value) / period));
    if (steps < 1)
        steps = 1;
    while (steps > 1 && ShiftedIsNegative(value, -steps, period))
        --steps;
    while (!ShiftedIsNegative(value, -(steps + 1), period))
        ++steps;
    return steps;
}

} // namespace fold_detail

// Brings value into [0, period] (period itself only by rounding up from just below 0).
inline void FoldAlone(double& value, double period) {
    if (value < period) {
        if (value < 0) {
            const std::int64_t steps = fold_detail::StepsUp(value, period);
            value = StoreDouble(Extended(value) + Extended(steps) * period);
        }
    } else {
        const std::int64_t steps = fold_detail::StepsDown(value, period);
        value = StoreDouble(Extended(value) - Extended(steps) * period);
    }
}

// As FoldAlone, moving `carried` by `step` for every period added (and back for every
// period taken away), rounded step by step as the layout walk does.
inline void FoldCarrying(double& value, double period, double& carried, double step) {
    std::int64_t steps = 0;
    if (value < period) {
        if (value < 0) {
            steps = fold_detail::StepsUp(value, period);
            value = StoreDouble(Extended(value) + Extended(steps) * period);
        }
    } else {
        steps = fold_detail::StepsDown(value, period);
        value = StoreDouble(Extended(value) - Extended(steps) * period);
        step = -step;
    }
    for (; steps > 0; --steps)
        carried = StoreDouble(Extended(carried) + step);
}

// A folded coordinate that rounded onto its far bound stands for the point just inside.
inline double JustInside(double value, double bound) {
    return value < bound ? value : std::nextafter(bound, 0.0);
}

} // namespace slanter
