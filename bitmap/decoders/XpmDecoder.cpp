#include <algorithm>
#include <cctype>
#include <cstdint>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileBytes.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"
#include "bitmap/decoders/XColorNames.h"

namespace slanter {

namespace {

// The values line comes first; a file whose first string lies further is no XPM file a
// program wrote.
constexpr std::size_t kMostHeaderBytes = 4096;
constexpr int kMostCharsPerPixel = 8;
constexpr std::size_t kMostPaletteColors = 256;

// The C strings of an XPM file in order, comments between them skipped.
class XpmStrings {
  public:
    explicit XpmStrings(const std::vector<std::uint8_t>& bytes)
        : text_(reinterpret_cast<const char*>(bytes.data()), bytes.size()) {}

    bool Next(std::string_view& string) {
        while (at_ < text_.size()) {
            if (text_.compare(at_, 2, "/*") == 0) {
                const std::size_t end = text_.find("*/", at_ + 2);
                at_ = end == std::string_view::npos ? text_.size() : end + 2;
            } else if (text_[at_] == '"') {
                const std::size_t end = text_.find('"', at_ + 1);
                if (end == std::string_view::npos)
                    return false;
                string = text_.substr(at_ + 1, end - at_ - 1);
                at_ = end + 1;
                return true;
            } else {
                ++at_;
            }
        }
        return false;
    }
    std::size_t At() const { return at_; }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};

struct XpmHeader {
    std::uint32_t width = 0, height = 0, colors = 0;
    int charsPerPixel = 0;
};

bool ReadHeader(XpmStrings& strings, XpmHeader& header) {
    std::string_view values;
    if (!strings.Next(values) || strings.At() > kMostHeaderBytes)
        return false;
    std::istringstream in{std::string(values)};
    std::int64_t width = 0, height = 0, colors = 0, chars = 0;
    if (!(in >> width >> height >> colors >> chars) || width <= 0 || height <= 0 || colors <= 0 ||
        chars <= 0 || chars > kMostCharsPerPixel || width > 0x7fffffff || height > 0x7fffffff ||
        colors > 0x7fffffff)
        return false;
    header = {std::uint32_t(width), std::uint32_t(height), std::uint32_t(colors), int(chars)};
    return true;
}

// The pixel's characters as one number.
std::uint64_t KeyOf(std::string_view chars) {
    std::uint64_t key = 0;
    for (const char c : chars)
        key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

// "#RGB" to "#RRRRGGGGBBBB": each channel's digits scaled to 0..255.
bool HexColor(const std::string& text, std::uint32_t& rgba) {
    const std::size_t digits = text.size() - 1;
    if (digits == 0 || digits % 3 != 0 || digits > 12)
        return false;
    const std::size_t each = digits / 3;
    const std::uint64_t most = (std::uint64_t{1} << 4 * each) - 1;
    int channel[3] = {};
    for (int c = 0; c < 3; ++c) {
        std::uint64_t value = 0;
        for (std::size_t k = 0; k < each; ++k) {
            const char d = static_cast<char>(std::tolower(text[1 + c * each + k]));
            if (!std::isxdigit(static_cast<unsigned char>(d)))
                return false;
            value = value * 16 + (d <= '9' ? d - '0' : d - 'a' + 10);
        }
        channel[c] = static_cast<int>((value * 255 + most / 2) / most);
    }
    rgba = Rgba(channel[0], channel[1], channel[2]);
    return true;
}

// The colour of one colour line after its characters: the colour ("c") key's value,
// else the grey or mono ones'. Values may be words with blanks ("light gray").
std::string LineColor(std::string_view line, std::uint32_t& rgba) {
    std::istringstream in{std::string(line)};
    std::unordered_map<std::string, std::string> values;
    std::string word, key;
    while (in >> word) {
        if (word == "c" || word == "m" || word == "g" || word == "g4" || word == "s") {
            key = word;
            values[key].clear();
        } else if (!key.empty()) {
            std::string& value = values[key];
            value += value.empty() ? word : " " + word;
        }
    }
    for (const char* chosen : {"c", "g", "g4", "m"}) {
        const auto found = values.find(chosen);
        if (found == values.end() || found->second.empty())
            continue;
        std::string value = found->second;
        std::string lower = value;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower == "none") {
            rgba = Rgba(255, 255, 255, 0);
            return {};
        }
        std::uint8_t red = 0, green = 0, blue = 0;
        if (value[0] == '#' ? HexColor(value, rgba) : XColorByName(value, red, green, blue)) {
            if (value[0] != '#')
                rgba = Rgba(red, green, blue);
            return {};
        }
        return decoder_text::Unsupported("colour " + value);
    }
    return decoder_text::Damaged("a colour line without a colour");
}

std::string Decode(const std::vector<std::uint8_t>& bytes, THandyBitmap& picture) {
    XpmStrings strings(bytes);
    XpmHeader header;
    if (!ReadHeader(strings, header))
        return decoder_text::Damaged("no width, height, colours or characters per pixel");
    const std::size_t rowChars = std::size_t{header.width} * header.charsPerPixel;
    // Refused before a picture of the claimed size is made.
    if (header.colors > bytes.size() ||
        std::uint64_t{header.height} * rowChars > std::uint64_t{bytes.size()})
        return decoder_text::CutShort();
    std::unordered_map<std::uint64_t, std::uint32_t> indexOf;
    std::vector<std::uint32_t> palette;
    for (std::uint32_t k = 0; k < header.colors; ++k) {
        std::string_view line;
        if (!strings.Next(line))
            return decoder_text::CutShort();
        if (line.size() < std::size_t(header.charsPerPixel))
            return decoder_text::Damaged("a colour line without its characters");
        std::uint32_t rgba = 0;
        if (std::string refusal = LineColor(line.substr(header.charsPerPixel), rgba);
            !refusal.empty())
            return refusal;
        indexOf[KeyOf(line.substr(0, header.charsPerPixel))] = k;
        palette.push_back(rgba);
    }
    const bool indexed = palette.size() <= kMostPaletteColors;
    PictureCanvas canvas(picture, 1);
    if (std::string refusal = canvas.Start(header.width, header.height,
                                           indexed ? palette : std::vector<std::uint32_t>{});
        !refusal.empty())
        return refusal;
    std::vector<std::uint8_t> row(std::size_t{header.width} * (indexed ? 1 : 4));
    for (std::uint32_t y = 0; y < header.height; ++y) {
        std::string_view line;
        if (!strings.Next(line) || line.size() < rowChars)
            return decoder_text::CutShort();
        for (std::uint32_t x = 0; x < header.width; ++x) {
            const auto found = indexOf.find(
                KeyOf(line.substr(std::size_t{x} * header.charsPerPixel, header.charsPerPixel)));
            // Characters no colour line names are the first colour.
            const std::uint32_t index = found == indexOf.end() ? 0 : found->second;
            if (indexed) {
                row[x] = static_cast<std::uint8_t>(index);
                continue;
            }
            const std::uint32_t rgba = palette[index];
            for (int c = 0; c < 4; ++c)
                row[4 * std::size_t{x} + c] = static_cast<std::uint8_t>(rgba >> 8 * c);
        }
        if (indexed)
            canvas.PutIndices(static_cast<std::int32_t>(y), row.data());
        else
            canvas.PutColors(static_cast<std::int32_t>(y), row.data(), 4);
    }
    return {};
}

} // namespace

std::string XpmSize(const std::string& fileName, StoredSize& size) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    std::vector<std::uint8_t> head(kMostHeaderBytes);
    head.resize(std::fread(head.data(), 1, head.size(), file.get()));
    XpmStrings strings(head);
    XpmHeader header;
    if (!ReadHeader(strings, header))
        return decoder_text::Damaged("no width, height, colours or characters per pixel");
    size = {header.width, header.height, 1};
    return {};
}

std::string DecodeXpm(const std::string& fileName, THandyBitmap& picture) {
    std::vector<std::uint8_t> bytes;
    if (std::string refusal = ReadFileBytes(fileName, bytes); !refusal.empty())
        return refusal;
    return Decode(bytes, picture);
}

} // namespace slanter
