#include "bitmap/decoders/DecoderTexts.h"

#include "bitmap/TextLanguage.h"

namespace slanter::decoder_text {

namespace {

std::string WithDetail(const char* english, const char* japanese, const std::string& detail) {
    std::string text = Japanese ? japanese : english;
    if (!detail.empty())
        text += " (" + detail + ")";
    return text;
}

} // namespace

std::string CantOpen() {
    return WithDetail("the file cannot be opened", "ファイルを開けません", {});
}

std::string UnknownFormat() {
    return WithDetail("the file is no picture of a format this program reads (BMP, PNG, JPEG, "
                      "GIF, TIFF, WebP, PNM, TGA, XPM, XBM, WBMP, ICNS)",
                      "このプログラムが読める形式 (BMP、PNG、JPEG、GIF、TIFF、WebP、PNM、TGA、"
                      "XPM、XBM、WBMP、ICNS) の画像ではありません",
                      {});
}

std::string CutShort(const std::string& detail) {
    return WithDetail("the file ends before its picture does",
                      "ファイルが画像の途中で終わっています", detail);
}

std::string Damaged(const std::string& detail) {
    return WithDetail("the picture's data is damaged", "画像のデータが壊れています", detail);
}

std::string Unsupported(const std::string& detail) {
    return WithDetail("the picture is of a kind this program does not read",
                      "このプログラムが読めない種類の画像です", detail);
}

} // namespace slanter::decoder_text
