#include <optional>
#include <ostream>

#include "bitmap/ColorProfile.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/WorkingPicture.h"
#include "cli/ArgumentParsing.h"
#include "cli/CliCommand.h"
#include "cli/MemoryTexts.h"
#include "cli/ScaleOption.h"

namespace slanter::cli {

namespace {

constexpr const char* kInfoUsage =
    "Usage: slanter-cli info FILE [--scale SIZE]\n"
    "Reads the picture file FILE as the program does (a BMP file as it is, other formats\n"
    "as the working picture made of them) and shows its width, height, bits per pixel,\n"
    "palette entries and the colours its depth can hold, one 'name: value' a line.\n"
    "A file the program cannot take gives its reason on standard error.\n"
    "A picture that keeps more than these for a PNG result adds 'alpha: kept' (its\n"
    "transparency), 'channel bits: 16' and 'profile: NAME (N bytes)' (its colour profile).\n"
    "  --scale SIZE   the working picture resized as convert --scale makes it\n"
    "Examples:\n"
    "  slanter-cli info photo.jpg\n"
    "  slanter-cli info photo.jpg --scale x1080\n";

// What the picture keeps beyond the cells, only where it keeps it, so that the lines of
// every other picture stay as they were.
void WriteKeptLines(const KeptLayer& kept, std::ostream& out) {
    if (kept.HasAlpha() || !kept.palette.empty())
        out << "alpha: kept\n";
    if (kept.ChannelBits() == 16)
        out << "channel bits: 16\n";
    if (!kept.Profile().empty()) {
        const std::string name = ProfileDescription(kept.Profile());
        out << "profile: " << (name.empty() ? std::string("unnamed") : name) << " ("
            << kept.Profile().size() << " bytes)\n";
    } else if (kept.ProfileDropped()) {
        out << "profile: malformed, dropped\n";
    }
}

} // namespace

int RunInfo(const Arguments& allArgs, std::ostream& out, std::ostream& err) {
    for (const std::string& word : allArgs) {
        if (IsHelpWord(word)) {
            out << kInfoUsage;
            return kExitOk;
        }
    }
    Arguments args;
    std::optional<ScaleRequest> scale;
    if (const std::string problem = TakeScale(allArgs, args, scale); !problem.empty()) {
        err << "slanter-cli info: " << problem << "\n" << kInfoUsage;
        return kExitUsage;
    }
    if (args.size() != 1) {
        err << "slanter-cli info: expected one FILE\n" << kInfoUsage;
        return kExitUsage;
    }
    THandyBitmap picture;
    if (const std::string reason = LoadWorkingPicture(args[0], picture); !reason.empty()) {
        err << LoadFailureText(args[0], reason) << '\n';
        return kExitFailure;
    }
    if (const std::string problem = ApplyScale(scale, picture); !problem.empty()) {
        err << "slanter-cli info: " << problem << "\n";
        return kExitFailure;
    }
    out << "width: " << picture.biWidth() << '\n'
        << "height: " << picture.biHeight() << '\n'
        << "bits: " << picture.biBitCount() << '\n'
        << "palette: " << picture.PaletteCount() << '\n'
        << "colors: " << picture.MaxColors() << '\n';
    WriteKeptLines(picture.Kept(), out);
    return kExitOk;
}

} // namespace slanter::cli
