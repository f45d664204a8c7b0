// Where the final block starts and where its last code ends are known only by reading
// the stream, so every block is walked through; codes are read for their lengths alone,
// nothing is inflated.
#include "bitmap/encoders/DeflateJoin.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

namespace slanter {

namespace {

constexpr int kMaxCodeBits = 15;
// Codes up to this long are looked up at once; longer ones, rare, are walked bit by bit.
constexpr int kLookupBits = 11;
constexpr int kLitLenSymbols = 288;
// Zero bytes after the stream, so that the reader loads whole words without bounds
// checks: more than it reads between two checks of WellPastEnd.
constexpr std::size_t kPadding = 64;

// Bits least significant first, as DEFLATE packs them, from a buffer with kPadding zero
// bytes after its size bytes. After a Refill at least 56 bits are at hand.
class BitReader {
  public:
    BitReader(const std::uint8_t* data, std::size_t size)
        : data_(data), next_(data), limit_(data + size + 8) {}

    void Refill() {
        std::uint64_t word = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&word, next_, 8);
        } else {
            for (int k = 0; k < 8; ++k)
                word |= std::uint64_t{next_[k]} << (8 * k);
        }
        bits_ |= word << count_;
        next_ += (63 - count_) >> 3;
        count_ |= 56;
    }
    std::uint64_t Bits() const { return bits_; }
    void Consume(int bits) {
        bits_ >>= bits;
        count_ -= bits;
    }
    std::uint32_t Take(int bits) {
        Refill();
        const auto value = static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << bits) - 1));
        Consume(bits);
        return value;
    }
    void AlignToByte() { Consume(count_ % 8); }
    // Goes on at a byte of the stream; false past its end.
    bool SeekByte(std::uint64_t byte) {
        if (byte > static_cast<std::uint64_t>(limit_ - data_))
            return false;
        next_ = data_ + byte;
        bits_ = 0;
        count_ = 0;
        return true;
    }
    std::uint64_t Position() const {
        return static_cast<std::uint64_t>(next_ - data_) * 8 - static_cast<std::uint64_t>(count_);
    }
    // Far enough past the end that the stream is surely broken; reading on stays within
    // the padding.
    bool WellPastEnd() const { return next_ > limit_; }

  private:
    const std::uint8_t* data_;
    const std::uint8_t* next_;
    const std::uint8_t* limit_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

// What a symbol's entry says beyond its code: the extra bits that follow it, and its kind.
enum SymbolKind : std::uint32_t { kPlain = 0, kLength = 1, kEndOfBlock = 2, kInvalid = 3 };
struct SymbolMeaning {
    int extraBits = 0;
    SymbolKind kind = kPlain;
};
using MeaningOf = SymbolMeaning (*)(int symbol);

// An entry: symbol << 8 | kind << 5 | bits taken, code and extra bits together.
std::uint32_t Entry(int symbol, int codeBits, MeaningOf meaning) {
    const SymbolMeaning m = meaning(symbol);
    return static_cast<std::uint32_t>(symbol) << 8 | m.kind << 5 |
           static_cast<std::uint32_t>(codeBits + m.extraBits);
}
constexpr std::uint32_t kNoMatch = kInvalid << 5;

// A canonical Huffman code given by its lengths, read symbol by symbol.
class HuffmanCode {
  public:
    // False for lengths that no prefix code has (more codes of a length than fit).
    bool Build(const std::uint8_t* lengths, int count, MeaningOf meaning) {
        meaning_ = meaning;
        counts_.fill(0);
        for (int s = 0; s < count; ++s)
            ++counts_[lengths[s]];
        counts_[0] = 0;
        int left = 1;
        for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
            left = 2 * left - counts_[bits];
            if (left < 0)
                return false;
        }
        std::array<int, kMaxCodeBits + 2> next{};
        for (int bits = 1; bits <= kMaxCodeBits; ++bits)
            next[bits + 1] = next[bits] + counts_[bits];
        for (int s = 0; s < count; ++s)
            if (lengths[s] != 0)
                sorted_[next[lengths[s]]++] = static_cast<std::uint16_t>(s);

