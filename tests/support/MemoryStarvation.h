#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

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

// A fixture that keeps the process short of memory through each test, and fails the test
// at once where the shortage cannot be set up.
template <typename Base = ::testing::Test>
class StarvedTest : public Base {
  protected:
    void SetUp() override {
        starvation_.emplace();
        ASSERT_TRUE(starvation_->Holds());
    }
    void TearDown() override { starvation_.reset(); }

  private:
    std::optional<MemoryStarvation> starvation_;
};

} // namespace slanter::testing
