#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <webp/decode.h>
#include <webp/demux.h>

#include "bitmap/ByteOrder.h"
#include "bitmap/ExifOrientation.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileBytes.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

struct DemuxDelete {
    void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};

std::string Refusal(VP8StatusCode status) {
    if (status == VP8_STATUS_NOT_ENOUGH_DATA)
        return decoder_text::CutShort();
    if (status == VP8_STATUS_UNSUPPORTED_FEATURE)
        return decoder_text::Unsupported();
    if (status == VP8_STATUS_OUT_OF_MEMORY)
        return decoder_text::Damaged("out of memory");
    return decoder_text::Damaged();
}

int Orientation(const WebPDemuxer* demuxer) {
    WebPChunkIterator chunk;
    if (WebPDemuxGetChunk(demuxer, "EXIF", 1, &chunk) == 0)
        return 1;
    const int orientation = ExifOrientation(chunk.chunk.bytes, chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    return orientation;
}

constexpr std::uint8_t kExifFlag = 0x08;
constexpr std::uint32_t kMostHeaderBytes = 32;

// The next chunk's name and length; false at the end of the file.
bool NextChunk(std::FILE* file, char name[4], std::uint32_t& length) {
    std::uint8_t head[8];
    if (std::fread(head, 1, 8, file) != 8)
        return false;
    std::memcpy(name, head, 4);
    length = LittleEndian(head + 4, 4);
    return true;
}

// The orientation an extended file's EXIF chunk records, walking the chunks after VP8X.
int ExtendedOrientation(std::FILE* file, std::uint64_t fileBytes) {
    char name[4];
    std::uint32_t length = 0;
    while (NextChunk(file, name, length)) {
        const long at = std::ftell(file);
        if (at < 0 || length > fileBytes - std::uint64_t(at))
            return 1;
        if (std::memcmp(name, "EXIF", 4) == 0) {
            std::vector<std::uint8_t> exif(length);
            if (std::fread(exif.data(), 1, length, file) != length)
                return 1;
            return ExifOrientation(exif.data(), exif.size());
        }
        if (std::fseek(file, long(length + length % 2), SEEK_CUR) != 0)
            return 1;
    }
    return 1;
}

// A lossy frame codes the modes of every 16 x 16 block in its first partition, at least
// 1.67 bits a block (the two modes' fixed odds), read before its pixels: a frame whose
// first partition is too short for its blocks is refused before its picture is made.
bool LossyFrameFits(const std::uint8_t* bytes, std::size_t size) {
    auto chunk = [&](const char* name) { return size >= 8 && std::memcmp(bytes, name, 4) == 0; };
    if (chunk("ALPH")) {
        const std::uint64_t skipped = 8 + std::uint64_t{LittleEndian(bytes + 4, 4)};
        if (skipped + skipped % 2 > size)
            return true; // the library refuses it
        bytes += skipped + skipped % 2;
        size -= static_cast<std::size_t>(skipped + skipped % 2);
    }
    if (!chunk("VP8 "))
        return true;
    const std::size_t payload = std::min<std::size_t>(size - 8, LittleEndian(bytes + 4, 4));
    bytes += 8;
    constexpr std::size_t kFrameHeaderBytes = 10;
    if (payload < kFrameHeaderBytes || (bytes[0] & 1) != 0)
        return true;
    const std::uint64_t partition =
        std::min<std::uint64_t>(LittleEndian(bytes, 3) >> 5, payload - kFrameHeaderBytes);
    const std::uint64_t width = LittleEndian(bytes + 6, 2) & 0x3fff;
    const std::uint64_t height = LittleEndian(bytes + 8, 2) & 0x3fff;
    const std::uint64_t blocks = (width + 15) / 16 * ((height + 15) / 16);
    // 1.5 bits a block, and the bytes the reader may take past the end.
    return blocks * 3 <= (partition + 4) * 16;
}

} // namespace

std::string WebpSize(const std::string& fileName, StoredSize& size) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    const std::uint64_t fileBytes = FileBytes(file.get());
    std::uint8_t riff[12];
    char name[4];
    std::uint32_t length = 0;
    if (std::fread(riff, 1, sizeof riff, file.get()) != sizeof riff ||
        !NextChunk(file.get(), name, length))
        return decoder_text::CutShort();
    std::uint8_t head[kMostHeaderBytes] = {};
    const std::size_t headBytes = std::min<std::size_t>(length, sizeof head);
    if (std::fread(head, 1, headBytes, file.get()) != headBytes)
        return decoder_text::CutShort();
    if (std::memcmp(name, "VP8X", 4) == 0) {
        if (length < 10)
            return decoder_text::Damaged();
        // The canvas the frames are laid on, and the turn an EXIF chunk after them records.
        size.width = std::int64_t{LittleEndian(head + 4, 3)} + 1;
        size.height = std::int64_t{LittleEndian(head + 7, 3)} + 1;
        size.orientation = 1;
        if ((head[0] & kExifFlag) != 0 &&
            std::fseek(file.get(), long(20 + length + length % 2), SEEK_SET) == 0)
            size.orientation = ExtendedOrientation(file.get(), fileBytes);
        return {};
    }
    // A simple file: one frame, its size in the first bytes of its bitstream, which the
    // library checks against the lengths the headers before it give.
    std::uint8_t start[sizeof riff + 8 + kMostHeaderBytes];
    std::memcpy(start, riff, sizeof riff);
    std::memcpy(start + sizeof riff, name, 4);
    for (int k = 0; k < 4; ++k)
        start[sizeof riff + 4 + k] = static_cast<std::uint8_t>(length >> 8 * k);
    std::memcpy(start + sizeof riff + 8, head, headBytes);
    WebPBitstreamFeatures features;
    const VP8StatusCode status = WebPGetFeatures(start, sizeof riff + 8 + headBytes, &features);
    if (status != VP8_STATUS_OK)
        return Refusal(status);
    size = {features.width, features.height, 1};
    return {};
}

