#pragma once

#include <string>
#include <vector>

#include "shell/FolderLock.h"

namespace slanter {

// The folder where this run keeps its temporary pictures: the working file and the
// conversion results. Each run makes a folder of its own under the user's temporary
// location, so runs side by side never overwrite or delete each other's pictures, and
// an installed program's read-only folder does not matter. At the end only the files
// this run wrote are deleted, then the folder if nothing else is left in it. The run
// holds a lock on its folder while it lives; a run that starts removes the folders of
// runs that no longer live (killed, crashed), which no end of theirs removed.
class TemporaryPictures {
  public:
    // Removes the folders of dead runs under `parent`, then makes and locks this run's
    // folder there; when that fails, Folder() is empty and every name
    // below is empty too, so each write fails and is reported where it happens.
    explicit TemporaryPictures(const std::string& parent);
    // RemoveAll().
    ~TemporaryPictures();
    TemporaryPictures(const TemporaryPictures&) = delete;
    TemporaryPictures& operator=(const TemporaryPictures&) = delete;

    // The folder with its trailing separator; empty when it could not be made.
    const std::string& Folder() const { return folder_; }
    // Folder() + name; empty when there is no folder.
    std::string FileName(const std::string& name) const;
    // The working file, "Temp0000.bmp".
    std::string WorkingFileName() const { return FileName("Temp0000.bmp"); }

    // Notes a file before it is written, so that it goes at the end even when the write
    // fails halfway.
    void Writing(const std::string& fileName);
    // Deletes the files noted and then the folder when it is empty; failures are ignored.
    void RemoveAll();

  private:
    std::string folder_;
    std::vector<std::string> written_;
    FolderLock lock_;
};

// The user's temporary location (TMPDIR when set); empty when there is none.
std::string UserTemporaryLocation();

} // namespace slanter
