// The walk to a picture file's EXIF orientation over blocks laid out by hand, whole and
// damaged: a damaged file reads as stored (1), never past its end.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/ExifOrientation.h"
#include "bitmap/WideName.h"

namespace slanter {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Text(const char* text, std::size_t length) {
    return Bytes(text, text + length);
}

// A TIFF header and one directory of one entry: the orientation, a short.
Bytes TiffBlock(int orientation, bool bigEndian) {
    if (bigEndian)
        return Text("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 19) +
               Bytes{std::uint8_t(orientation), 0, 0, 0, 0, 0, 0};
    return Text("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 18) +
           Bytes{std::uint8_t(orientation), 0, 0, 0, 0, 0, 0, 0};
}

Bytes Big16(std::size_t value) {
    return {std::uint8_t(value >> 8), std::uint8_t(value)};
}
Bytes Big32(std::size_t value) {
    return Big16(value >> 16) + Big16(value & 0xFFFF);
}
Bytes Little32(std::size_t value) {
    return {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
            std::uint8_t(value >> 24)};
}

int Orientation(const Bytes& file) {
    return FileOrientation([&](std::uint64_t at, std::size_t count, std::uint8_t* into) {
        if (at > file.size() || count > file.size() - at)
            return false;
        std::memcpy(into, file.data() + at, count);
        return true;
    });
}

Bytes Jpeg(const Bytes& segments) {
    return Text("\xFF\xD8", 2) + segments + Text("\xFF\xDA\0\x02\xFF\xD9", 6);
}
Bytes JpegSegment(std::uint8_t marker, const Bytes& data) {
    return Bytes{0xFF, marker} + Big16(data.size() + 2) + data;
}
Bytes PngChunk(const char* kind, const Bytes& data) {
    return Big32(data.size()) + Text(kind, 4) + data + Bytes(4, 0);
}
Bytes Png(const Bytes& chunks) {
    return Text("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", Bytes(13, 0)) + chunks +
           PngChunk("IEND", {});
}
Bytes WebpChunk(const char* kind, const Bytes& data) {
    Bytes chunk = Text(kind, 4) + Little32(data.size()) + data;
    if (data.size() % 2 != 0)
        chunk.push_back(0);
    return chunk;
}
Bytes Webp(const Bytes& chunks) {
    return Text("RIFF", 4) + Little32(chunks.size() + 4) + Text("WEBP", 4) + chunks;
}

TEST(FileOrientation, EachFormatKeepsItsBlockWhereTheFormatSays) {
    const Bytes exif = Text("Exif\0\0", 6) + TiffBlock(6, true);
    EXPECT_EQ(Orientation(TiffBlock(5, false) + Bytes(40, 0)), 5);
    EXPECT_EQ(Orientation(TiffBlock(8, true)), 8);
    EXPECT_EQ(Orientation(Jpeg(JpegSegment(0xE0, Bytes(14, 1)) + JpegSegment(0xE1, exif))), 6);
    EXPECT_EQ(Orientation(Png(PngChunk("eXIf", TiffBlock(3, false)))), 3);
    // WebP pads a chunk of odd length; the EXIF chunk comes after the pixels.
    EXPECT_EQ(Orientation(Webp(WebpChunk("VP8X", Bytes(10, 0)) + WebpChunk("VP8L", Bytes(5, 0)) +
                               WebpChunk("EXIF", TiffBlock(7, false)))),
              7);
}

TEST(FileOrientation, BlocksPastThePixelsOrBeyondTheFileCountAsNone) {
    // After the pixels the decoders of both platforms no longer look.
    EXPECT_EQ(Orientation(Png(PngChunk("IDAT", Bytes(3, 0)) + PngChunk("eXIf", TiffBlock(3, 0)))),
              1);
    EXPECT_EQ(Orientation(Jpeg({}) + JpegSegment(0xE1, Text("Exif\0\0", 6) + TiffBlock(6, 0))), 1);
    // A segment claiming more than the file holds, a directory past the end, a count of
    // entries the block cannot hold.
    Bytes cut = Jpeg(JpegSegment(0xE1, Text("Exif\0\0", 6) + TiffBlock(6, true)));
    cut.resize(20);
    EXPECT_EQ(Orientation(cut), 1);
    EXPECT_EQ(Orientation(Text("II*\0\xF0\xFF\0\0", 8)), 1);
    EXPECT_EQ(Orientation(Text("MM\0*\0\0\0\x08\xFF\xFF", 10) + Bytes(24, 0)), 1);
    EXPECT_EQ(Orientation(Webp(WebpChunk("EXIF", Text("II*\0", 4)))), 1);
    EXPECT_EQ(Orientation(Text("GIF89a", 6)), 1);
}

TEST(WideName, Utf8BecomesUtf16AndOtherBytesNoName) {
    // "画" and G clef (beyond the 16-bit plane: two units where wchar_t has 16 bits).
    EXPECT_EQ(WideName("a\xE7\x94\xBB"), (std::wstring{L'a', wchar_t(0x753B)}));
    const std::wstring clef = WideName("\xF0\x9D\x84\x9E");
    if (sizeof(wchar_t) == 2)
        EXPECT_EQ(clef, (std::wstring{wchar_t(0xD834), wchar_t(0xDD1E)}));
    else
        EXPECT_EQ(clef, std::wstring(1, wchar_t(0x1D11E)));
    for (const char* bytes : {"in\xFF\xFE.png", "\xC0\xAF", "\xED\xA0\x80", "\xE7\x94"})
        EXPECT_EQ(WideName(bytes), L"") << bytes;
}

} // namespace
} // namespace slanter