std::string DecodeWebp(const std::string& fileName, THandyBitmap& picture) {
    std::vector<std::uint8_t> bytes;
    if (std::string refusal = ReadFileBytes(fileName, bytes); !refusal.empty())
        return refusal;
    const WebPData data{bytes.data(), bytes.size()};
    WebPDemuxState state = WEBP_DEMUX_PARSE_ERROR;
    const std::unique_ptr<WebPDemuxer, DemuxDelete> demuxer(WebPDemuxPartial(&data, &state));
    if (!demuxer || state != WEBP_DEMUX_DONE)
        return state == WEBP_DEMUX_PARSING_HEADER || state == WEBP_DEMUX_PARSED_HEADER
                   ? decoder_text::CutShort()
                   : decoder_text::Damaged();
    // The first frame on the canvas, which is transparent (white) where the frame is not.
    WebPIterator frame;
    if (WebPDemuxGetFrame(demuxer.get(), 1, &frame) == 0)
        return decoder_text::Damaged("no picture in the file");
    const std::int64_t width = WebPDemuxGetI(demuxer.get(), WEBP_FF_CANVAS_WIDTH);
    const std::int64_t height = WebPDemuxGetI(demuxer.get(), WEBP_FF_CANVAS_HEIGHT);
    // The canvas beyond the first frame is blank, coded by no byte: it may add no more
    // pixels than deflate's greatest expansion of the file's bytes.
    constexpr std::uint64_t kMostBlankPixelsPerByte = 1032;
    const std::uint64_t canvasPixels = std::uint64_t(width) * std::uint64_t(height);
    const std::uint64_t framePixels = std::uint64_t(frame.width) * std::uint64_t(frame.height);
    std::string refusal;
    if (canvasPixels > framePixels + bytes.size() * kMostBlankPixelsPerByte ||
        !LossyFrameFits(frame.fragment.bytes, frame.fragment.size))
        refusal = decoder_text::CutShort();
    PictureCanvas canvas(picture, Orientation(demuxer.get()));
    if (refusal.empty())
        refusal = canvas.Start(width, height);
    std::vector<std::uint8_t> screen;
    if (refusal.empty()) {
        screen.assign(static_cast<std::size_t>(width * height * 4), 0);
        WebPBitstreamFeatures features;
        VP8StatusCode status =
            WebPGetFeatures(frame.fragment.bytes, frame.fragment.size, &features);
        const bool inside = frame.x_offset >= 0 && frame.y_offset >= 0 &&
                            frame.x_offset + std::int64_t{frame.width} <= width &&
                            frame.y_offset + std::int64_t{frame.height} <= height &&
                            features.width == frame.width && features.height == frame.height;
        if (status == VP8_STATUS_OK && !inside)
            status = VP8_STATUS_BITSTREAM_ERROR;
        if (status == VP8_STATUS_OK) {
            const std::size_t stride = static_cast<std::size_t>(width) * 4;
            std::uint8_t* at = screen.data() + frame.y_offset * stride + frame.x_offset * 4;
            const std::size_t size = stride * (frame.height - 1) + std::size_t(frame.width) * 4;
            if (WebPDecodeRGBAInto(frame.fragment.bytes, frame.fragment.size, at, size,
                                   static_cast<int>(stride)) == nullptr)
                status = VP8_STATUS_BITSTREAM_ERROR;
        }
        if (status != VP8_STATUS_OK)
            refusal = Refusal(status);
    }
    WebPDemuxReleaseIterator(&frame);
    if (!refusal.empty())
        return refusal;
    WebPChunkIterator profile;
    if (WebPDemuxGetChunk(demuxer.get(), "ICCP", 1, &profile) != 0)
        picture.Kept().KeepProfile(std::vector<std::uint8_t>(
            profile.chunk.bytes, profile.chunk.bytes + profile.chunk.size));
    WebPDemuxReleaseChunkIterator(&profile);
    for (std::int64_t y = 0; y < height; ++y)
        canvas.PutColors(static_cast<std::int32_t>(y), &screen[y * width * 4], 4);
    return {};
}

} // namespace slanter
