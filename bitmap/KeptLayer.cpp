#include "bitmap/KeptLayer.h"

#include <utility>

#include "bitmap/ColorProfile.h"

namespace slanter {

bool KeptLayer::ResetPixels(std::int32_t width, std::int32_t height, int channelBits, bool alpha) {
    const std::int64_t count = std::int64_t{width} * height;
    if (width <= 0 || height <= 0 || !pixels_.Reset(count)) {
        ReleasePixels();
        return false;
    }
    width_ = width;
    channelBits_ = channelBits == 16 ? 16 : 8;
    alpha_ = alpha;
    return true;
}

void KeptLayer::ReleasePixels() {
    pixels_.Release();
    width_ = 0;
    channelBits_ = 0;
    alpha_ = false;
}

void KeptLayer::KeepProfile(std::vector<std::uint8_t> bytes) {
    if (!IsWellFormedProfile(bytes)) {
        profileDropped_ = true;
        return;
    }
    profile_ = std::move(bytes);
}

void KeptLayer::CopyProfileFrom(const KeptLayer& other) {
    profile_ = other.profile_;
}

void KeptLayer::Clear() {
    ReleasePixels();
    palette.clear();
    profile_.clear();
    profileDropped_ = false;
}

} // namespace slanter
