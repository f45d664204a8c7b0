#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

namespace slanter {

// An array of plain values that the bitmap record owns. Running out of memory is an
// answer (false, and no array held), never an exception, so that the record can turn it
// into a refusal.
template <typename T>
class OwnedArray {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    OwnedArray() = default;
    OwnedArray(OwnedArray&& other) noexcept
        : data_(std::move(other.data_)), count_(std::exchange(other.count_, 0)) {}
    OwnedArray& operator=(OwnedArray&& other) noexcept {
        data_ = std::move(other.data_);
        count_ = std::exchange(other.count_, 0);
        return *this;
    }

    // count zero-filled elements; none for a count of 0 or below.
    bool Reset(std::int64_t count) {
        if (count > 0 && count == count_) {
            std::memset(data_.get(), 0, static_cast<std::size_t>(count) * sizeof(T));
            return true;
        }
        Release();
        if (count <= 0)
            return true;
        if (count > kMostElements)
            return false;
        return Take(static_cast<T*>(std::calloc(static_cast<std::size_t>(count), sizeof(T))),
                    count);
    }

    // count elements that the caller overwrites before anyone reads them. A block of the
    // same count is kept, which spares a reload of an equal picture the page faults.
    bool ResetForOverwrite(std::int64_t count) {
        if (count > 0 && count == count_)
            return true;
        Release();
        if (count <= 0)
            return true;
        if (count > kMostElements)
            return false;
        return Take(static_cast<T*>(std::malloc(static_cast<std::size_t>(count) * sizeof(T))),
                    count);
    }

    void Release() {
        data_.reset();
        count_ = 0;
    }

    std::int32_t Count() const { return count_; }
    T* Data() { return data_.get(); }
    const T* Data() const { return data_.get(); }
    T& operator[](std::int64_t index) { return data_[index]; }
    const T& operator[](std::int64_t index) const { return data_[index]; }

  private:
    // The count is 32 bits; on a 32-bit system the bytes must also fit a size_t, or a large
    // picture would wrap around to a small block.
    static constexpr std::int64_t kMostElements =
        std::min<std::uint64_t>(INT32_MAX, SIZE_MAX / sizeof(T));

    struct FreeBlock {
        void operator()(T* block) const { std::free(block); }
    };

    bool Take(T* block, std::int64_t count) {
        if (block == nullptr)
            return false;
        data_.reset(block);
        count_ = static_cast<std::int32_t>(count);
        return true;
    }

    std::unique_ptr<T[], FreeBlock> data_;
    std::int32_t count_ = 0;
};

} // namespace slanter
