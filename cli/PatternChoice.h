#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "cli/CliCommand.h"

namespace slanter {
class TSlanter;
}

namespace slanter::cli {

// The options that choose one pattern of a picture's table, shared by the verbs that
// work on one pattern: --pattern N or --angle DEGREES, --vertical, --left,
// --sort=angle|area.
struct PatternChoice {
    std::int32_t pattern = -1;
    bool patternGiven = false;
    double angle = 0; // with angleGiven: the pattern is the one nearest this angle
    bool angleGiven = false;
    bool horizontal = true;
    bool rightUp = true;
    bool sortOnAngle = true;

    // Takes args[k] (and its value after it) when it is one of these options, moving k
    // past what it took. Answers false when the word is not one of them; a problem
    // with the word goes to `problem`.
    bool Take(const Arguments& args, std::size_t& k, std::string& problem);

    // Reads all the words of a verb that works on one pattern: these options, one flag
    // of the verb's own (`flag`, which sets `flagSet`), and the words it names (files or
    // sizes: `count` of them, or one and more for 0) into `names`. Answers the problem with
    // the words, empty when they are good; one of "--pattern N" and "--angle DEGREES" is
    // required.
    std::string ReadWords(const Arguments& args, const std::string& flag, bool& flagSet,
                          Arguments& names, const char* expected, std::size_t count = 2);

    // Sets the engine's options, then the picture's size, and selects the pattern (for
    // --angle the nearest, see NearestAnglePattern). On a size without patterns or a
    // pattern outside the table, says so on err (with the verb's name first) and answers
    // false.
    bool Select(TSlanter& engine, std::int32_t width, std::int32_t height, const char* verb,
                std::ostream& err) const;
};

} // namespace slanter::cli
