#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bitmap/OwnedArray.h"

namespace slanter {

// A pixel of the kept plane: red, green, blue and straight opacity, 16 bits each from the
// low end, each from 0 to the plane's ChannelMax().
using KeptPixel = std::uint64_t;

constexpr KeptPixel MakeKeptPixel(std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                                  std::uint32_t alpha) {
    return KeptPixel{red} | KeptPixel{green} << 16 | KeptPixel{blue} << 32 | KeptPixel{alpha} << 48;
}

// Channel 0 red, 1 green, 2 blue, 3 opacity.
constexpr std::uint32_t KeptChannel(KeptPixel pixel, int channel) {
    return static_cast<std::uint32_t>(pixel >> (16 * channel)) & 0xFFFF;
}

// What a picture holds that the bitmap store's cells cannot: its opacity, channels of 16
// bits, its colour profile. The cells stay the picture as a BMP file shows it (laid over
// white, 8 bits a channel), so every BMP result and everything drawn from the cells is as
// it always was; a PNG result is written from this layer where it holds something.
class KeptLayer {
  public:
    // A zeroed plane of width x height pixels in the store's cell order. False, and no
    // plane, without memory.
    bool ResetPixels(std::int32_t width, std::int32_t height, int channelBits, bool alpha);
    void ReleasePixels();

    bool HasPixels() const { return pixels_.Count() > 0; }
    // 8 or 16; 0 without a plane.
    int ChannelBits() const { return channelBits_; }
    std::uint32_t ChannelMax() const { return channelBits_ == 16 ? 0xFFFF : 0xFF; }
    // Whether any pixel is less than opaque; a plane of 16-bit channels may have none.
    bool HasAlpha() const { return alpha_; }
    void MarkAlpha() { alpha_ = true; }

    KeptPixel* Pixels() { return pixels_.Data(); }
    const KeptPixel* Pixels() const { return pixels_.Data(); }
    std::int32_t Width() const { return width_; }

    // Takes the embedded profile when it is well formed; otherwise drops it and says so in
    // ProfileDropped.
    void KeepProfile(std::vector<std::uint8_t> bytes);
    void CopyProfileFrom(const KeptLayer& other);
    bool ProfileDropped() const { return profileDropped_; }
    void MarkProfileDropped() { profileDropped_ = true; }
    const std::vector<std::uint8_t>& Profile() const { return profile_; }

    // Everything dropped: a new picture.
    void Clear();

    // The straight colours (red bits 0-7, green 8-15, blue 16-23, opacity 24-31) of an
    // indexed picture's palette when an entry is less than opaque; empty otherwise.
    std::vector<std::uint32_t> palette;

  private:
    OwnedArray<KeptPixel> pixels_;
    std::int32_t width_ = 0;
    int channelBits_ = 0;
    bool alpha_ = false;
    std::vector<std::uint8_t> profile_;
    bool profileDropped_ = false;
};

} // namespace slanter
