#pragma once

#include <functional>
#include <optional>

#include "engine/Point.h"
#include "shell/PictureSizeFields.h"
#include "shell/win32/Controls.h"
#include "shell/win32/EditBox.h"
#include "shell/win32/Wnd.h"

namespace slanter {

// Picture > Size...: the width, the height and the percentage of the picture as opened,
// each edit bringing the others along by the core's rules (PictureSizeChoice.h).
class TPictureSizeDialog : public Wnd {
  public:
    // Made hidden over `owner`; `original` is the picture as opened, `current` the size
    // it has now.
    bool Create(HWND owner, bool japanese, TPoint original, TPoint current);

    // The size in the fields; none while a side holds no size (empty, 0, too large).
    std::optional<TPoint> ChosenSize() const;
    // Shown, with the owner disabled, until OK (with a size) or Cancel.
    std::optional<TPoint> RunModal();

    EditBox WidthEdit;
    EditBox HeightEdit;
    EditBox PercentEdit;
    Button OkButton;
    Button CancelButton;

    bool OnKeyDown(WPARAM key) override;

  protected:
    void OnClose() override;

  private:
    // The size in every field but the one being typed in.
    void ShowSize(TPoint size, const Control* edited);
    void Edited(SizeField field, const EditBox& edit);
    void Accept();
    void End(std::optional<TPoint> size);

    // A label whose access key ("&Width:") moves the focus to the field after it.
    class KeyLabel : public Control {
      public:
        void Create(const CreateArgs& args);
    };

    TPoint original_{};
    Label originalLabel_;
    KeyLabel widthLabel_;
    KeyLabel heightLabel_;
    KeyLabel percentLabel_;
    bool following_ = false;
    bool ended_ = false;
    std::optional<TPoint> chosen_;
};

// Asks the user for the picture's size; none when the user cancels.
std::optional<TPoint> RunPictureSizeDialog(HWND owner, bool japanese, TPoint original,
                                           TPoint current);

} // namespace slanter
