#pragma once

namespace slanter {

// One reference to a COM object, released when it goes.
template <typename Interface>
class ComPointer {
  public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_ != nullptr)
            pointer_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    // Where a call puts a new reference; the one held before is released first.
    Interface** Receive() {
        if (pointer_ != nullptr)
            pointer_->Release();
        pointer_ = nullptr;
        return &pointer_;
    }

  private:
    Interface* pointer_ = nullptr;
};

} // namespace slanter
