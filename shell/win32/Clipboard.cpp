#include "shell/win32/Clipboard.h"

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "bitmap/HandyBitmap.h"
#include "shell/win32/GdiObjects.h"
#include "shell/win32/WideText.h"

namespace slanter {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

ClipboardReader& CurrentReader() {
    static ClipboardReader reader;
    return reader;
}

ClipboardWriter& CurrentWriter() {
    static ClipboardWriter writer;
    return writer;
}

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

std::optional<PackedDib> SystemClipboardDib() {
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

void PutSystemClipboardDib(const PackedDib& dib) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, dib.size());
    if (memory == nullptr)
        return;
    std::memcpy(GlobalLock(memory), dib.data(), dib.size());
    GlobalUnlock(memory);
    const OpenedClipboard clipboard;
    if (!clipboard.IsOpen() || !EmptyClipboard() || SetClipboardData(CF_DIB, memory) == nullptr)
        GlobalFree(memory);
}

// The size of the info header and colour table: where the pixels begin.
std::size_t PixelOffset(const BITMAPINFOHEADER& header) {
    std::size_t colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8)
        colours = std::size_t{1} << header.biBitCount;
    std::size_t masks =
        header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS ? 3 : 0;
    return header.biSize + (colours + masks) * sizeof(RGBQUAD);
}

bool WriteBytes(const std::string& fileName, const unsigned char* head, std::size_t headSize,
                const PackedDib& dib) {
    std::ofstream file(std::filesystem::path(WideText(fileName)),
                       std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(head), static_cast<std::streamsize>(headSize));
    file.write(reinterpret_cast<const char*>(dib.data()), static_cast<std::streamsize>(dib.size()));
    return file.good();
}

// A palette picture our reader takes as it is.
bool SaveAsItIs(const PackedDib& dib, const BITMAPINFOHEADER& header, const std::string& fileName) {
    const std::size_t offset = PixelOffset(header);
    unsigned char head[kFileHeaderSize] = {'B', 'M'};
    const auto put32 = [&head](std::size_t at, std::uint32_t value) {
        for (int k = 0; k < 4; ++k)
            head[at + k] = static_cast<unsigned char>(value >> (8 * k));
    };
    put32(2, static_cast<std::uint32_t>(kFileHeaderSize + dib.size()));
    put32(10, static_cast<std::uint32_t>(kFileHeaderSize + offset));
    return WriteBytes(fileName, head, kFileHeaderSize, dib);
}

// Any other bitmap: drawn by the system into 24 bits, written by our writer.
bool SaveDrawn(const PackedDib& dib, const BITMAPINFOHEADER& header, const std::string& fileName) {
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
                      dib.data() + PixelOffset(header), info, DIB_RGB_COLORS, SRCCOPY);
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

std::optional<PackedDib> ClipboardDib() {
    if (const ClipboardReader& reader = CurrentReader())
        return reader();
    return SystemClipboardDib();
}

void PutClipboardDib(const PackedDib& dib) {
    if (const ClipboardWriter& writer = CurrentWriter())
        writer(dib);
    else
        PutSystemClipboardDib(dib);
}

ClipboardReader SetClipboardReader(ClipboardReader reader) {
    return std::exchange(CurrentReader(), std::move(reader));
}

ClipboardWriter SetClipboardWriter(ClipboardWriter writer) {
    return std::exchange(CurrentWriter(), std::move(writer));
}

bool SaveDibAsBmp(const PackedDib& dib, const std::string& fileName) {
    if (dib.size() < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof(header));
    if (header.biSize < sizeof(BITMAPINFOHEADER) || PixelOffset(header) > dib.size())
        return false;
    const bool asItIs = header.biSize == sizeof(BITMAPINFOHEADER) && header.biBitCount <= 8 &&
                        header.biCompression == BI_RGB && header.biHeight > 0;
    return asItIs ? SaveAsItIs(dib, header, fileName) : SaveDrawn(dib, header, fileName);
}

PackedDib DibOfBmpFile(const std::string& fileName) {
    std::ifstream file(std::filesystem::path(WideText(fileName)), std::ios::binary);
    PackedDib bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() <= kFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
        return {};
    return PackedDib(bytes.begin() + kFileHeaderSize, bytes.end());
}

} // namespace slanter
