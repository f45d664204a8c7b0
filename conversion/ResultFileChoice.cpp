#include "conversion/ResultFileChoice.h"

#include "conversion/ResultTexts.h"

namespace slanter {

namespace {

// How many different names ResultFileName gives.
constexpr std::int64_t kNames = 10000;

} // namespace

std::string ChooseResultFileName(std::int32_t resultNumber, const NameTaken& taken) {
    for (std::int64_t step = 0; step < kNames; ++step) {
        // Counted in 64 bits and brought back into the names' cycle, so a number near the
        // top of the range does not overflow.
        const auto number = static_cast<std::int32_t>((resultNumber + step) % kNames);
        std::string name = ResultFileName(number);
        if (!taken(name))
            return name;
    }
    return {};
}

} // namespace slanter
