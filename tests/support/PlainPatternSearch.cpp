#include "support/PlainPatternSearch.h"

#include <cmath>
#include <numeric>
#include <utility>

#include "engine/ExtendedMath.h"
#include "engine/Slanter.h"

namespace slanter::testing {

namespace {

class PlainSearch {
  public:
    PlainSearch(std::int32_t width, std::int32_t height, bool horizontal)
        : width_(width), height_(height), horizontal_(horizontal) {}

    void Run(std::int64_t lastMultiplier) {
        const std::int64_t along = horizontal_ ? width_ : height_;
        const std::int64_t across = horizontal_ ? height_ : width_;
        std::int64_t d = 1;
        if (width_ != height_) {
            const double r = StoreDouble(Extended(2 * across) / along);
            d = static_cast<std::int64_t>(r);
            if (r != static_cast<double>(d))
                ++d;
        }
        for (; table_.size() < 100 && d <= lastMultiplier; ++d) {
            const double e = StoreDouble(Extended(d * along));
            const double g = StoreDouble(e / Extended(across)) / 2;
            const auto n = static_cast<std::int64_t>(g);
            // A full table takes nothing more.
            for (std::int64_t i = 1; i <= n && table_.size() < 100; ++i)
                for (std::int64_t j = 0; j < i; ++j)
                    if (std::gcd(std::gcd(d, i), j) == 1)
                        Candidate(d, i, j, e, g, across);
        }
    }

    std::vector<PatternEntry> Sorted(bool sortOnAngle) {
        const auto greater = [sortOnAngle](const PatternEntry& p, const PatternEntry& q) {
            if (sortOnAngle) {
                if (p.angle != q.angle)
                    return p.angle > q.angle;
                if (p.area != q.area)
                    return p.area > q.area;
            } else {
                if (p.area != q.area)
                    return p.area > q.area;
                if (p.angle != q.angle)
                    return p.angle > q.angle;
            }
            return p.slide > q.slide;
        };
        for (std::size_t p = 0; p + 1 < table_.size(); ++p)
            for (std::size_t q = p + 1; q < table_.size(); ++q)
                if (greater(table_[p], table_[q]))
                    std::swap(table_[p], table_[q]);
        return table_;
    }

  private:
    void Candidate(std::int64_t d, std::int64_t i, std::int64_t j, double e, double g,
                   std::int64_t across) {
        double t = StoreDouble(ArcSin(Extended(i) / g) * 0.5L);
        const Extended cosine = std::cos(Extended(t));
        const Extended sine = std::sin(Extended(t));
        auto a = static_cast<std::int64_t>(cosine * e);
        std::int64_t b = 0;
        if (j == 0) {
            b = static_cast<std::int64_t>(sine * e / i);
        } else {
            b = static_cast<std::int64_t>(sine * e);
            for (std::int64_t k = 1; k < i; ++k) {
                if (i % k == 0 && ((d + j) * k) % i == 0) {
                    a = a * k / i;
                    break;
                }
            }
            if (j >= 2 && i % j == 0)
                b /= j;
        }
        const Extended along = Extended(e) / d;
        double s = StoreDouble(Tan(t) * across + (j * Extended(e) / d) / i);
        while (s >= 0.99999L * along)
            s = StoreDouble(s - along);
        for (bool second = false;; second = true) {
            if (-0.0001L < s && s < 0)
                s = 0;
            Append(t, s, a, b);
            if ((s <= 0 && t >= kQuarterPi) || second)
                break;
            s = StoreDouble(along - s);
            if (s >= 0.99999L * along)
                s = StoreDouble(s - along);
            t = StoreDouble(kHalfPi - t);
            std::swap(a, b);
        }
    }

    void Append(double t, double s, std::int64_t a, std::int64_t b) {
        if (table_.size() >= 100 || a > 9999 || b > 9999)
            return;
        const TPoint size = horizontal_ ? TPoint{std::int32_t(a), std::int32_t(b)}
                                        : TPoint{std::int32_t(b), std::int32_t(a)};
        for (const PatternEntry& entry : table_)
            if (std::fabs(Extended(entry.angle) - t) < 0.0001L && entry.size == size &&
                std::fabs(Extended(entry.slide) - s) < 0.0001L)
                return;
        const auto area = static_cast<std::int32_t>(
            Extended(a * b) / Extended(std::int64_t{width_} * height_) + 0.5L);
        table_.push_back({t, area, s, size});
    }

    std::int32_t width_;
    std::int32_t height_;
    bool horizontal_;
    std::vector<PatternEntry> table_;
};

} // namespace

std::vector<PatternEntry> PlainPatternSearch(std::int32_t width, std::int32_t height,
                                             bool horizontal, bool sortOnAngle,
                                             std::int64_t lastMultiplier) {
    PlainSearch search(width, height, horizontal);
    search.Run(lastMultiplier);
    return search.Sorted(sortOnAngle);
}

std::vector<PatternEntry> TableOf(const TSlanter& engine) {
    std::vector<PatternEntry> entries;
    for (int k = 0; k < engine.PatternCount(); ++k)
        entries.push_back({engine.AngleRadians(k), engine.PatternArea(k), engine.PatternSlide(k),
                           engine.PatternSize(k)});
    return entries;
}

} // namespace slanter::testing
