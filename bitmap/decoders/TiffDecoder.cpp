#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include <tiffio.h>

#include "bitmap/HandyBitmap.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

// The most one block of libtiff may take: a strip or tile of the largest picture the
// record holds, never what a damaged header claims beyond it.
constexpr tmsize_t kMostBlockBytes = tmsize_t{1} << 30;
// Rows decoded at once into a block of colours.
constexpr std::uint32_t kRowsAtOnce = 256;

struct TiffWords {
    std::string error;
};

int KeepError(TIFF*, void* user, const char*, const char* format, va_list arguments) {
    auto* words = static_cast<TiffWords*>(user);
    if (words->error.empty()) {
        char text[512] = {};
        std::vsnprintf(text, sizeof text, format, arguments);
        words->error = text;
    }
    return 1;
}

// Warnings name tags the library does not know; the picture is whole.
int DropWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct OptionsFree {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
struct TiffClose {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

class RgbaImage {
  public:
    RgbaImage() = default;
    ~RgbaImage() {
        if (begun_)
            TIFFRGBAImageEnd(&image_);
    }
    RgbaImage(const RgbaImage&) = delete;
    RgbaImage& operator=(const RgbaImage&) = delete;

    bool Begin(TIFF* tiff, char* message) {
        begun_ = TIFFRGBAImageBegin(&image_, tiff, 1, message) != 0;
        return begun_;
    }
    TIFFRGBAImage image_{};

  private:
    bool begun_ = false;
};

// Indexed pictures and black and white ones the platform has always taken as 8 bits.
bool IndexedFile(TIFF* tiff) {
    std::uint16_t photometric = 0, bits = 0, samples = 1;
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    if (samples != 1)
        return false;
    return (photometric == PHOTOMETRIC_PALETTE && bits <= 8) ||
           ((photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE) &&
            bits == 1);
}

// The channels of a picture of 16-bit samples the canvas keeps as they are: grey (1), RGB
// (3) or RGB with straight opacity (4), interleaved in strips. 0 for any other, which
// goes the 8-bit way.
int DeepChannels(TIFF* tiff) {
    std::uint16_t photometric = 0, bits = 0, samples = 1, planar = PLANARCONFIG_CONTIG;
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    std::uint16_t extraCount = 0;
    std::uint16_t* extras = nullptr;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extras);
    if (bits != 16 || planar != PLANARCONFIG_CONTIG || TIFFIsTiled(tiff))
        return 0;
    if (photometric == PHOTOMETRIC_MINISBLACK && samples == 1)
        return 1;
    if (photometric != PHOTOMETRIC_RGB)
        return 0;
    if (samples == 3)
        return 3;
    const bool straight =
        extraCount == 1 && extras != nullptr && extras[0] == EXTRASAMPLE_UNASSALPHA;
    return samples == 4 && straight ? 4 : 0;
}

// Whether every strip or tile lies within the file: a file cut short is refused before a
// picture of the size it claims is made.
bool DataWithinFile(TIFF* tiff, std::uint64_t fileBytes) {
    const std::uint32_t parts =
        TIFFIsTiled(tiff) ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
    for (std::uint32_t k = 0; k < parts; ++k) {
        const std::uint64_t bytes = TIFFGetStrileByteCount(tiff, k);
        const std::uint64_t offset = TIFFGetStrileOffset(tiff, k);
        if (bytes != 0 && (offset > fileBytes || bytes > fileBytes - offset))
            return false;
    }
    return true;
}

std::string Decode(TIFF* tiff, TiffWords& words, THandyBitmap& picture, std::uint64_t fileBytes) {
    char message[1024] = {};
    RgbaImage rgba;
    if (!rgba.Begin(tiff, message))
        return words.error.empty() ? decoder_text::Unsupported(message) : std::string{};
    TIFFRGBAImage& image = rgba.image_;
    image.stoponerr = 1;
    // Rows as stored, top first: the turn the file records is the canvas's.
    const std::uint16_t orientation = image.orientation;
    image.req_orientation = orientation;
    if (fileBytes != 0 && !DataWithinFile(tiff, fileBytes))
        return decoder_text::CutShort();
    PictureCanvas canvas(picture, orientation);
    if (std::string refusal = canvas.Start(image.width, image.height); !refusal.empty())
        return refusal;
    std::uint32_t profileBytes = 0;
    void* profile = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &profileBytes, &profile) != 0 &&
        profile != nullptr) {
        const auto* bytes = static_cast<const std::uint8_t*>(profile);
        picture.Kept().KeepProfile(std::vector<std::uint8_t>(bytes, bytes + profileBytes));
    }
    // Sixteen-bit samples row by row as stored, in the machine's order (low byte first).
    if (const int channels = DeepChannels(tiff); channels != 0) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize64(tiff)));
        if (row.size() < std::size_t{image.width} * channels * 2)
            return decoder_text::Unsupported();
        for (std::uint32_t y = 0; y < image.height; ++y) {
            if (TIFFReadScanline(tiff, row.data(), y, 0) < 0 || !words.error.empty())
                return {};
            canvas.PutWideColors(static_cast<std::int32_t>(y), row.data(), channels);
        }
        return {};
    }
    const std::uint32_t width = image.width;
    const std::uint32_t rows = std::min(image.height, kRowsAtOnce);
    std::vector<std::uint32_t> block(std::size_t{width} * rows, 0);
    for (std::uint32_t top = 0; top < image.height; top += rows) {
        const std::uint32_t count = std::min(rows, image.height - top);
        image.row_offset = static_cast<int>(top);
        image.col_offset = 0;
        std::fill(block.begin(), block.end(), 0u);
        if (TIFFRGBAImageGet(&image, block.data(), width, count) == 0 || !words.error.empty())
            return {};
        // Each colour is red, green, blue and opacity in the bytes of a little-endian
        // number, premultiplied by the opacity.
        std::vector<std::uint8_t> row(std::size_t{width} * 4);
        for (std::uint32_t y = 0; y < count; ++y) {
            for (std::uint32_t x = 0; x < width; ++x) {
                const std::uint32_t color = block[std::size_t{y} * width + x];
                row[4 * x] = static_cast<std::uint8_t>(TIFFGetR(color));
                row[4 * x + 1] = static_cast<std::uint8_t>(TIFFGetG(color));
                row[4 * x + 2] = static_cast<std::uint8_t>(TIFFGetB(color));
                row[4 * x + 3] = static_cast<std::uint8_t>(TIFFGetA(color));
            }
            canvas.PutColors(static_cast<std::int32_t>(top + y), row.data(), 4, true);
        }
    }
    if (IndexedFile(tiff))
        canvas.MakeIndexedWhenFew();
    return {};
}

