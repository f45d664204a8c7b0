#include "support/FullDisk.h"

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace slanter::testing {

FullDisk::FullDisk(const std::string& folder, long fallbackBytes) : folder_(folder) {
    mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
    if (mounted_)
        return;
    std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit low = old_;
    low.rlim_cur = static_cast<rlim_t>(fallbackBytes);
    ::setrlimit(RLIMIT_FSIZE, &low);
}

FullDisk::~FullDisk() {
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
    else
        ::setrlimit(RLIMIT_FSIZE, &old_);
}

void FullDisk::Fill() {
    if (!mounted_)
        return;
    const int fd = ::open((folder_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    char block[512] = {};
    while (fd >= 0 && ::write(fd, block, sizeof block) > 0) {
    }
    if (fd >= 0)
        ::close(fd);
}

std::string FullDisk::Reason() const {
    return std::strerror(mounted_ ? ENOSPC : EFBIG);
}

} // namespace slanter::testing
#endif
