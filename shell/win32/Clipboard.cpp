#include "shell/win32/Clipboard.h"

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "bitmap/HandyBitmap.h"
#include "shell/win32/GdiObjects.h"
#include "shell/win32/WideText.h"

namespace slanter {

namespace {

// Opens the clipboard for a scope.
class OpenedClipboard {
  public:
    OpenedClipboard() : open_(OpenClipboard(nullptr) != FALSE) {}
    ~OpenedClipboard() {
        if (open_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

  private:
    bool open_;
};

} // namespace

std::optional<PackedDib> ClipboardDib() {
    const OpenedClipboard clipboard;
    if (!clipboard.IsOpen())
        return std::nullopt;
    HANDLE data = GetClipboardData(CF_DIB);
    if (data == nullptr)
        return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(data));
    if (bytes == nullptr)
        return std::nullopt;
    PackedDib dib(bytes, bytes + GlobalSize(data));
    GlobalUnlock(data);
    return dib;
}

namespace {

// A moveable block holding the bytes, for SetClipboardData; null without memory.
HGLOBAL GlobalCopy(const PackedDib& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (memory == nullptr)
        return nullptr;
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    return memory;
}

// Hands the block to the clipboard, or frees it when the clipboard refuses it.
void Offer(UINT format, HGLOBAL memory) {
    if (memory != nullptr && SetClipboardData(format, memory) == nullptr)
        GlobalFree(memory);
}

} // namespace

void PutClipboardDibs(const PackedDib& dib, const PackedDib& dibV5) {
    HGLOBAL plain = GlobalCopy(dib);
    if (plain == nullptr)
        return;
    HGLOBAL withOpacity = dibV5.empty() ? nullptr : GlobalCopy(dibV5);
    const OpenedClipboard clipboard;
    if (!clipboard.IsOpen() || !EmptyClipboard()) {
        GlobalFree(plain);
        if (withOpacity != nullptr)
            GlobalFree(withOpacity);
        return;
    }
    Offer(CF_DIB, plain);
    Offer(CF_DIBV5, withOpacity);
}

namespace {

bool WriteBytes(const std::string& fileName, const std::vector<unsigned char>& bytes) {
    std::ofstream file(std::filesystem::path(WideText(fileName)),
                       std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return file.good();
}

// Any other bitmap: drawn by the system into 24 bits, written by our writer.
bool SaveDrawn(const PackedDib& dib, const TBmpInfoHeader& header, const std::string& fileName) {
    const LONG width = header.biWidth;
    const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (width <= 0 || height <= 0 || std::int64_t{width} * height > THandyBitmap::kMaxPixels)
        return false;
    BITMAPINFO target{};
    target.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    GdiObject<HBITMAP> section(
        CreateDIBSection(screen, &target, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (section.Get() == nullptr) {
        ReleaseDC(nullptr, screen);
        return false;
    }
    {
        MemoryDc memory(screen);
        const SelectedObject selected(memory.Get(), section.Get());
        // Transparent pixels show over white, as the main window shows them.
        PatBlt(memory.Get(), 0, 0, width, height, WHITENESS);
        const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
        StretchDIBits(memory.Get(), 0, 0, width, height, 0, 0, width, height,
                      dib.data() + DibPixelOffset(header), info, DIB_RGB_COLORS, SRCCOPY);
        GdiFlush();
    }
    ReleaseDC(nullptr, screen);
    THandyBitmap picture;
    picture.NewImage(width, height, 24);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            picture.SetPixelColor(x, height - 1 - y,
                                  THandyBitmap::SwapRedBlue(static_cast<std::int32_t>(
                                      pixels[static_cast<std::size_t>(y) * width + x])));
    return picture.SaveToFile(fileName);
}

} // namespace

bool SaveDibAsBmp(const PackedDib& dib, const std::string& fileName) {
    TBmpInfoHeader header;
    if (!ReadDibHeader(dib, header) || header.biSize < kInfoHeaderBytes ||
        DibPixelOffset(header) > dib.size())
        return false;
    return DibReadAsItIs(header) ? WriteBytes(fileName, BmpFileOfDib(dib))
                                 : SaveDrawn(dib, header, fileName);
}

PackedDib DibOfBmpFileNamed(const std::string& fileName) {
    std::ifstream file(std::filesystem::path(WideText(fileName)), std::ios::binary);
    return DibOfBmpFile(std::vector<unsigned char>((std::istreambuf_iterator<char>(file)),
                                                   std::istreambuf_iterator<char>()));
}

} // namespace slanter
