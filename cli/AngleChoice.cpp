#include "cli/AngleChoice.h"

#include <cmath>
#include <cstdlib>

#include "engine/Slanter.h"

namespace slanter::cli {

std::optional<double> ParseDegrees(const std::string& text) {
    // Digits with at most one point, an optional sign: no exponents, no "inf" or "nan".
    std::size_t k = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
    bool digits = false;
    bool point = false;
    for (; k < text.size(); ++k) {
        if (text[k] >= '0' && text[k] <= '9')
            digits = true;
        else if (text[k] == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digits || text.size() > 40)
        return std::nullopt;
    return std::strtod(text.c_str(), nullptr);
}

std::string AngleProblem(const std::string& text) {
    if (text.empty())
        return "--angle needs a number of degrees";
    const std::optional<double> degrees = ParseDegrees(text);
    if (!degrees)
        return "the angle '" + text + "' is not a number of degrees";
    if (!(*degrees >= 0 && *degrees <= 90))
        return "the angle '" + text + "' is outside 0 to 90 degrees";
    return {};
}

std::int32_t NearestAnglePattern(const TSlanter& engine, double degrees) {
    std::int32_t best = -1;
    double bestDistance = 0;
    for (std::int32_t index = 0; index < engine.PatternCount(); ++index) {
        const double distance = std::fabs(engine.AngleDegrees(index) - degrees);
        if (best < 0 || distance < bestDistance ||
            (distance == bestDistance && engine.PatternArea(index) < engine.PatternArea(best))) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace slanter::cli
