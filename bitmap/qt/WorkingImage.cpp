#include "bitmap/qt/WorkingImage.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <QImage>

#include "bitmap/HandyBitmap.h"
#include "bitmap/IndexedColors.h"
#include "bitmap/RowCodec.h"

namespace slanter {

namespace {

// A 5-bit channel widened to 8 bits, as Pillow and the platform's BMP readers do.
int WidenFiveBits(std::int32_t channel) {
    return channel / 8 * 255 / 31;
}

} // namespace

QImage ToImage(const THandyBitmap& picture) {
    const int width = std::max(picture.biWidth(), 0);
    const int height = std::max(picture.biHeight(), 0);
    const int depth = picture.biBitCount();
    if (!IsStoredDepth(depth))
        return {};
    const bool indexed = picture.PaletteCount() > 0 && depth <= 8;
    QImage image(width, height, indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (image.isNull())
        return image;
    // Each row goes through the writer's packing and the reader's unpacking, so that the
    // cells are those the BMP file holds (indices cut to the depth, 16 bits to 5 a channel).
    // The raw cell is taken: a 24-bit record may carry a palette its cells do not use.
    std::vector<std::int32_t> cells(static_cast<std::size_t>(width));
    std::vector<std::uint8_t> stored(static_cast<std::size_t>(RowBytes(depth, width)));
    int mostIndex = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            cells[x] = picture.PaletteCount() > 0 ? picture.GetPixelIndex(x, y)
                                                  : picture.GetPixelColor(x, y);
        PackRow(depth, cells.data(), width, stored.data());
        UnpackRow(depth, stored.data(), width, cells.data());
        uchar* row = image.scanLine(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::int32_t cell = cells[x];
            if (indexed) {
                row[x] = static_cast<uchar>(cell);
                mostIndex = std::max(mostIndex, cell);
                continue;
            }
            int red = cell & 255, green = cell >> 8 & 255, blue = cell >> 16 & 255;
            if (depth == 16) {
                red = WidenFiveBits(red);
                green = WidenFiveBits(green);
                blue = WidenFiveBits(blue);
            }
            reinterpret_cast<QRgb*>(row)[x] = qRgb(red, green, blue);
        }
    }
    if (indexed) {
        // An index past the palette shows black, as it does in the BMP file's viewers.
        QList<QRgb> table(std::max<qsizetype>(picture.PaletteCount(), mostIndex + 1),
                          qRgb(0, 0, 0));
        for (std::int32_t k = 0; k < picture.PaletteCount(); ++k) {
            const std::int32_t color = picture.GetPaletteColor(k);
            table[k] = qRgb(color & 255, color >> 8 & 255, color >> 16 & 255);
        }
        image.setColorTable(table);
    }
    return image;
}

} // namespace slanter
