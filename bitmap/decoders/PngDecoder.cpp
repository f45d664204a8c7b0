#include <csetjmp>
#include <cstdint>
#include <vector>

#include <png.h>

#include "bitmap/ErrorTexts.h"
#include "bitmap/ExifOrientation.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FileStructure.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

// No chunk the picture does not need is kept; those libpng keeps (the palette, eXIf) are
// small, so a chunk claiming more is damage.
constexpr png_alloc_size_t kMostChunkBytes = 1 << 20;
constexpr png_uint_32 kMostAncillaryChunks = 1000;
constexpr std::uint64_t kMostDeflateRatio = 1100;

struct PngFailure {
    std::string detail;
    bool profileRefused = false; // libpng found the colour profile malformed
};

[[noreturn]] void PngError(png_structp png, png_const_charp message) {
    static_cast<PngFailure*>(png_get_error_ptr(png))->detail = message;
    png_longjmp(png, 1);
}

// Warnings about ancillary chunks (a colour profile, a text) leave the picture whole; a
// profile libpng refuses is noted, so that its dropping is said.
void PngWarning(png_structp png, png_const_charp message) {
    const std::string text = message;
    if (text.find("iCCP") != std::string::npos || text.find("profile") != std::string::npos)
        static_cast<PngFailure*>(png_get_error_ptr(png))->profileRefused = true;
}

class PngReader {
  public:
    PngReader() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &failure_, PngError, PngWarning);
        if (png_ != nullptr)
            info_ = png_create_info_struct(png_);
    }
    ~PngReader() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    bool Made() const { return info_ != nullptr; }
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    PngFailure failure_;
};

// Texts and suggested palettes are never read into memory; the colour profile is kept.
void SkipMetadata(png_structp png) {
    static const png_byte skipped[] = "iTXt\0sPLT\0tEXt\0zTXt\0";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, skipped, 4);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_chunk_malloc_max(png, kMostChunkBytes);
    png_set_chunk_cache_max(png, kMostAncillaryChunks);
}

int Orientation(png_structp png, png_infop info) {
    png_uint_32 size = 0;
    png_bytep exif = nullptr;
    if (png_get_eXIf_1(png, info, &size, &exif) == 0 || exif == nullptr)
        return 1;
    return ExifOrientation(exif, size);
}

// The palette of a picture the program takes as indexed: a palette file's own, with the
// opacities of its tRNS chunk, or the grey levels of a grey picture of 1 to 8 bits (the
// tRNS grey transparent), as the platform has always read them. Empty for a colour picture.
std::vector<std::uint32_t> IndexedPalette(png_structp png, png_infop info) {
    const int type = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    png_color_16p transparent = nullptr;
    const bool trns = png_get_tRNS(png, info, &alphas, &alphaCount, &transparent) != 0;
    std::vector<std::uint32_t> palette;
    if (type == PNG_COLOR_TYPE_PALETTE) {
        png_colorp colors = nullptr;
        int count = 0;
        if (png_get_PLTE(png, info, &colors, &count) == 0)
            return palette;
        for (int k = 0; k < count; ++k)
            palette.push_back(Rgba(colors[k].red, colors[k].green, colors[k].blue,
                                   trns && k < alphaCount ? alphas[k] : 255));
    } else if (type == PNG_COLOR_TYPE_GRAY && (depth < 8 || (depth == 8 && trns))) {
        const int count = 1 << depth;
        for (int k = 0; k < count; ++k) {
            const int level = k * 255 / (count - 1);
            const bool clear = trns && transparent != nullptr && transparent->gray == k;
            palette.push_back(Rgba(level, level, level, clear ? 0 : 255));
        }
    }
    return palette;
}

// The embedded colour profile, as libpng has checked and inflated it.
void KeepProfile(png_structp png, png_infop info, bool refused, KeptLayer& kept) {
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (png_get_iCCP(png, info, &name, &compression, &profile, &length) != 0 && profile != nullptr)
        kept.KeepProfile(std::vector<std::uint8_t>(profile, profile + length));
    else if (refused)
        kept.MarkProfileDropped();
}

// Runs libpng calls under its error jump. The frames the jump skips (the call and
// libpng's own) hold no objects with destructors.
template <typename Call>
bool Guarded(png_structp png, Call&& call) {
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    call();
    return true;
}

// The chunks before the pixels: the header, the palette, and eXIf where the writer put
// it there.
bool ReadHeaders(png_structp png, png_infop info, std::FILE* file) {
    return Guarded(png, [&] {
        png_init_io(png, file);
        SkipMetadata(png);
        png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
        png_read_info(png, info);
    });
}

