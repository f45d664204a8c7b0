#pragma once

#include <sstream>
#include <string>

#include "cli/CliCommand.h"

namespace slanter::cli {

// What one run of slanter-cli answered: its exit code and what it printed.
struct CliRun {
    int code;
    std::string out;
    std::string err;
};

// Runs slanter-cli with these words after the program name, in this process.
inline CliRun RunWords(const Arguments& words) {
    std::ostringstream out, err;
    const int code = RunCli(words, out, err);
    return {code, out.str(), err.str()};
}

} // namespace slanter::cli
