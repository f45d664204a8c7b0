// The platform's picture decoder on Windows: the Windows Imaging Component, which reads
// PNG, JPEG, GIF, TIFF, icons and the BMP files our own reader refuses.
#include "bitmap/PictureDecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <new>
#include <vector>

#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/IndexedColors.h"
#include "bitmap/win32/ComPointer.h"
#include "shell/WhiteBackground.h"

namespace slanter {

namespace {

// Rows copied out of the decoder at a time: the buffer stays small whatever the picture.
constexpr std::uint32_t kBandRows = 64;

// COM for the calls of one decoding, on a thread that may have it already.
class ComUse {
  public:
    ComUse() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComUse() {
        if (SUCCEEDED(result_))
            ::CoUninitialize();
    }
    ComUse(const ComUse&) = delete;
    ComUse& operator=(const ComUse&) = delete;
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

  private:
    HRESULT result_;
};

std::string Hex(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

// The reason for a failed call, in the words of our other decoder's texts where one fits.
std::string Reason(HRESULT result, const std::string& fileName) {
    switch (result) {
    case HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND):
    case HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND):
    case HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED):
    case HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION):
        return bitmap_text::kCantOpen + fileName;
    case E_OUTOFMEMORY:
        return bitmap_text::kOutOfMemory;
    case WINCODEC_ERR_COMPONENTNOTFOUND:
    case WINCODEC_ERR_UNKNOWNIMAGEFORMAT:
        return "unknown picture format";
    case WINCODEC_ERR_BADHEADER:
        return "the picture's header is damaged";
    case WINCODEC_ERR_BADIMAGE:
    case WINCODEC_ERR_FRAMEMISSING:
    case HRESULT_FROM_WIN32(ERROR_HANDLE_EOF):
        return "the picture's data is damaged or cut short";
    default:
        return "the picture cannot be decoded (error " + Hex(result) + ")";
    }
}

// The file, named as our own reader names it (bitmap/FileLayerWindows.cpp).
class FileHandle {
  public:
    explicit FileHandle(const std::string& fileName)
        : handle_(::CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Handle() const { return handle_; }

  private:
    HANDLE handle_;
};

// The size a PNG file's header claims, read before the file goes to WIC, whose PNG
// decoder takes the memory of all pixels as soon as it is asked for the first frame.
// False for other files and for PNG sizes a record holds.
bool PngTooLarge(HANDLE file) {
    BYTE head[24] = {};
    DWORD read = 0;
    const bool got = ::ReadFile(file, head, sizeof head, &read, nullptr) && read == sizeof head;
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    static constexpr BYTE kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!got || !std::equal(std::begin(kSignature), std::end(kSignature), head))
        return false;
    const auto big = [&](int at) {
        return std::uint32_t{head[at]} << 24 | head[at + 1] << 16 | head[at + 2] << 8 |
               head[at + 3];
    };
    return std::uint64_t{big(16)} * big(20) > std::uint64_t{THandyBitmap::kMaxPixels};
}

// WIC's colours are 0xAARRGGBB, ours 0x00BBGGRR.
std::int32_t OnWhite(std::uint32_t argb) {
    const int alpha = static_cast<int>(argb >> 24);
    return OverWhite(static_cast<int>(argb >> 16 & 255), alpha) |
           OverWhite(static_cast<int>(argb >> 8 & 255), alpha) << 8 |
           OverWhite(static_cast<int>(argb & 255), alpha) << 16;
}

// The bits a pixel of an indexed format takes; 0 for a format of colours. Grey levels of
// fewer than 8 bits count as indexed, with a palette of evenly spaced greys.
int IndexBits(const WICPixelFormatGUID& format) {
    if (format == GUID_WICPixelFormat1bppIndexed || format == GUID_WICPixelFormatBlackWhite)
        return 1;
    if (format == GUID_WICPixelFormat2bppIndexed || format == GUID_WICPixelFormat2bppGray)
        return 2;
    if (format == GUID_WICPixelFormat4bppIndexed || format == GUID_WICPixelFormat4bppGray)
        return 4;
    if (format == GUID_WICPixelFormat8bppIndexed)
        return 8;
    return 0;
}

bool IsGray(const WICPixelFormatGUID& format) {
    return format == GUID_WICPixelFormatBlackWhite || format == GUID_WICPixelFormat2bppGray ||
           format == GUID_WICPixelFormat4bppGray;
}

