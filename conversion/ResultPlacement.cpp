#include "conversion/ResultPlacement.h"

#include <chrono>
#include <memory>
#include <random>

namespace slanter {

TPoint ResultWindowPlace(TPoint screen, const RandomBelow& random) {
    const int a = (screen.X - 200) / 2;
    return {a + random(a), random((screen.Y - 100) / 2)};
}

RandomBelow ClockSeededRandom() {
    const auto seed = std::chrono::system_clock::now().time_since_epoch().count();
    auto generator = std::make_shared<std::minstd_rand>(static_cast<std::uint_fast32_t>(seed));
    return [generator](int n) {
        if (n <= 0)
            return 0;
        return std::uniform_int_distribution<int>(0, n - 1)(*generator);
    };
}

} // namespace slanter
