#include "cli/CliCommand.h"

#include <ostream>

#include "cli/ArgumentParsing.h"
#include "shell/InfoTexts.h"
#include "shell/ProgramIdentity.h"

namespace slanter::cli {

namespace {

constexpr const char* kUsage =
    "Usage: slanter-cli VERB [ARGUMENTS]\n"
    "       slanter-cli --help | --version\n"
    "Verbs:\n"
    "  patterns   list the slant patterns of a picture size\n"
    "  info       show the size and colours of a picture file\n"
    "  convert    turn a picture into a seamless slanted tile (BMP or PNG)\n"
    "  preview    work out the preview drawing of a pattern\n"
    "Run 'slanter-cli VERB --help' for the arguments of a verb.\n"
    "Examples:\n"
    "  slanter-cli patterns photo.jpg\n"
    "  slanter-cli convert photo.jpg tile.png --angle 30\n"
    "  slanter-cli convert photo.jpg wallpaper.png --scale x1080 --angle 30 --fill 1920x1080\n";

} // namespace

int RunCli(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    if (IsHelpWord(args[0])) {
        out << kUsage;
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << "slanter-cli (" << kTitle << ") "
            << VersionNumberText(kMajorVersion, kMinorVersion, kRevision) << "\n";
        return kExitOk;
    }
    const Arguments rest(args.begin() + 1, args.end());
    if (const std::optional<std::string> twice = RepeatedOption(rest)) {
        err << "slanter-cli " << args[0] << ": " << *twice << " is given more than once\n";
        return kExitUsage;
    }
    if (args[0] == "patterns")
        return RunPatterns(rest, out, err);
    if (args[0] == "info")
        return RunInfo(rest, out, err);
    if (args[0] == "convert")
        return RunConvert(rest, out, err);
    if (args[0] == "preview")
        return RunPreview(rest, out, err);
    err << "slanter-cli: unknown verb '" << args[0] << "'\n" << kUsage;
    return kExitUsage;
}

} // namespace slanter::cli
