#include "bitmap/encoders/PngEncoder.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include <zlib.h>

#include "bitmap/ColorProfile.h"
#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/RowCodec.h"
#include "bitmap/encoders/PngRows.h"
#include "bitmap/encoders/StripDeflate.h"

namespace slanter {

namespace {

// Filtered bytes per strip: large enough that the flush between strips costs nothing
// worth counting, small enough that two cores share even a modest picture.
constexpr std::int64_t kStripBytes = std::int64_t{1} << 20;

struct Strip {
    std::vector<std::uint8_t> deflated;
    std::uint32_t adler = 1;
    std::int64_t filteredBytes = 0;
    bool ready = false;
    bool failed = false;
};

void PutBigEndian(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 24);
    at[1] = static_cast<std::uint8_t>(value >> 16);
    at[2] = static_cast<std::uint8_t>(value >> 8);
    at[3] = static_cast<std::uint8_t>(value);
}

// One chunk: length, type, the data in up to two parts, CRC.
bool WriteChunk(const PngByteSink& sink, const char* type, const std::uint8_t* data,
                std::size_t count, const std::uint8_t* more = nullptr, std::size_t moreCount = 0) {
    std::uint8_t head[8];
    PutBigEndian(head, static_cast<std::uint32_t>(count + moreCount));
    std::copy_n(type, 4, head + 4);
    std::uint32_t crc = Crc32(0, head + 4, 4);
    if (count > 0)
        crc = Crc32(crc, data, count);
    if (moreCount > 0)
        crc = Crc32(crc, more, moreCount);
    std::uint8_t tail[4];
    PutBigEndian(tail, crc);
    return sink(head, 8) && (count == 0 || sink(data, count)) &&
           (moreCount == 0 || sink(more, moreCount)) && sink(tail, 4);
}

// A name PNG takes for a profile: 1 to 79 printable characters (ASCII here, since the
// description is UTF-8 and PNG's names Latin-1), no space at either end nor two in a row.
bool IsProfileName(const std::string& name) {
    if (name.empty() || name.size() > 79 || name.front() == ' ' || name.back() == ' ' ||
        name.find("  ") != std::string::npos)
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 32 && byte <= 126;
    });
}

// The iCCP chunk's data for the kept profile: its name (its own description where PNG
// takes that as a name, so that every platform's decoder gives the same), then the
// profile deflated, whose bytes come back unchanged. Empty without a profile, or for one of another
// colour space than RGB, which a viewer would apply to the RGB pixels the file holds.
std::vector<std::uint8_t> ProfileChunk(const KeptLayer& kept) {
    const std::vector<std::uint8_t>& profile = kept.Profile();
    if (profile.size() < 20 || std::memcmp(profile.data() + 16, "RGB ", 4) != 0)
        return {};
    const std::string description = ProfileDescription(profile);
    const std::string name = IsProfileName(description) ? description : std::string("ICC profile");
    uLongf packed = compressBound(static_cast<uLong>(profile.size()));
    std::vector<std::uint8_t> chunk(name.size() + 2 + packed);
    std::copy(name.begin(), name.end(), chunk.begin());
    chunk[name.size()] = 0;     // the name's end
    chunk[name.size() + 1] = 0; // deflate
    if (compress2(chunk.data() + name.size() + 2, &packed, profile.data(),
                  static_cast<uLong>(profile.size()), Z_BEST_COMPRESSION) != Z_OK)
        return {};
    chunk.resize(name.size() + 2 + packed);
    return chunk;
}

// Filters and deflates rows [first, last) into strip; the last strip of the picture ends
// the deflate stream, every other one ends on a byte boundary without ending it.
void CompressStrip(const THandyBitmap& picture, const PngLayout& layout, std::int32_t first,
                   std::int32_t last, bool final, Strip& strip) {
    try {
        const auto rowBytes = static_cast<std::size_t>(layout.rowBytes);
        std::vector<std::uint8_t> rows(2 * rowBytes);
        std::vector<std::uint8_t> filtered((rowBytes + 1) * static_cast<std::size_t>(last - first));
        std::uint8_t* previous = nullptr;
        std::uint8_t* current = rows.data();
        const int filter = ChosenFilter(layout);
        // Up looks at the row above, which for the first row of a strip is in the strip
        // before; it is made again here so that strips never wait for each other.
        if (first > 0 && filter >= 2) {
            MakePngRow(picture, layout, first - 1, rows.data() + rowBytes);
            previous = rows.data() + rowBytes;
        }
        for (std::int32_t r = first; r < last; ++r) {
            MakePngRow(picture, layout, r, current);
            FilterRow(filter, layout, current, previous,
                      filtered.data() + (rowBytes + 1) * static_cast<std::size_t>(r - first));
            previous = current;
            current = current == rows.data() ? rows.data() + rowBytes : rows.data();
        }
        strip.filteredBytes = static_cast<std::int64_t>(filtered.size());
        strip.adler = Adler32(1, filtered.data(), filtered.size());
        strip.failed = !DeflateStrip(filtered.data(), filtered.size(), final, strip.deflated);
    } catch (const std::bad_alloc&) {
        strip.failed = true;
    }
}

} // namespace

