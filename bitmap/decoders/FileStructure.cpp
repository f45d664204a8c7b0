#include "bitmap/decoders/FileStructure.h"

#include <cstring>
#include <utility>

#include "bitmap/ByteOrder.h"

namespace slanter {

namespace {

constexpr int kStart = 0xd8, kEnd = 0xd9, kScan = 0xda, kFirstRestart = 0xd0, kLastRestart = 0xd7,
              kTemporary = 0x01;

// The file's position kept while a walk reads it.
class KeptPosition {
  public:
    explicit KeptPosition(std::FILE* file) : file_(file), at_(std::ftell(file)) {}
    ~KeptPosition() {
        if (at_ >= 0)
            std::fseek(file_, at_, SEEK_SET);
    }
    KeptPosition(const KeptPosition&) = delete;
    KeptPosition& operator=(const KeptPosition&) = delete;
    bool Known() const { return at_ >= 0; }

  private:
    std::FILE* file_;
    long at_;
};

// The markers that may follow a scan's data: frames, tables, another scan, the end.
bool MayFollowScan(int marker) {
    return (marker >= 0xc0 && marker <= 0xcf) || (marker >= 0xd9 && marker <= 0xdf) ||
           (marker >= 0xe0 && marker <= 0xef) || marker == 0xfe;
}

// The data of a scan up to the marker after it, which `next` gets.
FileStructure ReadScan(std::FILE* file, int& next) {
    int restart = 0;
    for (;;) {
        int byte = std::fgetc(file);
        if (byte == EOF)
            return FileStructure::Cut;
        if (byte != 0xff)
            continue;
        do
            byte = std::fgetc(file);
        while (byte == 0xff);
        if (byte == EOF)
            return FileStructure::Cut;
        if (byte == 0)
            continue;
        if (byte >= kFirstRestart && byte <= kLastRestart) {
            if (byte != kFirstRestart + restart)
                return FileStructure::Damaged;
            restart = (restart + 1) % 8;
            continue;
        }
        if (!MayFollowScan(byte))
            return FileStructure::Damaged;
        next = byte;
        return FileStructure::Whole;
    }
}

} // namespace

FileStructure JpegStructure(std::FILE* file) {
    const KeptPosition kept(file);
    if (!kept.Known() || std::fseek(file, 0, SEEK_SET) != 0)
        return FileStructure::Whole; // nothing to tell
    if (std::fgetc(file) != 0xff || std::fgetc(file) != kStart)
        return FileStructure::Damaged;
    int marker = -1; // the marker a scan's data ended at, not yet taken
    for (;;) {
        if (marker < 0) {
            const int lead = std::fgetc(file);
            if (lead == EOF)
                return FileStructure::Cut;
            // Bytes between segments are damage, as libjpeg warns of them.
            if (lead != 0xff)
                return FileStructure::Damaged;
            do
                marker = std::fgetc(file);
            while (marker == 0xff);
            if (marker == EOF)
                return FileStructure::Cut;
        }
        const int taken = std::exchange(marker, -1);
        if (taken == kEnd)
            return FileStructure::Whole;
        if (taken == kTemporary || (taken >= kFirstRestart && taken <= kLastRestart))
            continue;
        if (taken == 0 || taken == kStart)
            return FileStructure::Damaged;
        const int high = std::fgetc(file);
        const int low = std::fgetc(file);
        if (low == EOF)
            return FileStructure::Cut;
        const int length = high << 8 | low;
        if (length < 2)
            return FileStructure::Damaged;
        // A segment past the end shows when the next read finds nothing.
        if (std::fseek(file, length - 2, SEEK_CUR) != 0)
            return FileStructure::Cut;
        if (taken != kScan)
            continue;
        if (const FileStructure scan = ReadScan(file, marker); scan != FileStructure::Whole)
            return scan;
    }
}

bool PngDataWithinFile(std::FILE* file, long start, std::uint64_t fileBytes) {
    const KeptPosition kept(file);
    if (start < 0 || !kept.Known())
        return true;
    constexpr std::uint64_t kSignatureBytes = 8, kChunkHeadBytes = 8, kCrcBytes = 4;
    std::uint64_t chunk = std::uint64_t(start) + kSignatureBytes;
    bool seenData = false;
    unsigned char head[kChunkHeadBytes];
    while (std::fseek(file, static_cast<long>(chunk), SEEK_SET) == 0 &&
           std::fread(head, 1, sizeof head, file) == sizeof head) {
        const bool data = std::memcmp(head + 4, "IDAT", 4) == 0;
        if (seenData && !data)
            return true;
        seenData = seenData || data;
        const std::uint64_t length = BigEndian(head);
        chunk += kChunkHeadBytes + length + kCrcBytes;
        if (chunk > fileBytes)
            return false;
    }
    return true;
}

bool IcoEntriesWithinFile(std::FILE* file, std::uint64_t fileBytes) {
    const KeptPosition kept(file);
    constexpr long kCountAt = 4, kEntryBytes = 16;
    unsigned char count[2];
    if (!kept.Known() || std::fseek(file, kCountAt, SEEK_SET) != 0 ||
        std::fread(count, 1, sizeof count, file) != sizeof count)
        return true;
    for (int k = 0; k < (count[0] | count[1] << 8); ++k) {
        unsigned char entry[kEntryBytes];
        if (std::fread(entry, 1, sizeof entry, file) != sizeof entry)
            return false;
        const auto little = [&](int at) {
            return std::uint64_t{entry[at]} | std::uint64_t{entry[at + 1]} << 8 |
                   std::uint64_t{entry[at + 2]} << 16 | std::uint64_t{entry[at + 3]} << 24;
        };
        if (little(12) + little(8) > fileBytes)
            return false;
    }
    return true;
}

bool PngRowsFitFile(std::FILE* file, std::uint64_t fileBytes) {
    const KeptPosition kept(file);
    unsigned char head[26];
    if (!kept.Known() || std::fseek(file, 0, SEEK_SET) != 0 ||
        std::fread(head, 1, sizeof head, file) != sizeof head)
        return true;
    const auto big = [&](int at) { return std::uint64_t{BigEndian(head + at)}; };
    // Channels by colour type: grey, -, colour, palette, grey and opacity, -, colour and
    // opacity.
    constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
    const int type = head[25];
    const std::uint64_t channels = type < 7 ? kChannels[type] : 0;
    const std::uint64_t rawBytes = big(20) * (1 + (big(16) * channels * head[24] + 7) / 8);
    constexpr std::uint64_t kMostDeflateRatio = 1100;
    return rawBytes / kMostDeflateRatio <= fileBytes;
}

} // namespace slanter
