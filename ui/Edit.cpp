// Edit boxes.
#include "ui/Edit.h"

#include <windowsx.h>

bool Edit::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height,
                  bool upperCase) {
    DWORD style = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | (upperCase ? ES_UPPERCASE : 0);
    return CreateChild(L"EDIT", text, style, WS_EX_CLIENTEDGE, parent, x, y, width, height);
}

void Edit::SelectAll() {
    Send(EM_SETSEL, 0, -1);
}

std::pair<int, int> Edit::Selection() const {
    DWORD start = 0;
    DWORD end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

LRESULT Edit::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETDLGCODE: {
        LRESULT code = Control::HandleMessage(msg, wp, lp);
        // Enter must reach OnKeyPress rather than press the form's default button.
        auto* queued = reinterpret_cast<MSG*>(lp);
        if (OnKeyPress && queued && (queued->message == WM_KEYDOWN || queued->message == WM_CHAR) &&
            queued->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_CHAR:
        if (OnKeyPress) {
            wchar_t key = static_cast<wchar_t>(wp);
            OnKeyPress(key);
            if (key == 0)
                return 0;
            wp = key;
        }
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = Control::HandleMessage(msg, wp, lp);
        if (OnExit)
            OnExit();
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const LRESULT result = Control::HandleMessage(msg, wp, lp);
        if (OnMouseDown)
            OnMouseDown(msg, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return result;
    }
    default:
        break;
    }
    return Control::HandleMessage(msg, wp, lp);
}

bool Edit::HandleReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE && OnChange) {
        OnChange();
        result = 0;
        return true;
    }
    return false;
}