// The file opened by libtiff, its first directory read, its errors kept in `words`.
std::unique_ptr<TIFF, TiffClose> OpenTiff(const std::string& fileName, TiffWords& words) {
    const std::unique_ptr<TIFFOpenOptions, OptionsFree> options(TIFFOpenOptionsAlloc());
    if (!options) {
        words.error = "out of memory";
        return nullptr;
    }
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMostBlockBytes);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), KeepError, &words);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), DropWarning, nullptr);
    return std::unique_ptr<TIFF, TiffClose>(TIFFOpenExt(fileName.c_str(), "r", options.get()));
}

std::string Refusal(const TiffWords& words) {
    const std::string& detail = words.error;
    const bool cut = detail.find("Read error") != std::string::npos ||
                     detail.find("EOF") != std::string::npos ||
                     detail.find("short") != std::string::npos;
    return cut ? decoder_text::CutShort(detail) : decoder_text::Damaged(detail);
}

} // namespace

std::string TiffSize(const std::string& fileName, StoredSize& size) {
    TiffWords words;
    const std::unique_ptr<TIFF, TiffClose> tiff = OpenTiff(fileName, words);
    if (!tiff)
        return words.error.empty() ? decoder_text::CantOpen() : Refusal(words);
    std::uint32_t width = 0, height = 0;
    std::uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_ORIENTATION, &orientation);
    if (!words.error.empty())
        return Refusal(words);
    size = {width, height, orientation};
    return {};
}

std::string DecodeTiff(const std::string& fileName, THandyBitmap& picture) {
    TiffWords words;
    const std::unique_ptr<TIFF, TiffClose> tiff = OpenTiff(fileName, words);
    std::string refusal;
    if (tiff) {
        std::error_code error;
        const std::uintmax_t fileBytes = std::filesystem::file_size(fileName, error);
        refusal = Decode(tiff.get(), words, picture, error ? 0 : fileBytes);
    } else if (words.error.empty())
        return decoder_text::CantOpen();
    if (!words.error.empty())
        return Refusal(words);
    return refusal;
}

} // namespace slanter
