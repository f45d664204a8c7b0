#include "engine/CertifiedMapping.h"

#include <algorithm>
#include <cmath>

#include "engine/Extended.h"
#include "engine/Slanter.h"
#include "engine/VectorClones.h"

namespace slanter {

namespace {

// Whole periods below value, floor(value / period), as a double; value / period lies
// well inside the range of int (see the bound). One rounding of the quotient may make it
// one too many or too few right at a multiple, where no cell is settled anyway.
inline double PeriodsBelow(double value, double inversePeriod) {
    const double quotient = value * inversePeriod;
    const double truncated = static_cast<double>(static_cast<int>(quotient));
    return truncated - (truncated > quotient ? 1.0 : 0.0);
}

} // namespace

CertifiedMapping::CertifiedMapping(const TSlanter& engine, std::int32_t columns,
                                   std::int32_t rows) {
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    selected_ = engine.PatternIndex() >= 0 && engine.PatternIndex() < engine.PatternCount() &&
                engine.SourceWidth() >= 1 && engine.SourceHeight() >= 1;
    if (!selected_)
        return;
    horizontal_ = engine.Horizontal();
    rightUp_ = engine.RightUp();
    const double width = engine.SourceWidth();
    const double height = engine.SourceHeight();
    const double slide = engine.PatternSlide(engine.PatternIndex());
    across_ = horizontal_ ? height : width;
    along_ = horizontal_ ? width : height;
    // The fold moves the carried coordinate by the slide per period it adds across, with
    // the sign that the arrangement and the tilt give it.
    carried_ = horizontal_ == rightUp_ ? slide : -slide;

    const Extended cs = engine.SelCos();
    const Extended sn = engine.SelSin();
    const auto products = [&](std::int32_t count, std::vector<double>& withCos,
                              std::vector<double>& withSin) {
        withCos.resize(static_cast<std::size_t>(count));
        withSin.resize(static_cast<std::size_t>(count));
        for (std::int32_t k = 0; k < count; ++k) {
            const double centre = k + 0.5;
            withCos[k] = StoreDouble(centre * cs);
            withSin[k] = StoreDouble(centre * sn);
        }
    };
    products(columns, columnCos_, columnSin_);
    products(rows, rowCos_, rowSin_);

    // Every coordinate before the fold is at most `magnitude` across (|cos|, |sin| <= 1),
    // so at most `steps` periods are folded across, and no value on the way, in the walk
    // or here, exceeds `largest`. Each rounding errs by at most 2^-52 of it: the turn's
    // few, one per carried step in the walk, the product and the differences here.
    const double magnitude = 2.0 * (double(columns) + double(rows) + 2);
    const double steps = magnitude / across_ + 2;
    const double largest = magnitude + steps * std::fabs(slide) + width + height;
    bound_ = 0x1p-48 * (steps + 8) * (largest + 1);
}

SLANTER_VECTOR_CLONES
void CertifiedMapping::MapRow(std::int32_t row, std::int32_t first, std::int32_t last, double* sx,
                              double* sy) const {
    const std::int32_t count = last - first;
    if (!selected_) {
        std::fill(sx, sx + count, 0.0);
        std::fill(sy, sy + count, 0.0);
        return;
    }
    const double* columnCos = columnCos_.data() + first;
    const double* columnSin = columnSin_.data() + first;
    const double rowCos = rowCos_[row];
    const double rowSin = rowSin_[row];
    if (rightUp_)
        Turn<true>(columnCos, columnSin, rowCos, rowSin, count, sx, sy);
    else
        Turn<false>(columnCos, columnSin, rowCos, rowSin, count, sx, sy);
    // The coordinate folded first is the one across the arrangement.
    if (horizontal_)
        Fold(sy, sx, count);
    else
        Fold(sx, sy, count);
}

template <bool kRightUp>
void CertifiedMapping::Turn(const double* __restrict columnCos, const double* __restrict columnSin,
                            double rowCos, double rowSin, std::int32_t count, double* __restrict sx,
                            double* __restrict sy) {
    for (std::int32_t i = 0; i < count; ++i) {
        sx[i] = kRightUp ? columnCos[i] + rowSin : columnCos[i] - rowSin;
        sy[i] = kRightUp ? rowCos - columnSin[i] : rowCos + columnSin[i];
    }
}

void CertifiedMapping::Fold(double* __restrict across, double* __restrict along,
                            std::int32_t count) const {
    const double acrossPeriod = across_;
    const double alongPeriod = along_;
    const double inverseAcross = 1.0 / across_;
    const double inverseAlong = 1.0 / along_;
    const double carried = carried_;
    for (std::int32_t i = 0; i < count; ++i) {
        const double folds = PeriodsBelow(across[i], inverseAcross);
        across[i] -= folds * acrossPeriod;
        const double moved = along[i] - folds * carried;
        along[i] = moved - PeriodsBelow(moved, inverseAlong) * alongPeriod;
    }
}

} // namespace slanter