// The palette of an indexed frame as WIC colours; nothing when the frame has none.
HRESULT FramePalette(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, bool gray, int bits,
                     std::vector<WICColor>& colors) {
    if (gray) {
        const int count = 1 << bits;
        for (int k = 0; k < count; ++k) {
            const auto level = static_cast<WICColor>(k * 255 / (count - 1));
            colors.push_back(0xFF000000u | level << 16 | level << 8 | level);
        }
        return S_OK;
    }
    ComPointer<IWICPalette> palette;
    HRESULT result = factory->CreatePalette(palette.Receive());
    if (SUCCEEDED(result))
        result = frame->CopyPalette(palette.Get());
    UINT count = 0;
    if (SUCCEEDED(result))
        result = palette->GetColorCount(&count);
    if (FAILED(result))
        return result;
    if (count == 0 || count > 256)
        return WINCODEC_ERR_BADIMAGE;
    colors.assign(count, 0);
    UINT got = 0;
    result = palette->GetColors(count, colors.data(), &got);
    colors.resize(std::min(got, count));
    return result;
}

// Hands the source's rows, top row first, a band at a time to `take(rowBytes, row, y)`
// with y the record's row (bottom up).
template <typename Take>
HRESULT EachRow(IWICBitmapSource* source, std::uint32_t width, std::uint32_t height, int bits,
                Take take) {
    const std::uint64_t stride64 = (std::uint64_t{width} * bits + 31) / 32 * 4;
    if (stride64 * kBandRows > UINT32_MAX)
        return E_OUTOFMEMORY;
    const auto stride = static_cast<std::uint32_t>(stride64);
    std::vector<BYTE> band;
    try {
        band.assign(std::size_t{stride} * std::min(kBandRows, height), 0);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    for (std::uint32_t top = 0; top < height; top += kBandRows) {
        const std::uint32_t rows = std::min(kBandRows, height - top);
        const WICRect rect{0, static_cast<INT>(top), static_cast<INT>(width),
                           static_cast<INT>(rows)};
        const HRESULT copied = source->CopyPixels(&rect, stride, stride * rows, band.data());
        if (FAILED(copied))
            return copied;
        for (std::uint32_t k = 0; k < rows; ++k)
            take(band.data() + std::size_t{stride} * k,
                 static_cast<std::int32_t>(height - 1 - (top + k)));
    }
    return S_OK;
}

bool HasPalette(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame) {
    ComPointer<IWICPalette> palette;
    UINT count = 0;
    return SUCCEEDED(factory->CreatePalette(palette.Receive())) &&
           SUCCEEDED(frame->CopyPalette(palette.Get())) &&
           SUCCEEDED(palette->GetColorCount(&count)) && count > 0 && count <= 256;
}

HRESULT DecodeIndexed(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame,
                      const WICPixelFormatGUID& format, std::uint32_t width, std::uint32_t height,
                      THandyBitmap& picture) {
    const int bits = IndexBits(format);
    std::vector<WICColor> colors;
    const HRESULT result = FramePalette(factory, frame, IsGray(format), bits, colors);
    if (FAILED(result))
        return result;
    const auto got = static_cast<std::uint32_t>(colors.size());
    picture.NewImage(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), 8);
    picture.SetPaletteCount(static_cast<std::int32_t>(got));
    if (picture.biWidth() != std::int32_t(width) || picture.biHeight() != std::int32_t(height) ||
        picture.PaletteCount() != std::int32_t(got))
        return E_OUTOFMEMORY;
    for (UINT k = 0; k < got; ++k)
        picture.SetPaletteColor(static_cast<std::int32_t>(k), OnWhite(colors[k]));
    // Indices are packed from the high bits of each byte; one past the palette (a damaged
    // file) keeps the first colour.
    const int mask = (1 << bits) - 1;
    return EachRow(frame, width, height, bits, [&](const BYTE* row, std::int32_t y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint64_t bit = std::uint64_t{x} * bits;
            const int index = row[bit / 8] >> (8 - bits - bit % 8) & mask;
            picture.SetPixelIndex(static_cast<std::int32_t>(x), y, index);
        }
    });
}

// A 16-bit channel to the nearest 8-bit one (WIC's own conversion cuts the low byte off).
int NearestEightBits(int channel) {
    return (channel * 255 + 32767) / 65535;
}

// The formats of 16-bit channels taken as they are stored: their channels in the order
// of the stored words (grey, RGB or RGBA), and how many of them a pixel has.
int WideChannels(const WICPixelFormatGUID& format) {
    if (format == GUID_WICPixelFormat16bppGray)
        return 1;
    if (format == GUID_WICPixelFormat48bppRGB)
        return 3;
    if (format == GUID_WICPixelFormat64bppRGBA)
        return 4;
    return 0;
}

