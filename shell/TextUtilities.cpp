#include "shell/TextUtilities.h"

#include <algorithm>
#include <cstddef>

namespace slanter {

namespace {

// Bytes taken by the character that begins at offset; a lead byte at the very end of the
// text stands alone, since there is no second byte to take.
std::size_t CharacterLength(const std::string& s, std::size_t offset) {
    if (IsLeadByte(static_cast<unsigned char>(s[offset])) && offset + 1 < s.size())
        return 2;
    return 1;
}

// Byte offset of character number `character` (from 1); s.size() when s ends before it.
std::size_t OffsetOfCharacter(const std::string& s, int character) {
    std::size_t offset = 0;
    for (int k = 1; k < character && offset < s.size(); ++k)
        offset += CharacterLength(s, offset);
    return offset;
}

} // namespace

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string MBCopy(const std::string& s, int start, int count) {
    if (count <= 0)
        return {};
    const std::size_t first = OffsetOfCharacter(s, start < 1 ? 1 : start);
    std::size_t end = first;
    for (int k = 0; k < count && end < s.size(); ++k)
        end += CharacterLength(s, end);
    return s.substr(first, end - first);
}

std::string MBCopyFrom(const std::string& s, int start) {
    return s.substr(OffsetOfCharacter(s, start < 1 ? 1 : start));
}

int MBPos(const std::string& sub, const std::string& s) {
    if (sub.empty())
        return 0;
    int character = 1;
    for (std::size_t offset = 0; offset < s.size(); offset += CharacterLength(s, offset)) {
        if (s.compare(offset, sub.size(), sub) == 0)
            return character;
        ++character;
    }
    return 0;
}

std::string RightStr(const std::string& s, int count) {
    if (count <= 0)
        return {};
    const auto wanted = static_cast<std::size_t>(count);
    return wanted >= s.size() ? s : s.substr(s.size() - wanted);
}

std::string UpperCaseAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return text;
}

} // namespace slanter
