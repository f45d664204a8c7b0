#include <cstdint>
#include <cstring>
#include <vector>

#include "bitmap/ByteOrder.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileBytes.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr std::size_t kPngHeaderBytes = 24;

// The icons of 32 bits packed a channel at a time, each with a mask of its own.
struct PackedKind {
    const char* image;
    const char* mask;
    std::int64_t side;
};
constexpr PackedKind kPacked[] = {
    {"it32", "t8mk", 128}, {"ih32", "h8mk", 48}, {"il32", "l8mk", 32}, {"is32", "s8mk", 16}};

struct Element {
    char type[4];
    std::size_t at = 0; // the data after the element's own header
    std::size_t bytes = 0;
};

std::vector<Element> Elements(const std::vector<std::uint8_t>& file) {
    std::vector<Element> elements;
    const std::size_t end = std::min<std::size_t>(file.size(), BigEndian(&file[4]));
    for (std::size_t at = kHeaderBytes; at + kHeaderBytes <= end;) {
        const std::uint32_t length = BigEndian(&file[at + 4]);
        if (length < kHeaderBytes || length > end - at)
            break;
        Element element;
        std::memcpy(element.type, &file[at], 4);
        element.at = at + kHeaderBytes;
        element.bytes = length - kHeaderBytes;
        elements.push_back(element);
        at += length;
    }
    return elements;
}

const Element* Find(const std::vector<Element>& elements, const char* type) {
    for (const Element& element : elements)
        if (std::memcmp(element.type, type, 4) == 0)
            return &element;
    return nullptr;
}

bool IsPng(const std::vector<std::uint8_t>& file, const Element& element) {
    return element.bytes >= kPngHeaderBytes &&
           std::memcmp(&file[element.at], "\x89PNG\r\n\x1a\n", 8) == 0;
}

// The largest picture of the file: a PNG element, or a packed one (its kind in `packed`).
struct Choice {
    const Element* element = nullptr;
    const PackedKind* packed = nullptr;
    std::int64_t width = 0, height = 0;
    // Sides of 32 bits each: the area fits 64 unsigned ones.
    std::uint64_t Area() const { return std::uint64_t(width) * std::uint64_t(height); }
};

Choice Largest(const std::vector<std::uint8_t>& file, const std::vector<Element>& elements) {
    Choice best;
    for (const Element& element : elements) {
        if (!IsPng(file, element))
            continue;
        const Choice png{&element, nullptr, BigEndian(&file[element.at + 16]),
                         BigEndian(&file[element.at + 20])};
        if (png.Area() > best.Area())
            best = png;
    }
    for (const PackedKind& kind : kPacked) {
        const Element* element = Find(elements, kind.image);
        const Choice packed{element, &kind, kind.side, kind.side};
        if (element != nullptr && packed.Area() > best.Area())
            best = packed;
    }
    return best;
}

// One channel of a packed icon: a byte below 128 copies that many plus one bytes, any
// other repeats the next byte that many less 125 times.
bool Unpack(const std::uint8_t* data, std::size_t bytes, std::size_t& at,
            std::vector<std::uint8_t>& channel) {
    std::size_t filled = 0;
    while (filled < channel.size()) {
        if (at >= bytes)
            return false;
        const std::uint8_t count = data[at++];
        const bool run = count >= 0x80;
        const std::size_t length = run ? count - 125u : count + 1u;
        if (length > channel.size() - filled || at + (run ? 1 : length) > bytes)
            return false;
        for (std::size_t k = 0; k < length; ++k)
            channel[filled++] = data[run ? at : at + k];
        at += run ? 1 : length;
    }
    return true;
}

std::string DecodePacked(const std::vector<std::uint8_t>& file,
                         const std::vector<Element>& elements, const Choice& choice,
                         THandyBitmap& picture) {
    const auto pixels = static_cast<std::size_t>(choice.width * choice.height);
    std::vector<std::uint8_t> channels[3];
    const std::uint8_t* data = &file[choice.element->at];
    // The largest kind starts with four bytes of nought.
    std::size_t at = std::strcmp(choice.packed->image, "it32") == 0 ? 4 : 0;
    for (std::vector<std::uint8_t>& channel : channels) {
        channel.assign(pixels, 0);
        if (!Unpack(data, choice.element->bytes, at, channel))
            return decoder_text::Damaged("a packed icon that ends early");
    }
    const Element* mask = Find(elements, choice.packed->mask);
    const bool masked = mask != nullptr && mask->bytes == pixels;
    PictureCanvas canvas(picture, 1);
    if (std::string refusal = canvas.Start(choice.width, choice.height); !refusal.empty())
        return refusal;
    const auto width = static_cast<std::size_t>(choice.width);
    std::vector<std::uint8_t> row(width * 4);
    for (std::int64_t y = 0; y < choice.height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            const std::size_t k = static_cast<std::size_t>(y) * width + x;
            for (int c = 0; c < 3; ++c)
                row[4 * x + c] = channels[c][k];
            row[4 * x + 3] = masked ? file[mask->at + k] : 255;
        }
        canvas.PutColors(static_cast<std::int32_t>(y), row.data(), 4);
    }
    return {};
}

// A PNG element read as a file of its own.
FileHandle OpenElement(std::vector<std::uint8_t>& file, const Element& element) {
    return FileHandle(fmemopen(&file[element.at], element.bytes, "rb"));
}

std::string ReadIcns(const std::string& fileName, std::vector<std::uint8_t>& file) {
    if (std::string refusal = ReadFileBytes(fileName, file); !refusal.empty())
        return refusal;
    // The length the file records is its whole: a shorter file was cut, even where the
    // icons left in it would still open.
    if (file.size() < kHeaderBytes || BigEndian(&file[4]) > file.size())
        return decoder_text::CutShort();
    return {};
}

} // namespace

std::string IcnsSize(const std::string& fileName, StoredSize& size) {
    std::vector<std::uint8_t> file;
    if (std::string refusal = ReadIcns(fileName, file); !refusal.empty())
        return refusal;
    const std::vector<Element> elements = Elements(file);
    const Choice choice = Largest(file, elements);
    if (choice.element == nullptr)
        return decoder_text::Unsupported("no PNG or 32-bit icon in the file");
    if (choice.packed == nullptr) {
        const FileHandle png = OpenElement(file, *choice.element);
        return png ? PngStreamSize(png.get(), size) : decoder_text::Damaged("out of memory");
    }
    size = {choice.width, choice.height, 1};
    return {};
}

std::string DecodeIcns(const std::string& fileName, THandyBitmap& picture) {
    std::vector<std::uint8_t> file;
    if (std::string refusal = ReadIcns(fileName, file); !refusal.empty())
        return refusal;
    const std::vector<Element> elements = Elements(file);
    const Choice choice = Largest(file, elements);
    if (choice.element == nullptr)
        return decoder_text::Unsupported("no PNG or 32-bit icon in the file");
    if (choice.packed != nullptr)
        return DecodePacked(file, elements, choice, picture);
    const FileHandle png = OpenElement(file, *choice.element);
    if (!png)
        return decoder_text::Damaged("out of memory");
    return DecodePngStream(png.get(), picture);
}

} // namespace slanter
