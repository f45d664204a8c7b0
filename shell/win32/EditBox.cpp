#include "shell/win32/EditBox.h"

#include <commctrl.h>

namespace slanter {

void EditBox::Create(const CreateArgs& args, std::function<void()> onChange) {
    Make(L"EDIT", args, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
         [onChange = std::move(onChange)](int code) {
             if (code == EN_CHANGE && onChange)
                 onChange();
         });
}

void EditBox::AddArrows(int least, int most) {
    // Thousands separators would make the field's text no number to read back.
    arrows_ = CreateWindowExW(
        0, UPDOWN_CLASSW, nullptr,
        WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
        0, 0, 0, 0, GetParent(Hwnd()), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (arrows_ == nullptr)
        return;
    SendMessageW(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Hwnd()), 0);
    SendMessageW(arrows_, UDM_SETRANGE32, static_cast<WPARAM>(least), most);
}

void EditBox::SelectAll() {
    Send(EM_SETSEL, 0, -1);
}

} // namespace slanter
