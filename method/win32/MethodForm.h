#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "method/PatternRow.h"
#include "shell/win32/Controls.h"
#include "shell/win32/GdiObjects.h"
#include "shell/win32/Wnd.h"

namespace slanter {

class TFinalForm;
struct ProgramState;

// The method window, where the user chooses how a picture is slanted: the arrangement,
// the tilt, smoothing and the list order, a pattern of the engine's list, and then a
// preview or a conversion. Made hidden at start; the main window refills it after each new
// picture and brings it up. It keeps its options and column widths between runs, and owns
// the result window of every conversion started from it.
class TMethodForm : public Wnd {
  public:
    explicit TMethodForm(ProgramState& state);
    ~TMethodForm() override;

    // Fills the list again from the pattern engine, with nothing selected and both commands
    // disabled. The preview of a pattern of the old table goes; an empty table leaves it.
    void RefreshList();

    // The option buttons' shared handler: the arrangement, the tilt or the order reaches
    // the engine; a new arrangement or order refills the list.
    void RadioButtonClick(const CheckButton* sender);
    // Both commands are offered while a pattern is selected.
    void ListBox1Click();
    void ListBox1DblClick();
    void Button1Click();
    void Button2Click();

    // Selects the list's pattern in the engine and has the preview window draw it.
    void ShowPreview();
    // Selects the list's pattern in the engine and converts it in a new result window,
    // numbered in the order of this run's conversions.
    void StartConversion();

    std::int32_t ResultCount() const { return ResultCount_; }
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
    void FormClose();
    bool FormResize();
    void ReadOptions();
    void SetEnglishCaptions();
    // Keeps every caption of a group box and its buttons whole: a button is widened up to
    // the frame, and a caption that still does not fit takes a smaller font of its own.
    void FitGroupBox(GroupBox& box, CheckButton& first, CheckButton& second);
    int TextWidth(HFONT font, const std::string& text) const;
    // The control font `pixels` high, made once and kept with the window.
    HFONT FontOf(int pixels);
    // Paints the row of pattern `index`: five columns under the header's sections, each
    // cut at its section's edges, in the selection's colours for a selected row.
    void ListBox1DrawItem(DRAWITEMSTRUCT& item) const;
    SectionWidths ColumnWidths() const;

    ProgramState& state_;
    GdiObject<HFONT> font_;
    std::vector<std::pair<int, GdiObject<HFONT>>> smallerFonts_;
    std::int32_t ResultCount_ = 0;
    std::vector<std::unique_ptr<TFinalForm>> results_;
    int resizeDepth_ = 0;
};

// The method window of this run; null before it is made and after it is gone.
extern TMethodForm* MethodForm;

} // namespace slanter
