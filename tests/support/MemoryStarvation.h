#pragma once

#include <cstddef>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace slanter::testing {

// Leaves this process short of memory while it lives: a block of more than a few tens of
// MiB cannot be had, as where memory ran out. Elsewhere the address space is capped near
// its present size; under the address sanitizer, whose shadow memory no cap would leave
// room for, MemoryStarvation.cpp sets the program's options so that any allocation above
// 32 MiB answers null. Only the programs that starve themselves compile that file.
class MemoryStarvation {
  public:
    MemoryStarvation();
    ~MemoryStarvation();
    MemoryStarvation(const MemoryStarvation&) = delete;
    MemoryStarvation& operator=(const MemoryStarvation&) = delete;

    // Whether the shortage could be set up.
    bool Holds() const { return holds_; }

  private:
    bool holds_ = false;
#ifdef _WIN32
    struct Block {
        void* start;
        std::size_t size;
    };
    std::vector<Block> blocks_;
#else
    rlimit previous_{};
#endif
};

} // namespace slanter::testing