        lookup_.fill(0);
        std::uint32_t code = 0;
        int k = 0;
        for (int bits = 1; bits <= kLookupBits; ++bits, code <<= 1) {
            for (int n = 0; n < counts_[bits]; ++n, ++code) {
                const std::uint32_t entry = Entry(sorted_[k++], bits, meaning);
                // The code's first bit is the stream's first, so the table is indexed by
                // the code reversed.
                std::uint32_t reversed = 0;
                for (int b = 0; b < bits; ++b)
                    reversed |= ((code >> b) & 1u) << (bits - 1 - b);
                for (std::uint32_t i = reversed; i < lookup_.size(); i += 1u << bits)
                    lookup_[i] = entry;
            }
        }
        return true;
    }

    // The next symbol's entry, its bits consumed; kNoMatch where no code matches. Needs
    // a refilled reader.
    std::uint32_t Decode(BitReader& in) const {
        std::uint32_t entry = lookup_[in.Bits() & (lookup_.size() - 1)];
        if (entry == 0)
            entry = DecodeLong(in.Bits());
        in.Consume(static_cast<int>(entry & 31));
        return entry;
    }

  private:
    std::uint32_t DecodeLong(std::uint64_t bits) const {
        int code = 0;
        int first = 0;
        int index = 0;
        for (int length = 1; length <= kMaxCodeBits; ++length) {
            code |= static_cast<int>((bits >> (length - 1)) & 1u);
            const int count = counts_[length];
            if (code - count < first)
                return Entry(sorted_[index + code - first], length, meaning_);
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return kNoMatch;
    }

    std::array<std::uint32_t, 1u << kLookupBits> lookup_{}; // 0: a longer code
    std::array<int, kMaxCodeBits + 1> counts_{};
    std::array<std::uint16_t, kLitLenSymbols> sorted_{}; // by length, then by symbol
    MeaningOf meaning_ = nullptr;
};

SymbolMeaning LiteralOrLength(int symbol) {
    if (symbol < 256)
        return {0, kPlain};
    if (symbol == 256)
        return {0, kEndOfBlock};
    if (symbol > 285)
        return {0, kInvalid};
    return {symbol < 265 || symbol == 285 ? 0 : (symbol - 261) / 4, kLength};
}

SymbolMeaning Distance(int symbol) {
    if (symbol > 29)
        return {0, kInvalid};
    return {symbol < 4 ? 0 : (symbol - 2) / 2, kPlain};
}

SymbolMeaning CodeLength(int) {
    return {0, kPlain};
}

SymbolKind KindOf(std::uint32_t entry) {
    return static_cast<SymbolKind>((entry >> 5) & 3);
}

// Reads a block's codes through its end-of-block code.
bool SkipCodes(BitReader& in, const HuffmanCode& literals, const HuffmanCode& distances) {
    for (;;) {
        if (in.WellPastEnd())
            return false;
        in.Refill();
        const SymbolKind kind = KindOf(literals.Decode(in));
        if (kind == kPlain)
            continue;
        if (kind != kLength)
            return kind == kEndOfBlock;
        if (KindOf(distances.Decode(in)) == kInvalid)
            return false;
    }
}

bool ReadFixedCodes(HuffmanCode& literals, HuffmanCode& distances) {
    std::array<std::uint8_t, kLitLenSymbols> lengths{};
    std::fill(lengths.begin(), lengths.begin() + 144, 8);
    std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
    std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
    std::fill(lengths.begin() + 280, lengths.end(), 8);
    std::array<std::uint8_t, 30> distanceLengths;
    distanceLengths.fill(5);
    return literals.Build(lengths.data(), kLitLenSymbols, LiteralOrLength) &&
           distances.Build(distanceLengths.data(), 30, Distance);
}

