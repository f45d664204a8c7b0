#include <iostream>

#include "cli/CliCommand.h"
#include "engine/ExtendedPrecision.h"

int main(int argc, char** argv) {
    slanter::UseExtendedPrecision();
    const slanter::cli::Arguments args(argv + 1, argv + argc);
    return slanter::cli::RunCli(args, std::cout, std::cerr);
}
