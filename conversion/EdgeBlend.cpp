#include "conversion/EdgeBlend.h"

namespace slanter {

std::int32_t BlendColorsExtended(std::int32_t own, std::int32_t neighbour, double weight) {
    const Extended w = weight;
    std::int32_t result = 0;
    for (std::int32_t scale = 1, k = 0; k < 3; ++k, scale *= 256) {
        std::int32_t a = own / scale;
        std::int32_t b = neighbour / scale;
        if (k < 2) {
            a &= 255;
            b &= 255;
        }
        result += scale * static_cast<std::int32_t>(a * w + (1 - w) * b);
    }
    return result;
}

} // namespace slanter