HRESULT DecodeWideChannels(IWICBitmapFrameDecode* frame, int channels, std::uint32_t width,
                           std::uint32_t height, THandyBitmap& picture) {
    picture.NewImage(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), 24);
    picture.SetPaletteCount(0);
    if (picture.biWidth() != std::int32_t(width) || picture.biHeight() != std::int32_t(height))
        return E_OUTOFMEMORY;
    return EachRow(frame, width, height, 16 * channels, [&](const BYTE* row, std::int32_t y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            int level[4] = {0, 0, 0, 255};
            for (int c = 0; c < channels; ++c) {
                const BYTE* word = row + (std::size_t{x} * channels + c) * 2;
                level[c] = NearestEightBits(word[0] | word[1] << 8);
            }
            if (channels == 1)
                level[1] = level[2] = level[0];
            const std::uint32_t argb =
                std::uint32_t(level[3]) << 24 | level[0] << 16 | level[1] << 8 | level[2];
            picture.SetPixelColor(static_cast<std::int32_t>(x), y, OnWhite(argb));
        }
    });
}

HRESULT DecodeColors(IWICBitmapFrameDecode* frame, std::uint32_t width, std::uint32_t height,
                     THandyBitmap& picture) {
    // Not premultiplied, so that the opacity is laid over white once, by our rule.
    ComPointer<IWICBitmapSource> colors;
    const HRESULT result =
        ::WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, colors.Receive());
    if (FAILED(result))
        return result;
    picture.NewImage(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), 24);
    picture.SetPaletteCount(0);
    if (picture.biWidth() != std::int32_t(width) || picture.biHeight() != std::int32_t(height))
        return E_OUTOFMEMORY;
    return EachRow(colors.Get(), width, height, 32, [&](const BYTE* row, std::int32_t y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const BYTE* pixel = row + std::size_t{x} * 4;
            const std::uint32_t argb =
                std::uint32_t{pixel[3]} << 24 | pixel[2] << 16 | pixel[1] << 8 | pixel[0];
            picture.SetPixelColor(static_cast<std::int32_t>(x), y, OnWhite(argb));
        }
    });
}

} // namespace

std::string DecodePictureFile(const std::string& fileName, THandyBitmap& picture) {
    const ComUse com;
    if (!com.Usable())
        return "the Windows Imaging Component cannot be started";
    ComPointer<IWICImagingFactory> factory;
    HRESULT result =
        ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Receive()));
    if (FAILED(result))
        return "the Windows Imaging Component cannot be started (error " + Hex(result) + ")";
    const FileHandle file(fileName);
    if (!file.IsOpen())
        return bitmap_text::kCantOpen + fileName;
    if (PngTooLarge(file.Handle()))
        return bitmap_text::kTooLarge;
    ComPointer<IWICBitmapDecoder> decoder;
    result =
        factory->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file.Handle()), nullptr,
                                             WICDecodeMetadataCacheOnDemand, decoder.Receive());
    ComPointer<IWICBitmapFrameDecode> frame;
    if (SUCCEEDED(result))
        result = decoder->GetFrame(0, frame.Receive());
    UINT width = 0;
    UINT height = 0;
    if (SUCCEEDED(result))
        result = frame->GetSize(&width, &height);
    WICPixelFormatGUID format{};
    if (SUCCEEDED(result))
        result = frame->GetPixelFormat(&format);
    if (FAILED(result))
        return Reason(result, fileName);
    // Refused before its pixels are decoded: a size no record holds.
    if (width == 0 || height == 0)
        return Reason(WINCODEC_ERR_BADIMAGE, fileName);
    if (std::uint64_t{width} * height > std::uint64_t{THandyBitmap::kMaxPixels})
        return bitmap_text::kTooLarge;
    if (IndexBits(format) != 0)
        result = DecodeIndexed(factory.Get(), frame.Get(), format, width, height, picture);
    else if (WideChannels(format) != 0)
        result = DecodeWideChannels(frame.Get(), WideChannels(format), width, height, picture);
    else
        result = DecodeColors(frame.Get(), width, height, picture);
    // A file of palette indices that WIC gives as colours (a compressed BMP file) keeps
    // 8 bits when its colours fit a palette.
    if (SUCCEEDED(result) && picture.PaletteCount() == 0 && HasPalette(factory.Get(), frame.Get()))
        MakeIndexed(picture);
    if (FAILED(result)) {
        picture.NewImage(0, 0, 24);
        return Reason(result, fileName);
    }
    return {};
}

std::string DecodedPictureSize(const std::string& fileName, std::int32_t& width,
                               std::int32_t& height) {
    THandyBitmap picture;
    if (std::string reason = DecodePictureFile(fileName, picture); !reason.empty())
        return reason;
    width = picture.biWidth();
    height = picture.biHeight();
    return {};
}

std::vector<std::string> DecodedExtensions() {
    return {"bmp", "dib", "png", "jpg", "jpeg", "jpe", "jfif", "gif", "tif", "tiff", "ico"};
}

bool DecodesOtherFormats() {
    return true;
}

} // namespace slanter
