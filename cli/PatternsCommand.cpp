#include <cstdio>
#include <optional>
#include <ostream>

#include "bitmap/HandyBitmap.h"
#include "cli/ArgumentParsing.h"
#include "cli/CliCommand.h"
#include "engine/PatternColumns.h"
#include "engine/Slanter.h"

namespace slanter::cli {

namespace {

constexpr const char* kPatternsUsage =
    "Usage: slanter-cli patterns (WIDTH HEIGHT | FILE) [--vertical] [--sort=angle|area]\n"
    "                            [--exact]\n"
    "Lists the slant patterns of a WIDTH x HEIGHT picture (each side 1..9999), or of the\n"
    "picture in the BMP file FILE.\n"
    "  --vertical     copies stacked in columns instead of rows\n"
    "  --sort=ORDER   order by angle (default) or by area\n"
    "  --exact        one line per pattern: index radians degrees area slide width height,\n"
    "                 every number exact to the last bit\n";

struct PatternsOptions {
    int width = 0;
    int height = 0;
    bool horizontal = true;
    bool sortOnAngle = true;
    bool exact = false;
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

int RunPatterns(const Arguments& args, std::ostream& out, std::ostream& err) {
    PatternsOptions options;
    Arguments sizes;
    for (const std::string& word : args) {
        if (IsHelpWord(word)) {
            out << kPatternsUsage;
            return kExitOk;
        }
        if (word == "--vertical") {
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
        THandyBitmap picture;
        if (!picture.LoadFromFile(sizes[0])) {
            err << picture.ErrorText() << '\n';
            return kExitFailure;
        }
        if (picture.biWidth() < 1 || picture.biHeight() < 1) {
            err << "slanter-cli patterns: the picture in '" << sizes[0] << "' has no pixels\n";
            return kExitFailure;
        }
        options.width = picture.biWidth();
        options.height = picture.biHeight();
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

    TSlanter engine;
    engine.SetHorizontal(options.horizontal);
    engine.SetSortOnAngle(options.sortOnAngle);
    engine.SetSourceSize({options.width, options.height});
    if (options.exact)
        PrintExact(engine, out);
    else
        PrintTable(engine, out);
    return kExitOk;
}

} // namespace slanter::cli
