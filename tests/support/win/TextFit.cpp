// Measuring control texts in their own fonts.
#include "support/win/TextFit.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

namespace {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// The rectangle DrawText needs for the text in the window's font, at most `width` wide when it
// wraps.
RECT Measure(HWND window, const std::wstring& text, UINT format, int width) {
    HDC dc = ::GetDC(window);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ old = ::SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
    RECT r{0, 0, width, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return r;
}

struct Room {
    int width = 0;
    int height = 0;
    UINT format = DT_SINGLELINE;
};

// The room a control gives its text, or none (width 0) for a control without a text to check.
Room TextRoom(HWND window, int dpi) {
    auto scaled = [dpi](int length) { return ::MulDiv(length, dpi, 96); };
    RECT client{};
    ::GetClientRect(window, &client);
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    const std::wstring cls = ClassOf(window);
    Room room{client.right, client.bottom, DT_SINGLELINE};
    if (::lstrcmpiW(cls.c_str(), L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT)
            room.format = DT_WORDBREAK | DT_EXPANDTABS;
        else if (type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
            return {}; // icons, frames, pictures
        if (style & SS_NOPREFIX)
            room.format |= DT_NOPREFIX;
        return room;
    }
    if (::lstrcmpiW(cls.c_str(), L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            room.width -= 2 * scaled(3);
            room.height -= 2 * scaled(2);
            return room;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            room.width -= std::max(scaled(13), ::GetSystemMetrics(SM_CXMENUCHECK)) + scaled(4);
            return room;
        case BS_GROUPBOX:
            room.width -= 2 * scaled(8);
            room.height = INT_MAX; // the caption sits on the frame
            return room;
        default:
            return {};
        }
    }
    if (cls == L"KavetPanel") // a panel's heading, drawn on one line
        return room;
    return {};
}

// The captions of a toolbar's buttons against their buttons' widths.
void CheckToolbar(HWND bar, int dpi, std::vector<std::wstring>& cut) {
    const int count = static_cast<int>(::SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        ::SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        const LRESULT length =
            ::SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), 0);
        if (length <= 0)
            continue;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        ::SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand),
                       reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        RECT r{};
        ::SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        // The platform's text room: the button less an edge on each side and the arrow's part.
        int room = r.right - r.left - 2 * ::MulDiv(2, dpi, 96);
        if (button.fsStyle & BTNS_DROPDOWN)
            room -= ::MulDiv(11, dpi, 96);
        const RECT need = Measure(bar, text, DT_SINGLELINE, room);
        if (need.right > room)
            cut.push_back(L"\"" + text + L"\": " + std::to_wstring(need.right - room) +
                          L" pixels too narrow");
    }
}

BOOL CALLBACK Collect(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

} // namespace

std::vector<std::wstring> CutTexts(HWND root, int dpi) {
    std::vector<HWND> children;
    ::EnumChildWindows(root, &Collect, reinterpret_cast<LPARAM>(&children));
    std::vector<std::wstring> cut;
    for (HWND child : children) {
        if (!(::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE))
            continue; // hidden itself (the form may not be shown yet)
        if (ClassOf(child) == TOOLBARCLASSNAMEW) {
            CheckToolbar(child, dpi, cut);
            continue;
        }
        const std::wstring text = WindowText(child);
        const Room room = TextRoom(child, dpi);
        if (text.empty() || room.width == 0)
            continue;
        const RECT need = Measure(child, text, room.format, room.width);
        if (need.right > room.width)
            cut.push_back(L"\"" + text + L"\": " + std::to_wstring(need.right - room.width) +
                          L" pixels too narrow");
        if (need.bottom > room.height)
            cut.push_back(L"\"" + text + L"\": " + std::to_wstring(need.bottom - room.height) +
                          L" pixels too low");
    }
    return cut;
}
