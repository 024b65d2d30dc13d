// Check boxes.
#include "ui/CheckBox.h"

bool CheckBox::Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height) {
    return CreateChild(L"BUTTON", caption, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, parent, x, y, width,
                       height);
}

bool CheckBox::Checked() const {
    return Send(BM_GETCHECK) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CheckBox::Click() {
    Send(BM_CLICK);
}

bool CheckBox::HandleReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED)
        return false;
    if (OnClick)
        OnClick();
    result = 0;
    return true;
}

bool RadioButton::Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height,
                         bool firstOfGroup) {
    return CreateChild(L"BUTTON", caption,
                       WS_VISIBLE | BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0), 0,
                       parent, x, y, width, height);
}
