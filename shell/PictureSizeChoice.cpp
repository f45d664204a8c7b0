#include "shell/PictureSizeChoice.h"

#include <algorithm>

#include "bitmap/PictureScale.h"

namespace slanter {

namespace {

std::string Dots(TPoint size) {
    return std::to_string(size.X) + " x " + std::to_string(size.Y);
}

} // namespace

TPoint SizeForWidth(TPoint original, std::int32_t width) {
    width = std::clamp(width, 1, kMostSizeSide);
    return {width, std::min(FollowingSide(original.Y, width, original.X), kMostSizeSide)};
}

TPoint SizeForHeight(TPoint original, std::int32_t height) {
    height = std::clamp(height, 1, kMostSizeSide);
    return {std::min(FollowingSide(original.X, height, original.Y), kMostSizeSide), height};
}

TPoint SizeForPercent(TPoint original, std::int64_t hundredths) {
    hundredths = std::clamp<std::int64_t>(hundredths, 1, kMostPercentHundredths);
    return {std::min(PercentOfSide(original.X, hundredths, 100), kMostSizeSide),
            std::min(PercentOfSide(original.Y, hundredths, 100), kMostSizeSide)};
}

std::int64_t PercentHundredths(TPoint original, std::int32_t width) {
    if (original.X < 1 || width < 1)
        return 0;
    return (std::int64_t{width} * 20'000 + original.X) / (2 * std::int64_t{original.X});
}

PictureSizeTexts SizeDialogTexts(bool japanese, TPoint original) {
    if (japanese)
        return {"画像のサイズ", "元のサイズ: " + Dots(original) + " ドット",
                "幅(&W):",      "高さ(&H):",
                "比率(&P) %:",  "OK",
                "キャンセル"};
    return {"Picture Size", "Original size: " + Dots(original) + " dots",
            "&Width:",      "&Height:",
            "&Percent:",    "OK",
            "Cancel"};
}

std::string SizeTooLargeText(bool japanese, TPoint size) {
    return japanese ? Dots(size) + " ドットの画像は大きすぎて扱えません。\r\n"
                    : "A picture of " + Dots(size) + " dots is too large to work with.\r\n";
}

std::string SizeNoMemoryText(bool japanese, TPoint size) {
    return japanese ? Dots(size) + " ドットの画像のためのメモリが足りません。\r\n"
                    : "There is not enough memory for the picture at " + Dots(size) + " dots.\r\n";
}

std::string OriginalSizeLine(bool japanese, TPoint original) {
    return japanese ? "(元の画像 " + Dots(original) + " ドットから変更)\r\n"
                    : "(resized from " + Dots(original) + " dots)\r\n";
}

} // namespace slanter
