#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "method/MethodPresenter.h"
#include "method/MethodViewOf.h"
#include "shell/win32/Controls.h"
#include "shell/win32/GdiObjects.h"
#include "shell/win32/Win32Services.h"
#include "shell/win32/Wnd.h"

namespace slanter {

class TFinalForm;
struct ProgramState;

// The method window, where the user chooses how a picture is slanted: the arrangement,
// the tilt, smoothing and the list order, a pattern of the engine's list, and then a
// preview or a conversion. Made hidden at start; the main window refills it after each new
// picture and brings it up. Its flow is MethodPresenter's; it owns the result window of
// every conversion started from it.
class TMethodForm : public Wnd {
  public:
    explicit TMethodForm(ProgramState& state);
    ~TMethodForm() override;

    MethodWindow& Window() { return presenter_; }
    void SetPreviewWindow(PreviewWindow* preview) { presenter_.SetPreviewWindow(preview); }

    // The result windows, in the order started.
    const std::vector<std::unique_ptr<TFinalForm>>& ResultWindows() const { return results_; }

    // The controls, by their designed names.
    CheckButton RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6,
        RadioButton7, RadioButton8;
    GroupBox GroupBox1, GroupBox2, GroupBox3, GroupBox4;
    Button Button1, Button2;
    HeaderControl HeaderControl1;
    OwnerDrawnListBox ListBox1;

    bool OnKeyDown(WPARAM key) override;

  protected:
    void OnClose() override;
    void OnSize(int width, int height) override;
    void OnDpiChanged(int previous) override;
    bool OnDrawItem(DRAWITEMSTRUCT& item) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;

  private:
    void FormCreate();
    // The option buttons and the commands, each bound to its meaning.
    void CreateButtons(HFONT font);
    // How the designed item `name` is made at the window's scale, `within` a box's bounds.
    CreateArgs ArgsOf(std::string_view name, HFONT font, const BoxBounds& within);
    // Keeps every caption of a group box and its buttons whole: a button is widened up to
    // the frame, and a caption that still does not fit takes a smaller font of its own.
    void FitGroupBox(GroupBox& box, CheckButton& first, CheckButton& second);
    int TextWidth(HFONT font, const std::string& text) const;
    // The control font `pixels` high, made once and kept with the window; the designed
    // size is every control's.
    HFONT FontOf(int pixels);
    // Paints the row of pattern `index`: five columns under the header's sections, each
    // cut at its section's edges, in the selection's colours for a selected row.
    void ListBox1DrawItem(DRAWITEMSTRUCT& item) const;

    friend class MethodViewOf<TMethodForm>;

    ProgramState& state_;
    Win32Services services_;
    MethodViewOf<TMethodForm> view_{*this};
    MethodPresenter presenter_;
    std::map<int, GdiObject<HFONT>> fonts_;
    std::vector<std::unique_ptr<TFinalForm>> results_;
    std::array<CheckButton*, kOptionButtonCount> options_{
        &RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4,
        &RadioButton5, &RadioButton6, &RadioButton7, &RadioButton8};
    std::array<GroupBox*, kOptionButtonCount / 2> boxes_{&GroupBox1, &GroupBox2, &GroupBox3,
                                                         &GroupBox4};
    // The controls an English run captions, by their designed names.
    std::vector<std::pair<std::string, Control*>> named_;
};

// The method window of this run; null before it is made and after it is gone.
extern TMethodForm* MethodForm;

extern template class MethodViewOf<TMethodForm>;

} // namespace slanter
