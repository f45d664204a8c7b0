#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include <webp/decode.h>
#include <webp/demux.h>

#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/ExifOrientation.h"
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

} // namespace

std::string DecodeWebp(const std::string& fileName, THandyBitmap& picture) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    std::vector<std::uint8_t> bytes;
    if (!ReadAll(file.get(), bytes))
        return decoder_text::CutShort();
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
    PictureCanvas canvas(picture, Orientation(demuxer.get()));
    std::string refusal = canvas.Start(width, height);
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
    for (std::int64_t y = 0; y < height; ++y)
        canvas.PutColors(static_cast<std::int32_t>(y), &screen[y * width * 4], 4);
    return {};
}

} // namespace slanter
