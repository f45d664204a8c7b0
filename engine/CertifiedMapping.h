#pragma once

#include <cstdint>
#include <vector>

namespace slanter {

class TSlanter;

// MapToSource of the selected pattern in plain doubles, a whole row segment at a time,
// with a proven bound on the distance from the step-by-step value.
//
// The turn takes its products from tables rounded to double; the fold takes the number of
// periods from one division and moves the carried coordinate by that many slides in one
// product, instead of slide by slide. Each of these differs from the exact walk by a few
// roundings of numbers no larger than Magnitude(), one per carried step at most, which
// Bound() covers with a factor of 16 to spare. Where Bound() cannot settle what a pixel
// needs (its cell, and for smoothing its zone and weight), the caller maps it exactly;
// since the folds' bounds 0, W and H are whole numbers, a settled cell settles the number
// of periods folded as well.
class CertifiedMapping {
  public:
    // The engine's selection as it stands now, for a tile of columns x rows pixels.
    CertifiedMapping(const TSlanter& engine, std::int32_t columns, std::int32_t rows);

    // Positions of pixels (first, row) to (last - 1, row), each within Bound() of
    // MapToSource's; the plain loops leave the compiler free to vectorise them.
    void MapRow(std::int32_t row, std::int32_t first, std::int32_t last, double* sx,
                double* sy) const;
    double Bound() const { return bound_; }
    // A wider bound is still a bound: it only leaves more pixels unsettled.
    void WidenBound(double bound) { bound_ = bound > bound_ ? bound : bound_; }

  private:
    template <bool kRightUp>
    static void Turn(const double* columnCos, const double* columnSin, double rowCos, double rowSin,
                     std::int32_t count, double* sx, double* sy);
    // Folds across the arrangement, carrying the other coordinate along, then along it.
    void Fold(double* across, double* along, std::int32_t count) const;

    bool selected_ = false;
    bool horizontal_ = true;
    bool rightUp_ = true;
    double across_ = 1;  // the period of the axis folded first (H in rows, W in columns)
    double along_ = 1;   // the period of the other axis
    double carried_ = 0; // the slide the other coordinate moves per period folded first
    double bound_ = 0;
    // The turn's products, (X + 0.5) * cos and so on, rounded to double.
    std::vector<double> columnCos_;
    std::vector<double> columnSin_;
    std::vector<double> rowCos_;
    std::vector<double> rowSin_;
};

} // namespace slanter
