#include "shell/MainTexts.h"

#include <algorithm>

#include "bitmap/ErrorTexts.h"

namespace slanter {

std::string SettingsNotKeptText(bool japanese, const std::string& storeName) {
    return japanese ? storeName + " に、\r\n" + "設定を保存することができません。\r\n" +
                          "このまま使えますが、今回の設定は次回に残りません。\r\n"
                    : "Can't save the settings to " + storeName + ".\r\n" +
                          "The program works on, but this run's settings will not be kept.\r\n";
}

std::string NotABitmapText(bool japanese, const std::string& fileName) {
    return japanese ? fileName + " は、\r\n" + "ビットマップ画像ではありません。"
                    : fileName + "\r\n" + " is not a Bitmap Image file.";
}

std::string CantCopyText(bool japanese, const std::string& fileName) {
    return japanese ? fileName + " を、\r\n" + "コピーすることができません。\r\n"
                    : "Can't copy " + fileName + ".\r\n";
}

std::string ProfileDroppedText(bool japanese, const std::string& fileName) {
    return japanese ? fileName + " のカラープロファイルは壊れているため、\r\n" +
                          "使わずに開きました。\r\n"
                    : "The colour profile of " + fileName +
                          "\r\nis malformed; the picture was opened without it.\r\n";
}

std::string NotEnoughMemoryText(bool japanese, const std::string& fileName) {
    return japanese ? fileName + " を開くためのメモリが足りません。\r\n"
                    : "There is not enough memory to open\r\n" + fileName + ".\r\n";
}

std::string InvalidFormatText(bool japanese, const std::string& fileName,
                              const std::string& errorText) {
    // A picture the machine cannot hold is no fault of its format.
    if (errorText == bitmap_text::kOutOfMemory)
        return NotEnoughMemoryText(japanese, fileName);
    const std::string reason = "(" + errorText + ")\r\n";
    return japanese ? fileName + " は、\r\n" + "扱えない形式です。\r\n" + reason
                    : fileName + " has invalid format.\r\n" + reason;
}

std::string NoClipboardBitmapText(bool japanese) {
    return japanese ? "クリップボードにビットマップ画像は入っていません。"
                    : "No Bitmap Image in Clip Board.";
}

std::string ConversionRunningText(bool japanese) {
    return japanese ? std::string("変換中は、元にする画像を取り替えられません。\r\n") +
                          "変換が終わってから、またはキャンセルしてから開いてください。\r\n"
                    : std::string("The image can't be replaced while it is being converted.\r\n") +
                          "Open another one when the conversion has finished or is cancelled.\r\n";
}

std::string ClipboardPictureName(bool japanese) {
    return japanese ? "クリップボードの画像" : "Image from Clip Board";
}

std::string BitmapInformationCaption(bool japanese) {
    return japanese ? "ビットマップの情報" : "Bitmap Information";
}

std::string BitmapInformationText(bool japanese, const std::string& sourceName, std::int32_t width,
                                  std::int32_t height, int bitCount) {
    const std::string head = sourceName + "\r\n" + "\r\n";
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    const std::string colors = ColorCountText(bitCount);
    if (japanese)
        return head + "幅 " + w + "ドット\r\n" + "高さ " + h + "ドット\r\n" + colors + "色\r\n";
    return head + w + " dots in width\r\n" + h + " dots in height\r\n" + colors + " colors\r\n";
}

std::string NoPictureOpenedText(bool japanese) {
    return japanese ? std::string("まだ画像ファイルを開いていません。\r\n") +
                          "まず「ファイル」メニューで画像ファイルを読み込んでください。\r\n"
                    : std::string("No Image file has been opened yet.\r\n") +
                          "Open an Image file first, using \"File\" menu.\r\n";
}

std::string ColorCountText(int bitCount) {
    if (bitCount >= 0 && bitCount < 64)
        return std::to_string(std::uint64_t{1} << bitCount);
    return "2^" + std::to_string(bitCount);
}

namespace {

struct FormatGroup {
    const char* name;
    std::vector<const char*> extensions;
};

// The formats beyond bitmaps and icons, in the order the filter names them.
const std::vector<FormatGroup>& OtherFormats() {
    static const std::vector<FormatGroup> groups{
        {"PNG", {"png"}},          {"JPEG", {"jpg", "jpeg", "jpe", "jfif"}},
        {"GIF", {"gif"}},          {"WebP", {"webp"}},
        {"TIFF", {"tif", "tiff"}}, {"PNM", {"pbm", "pgm", "ppm", "pnm"}},
        {"TGA", {"tga"}},          {"XPM", {"xpm"}},
        {"XBM", {"xbm"}},          {"WBMP", {"wbmp"}},
        {"ICNS", {"icns"}}};
    return groups;
}

// "*.a;*.b" of those of `extensions` that are readable.
std::string Patterns(const std::vector<const char*>& extensions,
                     const std::vector<std::string>& readable) {
    std::string patterns;
    for (const char* extension : extensions) {
        if (std::find(readable.begin(), readable.end(), extension) == readable.end())
            continue;
        if (!patterns.empty())
            patterns += ';';
        patterns += std::string("*.") + extension;
    }
    return patterns;
}

std::string Joined(const std::string& first, const std::string& second) {
    return first.empty() || second.empty() ? first + second : first + ";" + second;
}

} // namespace

std::string OpenDialogFilter(bool japanese, const std::vector<std::string>& readable) {
    // Our own reader always takes bitmaps.
    const std::string bitmaps = Joined("*.bmp", Patterns({"dib"}, readable));
    const std::string icons = Patterns({"ico"}, readable);
    std::string names;
    std::string others;
    for (const FormatGroup& group : OtherFormats()) {
        const std::string patterns = Patterns(group.extensions, readable);
        if (patterns.empty())
            continue;
        names += (names.empty() ? "" : ", ") + std::string(group.name);
        others = Joined(others, patterns);
    }
    const std::string pictures = Joined(Joined(bitmaps, others), icons);
    std::string filter = (japanese ? "画像ファイル (" : "Picture Files (") + pictures + ")|" +
                         pictures + (japanese ? "|ビットマップファイル (" : "|Bitmap Files (") +
                         bitmaps + ")|" + bitmaps;
    if (!others.empty())
        filter += "|" + names + " (" + others + ")|" + others;
    if (!icons.empty())
        filter += (japanese ? "|アイコンファイル (" : "|Icon Files (") + icons + ")|" + icons;
    return filter + (japanese ? "|すべてのファイル (*.*)|*.*" : "|All Files (*.*)|*.*");
}

std::string RecentFileMissingText(bool japanese, const std::string& fileName) {
    return japanese ? fileName + " は、\r\n" + "見つかりません。\r\n" +
                          "最近使ったファイルの一覧から外しました。\r\n"
                    : fileName + "\r\n" + " can't be found.\r\n" +
                          "It has been taken off the list of recent files.\r\n";
}

} // namespace slanter
