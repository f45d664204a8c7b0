#include "support/MemoryStarvation.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fstream>
#include <unistd.h>
#endif

#ifdef __SANITIZE_ADDRESS__
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=32";
}
#endif

namespace slanter::testing {

#ifdef _WIN32
namespace {
constexpr std::size_t kMostBlocks = 100000;
}

// Windows sets no limit on a process's addresses; reserving all of a 32-bit process's free
// addresses but 40 to 56 MiB of small pieces leaves it as short of memory.
MemoryStarvation::MemoryStarvation() {
    blocks_.reserve(kMostBlocks); // no allocation while the addresses run out
    for (std::size_t size = std::size_t{1} << 30; size >= (std::size_t{1} << 16); size /= 2) {
        while (blocks_.size() < kMostBlocks) {
            void* start = ::VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
            if (start == nullptr)
                break;
            blocks_.push_back({start, size});
        }
    }
    if (blocks_.size() >= kMostBlocks)
        return;
    // Give back the smallest pieces: no hole as large as the allocations refused.
    std::size_t returned = 0;
    for (std::size_t k = blocks_.size(); k-- > 0 && returned < (std::size_t{40} << 20);) {
        if (returned + blocks_[k].size > (std::size_t{56} << 20))
            continue;
        ::VirtualFree(blocks_[k].start, 0, MEM_RELEASE);
        returned += blocks_[k].size;
        blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(k));
    }
    holds_ = returned >= (std::size_t{40} << 20);
}

MemoryStarvation::~MemoryStarvation() {
    for (const Block& block : blocks_)
        ::VirtualFree(block.start, 0, MEM_RELEASE);
}
#else
MemoryStarvation::MemoryStarvation() {
#ifdef __SANITIZE_ADDRESS__
    holds_ = true;
#else
    if (::getrlimit(RLIMIT_AS, &previous_) != 0)
        return;
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    if (pages <= 0)
        return;
    rlimit tight = previous_;
    tight.rlim_cur = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (48 << 20);
    holds_ = ::setrlimit(RLIMIT_AS, &tight) == 0;
#endif
}

MemoryStarvation::~MemoryStarvation() {
#ifndef __SANITIZE_ADDRESS__
    if (holds_)
        ::setrlimit(RLIMIT_AS, &previous_);
#endif
}
#endif

} // namespace slanter::testing
