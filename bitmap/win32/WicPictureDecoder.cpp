// The platform's picture decoder on Windows: our own decoders for BMP, Netpbm, TGA, WBMP,
// XBM and XPM files, as on the other platform, and the Windows Imaging Component for PNG,
// JPEG, GIF, TIFF and icons, turned as their EXIF orientation says.
#include "bitmap/PictureDecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>
#include <utility>
#include <vector>

#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/WideName.h"
#include "bitmap/decoders/ClassicTiff.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FileStructure.h"
#include "bitmap/decoders/GuardedDecoding.h"
#include "bitmap/decoders/OwnReaders.h"
#include "bitmap/decoders/PictureCanvas.h"
#include "bitmap/decoders/PictureFormat.h"
#include "bitmap/decoders/PngHeaderSize.h"
#include "bitmap/decoders/RecordedOrientation.h"
#include "bitmap/decoders/StructureRefusal.h"
#include "bitmap/win32/ComPointer.h"

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

// The formats of the files WIC is asked to decode.
bool WicFormat(PictureFormat format) {
    return format == PictureFormat::Png || format == PictureFormat::Jpeg ||
           format == PictureFormat::Gif || format == PictureFormat::Tiff ||
           format == PictureFormat::Ico;
}

// The reason for a failed call, in our other decoders' words and the run's language.
std::string Reason(HRESULT result, const std::string& fileName) {
    switch (result) {
    case HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND):
    case HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND):
    case HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED):
    case HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION):
        return bitmap_text::kCantOpen + fileName;
    case E_OUTOFMEMORY:
    case HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY):
        return bitmap_text::kOutOfMemory;
    case WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT:
    case WINCODEC_ERR_UNSUPPORTEDOPERATION:
        return decoder_text::Unsupported();
    default:
        break;
    }
    // WIC's other errors (an unknown format, a bad header, a failure of no name, an empty
    // file's) come from the file's bytes.
    return RefusalFromFile(fileName, result == HRESULT_FROM_WIN32(ERROR_HANDLE_EOF), WicFormat);
}

