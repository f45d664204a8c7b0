#include "bitmap/decoders/ClassicTiff.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <system_error>

#include "bitmap/FileLayer.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileBytes.h"

namespace slanter {

namespace {

// Tags whose values are offsets of further directories, which a classic reader would
// read as classic ones.
constexpr std::uint16_t kDirectoryTags[] = {330, 34665, 34853, 40965};

// The bytes of one value of each field type; 0 for a type TIFF does not define.
std::uint64_t TypeBytes(std::uint16_t type) {
    switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
        return 1;
    case 3:
    case 8:
        return 2;
    case 4:
    case 9:
    case 11:
    case 13:
        return 4;
    case 5:
    case 10:
    case 12:
    case 16:
    case 17:
    case 18:
        return 8;
    default:
        return 0;
    }
}

// The classic type of a 64-bit one: LONG8, SLONG8 and IFD8 become LONG, SLONG and IFD.
std::uint16_t ClassicType(std::uint16_t type) {
    return type == 16 ? 4 : type == 17 ? 9 : type == 18 ? 13 : type;
}

class Order {
  public:
    explicit Order(bool little) : little_(little) {}
    std::uint64_t Read(const std::uint8_t* at, int bytes) const {
        std::uint64_t value = 0;
        for (int k = 0; k < bytes; ++k)
            value |= std::uint64_t{at[little_ ? k : bytes - 1 - k]} << (8 * k);
        return value;
    }
    void Append(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) const {
        for (int k = 0; k < bytes; ++k)
            out.push_back(static_cast<std::uint8_t>(value >> (8 * (little_ ? k : bytes - 1 - k))));
    }
    void Put(std::uint8_t* at, std::uint64_t value, int bytes) const {
        for (int k = 0; k < bytes; ++k)
            at[k] = static_cast<std::uint8_t>(value >> (8 * (little_ ? k : bytes - 1 - k)));
    }

  private:
    bool little_;
};

struct Field {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::vector<std::uint8_t> values; // in the file's order, classic widths
};

// The field at `entry`, its values narrowed to classic widths; false when a value or the
// count does not fit 32 bits or lies outside the file.
bool ReadField(const std::vector<std::uint8_t>& big, std::size_t entry, const Order& order,
               Field& field) {
    field.tag = static_cast<std::uint16_t>(order.Read(&big[entry], 2));
    field.type = static_cast<std::uint16_t>(order.Read(&big[entry + 2], 2));
    const std::uint64_t count = order.Read(&big[entry + 4], 8);
    const std::uint64_t width = TypeBytes(field.type);
    if (width == 0 || count > UINT32_MAX || count > big.size())
        return false;
    field.count = static_cast<std::uint32_t>(count);
    const std::uint64_t bytes = count * width;
    std::uint64_t at = entry + 12;
    if (bytes > 8) {
        at = order.Read(&big[entry + 12], 8);
        if (at > big.size() || bytes > big.size() - at)
            return false;
    }
    const std::uint16_t classic = ClassicType(field.type);
    if (classic == field.type) {
        field.values.assign(big.begin() + static_cast<std::ptrdiff_t>(at),
                            big.begin() + static_cast<std::ptrdiff_t>(at + bytes));
        return true;
    }
    for (std::uint64_t k = 0; k < count; ++k) {
        const std::uint64_t value = order.Read(&big[at + 8 * k], 8);
        const bool fits = field.type == 17 ? static_cast<std::int64_t>(value) >= INT32_MIN &&
                                                 static_cast<std::int64_t>(value) <= INT32_MAX
                                           : value <= UINT32_MAX;
        if (!fits)
            return false;
        order.Append(field.values, value, 4);
    }
    field.type = classic;
    return true;
}

} // namespace

bool IsBigTiff(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 16 &&
           ((bytes[0] == 'I' && bytes[1] == 'I' && bytes[2] == 43 && bytes[3] == 0) ||
            (bytes[0] == 'M' && bytes[1] == 'M' && bytes[2] == 0 && bytes[3] == 43));
}

