#include "preview/PreviewSpace.h"

#include <algorithm>
#include <cmath>

#include "engine/Extended.h"
#include "engine/ExtendedMath.h"
#include "engine/Slanter.h"

namespace slanter {

PreviewPattern SelectedPreviewPattern(const TSlanter& engine) {
    const std::int32_t index = engine.PatternIndex();
    PreviewPattern pattern;
    pattern.angle = engine.AngleRadians(index);
    pattern.slide = engine.PatternSlide(index);
    pattern.tile = engine.PatternSize(index);
    pattern.sourceWidth = engine.SourceWidth();
    pattern.sourceHeight = engine.SourceHeight();
    pattern.horizontal = engine.Horizontal();
    pattern.rightUp = engine.RightUp();
    return pattern;
}

std::optional<PreviewSpace> MakePreviewSpace(const PreviewPattern& pattern) {
    if (!std::isfinite(pattern.angle) || !std::isfinite(pattern.slide))
        return std::nullopt;
    if (pattern.tile.X < 0 || pattern.tile.Y < 0 || pattern.sourceWidth < 1 ||
        pattern.sourceHeight < 1)
        return std::nullopt;

    PreviewSpace space;
    space.horizontal = pattern.horizontal;
    space.rightUp = pattern.rightUp;
    space.A = pattern.horizontal ? pattern.tile.X : pattern.tile.Y;
    space.B = pattern.horizontal ? pattern.tile.Y : pattern.tile.X;
    space.SA = pattern.horizontal ? pattern.sourceWidth : pattern.sourceHeight;
    space.SB = pattern.horizontal ? pattern.sourceHeight : pattern.sourceWidth;
    space.R = StoreDouble(0.7L * std::max(space.A, space.B));
    if (!(space.R > 0))
        return std::nullopt;

    const Extended angle = pattern.angle;
    space.sn = StoreDouble(std::sin(angle));
    space.cs = StoreDouble(std::cos(angle));
    space.tn = StoreDouble(Tan(angle));
    space.slide = pattern.slide;
    if (!pattern.rightUp) {
        space.sn = -space.sn;
        space.tn = -space.tn;
        space.slide = StoreDouble(Extended(space.SA) - space.slide);
    }

    const Extended sn = space.sn;
    const Extended cs = space.cs;
    const Extended SA = space.SA;
    const Extended SB = space.SB;
    const Extended slide = space.slide;
    space.U = {StoreDouble(SA * cs), StoreDouble(SA * sn)};
    space.Q = {StoreDouble(-SB * sn), StoreDouble(SB * cs)};
    space.V = {StoreDouble(-SB * sn + slide * cs), StoreDouble(SB * cs + slide * sn)};
    space.T = {-space.A / 2, -space.B / 2};
    return space;
}

} // namespace slanter
