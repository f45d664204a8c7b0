#include "shell/TextUtilities.h"

#include <algorithm>
#include <cstddef>

namespace slanter {

namespace {

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

bool IsUtf8Continuation(unsigned char byte) {
    return byte >= 0x80 && byte <= 0xBF;
}

// Byte offset of character number `character` (from 1); s.size() when s ends before it.
std::size_t OffsetOfCharacter(const std::string& s, int character, CodePage codePage) {
    std::size_t offset = 0;
    for (int k = 1; k < character && offset < s.size(); ++k)
        offset += CharacterLength(s, offset, codePage);
    return offset;
}

} // namespace

CodePage CodePageOfWindows(unsigned identifier) {
    if (identifier == 932)
        return CodePage::ShiftJis;
    if (identifier == 65001)
        return CodePage::Utf8;
    return CodePage::SingleByte;
}

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t CharacterLength(const std::string& s, std::size_t offset, CodePage codePage) {
    const auto lead = static_cast<unsigned char>(s[offset]);
    switch (codePage) {
    case CodePage::ShiftJis:
        // A lead byte at the very end stands alone: there is no second byte to take.
        return IsLeadByte(lead) && offset + 1 < s.size() ? 2 : 1;
    case CodePage::Utf8: {
        const std::size_t wanted = Utf8SequenceLength(lead);
        std::size_t length = 1;
        while (length < wanted && offset + length < s.size() &&
               IsUtf8Continuation(static_cast<unsigned char>(s[offset + length])))
            ++length;
        return length;
    }
    case CodePage::SingleByte:
        break;
    }
    return 1;
}

std::string MBCopy(const std::string& s, int start, int count, CodePage codePage) {
    if (count <= 0)
        return {};
    const std::size_t first = OffsetOfCharacter(s, start < 1 ? 1 : start, codePage);
    std::size_t end = first;
    for (int k = 0; k < count && end < s.size(); ++k)
        end += CharacterLength(s, end, codePage);
    return s.substr(first, end - first);
}

std::string MBCopyFrom(const std::string& s, int start, CodePage codePage) {
    return s.substr(OffsetOfCharacter(s, start < 1 ? 1 : start, codePage));
}

int MBPos(const std::string& sub, const std::string& s, CodePage codePage) {
    if (sub.empty())
        return 0;
    int character = 1;
    for (std::size_t offset = 0; offset < s.size();
         offset += CharacterLength(s, offset, codePage)) {
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

std::string LowerCaseAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

std::vector<std::string> SplitAt(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace slanter
