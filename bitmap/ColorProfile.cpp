#include "bitmap/ColorProfile.h"

#include <cstring>

#include "bitmap/ByteOrder.h"

namespace slanter {

namespace {

constexpr std::size_t kHeaderBytes = 128;
constexpr std::size_t kTagBytes = 12;

bool SignatureIs(const std::uint8_t* bytes, const char* signature) {
    return std::memcmp(bytes, signature, 4) == 0;
}

void AppendUtf8(std::string& text, std::uint32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | code >> 6);
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | code >> 12);
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Version 2's textDescriptionType: a counted ASCII text.
std::string AsciiDescription(const std::uint8_t* tag, std::size_t size) {
    if (size < 12)
        return {};
    const std::size_t count = BigEndian(tag + 8);
    std::string text;
    for (std::size_t k = 0; k < count && 12 + k < size && tag[12 + k] != 0; ++k)
        text += static_cast<char>(tag[12 + k] < 0x80 ? tag[12 + k] : '?');
    return text;
}

// Version 4's multiLocalizedUnicodeType: the first record's UTF-16 text.
std::string UnicodeDescription(const std::uint8_t* tag, std::size_t size) {
    if (size < 28 || BigEndian(tag + 8) == 0)
        return {};
    const std::size_t length = BigEndian(tag + 20);
    const std::size_t offset = BigEndian(tag + 24);
    if (offset > size || length > size - offset)
        return {};
    std::string text;
    for (std::size_t k = 0; k + 1 < length; k += 2) {
        const std::uint32_t unit = std::uint32_t{tag[offset + k]} << 8 | tag[offset + k + 1];
        if (unit == 0)
            break;
        // Characters beyond the basic plane are rare in a profile's name.
        AppendUtf8(text, unit >= 0xD800 && unit < 0xE000 ? '?' : unit);
    }
    return text;
}

} // namespace

bool IsWellFormedProfile(const std::vector<std::uint8_t>& profile) {
    const std::size_t length = profile.size();
    if (length < kHeaderBytes + 4)
        return false;
    const std::uint8_t* bytes = profile.data();
    if (BigEndian(bytes) != length || !SignatureIs(bytes + 36, "acsp"))
        return false;
    const std::size_t tags = BigEndian(bytes + kHeaderBytes);
    if (tags > (length - kHeaderBytes - 4) / kTagBytes)
        return false;
    for (std::size_t k = 0; k < tags; ++k) {
        const std::uint8_t* entry = bytes + kHeaderBytes + 4 + k * kTagBytes;
        const std::size_t offset = BigEndian(entry + 4);
        const std::size_t size = BigEndian(entry + 8);
        if (offset < kHeaderBytes || offset > length || size > length - offset)
            return false;
    }
    return true;
}

std::string ProfileDescription(const std::vector<std::uint8_t>& profile) {
    if (!IsWellFormedProfile(profile))
        return {};
    const std::uint8_t* bytes = profile.data();
    const std::size_t tags = BigEndian(bytes + kHeaderBytes);
    for (std::size_t k = 0; k < tags; ++k) {
        const std::uint8_t* entry = bytes + kHeaderBytes + 4 + k * kTagBytes;
        if (!SignatureIs(entry, "desc"))
            continue;
        const std::uint8_t* tag = bytes + BigEndian(entry + 4);
        const std::size_t size = BigEndian(entry + 8);
        if (size < 4)
            return {};
        if (SignatureIs(tag, "desc"))
            return AsciiDescription(tag, size);
        if (SignatureIs(tag, "mluc"))
            return UnicodeDescription(tag, size);
    }
    return {};
}

} // namespace slanter
