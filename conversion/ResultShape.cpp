#include "conversion/ResultShape.h"

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
    return rowBytes <= THandyBitmap::kMaxImageBytes &&
           rowBytes * size.Y <= THandyBitmap::kMaxImageBytes;
}

void ShapeResult(THandyBitmap& result, const THandyBitmap& source, TPoint size, bool smoothing) {
    if (ResultDepth(source, smoothing) == 24) {
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
