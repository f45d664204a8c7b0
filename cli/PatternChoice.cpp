#include "cli/PatternChoice.h"

#include <optional>
#include <ostream>

#include "cli/AngleChoice.h"
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
    } else if (word == "--angle" || OptionValue(word, "--angle=")) {
        std::string text;
        if (word != "--angle")
            text = *OptionValue(word, "--angle=");
        else if (k + 1 < args.size())
            text = args[++k];
        problem = AngleProblem(text);
        if (problem.empty())
            angle = *ParseDegrees(text);
        angleGiven = true;
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

std::string PatternChoice::ReadWords(const Arguments& args, const std::string& flag, bool& flagSet,
                                     Arguments& names, const char* expected, std::size_t count) {
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& word = args[k];
        std::string problem;
        if (Take(args, k, problem)) {
            if (!problem.empty())
                return problem;
        } else if (word == flag) {
            flagSet = true;
        } else if (word.size() > 1 && word[0] == '-' && word[1] == '-') {
            return "unknown option '" + word + "'";
        } else {
            names.push_back(word);
        }
    }
    if (count == 0 ? names.empty() : names.size() != count)
        return std::string("expected ") + expected;
    if (patternGiven && angleGiven)
        return "--pattern and --angle choose the same thing: give one of them";
    if (!patternGiven && !angleGiven)
        return "--pattern N or --angle DEGREES is required";
    return {};
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
    const std::int32_t chosen = angleGiven ? NearestAnglePattern(engine, angle) : pattern;
    if (chosen < 0 || chosen >= engine.PatternCount()) {
        err << "slanter-cli " << verb << ": pattern " << pattern << " is outside the table (0 to "
            << engine.PatternCount() - 1 << ")\n";
        return false;
    }
    engine.SetPatternIndex(chosen);
    return true;
}

} // namespace slanter::cli
