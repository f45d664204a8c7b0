#pragma once

#include <string>

#ifndef _WIN32
#include <sys/resource.h>

namespace slanter::testing {

// A folder whose disk runs full: a small file system of its own mounted over it where the
// test may mount one (it runs as root), filled up by Fill(); otherwise a limit of
// fallbackBytes on the size of any file the process writes, which fails the writes past
// it as a full disk would. Mounted, the folder's earlier contents are hidden until the end.
class FullDisk {
  public:
    FullDisk(const std::string& folder, long fallbackBytes);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // Takes what room is left, so that the next write of any size fails.
    void Fill();
    // The system's words for the failure the disk gives.
    std::string Reason() const;

  private:
    std::string folder_;
    bool mounted_ = false;
    rlimit old_{};
};

} // namespace slanter::testing
#endif
