#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace slanter::cli {

// Exit codes of every verb.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

using Arguments = std::vector<std::string>;

// Runs slanter-cli with the words after the program name.
int RunCli(const Arguments& args, std::ostream& out, std::ostream& err);

// The verbs; each gets the words after its own name.
int RunPatterns(const Arguments& args, std::ostream& out, std::ostream& err);
int RunInfo(const Arguments& args, std::ostream& out, std::ostream& err);
int RunConvert(const Arguments& args, std::ostream& out, std::ostream& err);
int RunPreview(const Arguments& args, std::ostream& out, std::ostream& err);

} // namespace slanter::cli
