// Push buttons.
#include "ui/Button.h"

#include "ui/Form.h"

bool Button::Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height,
                    int modalResult, bool isDefault) {
    ModalResultValue = modalResult;
    return CreateChild(L"BUTTON", caption,
                       WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, parent, x,
                       y, width, height);
}

void Button::Click() {
    Send(BM_CLICK);
}

bool Button::HandleReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED)
        return false;
    if (OnClick)
        OnClick();
    if (ModalResultValue != 0)
        if (Form* form = Form::OfWindow(Handle()))
            form->SetModalResult(ModalResultValue);
    result = 0;
    return true;
}
