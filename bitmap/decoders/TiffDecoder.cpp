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

// The most bytes of rows one stored byte gives: none, PackBits' runs of 128 bytes in two,
// an LZW code of at least 9 bits for at most 4096 bytes, deflate's 1032, a JPEG's bit for
// each 8 x 8 block. The others (fax codes, LZMA, Zstandard ...) are held to the largest
// of theirs that an honest file reaches, a Zstandard block of one repeated byte.
std::uint64_t MostExpansion(std::uint16_t compression) {
    switch (compression) {
    case COMPRESSION_NONE:
        return 1;
    case COMPRESSION_PACKBITS:
        return 64;
    case COMPRESSION_LZW:
        return 4096 * 8 / 9 + 1;
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
        return 1032;
    case COMPRESSION_JPEG:
        return 512;
    default:
        return 32768;
    }
}

// Whether the strips or tiles hold bytes enough for the rows the header claims, at their
// compression's greatest expansion; a small picture always may.
bool DataCanHoldRows(TIFF* tiff) {
    std::uint16_t compression = COMPRESSION_NONE, planar = PLANARCONFIG_CONTIG, samples = 1;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    const std::uint64_t most = MostExpansion(compression);
    const bool tiled = TIFFIsTiled(tiff);
    const std::uint32_t parts = tiled ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
    long double stored = 0;
    for (std::uint32_t k = 0; k < parts; ++k)
        stored += static_cast<long double>(TIFFGetStrileByteCount(tiff, k));
    std::uint32_t height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    const long double planes = planar == PLANARCONFIG_SEPARATE ? samples : 1;
    const long double rows =
        tiled ? static_cast<long double>(TIFFTileSize64(tiff)) * parts
              : static_cast<long double>(TIFFScanlineSize64(tiff)) * height * planes;
    constexpr long double kAlwaysFits = 1 << 20;
    return rows <= stored * static_cast<long double>(most) + kAlwaysFits;
}

// Whether the rows can be read one after another and turned into colours by the
// library's own routine: each strip is then decoded once, however many rows it holds,
// where asking for a block of rows decodes its strip again from the start.
bool ReadsByRows(TIFF* tiff, const TIFFRGBAImage& image) {
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    // Subsampled colours come in blocks of rows, and old JPEG data as its library gives it.
    return !TIFFIsTiled(tiff) && image.isContig && image.put.contig != nullptr &&
           image.photometric != PHOTOMETRIC_YCBCR && compression != COMPRESSION_OJPEG &&
           compression != COMPRESSION_JPEG && TIFFScanlineSize64(tiff) > 0;
}

// Rows of colours as the library gives them, red, green, blue and opacity in the bytes
// of a little-endian number, premultiplied by the opacity, into the canvas from row `top`.
void PutBlock(const std::vector<std::uint32_t>& block, std::uint32_t top, std::uint32_t count,
              std::uint32_t width, PictureCanvas& canvas) {
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
    if ((fileBytes != 0 && !DataWithinFile(tiff, fileBytes)) || !DataCanHoldRows(tiff))
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
    const bool byRows = ReadsByRows(tiff, image);
    const std::uint32_t rows = byRows ? 1 : std::min(image.height, kRowsAtOnce);
    std::vector<std::uint32_t> block(std::size_t{width} * rows, 0);
    std::vector<std::uint8_t> stored(byRows ? static_cast<std::size_t>(TIFFScanlineSize64(tiff))
                                            : 0);
    for (std::uint32_t top = 0; top < image.height; top += rows) {
        const std::uint32_t count = std::min(rows, image.height - top);
        std::fill(block.begin(), block.end(), 0u);
        if (byRows) {
            if (TIFFReadScanline(tiff, stored.data(), top, 0) < 0 || !words.error.empty())
                return {};
            image.put.contig(&image, block.data(), 0, top, width, 1, 0, 0, stored.data());
        } else {
            image.row_offset = static_cast<int>(top);
            image.col_offset = 0;
            if (TIFFRGBAImageGet(&image, block.data(), width, count) == 0 || !words.error.empty())
                return {};
        }
        PutBlock(block, top, count, width, canvas);
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
