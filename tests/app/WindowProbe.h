// What the main-window tests read of the window and do to it, only through its windows as a user
// meets them: the list's rows and selection (LVM_), the tree (TVM_), the status bar, the menus and
// toolbar buttons found by their texts, the address and mask boxes; and catching what the window
// would report to the user.
#pragma once

#include "ui/ExceptionDisplay.h"
#include "ui/MessageBox.h"
#include "support/win/MessagePump.h"

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

using Names = std::vector<std::wstring>;

// ---- The file list ----

// A cell's text as the list shows it (the list asks its owner for it).
inline std::wstring ListItemText(HWND list, int row, int column) {
    wchar_t text[260] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 260;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

inline int ListCount(HWND list) {
    return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

// The first column of every row, top to bottom.
inline Names ListNames(HWND list) {
    Names names;
    for (int row = 0; row < ListCount(list); ++row)
        names.push_back(ListItemText(list, row, 0));
    return names;
}

// The row showing `name` in its first column, or -1.
inline int ListRowOf(HWND list, const std::wstring& name) {
    for (int row = 0; row < ListCount(list); ++row)
        if (ListItemText(list, row, 0) == name)
            return row;
    return -1;
}

inline int ListSelectedCount(HWND list) {
    return static_cast<int>(::SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0));
}

inline bool ListRowSelected(HWND list, int row) {
    return ::SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
}

// Selects a row as a program would (the list tells its owner nothing of it).
inline void ListSelectRow(HWND list, int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// A left click in the middle of a row's first cell, as the mouse gives it (Ctrl held when asked).
inline void ListClickRow(HWND list, int row, bool control = false) {
    RECT r{};
    r.left = LVIR_LABEL;
    ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
    const WPARAM keys = MK_LBUTTON | (control ? MK_CONTROL : 0);
    ::SendMessageW(list, WM_LBUTTONDOWN, keys, at);
    ::SendMessageW(list, WM_LBUTTONUP, keys & ~MK_LBUTTON, at);
}

// The list's view style as its window style says (LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT).
inline DWORD ListViewStyle(HWND list) {
    return static_cast<DWORD>(::GetWindowLongW(list, GWL_STYLE)) & LVS_TYPEMASK;
}

inline DWORD ListExtendedStyle(HWND list) {
    return static_cast<DWORD>(::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

inline HWND ListHeader(HWND list) {
    return reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
}

// A left click on a column's header item, as the mouse gives it.
inline void ClickListHeader(HWND list, int column) {
    HWND header = ListHeader(list);
    RECT r{};
    ::SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SendMessageW(header, WM_MOUSEMOVE, 0, at);
    ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(header, WM_LBUTTONUP, 0, at);
    PumpMessages();
}

// A column's width as its header item holds it, in every view (the list answers LVM_GETCOLUMNWIDTH
// with another width outside the Details view).
inline int ListColumnWidth(HWND list, int column) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    ::SendMessageW(ListHeader(list), HDM_GETITEMW, static_cast<WPARAM>(column),
                   reinterpret_cast<LPARAM>(&item));
    return item.cxy;
}

// ---- Child windows ----

namespace probe_detail {

struct ChildSearch {
    const wchar_t* className;
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<ChildSearch*>(lp);
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (::lstrcmpiW(name, search->className) == 0)
        search->found.push_back(hwnd);
    return TRUE;
}

} // namespace probe_detail

// Every descendant of `parent` of a window class, in creation order.
inline std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
    probe_detail::ChildSearch search{className, {}};
    ::EnumChildWindows(parent, probe_detail::CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

inline RECT RectInParent(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline int WindowWidth(HWND hwnd) {
    const RECT r = RectInParent(hwnd);
    return r.right - r.left;
}

inline int WindowHeight(HWND hwnd) {
    const RECT r = RectInParent(hwnd);
    return r.bottom - r.top;
}

// ---- The status bar ----

inline HWND StatusBarOf(HWND window) {
    const std::vector<HWND> bars = ChildrenOfClass(window, STATUSCLASSNAMEW);
    return bars.empty() ? nullptr : bars.front();
}

inline std::wstring StatusText(HWND window, int part) {
    HWND bar = StatusBarOf(window);
    const auto length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring text(length + 1u, L'\0');
    ::SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

// The right edges of the status bar's parts (-1 for a part that runs to the end).
inline std::vector<int> StatusPartEdges(HWND window) {
    HWND bar = StatusBarOf(window);
    int edges[16] = {};
    const int count = static_cast<int>(::SendMessageW(bar, SB_GETPARTS, 16, reinterpret_cast<LPARAM>(edges)));
    return std::vector<int>(edges, edges + count);
}

// ---- Menus ----

// An item's text without its access-key marks and without the shortcut after the tab.
inline std::wstring PlainMenuText(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    std::wstring plain;
    for (const wchar_t* c = text; *c && *c != L'\t'; ++c) {
        if (*c == L'&' && c[1] != L'\0')
            ++c;
        plain += *c;
    }
    return plain;
}

struct MenuSpot {
    HMENU menu = nullptr;
    UINT position = 0;
};

// The item of `menu` or of its submenus that shows `plainText`, depth first.
inline std::optional<MenuSpot> FindMenuItem(HMENU menu, const std::wstring& plainText) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (PlainMenuText(menu, static_cast<UINT>(i)) == plainText)
            return MenuSpot{menu, static_cast<UINT>(i)};
        if (HMENU sub = ::GetSubMenu(menu, i))
            if (std::optional<MenuSpot> found = FindMenuItem(sub, plainText))
                return found;
    }
    return std::nullopt;
}

inline UINT MenuItemState(HMENU menu, const std::wstring& plainText) {
    const std::optional<MenuSpot> spot = FindMenuItem(menu, plainText);
    return spot ? ::GetMenuState(spot->menu, spot->position, MF_BYPOSITION) : 0xFFFFFFFF;
}

inline bool MenuItemChecked(HMENU menu, const std::wstring& plainText) {
    const UINT state = MenuItemState(menu, plainText);
    return state != 0xFFFFFFFF && (state & MF_CHECKED);
}

inline bool MenuItemEnabled(HMENU menu, const std::wstring& plainText) {
    const UINT state = MenuItemState(menu, plainText);
    return state != 0xFFFFFFFF && !(state & (MF_DISABLED | MF_GRAYED));
}

// Sends the window the command of the item showing `plainText`, as choosing it does (even when the
// item is greyed, which the window must then ignore). False when no such item is there.
inline bool ChooseMenuItem(HWND window, HMENU menu, const std::wstring& plainText) {
    const std::optional<MenuSpot> spot = FindMenuItem(menu, plainText);
    if (!spot)
        return false;
    const UINT id = ::GetMenuItemID(spot->menu, static_cast<int>(spot->position));
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return true;
}

// The same through the window's menu bar.
inline bool ChooseMenu(HWND window, const std::wstring& plainText) {
    return ChooseMenuItem(window, ::GetMenu(window), plainText);
}

inline bool MenuChecked(HWND window, const std::wstring& plainText) {
    return MenuItemChecked(::GetMenu(window), plainText);
}

inline bool MenuEnabled(HWND window, const std::wstring& plainText) {
    return MenuItemEnabled(::GetMenu(window), plainText);
}

// ---- Toolbars ----

struct ToolButton {
    HWND bar = nullptr;
    int index = -1;
    int id = 0;
};

// A button's tooltip, as the bar gives it when the mouse rests on the button: its hint, else its
// caption.
inline std::wstring ToolTipOf(HWND bar, int id) {
    HWND tips = reinterpret_cast<HWND>(::SendMessageW(bar, TB_GETTOOLTIPS, 0, 0));
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = tips;
    info.hdr.idFrom = static_cast<UINT_PTR>(id);
    info.hdr.code = TTN_GETDISPINFOW;
    ::SendMessageW(::GetParent(bar), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
    return info.lpszText && !IS_INTRESOURCE(info.lpszText) ? info.lpszText : info.szText;
}

// Every button of every toolbar of the window, bar by bar.
inline std::vector<ToolButton> ToolButtons(HWND window) {
    std::vector<ToolButton> all;
    for (HWND bar : ChildrenOfClass(window, TOOLBARCLASSNAMEW)) {
        const int count = static_cast<int>(::SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TBBUTTON button{};
            ::SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
            all.push_back({bar, i, button.idCommand});
        }
    }
    return all;
}

// The button whose tooltip is `tip`.
inline std::optional<ToolButton> FindToolButton(HWND window, const std::wstring& tip) {
    for (const ToolButton& button : ToolButtons(window))
        if (ToolTipOf(button.bar, button.id) == tip)
            return button;
    return std::nullopt;
}

inline bool ToolButtonEnabled(const ToolButton& button) {
    return ::SendMessageW(button.bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(button.id), 0) != 0;
}

// The caption a button shows (empty when the bar shows none).
inline std::wstring ToolButtonCaption(const ToolButton& button) {
    wchar_t text[128] = {};
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = text;
    info.cchText = 128;
    ::SendMessageW(button.bar, TB_GETBUTTONINFOW, static_cast<WPARAM>(button.id),
                   reinterpret_cast<LPARAM>(&info));
    return text;
}

inline SIZE ToolButtonSize(const ToolButton& button) {
    RECT r{};
    ::SendMessageW(button.bar, TB_GETITEMRECT, static_cast<WPARAM>(button.index),
                   reinterpret_cast<LPARAM>(&r));
    return SIZE{r.right - r.left, r.bottom - r.top};
}

inline bool ToolButtonHasDropDown(const ToolButton& button) {
    TBBUTTON info{};
    ::SendMessageW(button.bar, TB_GETBUTTON, static_cast<WPARAM>(button.index),
                   reinterpret_cast<LPARAM>(&info));
    return (info.fsStyle & BTNS_DROPDOWN) != 0;
}

// A click on the button with tooltip `tip`, as the bar reports one; a greyed button does nothing.
inline bool ClickToolButton(HWND window, const std::wstring& tip) {
    const std::optional<ToolButton> button = FindToolButton(window, tip);
    if (!button || !ToolButtonEnabled(*button))
        return false;
    ::SendMessageW(::GetParent(button->bar), WM_COMMAND, MAKEWPARAM(button->id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(button->bar));
    return true;
}

// ---- The address and mask boxes ----

// The address box and the mask box (the one that upper-cases what is typed).
inline HWND AddressBox(HWND window) {
    for (HWND edit : ChildrenOfClass(window, L"Edit"))
        if (!(::GetWindowLongW(edit, GWL_STYLE) & ES_UPPERCASE))
            return edit;
    return nullptr;
}

inline HWND MaskBox(HWND window) {
    for (HWND edit : ChildrenOfClass(window, L"Edit"))
        if (::GetWindowLongW(edit, GWL_STYLE) & ES_UPPERCASE)
            return edit;
    return nullptr;
}

// Types `text` over a box's text and presses Enter in it.
inline void TypeAndEnter(HWND box, const std::wstring& text) {
    ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(box, WM_CHAR, L'\r', 0);
}

// ---- The tree ----

inline HTREEITEM TreeSelected(HWND tree) {
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

inline HTREEITEM TreeParent(HWND tree, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
}

inline std::wstring TreeText(HWND tree, HTREEITEM item) {
    wchar_t text[260] = {};
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = 260;
    ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
    return text;
}

// ---- Reports ----

// For one test, every error the window would show and every message box it would open (answered
// OK), kept as text: a test that expects none checks that the text stays empty.
class UnexpectedReports {
public:
    UnexpectedReports() {
        SetExceptionSink([this](const std::wstring& text) { text_ += text; });
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            text_ += L"unexpected box: " + request.text;
            return IDOK;
        });
    }
    ~UnexpectedReports() {
        SetMessageBoxAnswerer({});
        SetExceptionSink({});
    }
    UnexpectedReports(const UnexpectedReports&) = delete;
    UnexpectedReports& operator=(const UnexpectedReports&) = delete;

    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};
