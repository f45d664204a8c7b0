#include "conversion/ResultShape.h"

#include <algorithm>

#include "bitmap/HandyBitmap.h"
#include "bitmap/RowCodec.h"

namespace slanter {

int ResultDepth(const THandyBitmap& source, bool smoothing) {
    return smoothing || source.biBitCount() == 24 ? 24 : source.biBitCount();
}

bool ResultFitsInFile(TPoint size, int depth) {
    if (size.X < 0 || size.Y < 0)
        return false;
    const std::int64_t rowBytes = RowBytes(depth, size.X);
    // An indexed result carries its full colour table before the pixel data.
    const std::int64_t table = depth <= 8 ? std::int64_t{4} << depth : 0;
    return rowBytes <= THandyBitmap::kMaxImageBytes &&
           rowBytes * size.Y <= THandyBitmap::kMaxImageBytes - table;
}

namespace {

// The result keeps what the source keeps: its profile, its palette's opacities where the
// result is indexed too, and otherwise a plane of straight colours at the source's depth.
bool ShapeKept(THandyBitmap& result, const THandyBitmap& source) {
    const KeptLayer& from = source.Kept();
    KeptLayer& to = result.Kept();
    to.CopyProfileFrom(from);
    if (result.PaletteCount() != 0)
        to.palette = from.palette;
    const bool plane = from.HasPixels() || (!from.palette.empty() && result.PaletteCount() == 0);
    if (!plane)
        return true;
    const bool alpha = from.HasAlpha() || !from.palette.empty();
    return to.ResetPixels(result.biWidth(), result.biHeight(),
                          from.HasPixels() ? from.ChannelBits() : 8, alpha);
}

} // namespace

bool ShapeResult(THandyBitmap& result, const THandyBitmap& source, TPoint size, bool smoothing) {
    // NewImage gives 0 x 0 cells when it finds no memory for the size asked.
    const auto sized = [&] { return result.biWidth() == size.X && result.biHeight() == size.Y; };
    if (ResultDepth(source, smoothing) == 24) {
        result.NewImage(size.X, size.Y, 24);
        return sized() && ShapeKept(result, source);
    }
    // NewImage first: the palette count is clamped to the depth it sets.
    result.NewImage(size.X, size.Y, source.biBitCount());
    const std::int32_t entries = std::min(source.PaletteCount(), result.MaxColors());
    result.SetPaletteCount(source.PaletteCount());
    for (int i = 0; i < source.PaletteCount(); ++i)
        result.SetPaletteColor(i, source.GetPaletteColor(i));
    return sized() && result.PaletteCount() == entries && ShapeKept(result, source);
}

} // namespace slanter
