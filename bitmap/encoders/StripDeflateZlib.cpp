// The strips on zlib, where libdeflate is not to be had: a full flush ends each strip but
// the last on a byte boundary with the stream left open.
#include "bitmap/encoders/StripDeflate.h"

#include <zlib.h>

namespace slanter {

namespace {

// Level 1 with run-length matching: the speed of the fastest writers at their size.
constexpr int kLevel = 1;
constexpr int kStrategy = Z_RLE;

// Frees the stream's state on every way out, a failed allocation of the output included.
class StreamEnd {
  public:
    explicit StreamEnd(z_stream& stream) : stream_(stream) {}
    ~StreamEnd() { deflateEnd(&stream_); }
    StreamEnd(const StreamEnd&) = delete;
    StreamEnd& operator=(const StreamEnd&) = delete;

  private:
    z_stream& stream_;
};

} // namespace

bool DeflateStrip(const std::uint8_t* data, std::size_t count, bool last,
                  std::vector<std::uint8_t>& out) {
    z_stream stream{};
    if (deflateInit2(&stream, kLevel, Z_DEFLATED, -15, 8, kStrategy) != Z_OK)
        return false;
    const StreamEnd end(stream);
    out.resize(deflateBound(&stream, static_cast<uLong>(count)) + 16);
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(count);
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, last ? Z_FINISH : Z_FULL_FLUSH);
    out.resize(stream.total_out);
    return last ? result == Z_STREAM_END : result == Z_OK && stream.avail_in == 0;
}

std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* data, std::size_t count) {
    return static_cast<std::uint32_t>(adler32_z(adler, data, count));
}

std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, std::size_t count) {
    return static_cast<std::uint32_t>(crc32_z(crc, data, count));
}

} // namespace slanter