std::string ClassicTiffOf(const std::vector<std::uint8_t>& big,
                          std::vector<std::uint8_t>& classic) {
    if (!IsBigTiff(big))
        return decoder_text::Damaged();
    const Order order(big[0] == 'I');
    const std::uint64_t directory = order.Read(&big[8], 8);
    if (order.Read(&big[4], 2) != 8 || directory > big.size() || big.size() - directory < 8)
        return decoder_text::Damaged();
    const std::uint64_t count = order.Read(&big[directory], 8);
    if (count == 0 || count > (big.size() - directory - 8) / 20)
        return decoder_text::CutShort();
    std::vector<Field> fields;
    for (std::uint64_t k = 0; k < count; ++k) {
        Field field;
        if (!ReadField(big, static_cast<std::size_t>(directory + 8 + 20 * k), order, field))
            return decoder_text::Damaged("a field past what 32 bits hold");
        if (std::find(std::begin(kDirectoryTags), std::end(kDirectoryTags), field.tag) ==
            std::end(kDirectoryTags))
            fields.push_back(std::move(field));
    }
    // The file's bytes, then the directory, then the values that do not fit in it.
    classic = big;
    classic.resize(classic.size() + (classic.size() & 1));
    const std::uint64_t at = classic.size();
    const std::uint64_t values = at + 2 + 12 * fields.size() + 4;
    if (values > UINT32_MAX)
        return decoder_text::Damaged("a file past what 32 bits hold");
    order.Append(classic, fields.size(), 2);
    std::vector<std::uint8_t> outside;
    for (const Field& field : fields) {
        order.Append(classic, field.tag, 2);
        order.Append(classic, field.type, 2);
        order.Append(classic, field.count, 4);
        if (field.values.size() <= 4) {
            classic.insert(classic.end(), field.values.begin(), field.values.end());
            classic.resize(classic.size() + 4 - field.values.size());
            continue;
        }
        const std::uint64_t offset = values + outside.size();
        if (offset + field.values.size() > UINT32_MAX)
            return decoder_text::Damaged("a file past what 32 bits hold");
        order.Append(classic, offset, 4);
        outside.insert(outside.end(), field.values.begin(), field.values.end());
        outside.resize(outside.size() + (outside.size() & 1));
    }
    order.Append(classic, 0, 4); // no next picture
    classic.insert(classic.end(), outside.begin(), outside.end());
    classic[2] = big[0] == 'I' ? 42 : 0;
    classic[3] = big[0] == 'I' ? 0 : 42;
    order.Put(&classic[4], at, 4);
    return {};
}

ClassicTiffFile::ClassicTiffFile(const std::string& fileName) : path_(fileName) {
    std::vector<std::uint8_t> head(16);
    PlatformFile file;
    if (!file.OpenForReading(fileName) || file.Read(head.data(), head.size()) != head.size() ||
        !IsBigTiff(head))
        return;
    file.Close();
    std::vector<std::uint8_t> big;
    std::vector<std::uint8_t> classic;
    refusal_ = ReadFileBytes(fileName, big);
    if (refusal_.empty())
        refusal_ = ClassicTiffOf(big, classic);
    if (!refusal_.empty())
        return;
    std::error_code error;
    std::random_device random;
    const std::string copy =
        (std::filesystem::temp_directory_path(error) /
         ("slanter-" + std::to_string(random()) + "-" + std::to_string(random()) + ".tif"))
            .string();
    PlatformFile out;
    const bool written =
        !error && out.Create(copy) && out.Write(classic.data(), classic.size()) == classic.size();
    if (!out.Close() || !written) {
        std::filesystem::remove(copy, error);
        refusal_ = decoder_text::CantOpen();
        return;
    }
    copy_ = copy;
    path_ = copy;
}

ClassicTiffFile::~ClassicTiffFile() {
    if (!copy_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(copy_, ignored);
    }
}

} // namespace slanter
