#include "bitmap/qt/WorkingImage.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <QImage>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/IndexedColors.h"
#include "bitmap/RowCodec.h"
#include "shell/WhiteBackground.h"

namespace slanter {

namespace {

constexpr int kMostPaletteColors = 256;

std::int32_t OnWhite(QRgb color) {
    const int alpha = qAlpha(color);
    return OverWhite(qRed(color), alpha) | OverWhite(qGreen(color), alpha) << 8 |
           OverWhite(qBlue(color), alpha) << 16;
}

bool Indexed(const QImage& image) {
    const QImage::Format format = image.format();
    return (format == QImage::Format_Indexed8 || format == QImage::Format_Mono ||
            format == QImage::Format_MonoLSB) &&
           image.colorCount() > 0 && image.colorCount() <= kMostPaletteColors;
}

// A 16-bit channel to the nearest 8-bit one (Qt's own conversion is one off for 128 of
// the 65536 values).
int NearestEightBits(int channel) {
    return (channel * 255 + 32767) / 65535;
}

bool SixteenBitChannels(const QImage& image) {
    return image.depth() == 64 || image.format() == QImage::Format_Grayscale16;
}

// A 5-bit channel widened to 8 bits, as Pillow and the platform's BMP readers do.
int WidenFiveBits(std::int32_t channel) {
    return channel / 8 * 255 / 31;
}

} // namespace

std::string ToWorkingPicture(const QImage& image, THandyBitmap& picture, bool indexedFile) {
    const int width = image.width();
    const int height = image.height();
    if (std::int64_t{width} * height > THandyBitmap::kMaxPixels)
        return bitmap_text::kTooLarge;
    const bool indexed = Indexed(image);
    picture.NewImage(width, height, indexed ? 8 : 24);
    if (picture.biWidth() != width || picture.biHeight() != height)
        return bitmap_text::kOutOfMemory;
    if (indexed) {
        const QImage eight = image.format() == QImage::Format_Indexed8
                                 ? image
                                 : image.convertToFormat(QImage::Format_Indexed8);
        if (eight.isNull())
            return bitmap_text::kOutOfMemory;
        const QList<QRgb> table = eight.colorTable();
        picture.SetPaletteCount(static_cast<std::int32_t>(table.size()));
        if (picture.PaletteCount() != table.size())
            return bitmap_text::kOutOfMemory;
        for (qsizetype k = 0; k < table.size(); ++k)
            picture.SetPaletteColor(static_cast<std::int32_t>(k), OnWhite(table[k]));
        // An index past the table (a damaged file) keeps the first colour.
        for (int y = 0; y < height; ++y) {
            const uchar* row = eight.constScanLine(height - 1 - y);
            for (int x = 0; x < width; ++x)
                picture.SetPixelIndex(x, y, row[x]);
        }
        return {};
    }
    picture.SetPaletteCount(0);
    // Not premultiplied, so that the opacity is laid over white once, by our rule.
    if (SixteenBitChannels(image)) {
        const QImage colors = image.convertToFormat(QImage::Format_RGBA64);
        if (colors.isNull())
            return bitmap_text::kOutOfMemory;
        for (int y = 0; y < height; ++y) {
            const auto* row =
                reinterpret_cast<const QRgba64*>(colors.constScanLine(height - 1 - y));
            for (int x = 0; x < width; ++x)
                picture.SetPixelColor(
                    x, y,
                    OnWhite(qRgba(NearestEightBits(row[x].red()), NearestEightBits(row[x].green()),
                                  NearestEightBits(row[x].blue()),
                                  NearestEightBits(row[x].alpha()))));
        }
    } else {
        const QImage colors = image.convertToFormat(QImage::Format_ARGB32);
        if (colors.isNull())
            return bitmap_text::kOutOfMemory;
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(colors.constScanLine(height - 1 - y));
            for (int x = 0; x < width; ++x)
                picture.SetPixelColor(x, y, OnWhite(row[x]));
        }
    }
    // The platform gives some indexed formats (GIF) as colours: their few colours make the
    // palette again, so that a plain conversion keeps 8 bits.
    if (indexedFile)
        MakeIndexed(picture);
    return {};
}

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
