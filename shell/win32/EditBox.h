#pragma once

#include <functional>

#include "shell/win32/Controls.h"

namespace slanter {

// A one-line edit field; `onChange` runs for each change of its text, the user's or the
// program's. With `numbers`, it takes digits alone and gets arrow buttons that step it
// within `least` and `most`.
class EditBox : public Control {
  public:
    void Create(const CreateArgs& args, std::function<void()> onChange);
    void AddArrows(int least, int most);
    HWND Arrows() const { return arrows_; }
    void SelectAll();

  private:
    HWND arrows_ = nullptr;
};

} // namespace slanter
