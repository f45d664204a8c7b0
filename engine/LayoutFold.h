#pragma once

#include <cmath>
#include <cstdint>

#include "engine/Extended.h"
#include "engine/Point.h"

namespace slanter {

// Folds a point of the turned-back wallpaper into the one copy of the picture at the
// origin: first across the arrangement, carrying the slide along with every row (or
// column) stepped over, then along it.
//
// Folding one period per step, each step computed in extended precision and stored as a
// double, is exact for every step but an upward last one: an intermediate value lies
// closer to zero than the start and keeps its grain. So the number of steps follows from
// sign tests in plain doubles (one rounding never flips a sign), the exact steps collapse
// into one, and only the upward last step goes through extended precision. The carried
// coordinate is rounded at every step and still takes its steps one by one.
class LayoutFold {
  public:
    LayoutFold(std::int32_t width, std::int32_t height, double slide, bool horizontal, bool rightUp)
        : width_(width, 1.0 / width), height_(height, 1.0 / height), horizontal_(horizontal),
          carriedStep_(horizontal == rightUp ? slide : -slide) {}

    SourcePosition Fold(double sx, double sy) const {
        if (horizontal_) {
            FoldAxis<true>(sy, height_, sx, carriedStep_);
            FoldAxis<false>(sx, width_, sx, 0);
        } else {
            FoldAxis<true>(sx, width_, sy, carriedStep_);
            FoldAxis<false>(sy, height_, sy, 0);
        }
        return {JustInside(sx, width_.period), JustInside(sy, height_.period)};
    }

  private:
    struct Period {
        Period(std::int32_t side, double inverseSide) : period(side), inverse(inverseSide) {}
        double period;
        double inverse; // only for a first guess at the number of steps
    };

    // value + steps * period, rounded once; its sign is the exact sum's.
    static double Shifted(double value, std::int64_t steps, double period) {
        return value + static_cast<double>(steps) * period;
    }

    // Steps of "while value < 0: value += period", for value < 0.
    static std::int64_t StepsUp(double value, const Period& p) {
        if (!(Shifted(value, 1, p.period) < 0))
            return 1;
        auto steps = static_cast<std::int64_t>(-value * p.inverse) + 1;
        while (steps > 1 && !(Shifted(value, steps - 1, p.period) < 0))
            --steps;
        while (Shifted(value, steps, p.period) < 0)
            ++steps;
        return steps;
    }

    // Steps of "repeat value -= period until value < period", for value >= period.
    static std::int64_t StepsDown(double value, const Period& p) {
        if (Shifted(value, -1, p.period) < p.period)
            return 1;
        auto steps = static_cast<std::int64_t>(value * p.inverse);
        if (steps < 1)
            steps = 1;
        while (steps > 1 && Shifted(value, -steps, p.period) < 0)
            --steps;
        while (!(Shifted(value, -steps, p.period) < p.period))
            ++steps;
        return steps;
    }

    // Brings value into [0, period] (the period itself only by rounding up from just below
    // zero), moving `carried` by `step` for every period added and back for every one taken
    // away.
    template <bool kCarry>
    static void FoldAxis(double& value, const Period& p, double& carried, double step) {
        std::int64_t steps = 0;
        if (value < p.period) {
            if (!(value < 0))
                return;
            steps = StepsUp(value, p);
            // The steps before the last are exact; the last one rounds as the walk's does.
            value = StoreDouble(Extended(Shifted(value, steps - 1, p.period)) + p.period);
        } else {
            steps = StepsDown(value, p);
            value = Shifted(value, -steps, p.period);
            step = -step;
        }
        if constexpr (kCarry) {
            for (; steps > 0; --steps)
                carried = StoreDouble(Extended(carried) + step);
        }
    }

    // A folded coordinate that rounded onto its far bound stands for the point just inside.
    static double JustInside(double value, double bound) {
        return value < bound ? value : std::nextafter(bound, 0.0);
    }

    Period width_;
    Period height_;
    bool horizontal_;
    double carriedStep_;
};

} // namespace slanter
