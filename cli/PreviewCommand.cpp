#include <cstdio>
#include <optional>
#include <ostream>
#include <string>

#include "cli/ArgumentParsing.h"
#include "cli/CliCommand.h"
#include "cli/PatternChoice.h"
#include "engine/Slanter.h"
#include "preview/PreviewDrawing.h"
#include "preview/PreviewSpace.h"

namespace slanter::cli {

namespace {

constexpr const char* kPreviewUsage =
    "Usage: slanter-cli preview WIDTH HEIGHT (--pattern N | --angle DEGREES) [--vertical]\n"
    "                           [--left] [--sort=angle|area] [--segments]\n"
    "Works out the preview of pattern N of a WIDTH x HEIGHT picture on the 201 x 201\n"
    "preview image and prints its drawing space and stroke counts.\n"
    "  --pattern N    0-based index in the pattern table\n"
    "  --angle DEG    the pattern whose angle is nearest DEG degrees (ties: smaller area)\n"
    "  --vertical     copies stacked in columns instead of rows\n"
    "  --left         rows rising to the left instead of to the right\n"
    "  --sort=ORDER   order of the table: angle (default) or area\n"
    "  --segments     print the strokes instead, one a line in drawing order:\n"
    "                 COLOUR X1 Y1 X2 Y2 with COLOUR red or black, on a white image,\n"
    "                 (0, 0) the top-left pixel; a stroke sets its first pixel, not its last\n"
    "Examples:\n"
    "  slanter-cli preview 640 480 --angle 30\n"
    "  slanter-cli preview 640 480 --pattern 2 --segments\n";

struct PreviewOptions {
    int width = 0;
    int height = 0;
    PatternChoice choice;
    bool segments = false;
};

// Fills options from the words; answers an error text, empty when they are good.
std::string ParsePreviewWords(const Arguments& args, PreviewOptions& options) {
    Arguments sizes;
    const std::string problem =
        options.choice.ReadWords(args, "--segments", options.segments, sizes, "WIDTH and HEIGHT");
    if (!problem.empty())
        return problem;
    const std::optional<int> width = ParsePictureSide(sizes[0]);
    const std::optional<int> height = ParsePictureSide(sizes[1]);
    if (!width || !height) {
        const bool widthBad = !width;
        return std::string("the ") + (widthBad ? "width" : "height") + " '" +
               sizes[widthBad ? 0 : 1] + "' is not a whole number from 1 to 9999";
    }
    options.width = *width;
    options.height = *height;
    return {};
}

void PrintSegments(const PreviewDrawing& drawing, std::ostream& out) {
    for (const PreviewSegment& segment : drawing.segments) {
        out << (segment.colour == kPreviewRed ? "red " : "black ") << segment.x1 << ' '
            << segment.y1 << ' ' << segment.x2 << ' ' << segment.y2 << '\n';
    }
}

void PrintSpace(const std::optional<PreviewSpace>& found, const PreviewDrawing& drawing,
                std::ostream& out) {
    if (!found || drawing.segments.size() < 4) {
        out << "image " << drawing.width << " x " << drawing.height << "\nnothing to draw\n";
        return;
    }
    const PreviewSpace& space = *found;
    const auto vector = [&out](const char* name, PreviewVector value) {
        char line[120];
        std::snprintf(line, sizeof line, "%s %.6f %.6f\n", name, value.u, value.v);
        out << line;
    };
    char line[160];
    std::snprintf(line, sizeof line, "image %d x %d\nA %g B %g SA %g SB %g R %.6f\n", drawing.width,
                  drawing.height, space.A, space.B, space.SA, space.SB, space.R);
    out << line;
    vector("U", space.U);
    vector("Q", space.Q);
    vector("V", space.V);
    vector("T", space.T);
    out << "strokes " << drawing.segments.size() - 4 << " red, 4 black\n";
    if (!drawing.complete)
        out << "the lattice was cut short: its walk took too many steps\n";
}

} // namespace

int RunPreview(const Arguments& args, std::ostream& out, std::ostream& err) {
    for (const std::string& word : args) {
        if (IsHelpWord(word)) {
            out << kPreviewUsage;
            return kExitOk;
        }
    }
    PreviewOptions options;
    if (const std::string problem = ParsePreviewWords(args, options); !problem.empty()) {
        err << "slanter-cli preview: " << problem << "\n" << kPreviewUsage;
        return kExitUsage;
    }

    TSlanter engine;
    if (!options.choice.Select(engine, options.width, options.height, "preview", err))
        return kExitFailure;

    const PreviewDrawing drawing = ComputePreviewDrawing(engine);
    if (options.segments)
        PrintSegments(drawing, out);
    else
        PrintSpace(MakePreviewSpace(SelectedPreviewPattern(engine)), drawing, out);
    return kExitOk;
}

} // namespace slanter::cli
