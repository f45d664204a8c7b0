#pragma once

#include <array>
#include <cstdint>

#include "engine/Extended.h"
#include "engine/FittingOffsets.h"
#include "engine/LayoutFold.h"
#include "engine/Point.h"

namespace slanter {

// The pattern engine: finds the angles at which a wallpaper of the source picture can be
// turned so that it repeats again on an upright tile, keeps them in a table of at most
// 100 entries ordered by angle or by area, and maps result pixels back to the source.
class TSlanter {
  public:
    static constexpr int kMaxPatterns = 100;
    static constexpr int kMaxTileSide = 9999;

    TSlanter() = default;

    // Picture size (both at least 1); rebuilds the table when it differs from the last.
    void SetSourceSize(TPoint size);
    std::int32_t SourceWidth() const { return sourceWidth_; }
    std::int32_t SourceHeight() const { return sourceHeight_; }

    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool value);
    bool RightUp() const { return rightUp_; }
    void SetRightUp(bool value) { rightUp_ = value; }
    bool SortOnAngle() const { return sortOnAngle_; }
    void SetSortOnAngle(bool value);

    std::int32_t PatternCount() const { return patternCount_; }
    std::int32_t PatternIndex() const { return patternIndex_; }
    // Ignored unless 0 <= value < PatternCount.
    void SetPatternIndex(std::int32_t value);
    double SelSin() const { return selSin_; }
    double SelCos() const { return selCos_; }

    void BuildPatterns();
    void SortPatterns();

    // Queries of one pattern; 0 (or (0, 0)) for an index outside the table.
    double AngleDegrees(std::int32_t index) const;
    double AngleRadians(std::int32_t index) const;
    std::int32_t PatternArea(std::int32_t index) const;
    double PatternSlide(std::int32_t index) const;
    TPoint PatternSize(std::int32_t index) const;

    // Source position shown by result pixel `pixel` of the selected pattern's tile:
    // 0 <= SX < SourceWidth and 0 <= SY < SourceHeight. (0, 0) without a selection.
    SourcePosition MapToSource(TPoint pixel) const;

    // The layout of the selected pattern, as MapToSource folds it; only for a selection
    // of the current table.
    LayoutFold SelectedLayout() const;

    // The build with an explicit largest multiplier; BuildPatterns passes the largest
    // one that can still store a pattern. Exposed so that the bound can be checked.
    void BuildPatternsUpTo(std::int64_t lastMultiplier);
    // The largest multiplier whose tiles can still fit within kMaxTileSide.
    std::int64_t LastUsefulMultiplier() const;

  private:
    // One angle of a multiplier, shared by all its offsets j.
    struct Turn {
        double angle;
        Extended cosine;
        Extended sine;
        Extended tangent;
    };

    bool IsValidIndex(std::int32_t index) const { return index >= 0 && index < patternCount_; }
    bool IsDuplicate(double angle, TPoint tile, double slide) const;
    void Append(double angle, double slide, std::int64_t along, std::int64_t across);
    // The angle of count i with its functions; g = d * Along / (2 * Across) as stored.
    static Turn TurnOf(std::int64_t i, double g);
    // The candidates of multiplier d, in order, that can store a pattern.
    void SearchMultiplier(std::int64_t d, std::int64_t along, std::int64_t across);
    // Offers the pattern of candidate (d, i, j) with these extents, and its mirrored twin.
    void TryCandidate(std::int64_t d, std::int64_t i, std::int64_t j, double e, const Turn& turn,
                      CandidateExtents extents);
    bool Greater(int p, int q) const;
    void Exchange(int p, int q);

    std::int32_t sourceWidth_ = 0;
    std::int32_t sourceHeight_ = 0;
    bool horizontal_ = true;
    bool rightUp_ = true;
    bool sortOnAngle_ = true;
    std::int32_t patternCount_ = 0;
    std::int32_t patternIndex_ = -1;
    std::array<double, kMaxPatterns + 1> angles_{};
    std::array<std::int32_t, kMaxPatterns + 1> areas_{};
    std::array<double, kMaxPatterns + 1> slides_{};
    std::array<TPoint, kMaxPatterns + 1> tileSizes_{};
    double selSin_ = 0.0;
    double selCos_ = 0.0;
};

} // namespace slanter
