#include "shell/qt/ResultPicture.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include <QList>

#include "bitmap/Checkerboard.h"
#include "bitmap/DisplayRows.h"
#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptFile.h"

namespace slanter {

namespace {

// A colour value (red in the low byte) as Qt holds it.
QRgb Rgb(std::int32_t color) {
    return qRgb(color & 0xFF, color >> 8 & 0xFF, color >> 16 & 0xFF);
}

constexpr int kMostTableEntries = 256;

ResultPictureReader& CurrentReader() {
    static ResultPictureReader reader;
    return reader;
}

} // namespace

QImage PictureOf(const THandyBitmap& bitmap) {
    const int width = bitmap.biWidth();
    const int height = bitmap.biHeight();
    if (width <= 0 || height <= 0)
        return {};
    const bool indexed = bitmap.PaletteCount() > 0;
    QImage picture(width, height, indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    if (indexed) {
        const int entries =
            std::clamp(bitmap.MaxColors(), bitmap.PaletteCount(), kMostTableEntries);
        QList<QRgb> table(entries, qRgb(0, 0, 0));
        for (int i = 0; i < std::min(bitmap.PaletteCount(), entries); ++i)
            table[i] = Rgb(bitmap.GetPaletteColor(i));
        picture.setColorTable(table);
    }
    for (int y = 0; y < height; ++y) {
        if (indexed)
            DisplayIndices(bitmap, y, picture.scanLine(y));
        else
            DisplayColours(bitmap, y, reinterpret_cast<std::uint32_t*>(picture.scanLine(y)));
    }
    return picture;
}

ReadBackPicture ReadResultPicture(const std::string& fileName) {
    if (const ResultPictureReader& reader = CurrentReader())
        return reader(fileName);
    THandyBitmap bitmap;
    if (!bitmap.LoadFromFile(fileName))
        return {QImage(), bitmap.ErrorText()};
    QImage picture = PictureOf(bitmap);
    if (picture.isNull())
        return {QImage(), bitmap_text::kOutOfMemory};
    return {std::move(picture), std::string()};
}

ReadBackPicture ReadShownResultPicture(const std::string& fileName) {
    if (const ResultPictureReader& reader = CurrentReader())
        return reader(fileName);
    THandyBitmap bitmap;
    if (!bitmap.LoadFromFile(fileName))
        return {QImage(), bitmap.ErrorText()};
    // Clear parts over the checkerboard, from what the result keeps beside its file.
    ReadKeptBeside(fileName, bitmap);
    THandyBitmap checkered;
    QImage picture = PictureOf(PictureToShow(bitmap, checkered));
    if (picture.isNull())
        return {QImage(), bitmap_text::kOutOfMemory};
    return {std::move(picture), std::string()};
}

ResultPictureReader SetResultPictureReader(ResultPictureReader reader) {
    return std::exchange(CurrentReader(), std::move(reader));
}

} // namespace slanter
