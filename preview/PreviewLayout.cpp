#include "preview/PreviewLayout.h"

#include <algorithm>

namespace slanter {

namespace {

// Between the lattice and the picture view, and around the option below the lattice.
constexpr std::int32_t kGap = 4;

} // namespace

PreviewLayout LayOutPreview(TPoint lattice, bool pictureView, std::int32_t side,
                            std::int32_t optionHeight) {
    if (!pictureView)
        return {lattice, false, {}, {}};
    return {{lattice.X + kGap + side, std::max(side, lattice.Y + 2 * kGap + optionHeight)},
            true,
            {lattice.X + kGap, 0, side, side},
            {kGap, lattice.Y + kGap, lattice.X - 2 * kGap, optionHeight}};
}

} // namespace slanter
