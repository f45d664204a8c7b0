#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

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

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr int kProfileMarker = JPEG_APP0 + 2;
constexpr unsigned kMostMarkerBytes = 0xffff;
constexpr std::uint64_t kMostPixelsPerByte = 64 * 8;

struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    std::string detail;
    bool cut = false;
};

std::string MessageOf(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX] = {};
    info->err->format_message(info, text);
    return text;
}

[[noreturn]] void JpegError(j_common_ptr info) {
    auto* failure = reinterpret_cast<JpegFailure*>(info->err);
    failure->detail = MessageOf(info);
    std::longjmp(failure->jump, 1);
}

// A warning that data is missing or corrupt refuses the picture: libjpeg would fill what it
// lacks with grey. Only the warnings about harmless header oddities let it pass.
void JpegMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return;
    const int code = info->err->msg_code;
    if (code == JWRN_ADOBE_XFORM || code == JWRN_JFIF_MAJOR || code == JWRN_BOGUS_ICC)
        return;
    auto* failure = reinterpret_cast<JpegFailure*>(info->err);
    if (failure->detail.empty()) {
        failure->detail = MessageOf(info);
        failure->cut = code == JWRN_JPEG_EOF;
    }
    // Nothing more is worth decoding.
    std::longjmp(failure->jump, 1);
}

class JpegReader {
  public:
    JpegReader() {
        info_.err = jpeg_std_error(&failure_.manager);
        failure_.manager.error_exit = JpegError;
        failure_.manager.emit_message = JpegMessage;
    }
    ~JpegReader() { jpeg_destroy_decompress(&info_); }
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    jpeg_decompress_struct info_{};
    JpegFailure failure_;
};

// Runs libjpeg calls under its error jump; the frames it skips hold no objects with
// destructors.
template <typename Call>
bool Guarded(JpegFailure& failure, Call&& call) {
    if (setjmp(failure.jump) != 0)
        return false;
    call();
    return true;
}

int Orientation(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr; marker = marker->next)
        if (marker->marker == kExifMarker && marker->data_length > 6 &&
            std::memcmp(marker->data, "Exif\0\0", 6) == 0)
            return ExifOrientation(marker->data, marker->data_length);
    return 1;
}

// Whether the APP2 markers carry a colour profile.
bool CarriesProfile(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr; marker = marker->next)
        if (marker->marker == kProfileMarker && marker->data_length > 12 &&
            std::memcmp(marker->data, "ICC_PROFILE", 12) == 0)
            return true;
    return false;
}

// A block the library allocated with malloc.
struct FreeBlock {
    void operator()(JOCTET* block) const { std::free(block); }
};
// The markers up to the first scan: the frame's size (SOF) and the EXIF block (APP1).
bool ReadHeaders(JpegReader& reader, std::FILE* file) {
    jpeg_decompress_struct& info = reader.info_;
    return Guarded(reader.failure_, [&] {
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        // Only the EXIF block and the colour profile are kept of the file's markers.
        jpeg_save_markers(&info, kExifMarker, kMostMarkerBytes);
        jpeg_save_markers(&info, kProfileMarker, kMostMarkerBytes);
        jpeg_read_header(&info, TRUE);
    });
}

std::string Decode(JpegReader& reader, std::FILE* file, THandyBitmap& picture) {
    const std::uint64_t fileBytes = FileBytes(file);
    jpeg_decompress_struct& info = reader.info_;
    JpegFailure& failure = reader.failure_;
    if (!ReadHeaders(reader, file))
        return {};
    // CMYK pixels as Adobe's programs store them, inverted; the platform has always read
    // them so.
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    // Huffman coding spends at least a bit on each 8 x 8 block: a file too short for the
    // blocks it claims is refused before a picture of that size is made.
    const std::uint64_t pixels = std::uint64_t{info.image_width} * info.image_height;
    if (pixels > std::uint64_t{THandyBitmap::kMaxPixels})
        return bitmap_text::kTooLarge;
    if (!info.arith_code && fileBytes != 0 && pixels / kMostPixelsPerByte > fileBytes)
        return decoder_text::CutShort();
    // The arithmetic decoder reads nothing past a file's last byte as zeros, so a few bytes
    // would stand for a whole picture of nought: a file that ends before its end marker
    // is refused first.
    if (info.arith_code && JpegStructure(file) == FileStructure::Cut)
        return decoder_text::CutShort();
    PictureCanvas canvas(picture, Orientation(info));
    if (std::string refusal = canvas.Start(info.image_width, info.image_height); !refusal.empty())
        return refusal;
    // Profiles of CMYK pixels describe colours the working picture no longer has. The
    // pieces of one that do not join drop it, which is said.
    if (!cmyk && CarriesProfile(info)) {
        JOCTET* bytes = nullptr;
        unsigned int length = 0;
        boolean joined = FALSE;
        if (!Guarded(failure, [&] { joined = jpeg_read_icc_profile(&info, &bytes, &length); }))
            return {};
        const std::unique_ptr<JOCTET, FreeBlock> held(bytes);
        if (joined && bytes != nullptr)
            picture.Kept().KeepProfile(std::vector<std::uint8_t>(bytes, bytes + length));
        else
            picture.Kept().MarkProfileDropped();
    }
    if (!Guarded(failure, [&] { jpeg_start_decompress(&info); }))
        return {};
    const int channels = info.output_components;
    if ((channels != 3 && channels != 4) || info.output_width != JDIMENSION(canvas.Width()))
        return decoder_text::Unsupported();
    std::vector<JSAMPLE> row(std::size_t{info.output_width} * channels, 0);
    std::vector<JSAMPLE> colors(cmyk ? std::size_t{info.output_width} * 3 : 0);
    JSAMPROW rows[1] = {row.data()};
    while (info.output_scanline < info.output_height) {
        const auto y = static_cast<std::int32_t>(info.output_scanline);
        JDIMENSION read = 0;
        if (!Guarded(failure, [&] { read = jpeg_read_scanlines(&info, rows, 1); }))
            return {};
        if (read != 1)
            return decoder_text::CutShort();
        if (!cmyk) {
            canvas.PutColors(y, row.data(), 3);
            continue;
        }
        for (std::size_t x = 0; x < info.output_width; ++x) {
            const int black = row[4 * x + 3];
            for (int c = 0; c < 3; ++c)
                colors[3 * x + c] = static_cast<JSAMPLE>(black * row[4 * x + c] / 255);
        }
        canvas.PutColors(y, colors.data(), 3);
    }
    // The pixels are whole: bytes after them cannot spoil them.
    if (!Guarded(failure, [&] { jpeg_finish_decompress(&info); }))
        failure.detail.clear();
    return {};
}

std::string Refusal(const JpegFailure& failure) {
    return failure.cut ? decoder_text::CutShort(failure.detail)
                       : decoder_text::Damaged(failure.detail);
}

} // namespace

std::string JpegSize(const std::string& fileName, StoredSize& size) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    JpegReader reader;
    if (!ReadHeaders(reader, file.get()))
        return Refusal(reader.failure_);
    size = {reader.info_.image_width, reader.info_.image_height, Orientation(reader.info_)};
    return {};
}

std::string DecodeJpeg(const std::string& fileName, THandyBitmap& picture) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    JpegReader reader;
    const std::string refusal = Decode(reader, file.get(), picture);
    if (!reader.failure_.detail.empty())
        return Refusal(reader.failure_);
    return refusal;
}

} // namespace slanter
