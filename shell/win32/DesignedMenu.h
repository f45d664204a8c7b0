#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include <windows.h>

#include "shell/win32/DesignedForm.h"

namespace slanter {

class Wnd;

// A window's menu bar built from its designed form: each menu and entry with its
// designed caption and a command of the window. Entries are found by their names.
class DesignedMenu {
  public:
    // Builds the bar `barName` of `form`; the entries named in `leftOut` are not made.
    DesignedMenu(DesignedForm form, std::string_view barName, Wnd& window,
                 const std::set<std::string>& leftOut = {});
    DesignedMenu(const DesignedMenu&) = delete;
    DesignedMenu& operator=(const DesignedMenu&) = delete;

    HMENU Bar() const { return bar_; }
    // The entry's command identifier; 0 for no such entry.
    int Id(std::string_view name) const;
    // The drop-down menu named `name`.
    HMENU Menu(std::string_view name) const;
    // Has `name` (an entry or a menu of the bar) run `handler`.
    void SetHandler(std::string_view name, std::function<void()> handler);
    void SetText(std::string_view name, std::string_view text);
    std::string Text(std::string_view name) const;
    void SetChecked(std::string_view name, bool checked);
    bool IsChecked(std::string_view name) const;
    // A menu of the bar, with every entry of it.
    void SetMenuEnabled(std::string_view name, bool enabled);
    bool IsMenuEnabled(std::string_view name) const;

  private:
    HMENU Build(DesignedForm form, std::string_view menuName, const std::set<std::string>& leftOut);
    // The menu that holds `name`, with its position there.
    bool Find(std::string_view name, HMENU& holder, UINT& position) const;

    Wnd& window_;
    HMENU bar_ = nullptr;
    std::map<std::string, int, std::less<>> ids_;
    std::map<std::string, HMENU, std::less<>> menus_;
    std::map<std::string, std::function<void()>, std::less<>> handlers_;
};

} // namespace slanter
