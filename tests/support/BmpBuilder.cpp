#include "support/BmpBuilder.h"

#include <stdexcept>

namespace slanter::testing {

namespace {

void Put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    Put16(out, bits & 0xFFFF);
    Put16(out, bits >> 16);
}

} // namespace

Bytes BuildBmp(const BmpLayout& layout) {
    const std::size_t length =
        54 + layout.table.size() + layout.image.size() + layout.trailing.size();
    Bytes out;
    Put16(out, layout.type);
    Put32(out, layout.size.value_or(static_cast<std::int32_t>(length)));
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, layout.offBits.value_or(static_cast<std::int32_t>(54 + layout.table.size())));
    Put32(out, layout.infoSize);
    Put32(out, layout.width);
    Put32(out, layout.height);
    Put16(out, layout.planes);
    Put16(out, layout.bitCount);
    Put32(out, layout.compression);
    Put32(out, layout.sizeImage);
    Put32(out, layout.xPelsPerMeter);
    Put32(out, layout.yPelsPerMeter);
    Put32(out, layout.clrUsed.value_or(static_cast<std::int32_t>(layout.table.size() / 4)));
    Put32(out, layout.clrImportant);
    out.insert(out.end(), layout.table.begin(), layout.table.end());
    out.insert(out.end(), layout.image.begin(), layout.image.end());
    out.insert(out.end(), layout.trailing.begin(), layout.trailing.end());
    return out;
}

Bytes TableOf(const std::vector<Quad>& entries) {
    Bytes out;
    for (const Quad& q : entries)
        out.insert(out.end(), {q.blue, q.green, q.red, q.reserved});
    return out;
}

Bytes PaddedRows(const std::vector<Bytes>& rows, std::size_t rowBytes) {
    Bytes out;
    for (const Bytes& row : rows) {
        if (row.size() > rowBytes)
            throw std::invalid_argument("a row longer than its stored size");
        out.insert(out.end(), row.begin(), row.end());
        out.resize(out.size() + rowBytes - row.size(), 0);
    }
    return out;
}

std::int32_t I32At(const Bytes& bytes, std::size_t offset) {
    return static_cast<std::int32_t>(U16At(bytes, offset) | std::uint32_t{U16At(bytes, offset + 2)}
                                                                << 16);
}

std::uint16_t U16At(const Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

} // namespace slanter::testing
