#include "engine/FittingOffsets.h"

#include <algorithm>
#include <numeric>

namespace slanter {

namespace {

// The divisors of value (at least 1), ascending.
std::vector<std::int64_t> Divisors(std::int64_t value) {
    std::vector<std::int64_t> low;
    std::vector<std::int64_t> high;
    for (std::int64_t k = 1; k * k <= value; ++k) {
        if (value % k != 0)
            continue;
        low.push_back(k);
        if (k != value / k)
            high.push_back(value / k);
    }
    low.insert(low.end(), high.rbegin(), high.rend());
    return low;
}

// The least j >= from with j = -d modulo step.
std::int64_t FirstInClass(std::int64_t d, std::int64_t step, std::int64_t from) {
    const std::int64_t wanted = (step - d % step) % step;
    return from + (wanted - from % step + step) % step;
}

} // namespace

CandidateExtents ReducedExtents(std::int64_t d, std::int64_t i, std::int64_t j, std::int64_t a0,
                                std::int64_t b0) {
    CandidateExtents extents{a0, b0};
    const std::int64_t common = std::gcd(d + j, i);
    if (common > 1)
        extents.along = a0 * (i / common) / i;
    if (j >= 2 && i % j == 0)
        extents.across = b0 / j;
    return extents;
}

void ForEachFittingOffset(std::int64_t d, std::int64_t i, std::int64_t a0, std::int64_t b0,
                          std::int64_t most, const std::function<bool(std::int64_t)>& visit) {
    // a0 div gcd(d + j, i) stays within most exactly when the gcd is at least leastCut.
    const std::int64_t leastCut = a0 / (most + 1) + 1;
    if (b0 > most) {
        // Only an offset that divides i cuts b, to b0 div j.
        const std::int64_t leastOffset = std::max<std::int64_t>(2, b0 / (most + 1) + 1);
        for (const std::int64_t j : Divisors(i)) {
            if (j >= leastOffset && j < i && std::gcd(d + j, i) >= leastCut && !visit(j))
                return;
        }
        return;
    }
    if (leastCut <= 1) {
        for (std::int64_t j = 1; j < i; ++j)
            if (!visit(j))
                return;
        return;
    }
    // The offsets whose d + j shares a divisor of at least leastCut with i: one
    // progression per such divisor, merged in ascending order.
    std::vector<std::int64_t> cuts;
    std::vector<std::int64_t> next;
    for (const std::int64_t cut : Divisors(i)) {
        if (cut >= leastCut) {
            cuts.push_back(cut);
            next.push_back(FirstInClass(d, cut, 1));
        }
    }
    while (!cuts.empty()) {
        const std::int64_t j = *std::min_element(next.begin(), next.end());
        if (j >= i || !visit(j))
            return;
        for (std::size_t k = 0; k < cuts.size(); ++k)
            if (next[k] == j)
                next[k] += cuts[k];
    }
}

std::vector<std::pair<std::int64_t, std::int64_t>>
DividingOffsets(std::int64_t d, std::int64_t lowestCount, std::int64_t highestCount,
                std::int64_t leastCut, std::int64_t mostQuotient) {
    std::vector<std::pair<std::int64_t, std::int64_t>> candidates;
    const std::int64_t lastQuotient = std::min(mostQuotient, highestCount / 2);
    for (std::int64_t quotient = 2; quotient <= lastQuotient; ++quotient) {
        const std::int64_t lowestOffset =
            std::max<std::int64_t>(2, (lowestCount + quotient - 1) / quotient);
        const std::int64_t highestOffset = highestCount / quotient;
        if (lowestOffset > highestOffset)
            continue;
        for (const std::int64_t cut : Divisors(quotient)) {
            if (cut < leastCut)
                continue;
            for (std::int64_t j = FirstInClass(d, cut, lowestOffset); j <= highestOffset; j += cut)
                candidates.emplace_back(j * quotient, j);
        }
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    return candidates;
}

} // namespace slanter
