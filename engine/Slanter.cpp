#include "engine/Slanter.h"

#include <cmath>
#include <numeric>
#include <utility>

#include "engine/ExtendedMath.h"

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
        for (; patternCount_ < kMaxPatterns && d <= lastMultiplier; ++d) {
            const double e = StoreDouble(Extended(d * along));
            const double g = StoreDouble(e / Extended(across)) / 2;
            const auto n = static_cast<std::int64_t>(g);
            // Once the table is full nothing more can be stored, so the rest of the
            // candidates of this multiplier are skipped rather than computed.
            for (std::int64_t i = 1; i <= n && patternCount_ < kMaxPatterns; ++i) {
                const double angle = StoreDouble(ArcSin(Extended(i) / g) * 0.5L);
                const Turn turn{angle, std::cos(Extended(angle)), std::sin(Extended(angle)),
                                Tan(angle)};
                const std::int64_t commonDI = std::gcd(d, i);
                for (std::int64_t j = 0; j < i; ++j) {
                    if (std::gcd(commonDI, j) != 1)
                        continue;
                    TryCandidate(d, i, j, e, turn);
                }
            }
        }
    }
    SortPatterns();
}

void TSlanter::TryCandidate(std::int64_t d, std::int64_t i, std::int64_t j, double e,
                            const Turn& turn) {
    std::int64_t a = static_cast<std::int64_t>(turn.cosine * e);
    std::int64_t b = 0;
    if (j == 0) {
        b = static_cast<std::int64_t>(turn.sine * e / i);
    } else {
        b = static_cast<std::int64_t>(turn.sine * e);
        for (std::int64_t k = 1; k < i; ++k) {
            if (i % k == 0 && ((d + j) * k) % i == 0) {
                a = a * k / i;
                break;
            }
        }
        if (j >= 2 && i % j == 0)
            b /= j;
    }

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
