#include "conversion/ScaledView.h"

#include <algorithm>

namespace slanter {

namespace {

std::int32_t AtLeastOne(std::int64_t length) {
    return static_cast<std::int32_t>(std::max<std::int64_t>(length, 1));
}

} // namespace

std::int32_t SampledPixel(std::int32_t screen, std::int32_t shown, std::int32_t picture) {
    if (shown <= 0 || picture <= 0)
        return 0;
    const std::int64_t centre = 2 * std::int64_t{screen} + 1;
    return static_cast<std::int32_t>(centre * picture / (2 * std::int64_t{shown}));
}

std::vector<std::int32_t> SampledRun(std::int32_t first, std::int32_t count, std::int32_t shown,
                                     std::int32_t picture, std::int32_t period) {
    std::vector<std::int32_t> run(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t pixel = SampledPixel(first + i, shown, picture);
        run[static_cast<std::size_t>(i)] = period > 0 ? pixel % period : pixel;
    }
    return run;
}

std::int32_t ScreenEdge(std::int32_t pixel, std::int32_t shown, std::int32_t picture) {
    if (shown <= 0 || picture <= 0)
        return 0;
    // The least x with (2x + 1) picture >= 2 pixel shown.
    const std::int64_t numerator = 2 * std::int64_t{pixel} * shown - picture;
    if (numerator <= 0)
        return 0;
    const std::int64_t denominator = 2 * std::int64_t{picture};
    return static_cast<std::int32_t>((numerator + denominator - 1) / denominator);
}

TPoint FitInside(TPoint picture, TPoint room) {
    if (picture.X <= 0 || picture.Y <= 0)
        return {1, 1};
    const std::int64_t width = picture.X;
    const std::int64_t height = picture.Y;
    // Whichever side meets the room first sets the scale.
    if (width * room.Y <= height * room.X)
        return {AtLeastOne(width * room.Y / height), AtLeastOne(room.Y)};
    return {AtLeastOne(room.X), AtLeastOne(height * room.X / width)};
}

TPoint ScaledSize(TPoint picture, int percent) {
    return {AtLeastOne(std::int64_t{picture.X} * percent / 100),
            AtLeastOne(std::int64_t{picture.Y} * percent / 100)};
}

} // namespace slanter
