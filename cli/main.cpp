#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/CliCommand.h"
#include "engine/ExtendedPrecision.h"

int main(int argc, char** argv) {
    slanter::UseExtendedPrecision();
#ifdef _WIN32
    // Text mode would turn each line end into CR LF; the output is the same bytes as on
    // Linux, so that scripts and comparisons read one format.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const slanter::cli::Arguments args(argv + 1, argv + argc);
    return slanter::cli::RunCli(args, std::cout, std::cerr);
}
