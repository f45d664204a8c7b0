#pragma once

#include <string>

namespace slanter {

// A lock a run holds on its own folder for as long as it lives. The system lets it go
// however the run ends (also when it is killed or crashes), so a folder whose lock can
// be taken belongs to no live run.
class FolderLock {
  public:
    FolderLock() = default;
    // Takes the lock on `folder`; Held() tells whether it was had.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const;
    // Lets the lock go now.
    void Release();

  private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int descriptor_ = -1;
#endif
};

// Whether a name is one a run gives its folder: "slanter-" and up to ten letters or digits
// (mkdtemp's six, or a number). Other programs' "slanter-something-else" is not.
bool IsRunFolderName(const std::string& name);

// Removes, under `parent`, each run folder (by its name) that this user made and no live
// run holds locked, with everything in it. A link is never followed.
void RemoveDeadRunFolders(const std::string& parent);

} // namespace slanter
