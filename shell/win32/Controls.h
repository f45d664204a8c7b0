#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

namespace slanter {

// How a control is made: its parent (a window of ours, which dispatches its
// notifications), caption, bounds in the parent's client area and extra styles.
struct CreateArgs {
    HWND parent = nullptr;
    std::string_view text;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    DWORD style = 0;
    HFONT font = nullptr;
};

// A system control owned by its object: destroyed with it, unless its parent went first.
class Control {
  public:
    Control() = default;
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Hwnd() const { return hwnd_; }
    int Id() const { return id_; }
    void SetText(std::string_view text);
    std::string Text() const;
    void SetBounds(int left, int top, int width, int height);
    // The bounds in the parent's client area.
    RECT Bounds() const;
    void SetVisible(bool visible);
    bool IsVisible() const;
    void SetEnabled(bool enabled);
    bool IsEnabled() const;
    void SetFocus();

  protected:
    // Makes the control; `onCommand` runs for its WM_COMMAND notifications (the code).
    void Make(const wchar_t* className, const CreateArgs& args, DWORD style,
              std::function<void(int code)> onCommand = {});
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  private:
    HWND hwnd_ = nullptr;
    int id_ = 0;
};

class Button : public Control {
  public:
    void Create(const CreateArgs& args, std::function<void()> onClick);
    // Pressed as the user presses it: its handler runs.
    void Click();
};

// A radio button or a check box: `onClick` runs when the user checks it.
class CheckButton : public Control {
  public:
    void CreateRadio(const CreateArgs& args, bool firstOfGroup, std::function<void()> onClick);
    void CreateCheckBox(const CreateArgs& args, std::function<void()> onClick);
    bool IsChecked() const;
    // Checked without its handler running.
    void SetChecked(bool checked);
    // Checked as the user checks it: its handler runs.
    void Click();
};

class GroupBox : public Control {
  public:
    void Create(const CreateArgs& args);
};

class Label : public Control {
  public:
    void Create(const CreateArgs& args);
};

class ProgressBar : public Control {
  public:
    void Create(const CreateArgs& args);
    void SetPosition(int percent);
    int Position() const;
};

// A list box whose rows its parent paints (WM_DRAWITEM); each row keeps a text too.
class OwnerDrawnListBox : public Control {
  public:
    void Create(const CreateArgs& args, int rowHeight, std::function<void()> onSelect,
                std::function<void()> onDoubleClick);
    void SetItems(const std::vector<std::string>& texts);
    int Count() const;
    // The selected row, -1 for none.
    int Selected() const;
    // Selects a row as the user does: the selection handler runs.
    void Select(int index);
    // Asks for every row to be painted again.
    void Repaint();

  private:
    std::function<void()> onSelect_;
};

// A header control with resizable sections.
class HeaderControl : public Control {
  public:
    void Create(const CreateArgs& args, const std::vector<std::string>& captions);
    int SectionWidth(int section) const;
    void SetSectionWidth(int section, int width);
    void SetSectionCaption(int section, std::string_view caption);
    std::string SectionCaption(int section) const;
};

} // namespace slanter
