#include <ostream>

#include "bitmap/HandyBitmap.h"
#include "cli/ArgumentParsing.h"
#include "cli/CliCommand.h"

namespace slanter::cli {

namespace {

constexpr const char* kInfoUsage =
    "Usage: slanter-cli info FILE\n"
    "Reads the BMP file FILE as the program does and shows its width, height, bits per\n"
    "pixel, palette entries and the colours its depth can hold, one 'name: value' a line.\n"
    "A file the program cannot take gives its reason on standard error.\n";

} // namespace

int RunInfo(const Arguments& args, std::ostream& out, std::ostream& err) {
    for (const std::string& word : args) {
        if (IsHelpWord(word)) {
            out << kInfoUsage;
            return kExitOk;
        }
    }
    if (args.size() != 1) {
        err << "slanter-cli info: expected one FILE\n" << kInfoUsage;
        return kExitUsage;
    }
    THandyBitmap picture;
    if (!picture.LoadFromFile(args[0])) {
        err << picture.ErrorText() << '\n';
        return kExitFailure;
    }
    out << "width: " << picture.biWidth() << '\n'
        << "height: " << picture.biHeight() << '\n'
        << "bits: " << picture.biBitCount() << '\n'
        << "palette: " << picture.PaletteCount() << '\n'
        << "colors: " << picture.MaxColors() << '\n';
    return kExitOk;
}

} // namespace slanter::cli
