#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <gif_lib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

constexpr int kGraphicsControl = 0xF9;
constexpr int kNoTransparency = -1;
constexpr std::uint64_t kMostPixelsPerByte = 4096 * 8 / 12;

class GifReader {
  public:
    explicit GifReader(int descriptor) {
        int error = 0;
        gif_ = DGifOpenFileHandle(descriptor, &error);
        if (gif_ == nullptr)
            openError_ = error;
    }
    ~GifReader() {
        if (gif_ != nullptr)
            DGifCloseFile(gif_, nullptr);
    }
    GifReader(const GifReader&) = delete;
    GifReader& operator=(const GifReader&) = delete;

    GifFileType* gif_ = nullptr;
    int openError_ = 0;
};

std::string Refusal(int error) {
    // The screen descriptor or colour table that cannot be read is reported as no error.
    if (error == 0)
        return decoder_text::CutShort();
    const char* words = GifErrorString(error);
    const std::string detail = words != nullptr ? words : "";
    if (error == D_GIF_ERR_READ_FAILED || error == D_GIF_ERR_EOF_TOO_SOON)
        return decoder_text::CutShort(detail);
    return decoder_text::Damaged(detail);
}

// The rows of the first frame in the order the file stores them: interlaced frames give
// every eighth row first, and so on.
std::vector<int> FrameRowOrder(int height, bool interlaced) {
    std::vector<int> order;
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
        for (int y = start; y < height; y += step)
            order.push_back(y);
    return order;
}

// Reads the records up to the first frame's descriptor, noting its transparent index.
std::string FindFirstFrame(GifFileType* gif, int& transparent) {
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR)
            return Refusal(gif->Error);
        if (record == TERMINATE_RECORD_TYPE)
            return decoder_text::Damaged("no picture in the file");
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
                return Refusal(gif->Error);
            if (code == kGraphicsControl && block != nullptr) {
                GraphicsControlBlock control;
                if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                    transparent = control.TransparentColor;
            }
            while (block != nullptr)
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                    return Refusal(gif->Error);
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR)
            return Refusal(gif->Error);
        return {};
    }
}

// The first frame's screen; a screen of no size is the frame's.
int ScreenWidth(const GifFileType* gif) {
    return gif->SWidth > 0 ? gif->SWidth : gif->Image.Left + gif->Image.Width;
}
int ScreenHeight(const GifFileType* gif) {
    return gif->SHeight > 0 ? gif->SHeight : gif->Image.Top + gif->Image.Height;
}

std::string Decode(GifFileType* gif, std::uint64_t fileBytes, THandyBitmap& picture) {
    int transparent = kNoTransparency;
    if (std::string refusal = FindFirstFrame(gif, transparent); !refusal.empty())
        return refusal;
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (map == nullptr || frame.Width <= 0 || frame.Height <= 0)
        return decoder_text::Damaged("no colour table");
    // LZW gives at most 4096 pixels for a 12-bit code: a file too short for the frame it
    // claims is refused before anything of that size is made.
    const std::uint64_t framePixels = std::uint64_t(frame.Width) * std::uint64_t(frame.Height);
    if (fileBytes != 0 && framePixels > fileBytes * kMostPixelsPerByte + 4096)
        return decoder_text::CutShort();
    if (framePixels > std::uint64_t{THandyBitmap::kMaxPixels})
        return bitmap_text::kTooLarge;
    // The screen beyond the first frame is blank, coded by no byte: it may add no more
    // pixels than the file's bytes could code, so that a few bytes cannot claim gigabytes.
    const int width = ScreenWidth(gif);
    const int height = ScreenHeight(gif);
    const std::uint64_t screenPixels = std::uint64_t(width) * std::uint64_t(height);
    if (fileBytes != 0 && screenPixels > framePixels + fileBytes * kMostPixelsPerByte + 4096)
        return decoder_text::CutShort();
    std::vector<GifPixelType> indices(static_cast<std::size_t>(framePixels), 0);
    for (const int y : FrameRowOrder(frame.Height, frame.Interlace))
        if (DGifGetLine(gif, &indices[std::size_t(y) * frame.Width], frame.Width) == GIF_ERROR)
            return Refusal(gif->Error);
    // The first frame on its screen, which is transparent (white) where the frame does not
    // reach.
    PictureCanvas canvas(picture, 1);
    if (std::string refusal = canvas.Start(width, height); !refusal.empty())
        return refusal;
    std::vector<std::uint8_t> row(std::size_t(width) * 4, 0);
    for (int y = 0; y < height; ++y) {
        std::fill(row.begin(), row.end(), 0);
        const int frameY = y - frame.Top;
        for (int x = 0; frameY >= 0 && frameY < frame.Height && x < width; ++x) {
            const int frameX = x - frame.Left;
            if (frameX < 0 || frameX >= frame.Width)
                continue;
            const int index = indices[std::size_t(frameY) * frame.Width + frameX];
            if (index == transparent)
                continue;
            std::uint8_t* pixel = &row[std::size_t(x) * 4];
            // An index past the table is black, as the platform has always shown it.
            if (index < map->ColorCount) {
                pixel[0] = map->Colors[index].Red;
                pixel[1] = map->Colors[index].Green;
                pixel[2] = map->Colors[index].Blue;
            }
            pixel[3] = 255;
        }
        canvas.PutColors(y, row.data(), 4);
    }
    canvas.MakeIndexedWhenFew();
    return {};
}

} // namespace

std::string GifSize(const std::string& fileName, StoredSize& size) {
    const int descriptor = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return decoder_text::CantOpen();
    GifReader reader(descriptor);
    if (reader.gif_ == nullptr)
        return Refusal(reader.openError_);
    GifFileType* gif = reader.gif_;
    // The screen descriptor alone gives the size, unless the screen has none.
    if (gif->SWidth <= 0 || gif->SHeight <= 0) {
        int transparent = kNoTransparency;
        if (std::string refusal = FindFirstFrame(gif, transparent); !refusal.empty())
            return refusal;
    }
    size = {ScreenWidth(gif), ScreenHeight(gif), 1};
    return {};
}

std::string DecodeGif(const std::string& fileName, THandyBitmap& picture) {
    const int descriptor = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return decoder_text::CantOpen();
    struct stat status {};
    const std::uint64_t fileBytes =
        fstat(descriptor, &status) == 0 && status.st_size > 0 ? std::uint64_t(status.st_size) : 0;
    // The reader owns the descriptor from here, also when it fails to open.
    GifReader reader(descriptor);
    if (reader.gif_ == nullptr)
        return Refusal(reader.openError_);
    return Decode(reader.gif_, fileBytes, picture);
}

} // namespace slanter
