#include "preview/PreviewDrawing.h"

#include "engine/Extended.h"
#include "preview/LatticeWalk.h"
#include "preview/PreviewScreen.h"

namespace slanter {

namespace {

void AddStroke(std::vector<PreviewSegment>& segments, ScreenPoint from, ScreenPoint to,
               std::uint32_t colour) {
    segments.push_back({from.x, from.y, to.x, to.y, colour});
}

} // namespace

PreviewDrawing ComputePreviewDrawing(const PreviewPattern& pattern, std::int32_t width,
                                     std::int32_t height) {
    PreviewDrawing drawing;
    drawing.width = width;
    drawing.height = height;
    const std::optional<PreviewSpace> found = MakePreviewSpace(pattern);
    if (!found || width < 1 || height < 1)
        return drawing;
    const PreviewSpace& space = *found;
    const PreviewScreen screen(space, width, height);

    // Each copy adds its two sides along U and Q; its neighbours' sides close the lattice.
    const auto drawCopy = [&](const LatticeCopy& copy) {
        const Extended pu = copy.corner.u;
        const Extended pv = copy.corner.v;
        const ScreenPoint end = screen.Map(pu + space.U.u, pv + space.U.v);
        const ScreenPoint corner = screen.Map(pu, pv);
        const ScreenPoint side = screen.Map(pu + space.Q.u, pv + space.Q.v);
        AddStroke(drawing.segments, end, corner, kPreviewRed);
        AddStroke(drawing.segments, corner, side, kPreviewRed);
    };
    drawing.complete = WalkLattice(space, drawCopy).complete;

    const double halfA = space.A / 2;
    const double halfB = space.B / 2;
    const ScreenPoint outline[5] = {screen.Map(-halfA, -halfB), screen.Map(-halfA, halfB),
                                    screen.Map(halfA, halfB), screen.Map(halfA, -halfB),
                                    screen.Map(-halfA, -halfB)};
    for (int k = 0; k < 4; ++k)
        AddStroke(drawing.segments, outline[k], outline[k + 1], kPreviewBlack);
    return drawing;
}

PreviewDrawing ComputePreviewDrawing(const TSlanter& engine, std::int32_t width,
                                     std::int32_t height) {
    return ComputePreviewDrawing(SelectedPreviewPattern(engine), width, height);
}

} // namespace slanter
