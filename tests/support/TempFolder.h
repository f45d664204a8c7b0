#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace slanter::testing {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder of its own for one test, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string Path(const std::string& name) const { return path_ + kSeparator + name; }

#ifdef _WIN32
    static constexpr char kSeparator = '\\';
#else
    static constexpr char kSeparator = '/';
#endif

  private:
    std::string path_;
};

void WriteBytes(const std::string& path, const Bytes& bytes);
// The whole file; empty when it cannot be read.
Bytes ReadBytes(const std::string& path);

} // namespace slanter::testing
