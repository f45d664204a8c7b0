#include "shell/win32/DesignedMenu.h"

#include <utility>
#include <vector>

#include "shell/win32/WideText.h"
#include "shell/win32/Wnd.h"

namespace slanter {

DesignedMenu::DesignedMenu(DesignedForm form, std::string_view barName, Wnd& window,
                           const std::set<std::string>& leftOut)
    : window_(window) {
    bar_ = CreateMenu();
    for (const DesignedItem& entry : form) {
        if (entry.className != "entry" || entry.parent != barName ||
            leftOut.contains(std::string(entry.name)))
            continue;
        const DesignedItem& menu = Designed(form, entry.name);
        HMENU popup = Build(form, entry.name, leftOut);
        menus_.emplace(std::string(entry.name), popup);
        AppendMenuW(bar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                    WideText(std::string(menu.text)).c_str());
    }
}

HMENU DesignedMenu::Build(DesignedForm form, std::string_view menuName,
                          const std::set<std::string>& leftOut) {
    HMENU menu = CreatePopupMenu();
    bool separatorDue = false;
    for (const DesignedItem& entry : form) {
        if (entry.className != "entry" || entry.parent != menuName)
            continue;
        if (entry.name == "-") {
            separatorDue = GetMenuItemCount(menu) > 0;
            continue;
        }
        if (leftOut.contains(std::string(entry.name)))
            continue;
        // A separator between entries only: one that a left-out entry would end is dropped.
        if (separatorDue)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        separatorDue = false;
        const std::string name(entry.name);
        const int id = window_.NewCommand([this, name] {
            const auto found = handlers_.find(name);
            if (found != handlers_.end() && found->second)
                found->second();
        });
        ids_.emplace(name, id);
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id),
                    WideText(std::string(Designed(form, entry.name).text)).c_str());
    }
    return menu;
}

int DesignedMenu::Id(std::string_view name) const {
    const auto found = ids_.find(name);
    return found == ids_.end() ? 0 : found->second;
}

HMENU DesignedMenu::Menu(std::string_view name) const {
    const auto found = menus_.find(name);
    return found == menus_.end() ? nullptr : found->second;
}

void DesignedMenu::SetHandler(std::string_view name, std::function<void()> handler) {
    handlers_[std::string(name)] = std::move(handler);
}

bool DesignedMenu::Find(std::string_view name, HMENU& holder, UINT& position) const {
    if (const auto menu = menus_.find(name); menu != menus_.end()) {
        const int count = GetMenuItemCount(bar_);
        for (int k = 0; k < count; ++k) {
            if (GetSubMenu(bar_, k) == menu->second) {
                holder = bar_;
                position = static_cast<UINT>(k);
                return true;
            }
        }
        return false;
    }
    const int id = Id(name);
    if (id == 0)
        return false;
    for (const auto& [menuName, menu] : menus_) {
        const int count = GetMenuItemCount(menu);
        for (int k = 0; k < count; ++k) {
            if (GetMenuItemID(menu, k) == static_cast<UINT>(id)) {
                holder = menu;
                position = static_cast<UINT>(k);
                return true;
            }
        }
    }
    return false;
}

void DesignedMenu::SetText(std::string_view name, std::string_view text) {
    HMENU holder = nullptr;
    UINT position = 0;
    if (!Find(name, holder, position))
        return;
    std::wstring wide = WideText(std::string(text));
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = wide.data();
    SetMenuItemInfoW(holder, position, TRUE, &info);
    if (holder == bar_ && window_.Hwnd() != nullptr)
        DrawMenuBar(window_.Hwnd());
}

std::string DesignedMenu::Text(std::string_view name) const {
    HMENU holder = nullptr;
    UINT position = 0;
    if (!Find(name, holder, position))
        return {};
    wchar_t text[256] = {};
    GetMenuStringW(holder, position, text, 256, MF_BYPOSITION);
    return Utf8Text(text);
}

void DesignedMenu::SetChecked(std::string_view name, bool checked) {
    HMENU holder = nullptr;
    UINT position = 0;
    if (Find(name, holder, position))
        CheckMenuItem(holder, position, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool DesignedMenu::IsChecked(std::string_view name) const {
    HMENU holder = nullptr;
    UINT position = 0;
    return Find(name, holder, position) &&
           (GetMenuState(holder, position, MF_BYPOSITION) & MF_CHECKED) != 0;
}

void DesignedMenu::SetMenuEnabled(std::string_view name, bool enabled) {
    HMENU holder = nullptr;
    UINT position = 0;
    if (!Find(name, holder, position))
        return;
    EnableMenuItem(holder, position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    if (holder == bar_ && window_.Hwnd() != nullptr)
        DrawMenuBar(window_.Hwnd());
}

bool DesignedMenu::IsMenuEnabled(std::string_view name) const {
    HMENU holder = nullptr;
    UINT position = 0;
    return Find(name, holder, position) &&
           (GetMenuState(holder, position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
}

} // namespace slanter
