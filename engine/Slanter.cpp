#include "engine/Slanter.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "engine/ExtendedMath.h"
#include "engine/FittingOffsets.h"

namespace slanter {

namespace {

// Tiles of a multiplier d hold at least d pictures' area (exactly, before the sides are
// truncated, which costs each side less than two pixels), so a multiplier whose d
// pictures cover more than this cannot store a pattern with both sides within 9999.
constexpr std::int64_t kLargestTileArea =
    std::int64_t{TSlanter::kMaxTileSide + 3} * (TSlanter::kMaxTileSide + 3);

} // namespace

void TSlanter::SetSourceSize(TPoint size) {
    if (size.X < 1 || size.Y < 1)
        return;
    if (size.X == sourceWidth_ && size.Y == sourceHeight_)
        return;
    sourceWidth_ = size.X;
    sourceHeight_ = size.Y;
    BuildPatterns();
}

void TSlanter::SetHorizontal(bool value) {
    if (value == horizontal_)
        return;
    horizontal_ = value;
    if (sourceWidth_ > 0 && sourceHeight_ > 0)
        BuildPatterns();
}

void TSlanter::SetSortOnAngle(bool value) {
    if (value == sortOnAngle_)
        return;
    sortOnAngle_ = value;
    SortPatterns();
}

void TSlanter::SetPatternIndex(std::int32_t value) {
    if (!IsValidIndex(value))
        return;
    patternIndex_ = value;
    const Extended angle = angles_[value];
    selSin_ = StoreDouble(std::sin(angle));
    selCos_ = StoreDouble(std::cos(angle));
}

std::int64_t TSlanter::LastUsefulMultiplier() const {
    if (sourceWidth_ < 1 || sourceHeight_ < 1)
        return 0;
    return kLargestTileArea / (std::int64_t{sourceWidth_} * sourceHeight_);
}

void TSlanter::BuildPatterns() {
    BuildPatternsUpTo(LastUsefulMultiplier());
}

void TSlanter::BuildPatternsUpTo(std::int64_t lastMultiplier) {
    patternCount_ = 0;
    if (sourceWidth_ >= 1 && sourceHeight_ >= 1) {
        const std::int64_t along = horizontal_ ? sourceWidth_ : sourceHeight_;
        const std::int64_t across = horizontal_ ? sourceHeight_ : sourceWidth_;
        std::int64_t d = 1;
        if (sourceWidth_ != sourceHeight_) {
            const double r = StoreDouble(Extended(2 * across) / along);
            d = static_cast<std::int64_t>(r);
            if (r != static_cast<double>(d))
                ++d;
        }
        for (; patternCount_ < kMaxPatterns && d <= lastMultiplier; ++d)
            SearchMultiplier(d, along, across);
    }
    SortPatterns();
}

TSlanter::Turn TSlanter::TurnOf(std::int64_t i, double g) {
    const double angle = StoreDouble(ArcSin(Extended(i) / g) * 0.5L);
    return {angle, std::cos(Extended(angle)), std::sin(Extended(angle)), Tan(angle)};
}

// Only candidates whose tile fits are tried; the others would store nothing, so the
// table is the one that trying every candidate in turn gives.
//
// Two bounds hold for every count i of a multiplier, within the rounding of the angle
// (far below one pixel): a0 = Trunc(cos t * E) is at least 0.7071 * E, since t <= 45
// degrees, and b0 = Trunc(sin t * E) is at least i * Across - 1, since sin t >= sin 2t / 2
// = i * Across / E. So once a0 alone is too long, a count past (9999 + 1) / Across leaves
// only offsets that divide it, and those DividingOffsets finds without visiting each
// count; the counts before it are few and checked one by one.
void TSlanter::SearchMultiplier(std::int64_t d, std::int64_t along, std::int64_t across) {
    const double e = StoreDouble(Extended(d * along));
    const double g = StoreDouble(e / Extended(across)) / 2;
    const auto n = static_cast<std::int64_t>(g);
    const std::int64_t leastA0 = 7071 * (d * along) / 10000;
    // With a0 alone too long, a needs a cut by gcd(d + j, i) of at least leastCut, which
    // no count below leastCut has.
    const std::int64_t leastCut = leastA0 / (kMaxTileSide + 1) + 1;
    std::int64_t countsOneByOne = n;
    if (leastA0 > kMaxTileSide)
        countsOneByOne = std::min(n, (kMaxTileSide + 1) / across);

    for (std::int64_t i = leastCut; i <= countsOneByOne && patternCount_ < kMaxPatterns; ++i) {
        const Turn turn = TurnOf(i, g);
        const auto a0 = static_cast<std::int64_t>(turn.cosine * e);
        const auto b0 = static_cast<std::int64_t>(turn.sine * e);
        const std::int64_t commonDI = std::gcd(d, i);
        if (commonDI == 1) {
            const auto b = static_cast<std::int64_t>(turn.sine * e / i);
            if (a0 <= kMaxTileSide && b <= kMaxTileSide)
                TryCandidate(d, i, 0, e, turn, {a0, b});
        }
        ForEachFittingOffset(d, i, a0, b0, kMaxTileSide, [&](std::int64_t j) {
            if (std::gcd(commonDI, j) == 1)
                TryCandidate(d, i, j, e, turn, ReducedExtents(d, i, j, a0, b0));
            return patternCount_ < kMaxPatterns;
        });
    }
    if (countsOneByOne >= n || patternCount_ >= kMaxPatterns)
        return;

    const auto candidates = DividingOffsets(
        d, countsOneByOne + 1, n, leastA0 / (kMaxTileSide + 1) + 1, (kMaxTileSide + 1) / across);
    std::int64_t turnedCount = 0;
    Turn turn{};
    for (const auto& [i, j] : candidates) {
        if (patternCount_ >= kMaxPatterns)
            return;
        if (std::gcd(std::gcd(d, i), j) != 1)
            continue;
        if (i != turnedCount) {
            turn = TurnOf(i, g);
            turnedCount = i;
        }
        const CandidateExtents extents =
            ReducedExtents(d, i, j, static_cast<std::int64_t>(turn.cosine * e),
                           static_cast<std::int64_t>(turn.sine * e));
        if (extents.along <= kMaxTileSide && extents.across <= kMaxTileSide)
            TryCandidate(d, i, j, e, turn, extents);
    }
}

void TSlanter::TryCandidate(std::int64_t d, std::int64_t i, std::int64_t j, double e,
                            const Turn& turn, CandidateExtents extents) {
    std::int64_t a = extents.along;
    std::int64_t b = extents.across;
    const Extended along = Extended(e) / d;
    const std::int32_t across = horizontal_ ? sourceHeight_ : sourceWidth_;
    double angle = turn.angle;
    double slide = StoreDouble(turn.tangent * across + (j * Extended(e) / d) / i);
    while (slide >= 0.99999L * along)
        slide = StoreDouble(slide - along);

    for (bool secondPass = false;; secondPass = true) {
        if (-0.0001L < slide && slide < 0)
            slide = 0;
        Append(angle, slide, a, b);
        if ((slide <= 0 && angle >= kQuarterPi) || secondPass)
            break;
        // The mirrored layout, turned by the complementary angle.
        slide = StoreDouble(along - slide);
        if (slide >= 0.99999L * along)
            slide = StoreDouble(slide - along);
        angle = StoreDouble(kHalfPi - angle);
        std::swap(a, b);
    }
}

bool TSlanter::IsDuplicate(double angle, TPoint tile, double slide) const {
    for (int p = 0; p < patternCount_; ++p) {
        if (std::fabs(Extended(angles_[p]) - angle) < 0.0001L && tileSizes_[p].X == tile.X &&
            tileSizes_[p].Y == tile.Y && std::fabs(Extended(slides_[p]) - slide) < 0.0001L)
            return true;
    }
    return false;
}

void TSlanter::Append(double angle, double slide, std::int64_t along, std::int64_t across) {
    if (patternCount_ >= kMaxPatterns || along > kMaxTileSide || across > kMaxTileSide)
        return;
    const TPoint tile = horizontal_ ? TPoint{std::int32_t(along), std::int32_t(across)}
                                    : TPoint{std::int32_t(across), std::int32_t(along)};
    if (IsDuplicate(angle, tile, slide))
        return;
    const std::int64_t tileArea = along * across;
    const std::int64_t pictureArea = std::int64_t{sourceWidth_} * sourceHeight_;
    angles_[patternCount_] = angle;
    slides_[patternCount_] = slide;
    tileSizes_[patternCount_] = tile;
    areas_[patternCount_] =
        static_cast<std::int32_t>(Extended(tileArea) / Extended(pictureArea) + 0.5L);
    ++patternCount_;
}

bool TSlanter::Greater(int p, int q) const {
    if (sortOnAngle_) {
        if (angles_[p] != angles_[q])
            return angles_[p] > angles_[q];
        if (areas_[p] != areas_[q])
            return areas_[p] > areas_[q];
    } else {
        if (areas_[p] != areas_[q])
            return areas_[p] > areas_[q];
        if (angles_[p] != angles_[q])
            return angles_[p] > angles_[q];
    }
    return slides_[p] > slides_[q];
}

void TSlanter::Exchange(int p, int q) {
    std::swap(angles_[p], angles_[q]);
    std::swap(areas_[p], areas_[q]);
    std::swap(slides_[p], slides_[q]);
    std::swap(tileSizes_[p], tileSizes_[q]);
}

// An exchange sort, not std::sort: entries of equal key must end exactly where this
// sequence of exchanges leaves them, because the list shows them in that order.
void TSlanter::SortPatterns() {
    for (int p = 0; p + 1 < patternCount_; ++p)
        for (int q = p + 1; q < patternCount_; ++q)
            if (Greater(p, q))
                Exchange(p, q);
}

double TSlanter::AngleDegrees(std::int32_t index) const {
    if (!IsValidIndex(index))
        return 0;
    return StoreDouble(Extended(angles_[index]) * 180 * (1 / kPi));
}

double TSlanter::AngleRadians(std::int32_t index) const {
    return IsValidIndex(index) ? angles_[index] : 0;
}

std::int32_t TSlanter::PatternArea(std::int32_t index) const {
    return IsValidIndex(index) ? areas_[index] : 0;
}

double TSlanter::PatternSlide(std::int32_t index) const {
    return IsValidIndex(index) ? slides_[index] : 0;
}

TPoint TSlanter::PatternSize(std::int32_t index) const {
    return IsValidIndex(index) ? tileSizes_[index] : TPoint{};
}

SourcePosition TSlanter::MapToSource(TPoint pixel) const {
    if (!IsValidIndex(patternIndex_))
        return {};
    const double px = pixel.X + 0.5;
    const double py = pixel.Y + 0.5;
    const Extended cs = selCos_;
    const Extended sn = selSin_;
    double sx = 0;
    double sy = 0;
    if (rightUp_) {
        sx = StoreDouble(px * cs + py * sn);
        sy = StoreDouble(py * cs - px * sn);
    } else {
        sx = StoreDouble(px * cs - py * sn);
        sy = StoreDouble(py * cs + px * sn);
    }
    return SelectedLayout().Fold(sx, sy);
}

LayoutFold TSlanter::SelectedLayout() const {
    return {sourceWidth_, sourceHeight_, slides_[patternIndex_], horizontal_, rightUp_};
}

} // namespace slanter