// The file, by its UTF-8 name, held for WIC.
class SharedFile {
  public:
    explicit SharedFile(const std::string& fileName)
        : handle_(::CreateFileW(WideName(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~SharedFile() {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_);
    }
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Handle() const { return handle_; }

  private:
    HANDLE handle_;
};

// WIC's colours are 0xAARRGGBB; the canvas takes red low, opacity high.
std::uint32_t CanvasColor(WICColor argb) {
    return Rgba(static_cast<int>(argb >> 16 & 255), static_cast<int>(argb >> 8 & 255),
                static_cast<int>(argb & 255), static_cast<int>(argb >> 24));
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
    return format == GUID_WICPixelFormat8bppIndexed ? 8 : 0;
}

bool IsGray(const WICPixelFormatGUID& format) {
    return format == GUID_WICPixelFormatBlackWhite || format == GUID_WICPixelFormat2bppGray ||
           format == GUID_WICPixelFormat4bppGray;
}

// The palette of an indexed frame as WIC colours; nothing when the frame has none.
HRESULT FramePalette(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame,
                     std::vector<WICColor>& colors) {
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

// Hands the source's rows, top row first, a band at a time to `take(rowBytes, y)` with y
// the stored row.
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
            take(band.data() + std::size_t{stride} * k, static_cast<std::int32_t>(top + k));
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

// The canvas's reason for refusing a record: what it stands for in WIC's terms.
HRESULT Started(const std::string& refusal) {
    if (refusal.empty())
        return S_OK;
    return refusal == bitmap_text::kOutOfMemory ? E_OUTOFMEMORY : WINCODEC_ERR_BADIMAGE;
}

HRESULT DecodeIndexed(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame,
                      const WICPixelFormatGUID& format, std::uint32_t width, std::uint32_t height,
                      PictureCanvas& canvas) {
    const int bits = IndexBits(format);
    std::vector<std::uint32_t> palette;
    if (IsGray(format)) {
        palette = EvenGreys(bits);
    } else {
        std::vector<WICColor> colors;
        if (const HRESULT result = FramePalette(factory, frame, colors); FAILED(result))
            return result;
        for (const WICColor color : colors)
            palette.push_back(CanvasColor(color));
    }
    if (const HRESULT result = Started(canvas.Start(width, height, palette)); FAILED(result))
        return result;
    return EachRow(frame, width, height, bits,
                   [&](const BYTE* row, std::int32_t y) { canvas.PutPackedIndices(y, row, bits); });
}

// The formats of 16-bit channels taken as they are stored: their channels in the order
// of the stored words (grey, RGB or RGBA), and how many of them a pixel has.
int WideChannels(const WICPixelFormatGUID& format) {
    if (format == GUID_WICPixelFormat16bppGray)
        return 1;
    if (format == GUID_WICPixelFormat48bppRGB)
        return 3;
    return format == GUID_WICPixelFormat64bppRGBA ? 4 : 0;
}

// WIC's own conversion of 16-bit channels cuts the low byte off: they are rounded here.
HRESULT DecodeWideChannels(IWICBitmapFrameDecode* frame, int channels, std::uint32_t width,
                           std::uint32_t height, PictureCanvas& canvas) {
    if (const HRESULT result = Started(canvas.Start(width, height)); FAILED(result))
        return result;
    return EachRow(frame, width, height, 16 * channels, [&](const BYTE* row, std::int32_t y) {
        canvas.PutWideColors(y, row, channels);
    });
}

HRESULT DecodeColors(IWICBitmapFrameDecode* frame, std::uint32_t width, std::uint32_t height,
                     PictureCanvas& canvas) {
    // Not premultiplied, so that the opacity is laid over white once, by our rule.
    ComPointer<IWICBitmapSource> colors;
    HRESULT result =
        ::WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, colors.Receive());
    if (FAILED(result))
        return result;
    if (result = Started(canvas.Start(width, height)); FAILED(result))
        return result;
    return EachRow(colors.Get(), width, height, 32,
                   [&](const BYTE* row, std::int32_t y) { canvas.PutBgraColors(y, row); });
}

// The frame's embedded colour profile, kept with the picture. A frame without one, or a
// decoder that cannot say, keeps none; a profile WIC gives that is malformed is dropped.
void KeepFrameProfile(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, KeptLayer& kept) {
    ComPointer<IWICColorContext> context;
    if (FAILED(factory->CreateColorContext(context.Receive())))
        return;
    IWICColorContext* contexts[1] = {context.Get()};
    UINT count = 0;
    WICColorContextType type = WICColorContextUninitialized;
    UINT length = 0;
    if (FAILED(frame->GetColorContexts(1, contexts, &count)) || count == 0 ||
        FAILED(context->GetType(&type)) || type != WICColorContextProfile ||
        FAILED(context->GetProfileBytes(0, nullptr, &length)) || length == 0)
        return;
    std::vector<std::uint8_t> bytes(length);
    if (SUCCEEDED(context->GetProfileBytes(length, bytes.data(), &length)) &&
        length == bytes.size())
        kept.KeepProfile(std::move(bytes));
}

// WIC's decoder of the file, its first frame, and the frame's stored size and pixel format.
struct WicFrame {
    ComPointer<IWICImagingFactory> factory;
    ComPointer<IWICBitmapDecoder> decoder;
    ComPointer<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;
    WICPixelFormatGUID format{};
};

// Opens the frame without decoding its pixels; the reason for a refusal, empty on success.
std::string OpenFrame(const std::string& fileName, const SharedFile& file, WicFrame& wic) {
    HRESULT result =
        ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, reinterpret_cast<void**>(wic.factory.Receive()));
    if (FAILED(result))
        return "the Windows Imaging Component cannot be started (error " + Hex(result) + ")";
    if (!file.IsOpen())
        return bitmap_text::kCantOpen + fileName;
    if (PngHeaderTooLarge(fileName))
        return bitmap_text::kTooLarge;
    result = wic.factory->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file.Handle()),
                                                      nullptr, WICDecodeMetadataCacheOnDemand,
                                                      wic.decoder.Receive());
    if (SUCCEEDED(result))
        result = wic.decoder->GetFrame(0, wic.frame.Receive());
    if (SUCCEEDED(result))
        result = wic.frame->GetSize(&wic.width, &wic.height);
    if (SUCCEEDED(result))
        result = wic.frame->GetPixelFormat(&wic.format);
    if (FAILED(result))
        return Reason(result, fileName);
    // Refused before its pixels are decoded: a size no record holds.
    if (wic.width == 0 || wic.height == 0)
        return Reason(WINCODEC_ERR_BADIMAGE, fileName);
    if (std::uint64_t{wic.width} * wic.height > std::uint64_t{THandyBitmap::kMaxPixels})
        return bitmap_text::kTooLarge;
    return {};
}

