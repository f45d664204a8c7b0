#include "shell/TemporaryPictures.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

namespace slanter {

namespace {

namespace fs = std::filesystem;

// A new folder under parent with a name no other run has, that only this user can enter;
// empty when none could be made.
std::string MakePrivateFolder(std::string parent) {
    if (parent.empty())
        return {};
    if (parent.back() != '/')
        parent += '/';
#ifdef _WIN32
    // Folders made in the user's own temporary location are private to the user there.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string folder = parent + "slanter-" + std::to_string(random());
        std::error_code error;
        if (fs::create_directory(folder, error))
            return folder + "/";
        if (error)
            return {};
    }
    return {};
#else
    // Made at once with no access for anyone else.
    std::string pattern = parent + "slanter-XXXXXX";
    return ::mkdtemp(pattern.data()) != nullptr ? pattern + "/" : std::string{};
#endif
}

} // namespace

TemporaryPictures::TemporaryPictures(const std::string& parent) {
    // Runs that were killed, crashed or lost their power left their folders behind.
    if (!parent.empty())
        RemoveDeadRunFolders(parent);
    folder_ = MakePrivateFolder(parent);
    if (!folder_.empty())
        lock_ = FolderLock(folder_);
}

TemporaryPictures::~TemporaryPictures() {
    RemoveAll();
}

std::string TemporaryPictures::FileName(const std::string& name) const {
    return folder_.empty() ? std::string{} : folder_ + name;
}

void TemporaryPictures::Writing(const std::string& fileName) {
    if (fileName.empty())
        return;
    if (std::find(written_.begin(), written_.end(), fileName) == written_.end())
        written_.push_back(fileName);
}

void TemporaryPictures::RemoveAll() {
    std::error_code ignored;
    for (const std::string& file : written_) {
        if (!fs::is_directory(fs::symlink_status(file, ignored)))
            fs::remove(file, ignored);
    }
    written_.clear();
    lock_.Release();
    // remove() deletes a folder only when it is empty: anything else put there stays.
    if (!folder_.empty() && fs::is_directory(fs::symlink_status(folder_, ignored)))
        fs::remove(folder_, ignored);
}

std::string UserTemporaryLocation() {
    std::error_code error;
    const fs::path location = fs::temp_directory_path(error);
    return error ? std::string{} : location.string();
}

} // namespace slanter