std::string EncodePng(const THandyBitmap& picture, const PngByteSink& sink,
                      const PngEncoding& encoding,
                      const std::function<std::string()>& failedWrite) {
    const auto writeFailure = [&failedWrite] {
        const std::string reason = failedWrite ? failedWrite() : std::string();
        return reason.empty() ? std::string("the file could not be written") : reason;
    };
    try {
        const std::int32_t width = picture.biWidth();
        const std::int32_t height = picture.biHeight();
        if (!IsStoredDepth(picture.biBitCount()))
            return bitmap_text::kIllegalBitCount;
        if (width <= 0 || height <= 0 || picture.CellRow(height - 1) == nullptr)
            return bitmap_text::kNoImage;
        const PngLayout layout = LayoutOf(picture);

        static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        std::uint8_t header[13];
        PutBigEndian(header, static_cast<std::uint32_t>(width));
        PutBigEndian(header + 4, static_cast<std::uint32_t>(height));
        header[8] = static_cast<std::uint8_t>(layout.bitDepth);
        header[9] = static_cast<std::uint8_t>(layout.colorType);
        header[10] = header[11] = header[12] = 0;
        if (!sink(kSignature, 8) || !WriteChunk(sink, "IHDR", header, 13))
            return writeFailure();
        const std::vector<std::uint8_t> profile = ProfileChunk(picture.Kept());
        if (!profile.empty() && !WriteChunk(sink, "iCCP", profile.data(), profile.size()))
            return writeFailure();
        if (!layout.palette.empty() &&
            !WriteChunk(sink, "PLTE", layout.palette.data(), layout.palette.size()))
            return writeFailure();
        if (!layout.transparency.empty() &&
            !WriteChunk(sink, "tRNS", layout.transparency.data(), layout.transparency.size()))
            return writeFailure();

        const std::int32_t stripRows = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(kStripBytes / (layout.rowBytes + 1), 1, height));
        const std::int32_t strips = (height + stripRows - 1) / stripRows;
        const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        const int threads = std::clamp(encoding.threads > 0 ? encoding.threads : cores, 1, strips);
        // At most this many strips are held at once, compressed or being compressed.
        const std::int32_t window = 2 * threads;

        std::vector<Strip> pieces(static_cast<std::size_t>(strips));
        std::mutex lock;
        std::condition_variable changed;
        std::int32_t written = 0;   // strips handed to the sink
        std::int32_t nextStrip = 0; // the next strip a worker takes
        bool stopping = false;
        const auto work = [&] {
            for (;;) {
                std::int32_t k = 0;
                {
                    std::unique_lock<std::mutex> hold(lock);
                    changed.wait(hold, [&] {
                        return stopping || nextStrip >= strips || nextStrip < written + window;
                    });
                    if (stopping || nextStrip >= strips)
                        return;
                    k = nextStrip++;
                }
                const std::int32_t first = k * stripRows;
                CompressStrip(picture, layout, first, std::min(height, first + stripRows),
                              k + 1 == strips, pieces[static_cast<std::size_t>(k)]);
                std::lock_guard<std::mutex> hold(lock);
                pieces[static_cast<std::size_t>(k)].ready = true;
                changed.notify_all();
            }
        };
        std::vector<std::thread> workers;
        std::string problem;
        try {
            for (int t = 0; t < threads && threads > 1; ++t)
                workers.emplace_back(work);
        } catch (const std::system_error&) {
            // Fewer threads than asked: the ones running do it all.
        }

        std::uint32_t adler = 1;
        for (std::int32_t k = 0; k < strips && problem.empty(); ++k) {
            Strip& strip = pieces[static_cast<std::size_t>(k)];
            // Alone, this thread compresses each strip just before it writes it.
            if (workers.empty()) {
                const std::int32_t first = k * stripRows;
                CompressStrip(picture, layout, first, std::min(height, first + stripRows),
                              k + 1 == strips, strip);
                strip.ready = true;
            }
            {
                std::unique_lock<std::mutex> hold(lock);
                changed.wait(hold, [&] { return strip.ready; });
            }
            if (strip.failed) {
                problem = bitmap_text::kOutOfMemory;
                break;
            }
            adler = static_cast<std::uint32_t>(
                adler32_combine(adler, strip.adler, strip.filteredBytes));
            std::vector<std::uint8_t> edges;
            if (k == 0)
                edges = {0x78, 0x01}; // deflate, 32K window, fastest
            const std::size_t lead = edges.size();
            std::vector<std::uint8_t> trailer(4);
            PutBigEndian(trailer.data(), adler);
            const bool last = k + 1 == strips;
            bool ok = true;
            if (lead > 0) {
                edges.insert(edges.end(), strip.deflated.begin(), strip.deflated.end());
                if (last)
                    edges.insert(edges.end(), trailer.begin(), trailer.end());
                ok = WriteChunk(sink, "IDAT", edges.data(), edges.size());
            } else {
                ok = WriteChunk(sink, "IDAT", strip.deflated.data(), strip.deflated.size(),
                                last ? trailer.data() : nullptr, last ? 4 : 0);
            }
            std::vector<std::uint8_t>().swap(strip.deflated);
            if (!ok)
                problem = writeFailure();
            else if (encoding.keepGoing && !encoding.keepGoing(double(k + 1) / strips))
                problem = kPngStopped;
            std::lock_guard<std::mutex> hold(lock);
            written = k + 1;
            if (!problem.empty())
                stopping = true;
            changed.notify_all();
        }
        for (std::thread& worker : workers)
            worker.join();
        if (!problem.empty())
            return problem;
        if (!WriteChunk(sink, "IEND", nullptr, 0))
            return writeFailure();
        return {};
    } catch (const std::bad_alloc&) {
        return bitmap_text::kOutOfMemory;
    }
}

} // namespace slanter