bool ReadDynamicCodes(BitReader& in, HuffmanCode& literals, HuffmanCode& distances) {
    const int literalCount = static_cast<int>(in.Take(5)) + 257;
    const int distanceCount = static_cast<int>(in.Take(5)) + 1;
    const int lengthCodeCount = static_cast<int>(in.Take(4)) + 4;
    if (literalCount > 286 || distanceCount > 30)
        return false;
    static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                11, 4,  12, 3, 13, 2, 14, 1, 15};
    std::array<std::uint8_t, 19> lengthCodeLengths{};
    for (int k = 0; k < lengthCodeCount; ++k)
        lengthCodeLengths[kOrder[k]] = static_cast<std::uint8_t>(in.Take(3));
    HuffmanCode lengthCode;
    if (!lengthCode.Build(lengthCodeLengths.data(), 19, CodeLength))
        return false;

    std::array<std::uint8_t, 286 + 30> lengths{};
    const int total = literalCount + distanceCount;
    for (int n = 0; n < total;) {
        if (in.WellPastEnd())
            return false;
        in.Refill();
        const std::uint32_t entry = lengthCode.Decode(in);
        if (KindOf(entry) == kInvalid)
            return false;
        const int symbol = static_cast<int>(entry >> 8);
        if (symbol < 16) {
            lengths[static_cast<std::size_t>(n++)] = static_cast<std::uint8_t>(symbol);
            continue;
        }
        std::uint8_t repeated = 0;
        int times = 0;
        if (symbol == 16) {
            if (n == 0)
                return false;
            repeated = lengths[static_cast<std::size_t>(n - 1)];
            times = 3 + static_cast<int>(in.Take(2));
        } else {
            times =
                symbol == 17 ? 3 + static_cast<int>(in.Take(3)) : 11 + static_cast<int>(in.Take(7));
        }
        if (n + times > total)
            return false;
        std::fill_n(lengths.begin() + n, times, repeated);
        n += times;
    }
    return lengths[256] != 0 && literals.Build(lengths.data(), literalCount, LiteralOrLength) &&
           distances.Build(lengths.data() + literalCount, distanceCount, Distance);
}

struct FinalBlock {
    std::uint64_t header = 0; // bit of its BFINAL flag
    std::uint64_t end = 0;    // first bit after its last code
};

std::optional<FinalBlock> FindFinalBlock(const std::uint8_t* padded, std::size_t size) {
    BitReader in(padded, size);
    HuffmanCode literals;
    HuffmanCode distances;
    for (;;) {
        if (in.WellPastEnd())
            return std::nullopt;
        const std::uint64_t header = in.Position();
        const bool final = in.Take(1) != 0;
        const std::uint32_t type = in.Take(2);
        if (type == 0) {
            in.AlignToByte();
            const std::uint32_t length = in.Take(16);
            if ((in.Take(16) ^ 0xFFFFu) != length || !in.SeekByte(in.Position() / 8 + length))
                return std::nullopt;
        } else if (type == 1) {
            if (!ReadFixedCodes(literals, distances) || !SkipCodes(in, literals, distances))
                return std::nullopt;
        } else if (type == 2) {
            if (!ReadDynamicCodes(in, literals, distances) || !SkipCodes(in, literals, distances))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
        if (in.Position() > std::uint64_t{size} * 8)
            return std::nullopt;
        if (final)
            return FinalBlock{header, in.Position()};
    }
}

} // namespace

bool OpenForJoining(std::vector<std::uint8_t>& deflated) {
    const std::size_t size = deflated.size();
    deflated.resize(size + kPadding, 0);
    const std::optional<FinalBlock> final = FindFinalBlock(deflated.data(), size);
    deflated.resize(size);
    if (!final)
        return false;
    deflated[final->header / 8] &= static_cast<std::uint8_t>(~(1u << (final->header % 8)));
    // The stored block's header is three zero bits right after the last code; its
    // lengths, 0 and its complement, start on the next byte boundary.
    const auto lastByte = static_cast<std::size_t>(final->end / 8);
    deflated.resize(static_cast<std::size_t>((final->end + 3 + 7) / 8), 0);
    deflated[lastByte] &= static_cast<std::uint8_t>((1u << (final->end % 8)) - 1);
    std::fill(deflated.begin() + static_cast<std::ptrdiff_t>(lastByte) + 1, deflated.end(),
              std::uint8_t{0});
    deflated.insert(deflated.end(), {0x00, 0x00, 0xFF, 0xFF});
    return true;
}

} // namespace slanter
