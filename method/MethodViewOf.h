#pragma once

#include "method/MethodView.h"

namespace slanter {

// The method window's view over a front end's form, declared once: each front end defines
// the members for its own form, which befriends them, and instantiates them there.
template <typename Form>
class MethodViewOf final : public MethodView {
  public:
    explicit MethodViewOf(Form& form) : form_(form) {}

    void ShowChoices(const MethodChoices& choices) override;
    void SetCaption(std::string_view item, const std::string& text) override;
    int ColumnWidth(int column) const override;
    void SetColumnWidth(int column, int width) override;
    int ListTextWidth(const std::string& text) const override;
    void ShowRows(const std::vector<std::string>& items) override;
    int SelectedRow() const override;
    void SelectRow(int row) override;
    void EnableCommands(bool enabled) override;
    void EnableInput(bool enabled) override;
    bool IsActive() const override;
    void Activate() override;
    Extent ClientArea() const override;
    BoxBounds ConvertButtonBounds() const override;
    BoxBounds PanelBounds() const override;
    void SetClientArea(Extent client) override;
    void LayOutPanel(Extent panel, int lastColumnWidth) override;
    ResultWindow& OpenResultWindow() override;
    void ShowInFront() override;
    void HideWindow() override;
    void SavePlacement() override;

  private:
    Form& form_;
};

} // namespace slanter
