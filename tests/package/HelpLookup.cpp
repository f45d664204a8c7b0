// Prints the help documents the desktop program at the path given finds, Japanese then
// English, through the start the program itself runs: the package test asks it where the
// installed program looks.
#include <iostream>

#include "shell/General.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: slanter_help_lookup PROGRAM_FILE\n";
        return 2;
    }
    for (const char* language : {"/JAPANESE", "/ENGLISH"}) {
        slanter::InitGeneral({argv[1], language, nullptr});
        std::cout << slanter::HelpFileName << '\n';
    }
    return 0;
}
