// libFuzzer target: any bytes as a BMP file. Built and run only by scripts/fuzz-bmp.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "support/LoadRoundTrip.h"

namespace {

// The reader takes a file name, so each input goes through a file of this process.
const std::string& InputPath() {
    static const std::string path =
        (access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
        "/slanter-fuzz-" + std::to_string(getpid()) + ".bmp";
    return path;
}

void RemoveInputFiles() {
    std::remove(InputPath().c_str());
    std::remove((InputPath() + ".out").c_str());
}

} // namespace

// The files go when the run ends; registered once the path exists, so that the path
// outlives the handler.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InputPath();
    std::atexit(RemoveInputFiles);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
    const std::string fault =
        slanter::testing::CheckLoadRoundTrip(InputPath(), InputPath() + ".out");
    if (!fault.empty()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
