#include "bitmap/KeptFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "bitmap/FileLayer.h"
#include "bitmap/HandyBitmap.h"

namespace slanter {

namespace {

constexpr char kSignature[8] = {'S', 'L', 'N', 'T', 'K', 'E', 'P', 'T'};

// The counts after the signature, in this order.
struct KeptHead {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t channelBits = 0; // 0: no plane
    std::uint32_t alpha = 0;
    std::uint32_t paletteEntries = 0;
    std::uint32_t profileBytes = 0;
};

bool Keeps(const KeptLayer& kept) {
    return kept.HasPixels() || !kept.palette.empty() || !kept.Profile().empty();
}

template <typename T>
bool WriteAll(PlatformFile& file, const T* data, std::size_t count) {
    const std::size_t bytes = count * sizeof(T);
    return bytes == 0 || file.Write(data, bytes) == bytes;
}

template <typename T>
bool ReadAll(PlatformFile& file, T* data, std::size_t count) {
    const std::size_t bytes = count * sizeof(T);
    return bytes == 0 || file.Read(data, bytes) == bytes;
}

} // namespace

std::string KeptFileBeside(const std::string& bmpFile) {
    return bmpFile + ".kept";
}

std::string WriteKeptBeside(const THandyBitmap& picture, const std::string& bmpFile) {
    const std::string name = KeptFileBeside(bmpFile);
    const KeptLayer& kept = picture.Kept();
    if (!Keeps(kept)) {
        std::remove(name.c_str());
        return {};
    }
    KeptHead head;
    head.width = static_cast<std::uint32_t>(picture.biWidth());
    head.height = static_cast<std::uint32_t>(picture.biHeight());
    head.channelBits = static_cast<std::uint32_t>(kept.ChannelBits());
    head.alpha = kept.HasAlpha() ? 1 : 0;
    head.paletteEntries = static_cast<std::uint32_t>(kept.palette.size());
    head.profileBytes = static_cast<std::uint32_t>(kept.Profile().size());
    const std::size_t pixels = kept.HasPixels() ? std::size_t{head.width} * head.height : 0;
    PlatformFile file;
    const bool written = file.Create(name) && WriteAll(file, kSignature, sizeof kSignature) &&
                         WriteAll(file, &head, 1) &&
                         WriteAll(file, kept.palette.data(), kept.palette.size()) &&
                         WriteAll(file, kept.Profile().data(), kept.Profile().size()) &&
                         WriteAll(file, kept.Pixels(), pixels);
    const std::string reason = file.FailureReason();
    if (file.Close() && written)
        return {};
    std::remove(name.c_str());
    return reason.empty() ? std::string("the file could not be written") : reason;
}

void ReadKeptBeside(const std::string& bmpFile, THandyBitmap& picture) {
    PlatformFile file;
    if (!file.OpenForReading(KeptFileBeside(bmpFile)))
        return;
    char signature[sizeof kSignature] = {};
    KeptHead head;
    if (!ReadAll(file, signature, sizeof signature) ||
        std::memcmp(signature, kSignature, sizeof kSignature) != 0 || !ReadAll(file, &head, 1) ||
        head.width != static_cast<std::uint32_t>(picture.biWidth()) ||
        head.height != static_cast<std::uint32_t>(picture.biHeight()))
        return;
    // Every count must fit in what is left of the file before anything is made of it.
    const std::int64_t left = file.Size() - file.Position();
    const std::int64_t plane =
        head.channelBits != 0 ? std::int64_t{head.width} * head.height * 8 : 0;
    if (std::int64_t{head.paletteEntries} * 4 + head.profileBytes + plane != left)
        return;
    KeptLayer kept;
    kept.palette.resize(head.paletteEntries);
    std::vector<std::uint8_t> profile(head.profileBytes);
    if (!ReadAll(file, kept.palette.data(), kept.palette.size()) ||
        !ReadAll(file, profile.data(), profile.size()))
        return;
    if (head.channelBits != 0) {
        if (!kept.ResetPixels(picture.biWidth(), picture.biHeight(),
                              static_cast<int>(head.channelBits), head.alpha != 0) ||
            !ReadAll(file, kept.Pixels(), std::size_t{head.width} * head.height))
            return;
    }
    if (!profile.empty())
        kept.KeepProfile(std::move(profile));
    picture.Kept() = std::move(kept);
}

} // namespace slanter
