// Opens one picture file as the program does (the reader, then the decoders) and ends:
// timed as a whole command by bench/compare_decoders.py beside OpenCV's imread.
//   open_picture FILE
#include <cstdio>
#include <string>

#include "bitmap/HandyBitmap.h"
#include "bitmap/WorkingPicture.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: open_picture FILE\n");
        return 2;
    }
    slanter::THandyBitmap picture;
    const std::string reason = slanter::LoadWorkingPicture(argv[1], picture);
    if (!reason.empty()) {
        std::fprintf(stderr, "%s\n", reason.c_str());
        return 1;
    }
    std::printf("%d x %d\n", picture.biWidth(), picture.biHeight());
    return 0;
}
