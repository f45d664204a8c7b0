#include <cstdint>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

#include "bitmap/encoders/DeflateJoin.h"

namespace slanter {
namespace {

using Bytes = std::vector<std::uint8_t>;

// zlib's raw DEFLATE stream of data, finished: an independent maker of every kind of block.
Bytes Deflated(const Bytes& data, int level, int strategy) {
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, -15, 8, strategy), Z_OK);
    Bytes out(deflateBound(&stream, static_cast<uLong>(data.size())) + 16);
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// zlib's inflation of one raw stream; empty unless it ends exactly at the last byte.
Bytes Inflated(const Bytes& stream, std::size_t expected) {
    z_stream in{};
    EXPECT_EQ(inflateInit2(&in, -15), Z_OK);
    Bytes out(expected + 1);
    in.next_in = const_cast<Bytef*>(stream.data());
    in.avail_in = static_cast<uInt>(stream.size());
    in.next_out = out.data();
    in.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&in, Z_FINISH);
    out.resize(in.total_out);
    const bool whole = result == Z_STREAM_END && in.avail_in == 0;
    inflateEnd(&in);
    return whole ? out : Bytes{};
}

Bytes Patterned(std::size_t size, unsigned seed) {
    Bytes data(size);
    for (std::size_t k = 0; k < size; ++k) {
        seed = seed * 1103515245u + 12345u;
        data[k] = static_cast<std::uint8_t>(k % 251 < 120 ? k / 7 : seed >> 24);
    }
    return data;
}

// Stored, fixed and dynamic blocks, empty streams, and final blocks ending at every bit
// of a byte: each opened and followed by the next, zlib reads them as one stream.
TEST(DeflateJoin, OpenedStreamsLaidEndToEndInflateAsOne) {
    std::vector<Bytes> pieces = {Patterned(70000, 1), Bytes{}, Patterned(300000, 2),
                                 Patterned(5000, 3)};
    const std::vector<std::pair<int, int>> ways = {
        {0, Z_DEFAULT_STRATEGY}, {1, Z_FIXED}, {6, Z_DEFAULT_STRATEGY}, {1, Z_RLE}};
    for (std::size_t length = 1; length <= 24; ++length)
        pieces.push_back(Patterned(length, static_cast<unsigned>(length)));
    Bytes joined;
    Bytes data;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const auto [level, strategy] = ways[k % ways.size()];
        Bytes stream = Deflated(pieces[k], level, strategy);
        if (k + 1 < pieces.size()) {
            ASSERT_TRUE(OpenForJoining(stream)) << "piece " << k;
        }
        joined.insert(joined.end(), stream.begin(), stream.end());
        data.insert(data.end(), pieces[k].begin(), pieces[k].end());
    }
    EXPECT_EQ(Inflated(joined, data.size()), data);
}

TEST(DeflateJoin, WhatIsNoWholeStreamIsRefusedAndLeftAsItWas) {
    Bytes cut = Deflated(Patterned(20000, 4), 6, Z_DEFAULT_STRATEGY);
    cut.resize(cut.size() / 2);
    const Bytes reservedType = {0x07, 0x00};
    const Bytes badStoredLength = {0x01, 0x05, 0x00, 0xFA, 0xEF, 1, 2, 3, 4, 5};
    const Bytes shortStored = {0x01, 0x05, 0x00, 0xFA, 0xFF, 1, 2, 3};
    for (const Bytes& stream : {cut, reservedType, badStoredLength, shortStored, Bytes{}}) {
        Bytes tried = stream;
        EXPECT_FALSE(OpenForJoining(tried));
        EXPECT_EQ(tried, stream);
    }
}

} // namespace
} // namespace slanter