std::string Decode(PngReader& reader, std::FILE* file, long start, THandyBitmap& picture) {
    png_structp png = reader.png_;
    png_infop info = reader.info_;
    if (!ReadHeaders(png, info, file))
        return {};
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int depth = png_get_bit_depth(png, info);
    // Deflate packs at most 1032 bytes into one: a file too short for the rows it claims
    // is refused before a picture of that size is made.
    const std::uint64_t channels = png_get_channels(png, info);
    const std::uint64_t rawBytes =
        std::uint64_t{height} * (1 + (std::uint64_t{width} * channels * depth + 7) / 8);
    if (std::uint64_t{width} * height > std::uint64_t{THandyBitmap::kMaxPixels})
        return bitmap_text::kTooLarge;
    const std::uint64_t fileBytes = FileBytes(file);
    if (fileBytes != 0 &&
        (rawBytes / kMostDeflateRatio > fileBytes || !PngDataWithinFile(file, start, fileBytes)))
        return decoder_text::CutShort();
    const std::vector<std::uint32_t> palette = IndexedPalette(png, info);
    PictureCanvas canvas(picture, Orientation(png, info));
    if (std::string refusal = canvas.Start(width, height, palette); !refusal.empty())
        return refusal;
    KeepProfile(png, info, reader.failure_.profileRefused, picture.Kept());
    const bool indexed = !palette.empty();
    int passes = 1;
    if (!Guarded(png, [&] {
            if (indexed) {
                if (depth < 8)
                    png_set_packing(png);
            } else {
                png_set_expand(png);
                png_set_gray_to_rgb(png);
                png_set_add_alpha(png, 0xffff, PNG_FILLER_AFTER);
                // Low byte first, as the canvas takes 16-bit channels.
                if (depth == 16)
                    png_set_swap(png);
            }
            passes = png_set_interlace_handling(png);
            png_read_update_info(png, info);
        }))
        return {};
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    const bool wide = !indexed && png_get_bit_depth(png, info) == 16;
    // An interlaced picture is put together in a picture-sized block over the passes; any
    // other goes row by row.
    const std::size_t heldRows = passes > 1 ? height : 1;
    std::vector<png_byte> rows(rowBytes * heldRows, 0);
    std::vector<png_bytep> rowPointers(heldRows);
    for (std::size_t k = 0; k < heldRows; ++k)
        rowPointers[k] = rows.data() + k * rowBytes;
    auto put = [&](png_uint_32 y, const png_byte* row) {
        if (indexed)
            canvas.PutIndices(static_cast<std::int32_t>(y), row);
        else if (wide)
            canvas.PutWideColors(static_cast<std::int32_t>(y), row, 4);
        else
            canvas.PutColors(static_cast<std::int32_t>(y), row, 4);
    };
    if (passes > 1) {
        if (!Guarded(png, [&] { png_read_image(png, rowPointers.data()); }))
            return {};
        for (png_uint_32 y = 0; y < height; ++y)
            put(y, rowPointers[y]);
    } else {
        png_bytep row = rowPointers[0];
        for (png_uint_32 y = 0; y < height; ++y) {
            if (!Guarded(png, [&] { png_read_row(png, row, nullptr); }))
                return {};
            put(y, row);
        }
    }
    // The pixels are whole: what follows them (a text, the end chunk) cannot spoil them.
    if (!Guarded(png, [&] { png_read_end(png, nullptr); }))
        reader.failure_.detail.clear();
    return {};
}

// libpng's refusal of the file, after its words.
std::string Refusal(const std::string& detail) {
    // libpng's words for data that stops early.
    const bool cut = detail.find("Read Error") != std::string::npos ||
                     detail.find("Not enough") != std::string::npos ||
                     detail.find("EOF") != std::string::npos;
    return cut ? decoder_text::CutShort(detail) : decoder_text::Damaged(detail);
}

} // namespace

std::string PngStreamSize(std::FILE* file, StoredSize& size) {
    PngReader reader;
    if (!reader.Made())
        return decoder_text::Damaged("out of memory");
    png_structp png = reader.png_;
    png_infop info = reader.info_;
    if (!ReadHeaders(png, info, file))
        return Refusal(reader.failure_.detail);
    size = {png_get_image_width(png, info), png_get_image_height(png, info),
            Orientation(png, info)};
    return {};
}

std::string PngSize(const std::string& fileName, StoredSize& size) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    return PngStreamSize(file.get(), size);
}

std::string DecodePngStream(std::FILE* file, THandyBitmap& picture) {
    PngReader reader;
    if (!reader.Made())
        return decoder_text::Damaged("out of memory");
    const std::string refusal = Decode(reader, file, std::ftell(file), picture);
    if (!reader.failure_.detail.empty())
        return Refusal(reader.failure_.detail);
    return refusal;
}

std::string DecodePng(const std::string& fileName, THandyBitmap& picture) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    return DecodePngStream(file.get(), picture);
}

} // namespace slanter
