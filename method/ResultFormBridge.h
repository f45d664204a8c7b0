#pragma once

#include <cstdint>

#include "conversion/ResultWindow.h"

namespace slanter {

// A result form that is not yet a ResultWindow itself, as the method window starts it: it
// is numbered, told the smoothing and converts.
template <class Form>
class ResultFormBridge final : public ResultWindow {
  public:
    explicit ResultFormBridge(Form& form) : form_(form) {}
    void Convert(std::int32_t number, bool smoothing) override {
        form_.ResultNumber = number;
        form_.Smoothing = smoothing;
        form_.Convert();
    }

  private:
    Form& form_;
};

} // namespace slanter