std::string DecodeThroughWic(const std::string& fileName, THandyBitmap& picture) {
    const ComUse com;
    if (!com.Usable())
        return "the Windows Imaging Component cannot be started";
    const SharedFile file(fileName);
    WicFrame wic;
    // Before WIC is asked for the frame, which takes the memory of all its pixels: WIC
    // would make a picture of a cut or damaged file.
    if (std::string refusal = StructureRefusal(fileName); !refusal.empty())
        return refusal;
    if (std::string refusal = OpenFrame(fileName, file, wic); !refusal.empty())
        return refusal;
    PictureCanvas canvas(picture, RecordedOrientation(fileName));
    HRESULT result;
    if (IndexBits(wic.format) != 0)
        result = DecodeIndexed(wic.factory.Get(), wic.frame.Get(), wic.format, wic.width,
                               wic.height, canvas);
    else if (WideChannels(wic.format) != 0)
        result = DecodeWideChannels(wic.frame.Get(), WideChannels(wic.format), wic.width,
                                    wic.height, canvas);
    else
        result = DecodeColors(wic.frame.Get(), wic.width, wic.height, canvas);
    // A file of palette indices that WIC gives as colours keeps 8 bits when its colours
    // fit a palette.
    if (SUCCEEDED(result) && picture.PaletteCount() == 0 &&
        HasPalette(wic.factory.Get(), wic.frame.Get()))
        canvas.MakeIndexedWhenFew();
    if (FAILED(result))
        return Reason(result, fileName);
    KeepFrameProfile(wic.factory.Get(), wic.frame.Get(), picture.Kept());
    return {};
}

} // namespace

std::string DecodePictureFile(const std::string& fileName, THandyBitmap& picture) {
    return GuardedDecoding(picture, [&] {
        if (const OwnReader* own = OwnReaderOf(fileName))
            return own->decode(fileName, picture);
        const ClassicTiffFile tiff(fileName); // WIC reads no BigTIFF
        return tiff.Refusal().empty() ? DecodeThroughWic(tiff.Path(), picture) : tiff.Refusal();
    });
}

std::string DecodedPictureSize(const std::string& fileName, std::int32_t& width,
                               std::int32_t& height) {
    StoredSize size;
    const OwnReader* own = nullptr;
    const std::string refusal = RefusalOf([&] {
        own = OwnReaderOf(fileName);
        return own != nullptr ? own->size(fileName, size) : std::string();
    });
    if (!refusal.empty())
        return refusal;
    if (own != nullptr)
        return DecodedSizeOf(size, width, height);
    const ComUse com;
    if (!com.Usable())
        return "the Windows Imaging Component cannot be started";
    const ClassicTiffFile tiff(fileName); // WIC reads no BigTIFF
    const SharedFile file(tiff.Path());
    WicFrame wic;
    const std::string reason =
        tiff.Refusal().empty() ? OpenFrame(tiff.Path(), file, wic) : tiff.Refusal();
    if (!reason.empty())
        return reason;
    return DecodedSizeOf({wic.width, wic.height, RecordedOrientation(fileName)}, width, height);
}

std::vector<std::string> DecodedExtensions() {
    return {"bmp", "dib", "png", "jpg", "jpeg", "jpe", "jfif", "gif", "tif", "tiff",
            "ico", "pbm", "pgm", "ppm", "pnm",  "tga", "xpm",  "xbm", "wbmp"};
}

bool DecodesOtherFormats() {
    return true;
}

} // namespace slanter
