#include <cstdio>
#include <optional>
#include <ostream>

#include "bitmap/WorkingPicture.h"
#include "cli/AngleChoice.h"
#include "cli/ArgumentParsing.h"
#include "cli/CliCommand.h"
#include "cli/MemoryTexts.h"
#include "cli/ScaleOption.h"
#include "engine/PatternColumns.h"
#include "engine/Slanter.h"

namespace slanter::cli {

namespace {

constexpr const char* kPatternsUsage =
    "Usage: slanter-cli patterns (WIDTH HEIGHT | FILE) [--vertical] [--sort=angle|area]\n"
    "                            [--exact] [--angle DEGREES] [--scale SIZE]\n"
    "Lists the slant patterns of a WIDTH x HEIGHT picture (each side 1..9999), or of the\n"
    "picture in the file FILE (BMP, PNG, JPEG, GIF, WebP, TIFF ...).\n"
    "  --vertical     copies stacked in columns instead of rows\n"
    "  --sort=ORDER   order by angle (default) or by area\n"
    "  --exact        one line per pattern: index radians degrees area slide width height,\n"
    "                 every number exact to the last bit, the slide in pixels\n"
    "  --angle DEG    after the list, the pattern that 'convert --angle DEG' chooses: the\n"
    "                 one whose angle is nearest DEG degrees (ties: smaller area)\n"
    "  --scale SIZE   the patterns of the picture resized: 50% (a percentage), 1920x (a\n"
    "                 width, the height following), x1080 (a height, the width\n"
    "                 following) or 1920x1080\n"
    "Examples:\n"
    "  slanter-cli patterns 640 480 --sort=area\n"
    "  slanter-cli patterns photo.jpg --scale x1080 --angle 30\n";

struct PatternsOptions {
    int width = 0;
    int height = 0;
    bool horizontal = true;
    bool sortOnAngle = true;
    bool exact = false;
    std::optional<std::string> angle; // as written, with --angle
};

void PrintTable(const TSlanter& engine, std::ostream& out) {
    out << "    #  angle  area    slide  width height\n";
    for (int index = 0; index < engine.PatternCount(); ++index) {
        const PatternColumns columns = FormatPatternColumns(engine, index);
        char line[160];
        std::snprintf(line, sizeof line, "%5d %6s %5s %8s %6s %6s\n", index, columns.angle.c_str(),
                      columns.area.c_str(), columns.slide.c_str(), columns.width.c_str(),
                      columns.height.c_str());
        out << line;
    }
}

void PrintExact(const TSlanter& engine, std::ostream& out) {
    for (int index = 0; index < engine.PatternCount(); ++index) {
        const TPoint size = engine.PatternSize(index);
        char line[200];
        std::snprintf(line, sizeof line, "%d %.17g %.17g %d %.17g %d %d\n", index,
                      engine.AngleRadians(index), engine.AngleDegrees(index),
                      engine.PatternArea(index), engine.PatternSlide(index), size.X, size.Y);
        out << line;
    }
}

} // namespace

int RunPatterns(const Arguments& allArgs, std::ostream& out, std::ostream& err) {
    PatternsOptions options;
    Arguments sizes;
    for (const std::string& word : allArgs) {
        if (IsHelpWord(word)) {
            out << kPatternsUsage;
            return kExitOk;
        }
    }
    Arguments args;
    std::optional<ScaleRequest> scale;
    if (const std::string problem = TakeScale(allArgs, args, scale); !problem.empty()) {
        err << "slanter-cli patterns: " << problem << "\n" << kPatternsUsage;
        return kExitUsage;
    }
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& word = args[k];
        if (word == "--angle" || OptionValue(word, "--angle=")) {
            const bool joined = word != "--angle";
            if (!joined && k + 1 == args.size()) {
                err << "slanter-cli patterns: --angle needs a number of degrees\n";
                return kExitUsage;
            }
            options.angle = joined ? *OptionValue(word, "--angle=") : args[++k];
            if (const std::string problem = AngleProblem(*options.angle); !problem.empty()) {
                err << "slanter-cli patterns: " << problem << "\n";
                return kExitUsage;
            }
        } else if (word == "--vertical") {
            options.horizontal = false;
        } else if (word == "--exact") {
            options.exact = true;
        } else if (const auto order = OptionValue(word, "--sort=")) {
            if (*order != "angle" && *order != "area") {
                err << "slanter-cli patterns: --sort must be 'angle' or 'area', not '" << *order
                    << "'\n";
                return kExitUsage;
            }
            options.sortOnAngle = *order == "angle";
        } else if (word.size() > 1 && word[0] == '-' && word[1] == '-') {
            err << "slanter-cli patterns: unknown option '" << word << "'\n" << kPatternsUsage;
            return kExitUsage;
        } else {
            sizes.push_back(word);
        }
    }
    if (sizes.size() == 1) {
        std::int32_t width = 0, height = 0;
        if (const std::string reason = WorkingPictureSize(sizes[0], width, height);
            !reason.empty()) {
            err << LoadFailureText(sizes[0], reason) << '\n';
            return kExitFailure;
        }
        if (width < 1 || height < 1) {
            err << "slanter-cli patterns: the picture in '" << sizes[0] << "' has no pixels\n";
            return kExitFailure;
        }
        options.width = width;
        options.height = height;
    } else if (sizes.size() == 2) {
        const std::optional<int> width = ParsePictureSide(sizes[0]);
        const std::optional<int> height = ParsePictureSide(sizes[1]);
        if (!width || !height) {
            const bool widthBad = !width;
            err << "slanter-cli patterns: the " << (widthBad ? "width" : "height") << " '"
                << sizes[widthBad ? 0 : 1] << "' is not a whole number from 1 to 9999\n";
            return kExitUsage;
        }
        options.width = *width;
        options.height = *height;
    } else {
        err << "slanter-cli patterns: expected WIDTH and HEIGHT, or FILE\n" << kPatternsUsage;
        return kExitUsage;
    }

    // Only the size counts here: the pixels need not be resized to learn it.
    std::string problem;
    const std::optional<TPoint> size = ScaleSize(scale, {options.width, options.height}, problem);
    if (!size) {
        err << "slanter-cli patterns: " << problem << "\n";
        return kExitFailure;
    }
    TSlanter engine;
    engine.SetHorizontal(options.horizontal);
    engine.SetSortOnAngle(options.sortOnAngle);
    engine.SetSourceSize(*size);
    // As convert says it: an empty table is no answer.
    if (engine.PatternCount() == 0) {
        err << "slanter-cli patterns: a " << size->X << " x " << size->Y
            << " picture has no pattern in this arrangement\n";
        return kExitFailure;
    }
    if (options.exact)
        PrintExact(engine, out);
    else
        PrintTable(engine, out);
    if (options.angle) {
        const std::int32_t nearest = NearestAnglePattern(engine, *ParseDegrees(*options.angle));
        out << "nearest to " << *options.angle << " degrees: ";
        if (nearest < 0)
            out << "no pattern\n";
        else
            out << "pattern " << nearest << "\n";
    }
    return kExitOk;
}

} // namespace slanter::cli
