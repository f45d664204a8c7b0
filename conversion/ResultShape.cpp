#include "conversion/ResultShape.h"

#include "bitmap/HandyBitmap.h"

namespace slanter {

void ShapeResult(THandyBitmap& result, const THandyBitmap& source, TPoint size, bool smoothing) {
    if (smoothing || source.biBitCount() == 24) {
        result.NewImage(size.X, size.Y, 24);
        return;
    }
    // NewImage first: the palette count is clamped to the depth it sets.
    result.NewImage(size.X, size.Y, source.biBitCount());
    result.SetPaletteCount(source.PaletteCount());
    for (int i = 0; i < source.PaletteCount(); ++i)
        result.SetPaletteColor(i, source.GetPaletteColor(i));
}

} // namespace slanter
