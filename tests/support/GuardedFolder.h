#pragma once

#include <string>

#include "support/TempFolder.h"

namespace slanter::testing {

// A scratch folder that goes however this process ends. A fuzz target leaves through
// _Exit on a finding, a timeout or a memory limit, and a sanitizer aborts a replay, so
// neither destructors nor atexit handlers can be trusted with it: a watching process
// removes it once this one has gone. Where that cannot be had (Windows), the folder
// goes when the object does.
class GuardedFolder {
  public:
    GuardedFolder();
    ~GuardedFolder();
    GuardedFolder(const GuardedFolder&) = delete;
    GuardedFolder& operator=(const GuardedFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string Path(const std::string& name) const;

  private:
#ifdef _WIN32
    TempFolder folder_;
#else
    int watcher_ = -1; // our end of the pipe the watching process waits on
    int watcherId_ = -1;
#endif
    std::string path_;
};

} // namespace slanter::testing
