#include "bitmap/PictureScale.h"

#include <algorithm>
#include <cctype>

#include "bitmap/HandyBitmap.h"
#include "bitmap/RowCodec.h"

namespace slanter {

namespace {

constexpr std::int64_t kMostPercent = 10'000;
constexpr int kMostDecimals = 4;
// Sides beyond this are refused before any arithmetic; no working picture reaches it.
constexpr std::int64_t kMostSide = INT32_MAX;

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// A whole side 1..kMostSide; nothing for anything else, "0" and leading signs included.
std::optional<std::int32_t> ParseSide(const std::string& text) {
    if (!AllDigits(text) || text.size() > 10)
        return std::nullopt;
    const std::int64_t value = std::stoll(text);
    if (value < 1 || value > kMostSide)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<ScaleRequest> ParsePercent(const std::string& number) {
    const std::size_t point = number.find('.');
    const std::string whole = number.substr(0, point);
    const std::string decimals = point == std::string::npos ? "" : number.substr(point + 1);
    if (!AllDigits(whole) || whole.size() > 5 || decimals.size() > kMostDecimals ||
        (point != std::string::npos && !AllDigits(decimals)))
        return std::nullopt;
    ScaleRequest request;
    request.denominator = 1;
    for (std::size_t k = 0; k < decimals.size(); ++k)
        request.denominator *= 10;
    request.numerator = std::stoll(whole + decimals);
    if (request.numerator <= 0 || request.numerator > kMostPercent * request.denominator)
        return std::nullopt;
    return request;
}

} // namespace

std::optional<ScaleRequest> ParseScale(const std::string& text) {
    if (!text.empty() && text.back() == '%')
        return ParsePercent(text.substr(0, text.size() - 1));
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos || text.find_first_of("xX", x + 1) != std::string::npos)
        return std::nullopt;
    const std::string left = text.substr(0, x);
    const std::string right = text.substr(x + 1);
    ScaleRequest request;
    if (!left.empty()) {
        const auto width = ParseSide(left);
        if (!width)
            return std::nullopt;
        request.width = *width;
    }
    if (!right.empty()) {
        const auto height = ParseSide(right);
        if (!height)
            return std::nullopt;
        request.height = *height;
    }
    if (left.empty() && right.empty())
        return std::nullopt;
    request.kind = left.empty()    ? ScaleRequest::Kind::Height
                   : right.empty() ? ScaleRequest::Kind::Width
                                   : ScaleRequest::Kind::Both;
    return request;
}

std::int32_t FollowingSide(std::int64_t side, std::int64_t changed, std::int64_t original) {
    if (side < 1 || changed < 1 || original < 1)
        return 1;
    // Sides below 2^31: twice their product stays below 2^63.
    const std::int64_t value = (2 * side * changed + original) / (2 * original);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 1, kMostSide));
}

std::int32_t PercentOfSide(std::int64_t side, std::int64_t numerator, std::int64_t denominator) {
    if (side < 1 || numerator < 1 || denominator < 1)
        return 1;
    // At most 10000 percent with four decimals: numerator below 10^8, so twice side x
    // numerator stays below 2^59.
    const std::int64_t scale = 100 * denominator;
    const std::int64_t value = (2 * side * numerator + scale) / (2 * scale);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 1, kMostSide));
}

std::optional<TPoint> ScaledSize(const ScaleRequest& request, TPoint from) {
    if (from.X < 1 || from.Y < 1)
        return std::nullopt;
    TPoint size;
    switch (request.kind) {
    case ScaleRequest::Kind::Percent:
        size = {PercentOfSide(from.X, request.numerator, request.denominator),
                PercentOfSide(from.Y, request.numerator, request.denominator)};
        break;
    case ScaleRequest::Kind::Width:
        size = {request.width, FollowingSide(from.Y, request.width, from.X)};
        break;
    case ScaleRequest::Kind::Height:
        size = {FollowingSide(from.X, request.height, from.Y), request.height};
        break;
    case ScaleRequest::Kind::Both:
        size = {request.width, request.height};
        break;
    }
    if (!ScaledSizeFits(size))
        return std::nullopt;
    return size;
}

bool ScaledSizeFits(TPoint size) {
    if (size.X < 1 || size.Y < 1)
        return false;
    const std::int64_t rowBytes = RowBytes(24, size.X);
    return std::int64_t{size.X} * size.Y <= THandyBitmap::kMaxPixels &&
           rowBytes <= THandyBitmap::kMaxImageBytes &&
           rowBytes * size.Y <= THandyBitmap::kMaxImageBytes;
}

} // namespace slanter
