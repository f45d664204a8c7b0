#include "cli/PatternChoice.h"

#include <optional>
#include <ostream>

#include "cli/ArgumentParsing.h"
#include "engine/Slanter.h"

namespace slanter::cli {

bool PatternChoice::Take(const Arguments& args, std::size_t& k, std::string& problem) {
    const std::string& word = args[k];
    std::optional<std::string> patternText = OptionValue(word, "--pattern=");
    if (word == "--pattern") {
        if (k + 1 == args.size()) {
            problem = "--pattern needs a number";
            return true;
        }
        patternText = args[++k];
    }
    if (patternText) {
        const std::optional<std::int32_t> index = ParseIndex(*patternText);
        if (!index)
            problem = "the pattern '" + *patternText + "' is not a whole number from 0";
        else
            pattern = *index;
        patternGiven = true;
    } else if (word == "--vertical") {
        horizontal = false;
    } else if (word == "--left") {
        rightUp = false;
    } else if (const auto order = OptionValue(word, "--sort=")) {
        if (*order != "angle" && *order != "area")
            problem = "--sort must be 'angle' or 'area', not '" + *order + "'";
        sortOnAngle = *order == "angle";
    } else {
        return false;
    }
    return true;
}

bool PatternChoice::Select(TSlanter& engine, std::int32_t width, std::int32_t height,
                           const char* verb, std::ostream& err) const {
    engine.SetHorizontal(horizontal);
    engine.SetRightUp(rightUp);
    engine.SetSortOnAngle(sortOnAngle);
    engine.SetSourceSize({width, height});
    if (engine.PatternCount() == 0) {
        err << "slanter-cli " << verb << ": a " << width << " x " << height
            << " picture has no pattern in this arrangement\n";
        return false;
    }
    if (pattern < 0 || pattern >= engine.PatternCount()) {
        err << "slanter-cli " << verb << ": pattern " << pattern << " is outside the table (0 to "
            << engine.PatternCount() - 1 << ")\n";
        return false;
    }
    engine.SetPatternIndex(pattern);
    return true;
}

} // namespace slanter::cli
