#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#include <random>
#include <windows.h>
#endif

namespace slanter::testing {

#ifdef _WIN32
// The platform's temporary folder, in the ANSI names the core's file calls take.
TempFolder::TempFolder() {
    char base[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(MAX_PATH, base);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("no temporary folder");
    std::random_device seed;
    std::mt19937 pick(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = std::string(base) + "slanter-test-" + std::to_string(pick());
        if (::CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error(std::string("cannot make a folder in ") + base);
}
#else
TempFolder::TempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/slanter-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a folder from " + pattern);
    path_ = pattern;
}
#endif

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace slanter::testing
