// Giving the keyboard focus back, after a dialog or a message box, to the control that had it:
// the platform only re-activates the owner window, which then keeps the focus itself, so the
// user's next key would reach no control.
#pragma once

#include <windows.h>

// Puts the focus on the control again when it can still take it and its window is the active one
// (a window the user has left meanwhile is not brought back).
inline void GiveFocusBack(HWND control) {
    if (!control || !::IsWindow(control) || !::IsWindowVisible(control) || !::IsWindowEnabled(control))
        return;
    HWND root = ::GetAncestor(control, GA_ROOT);
    if (::GetActiveWindow() == root && ::GetFocus() != control)
        ::SetFocus(control);
}

// Remembers the control with the focus and gives the focus back to it at the end of the scope.
class FocusKeeper {
public:
    FocusKeeper() : control_(::GetFocus()) {}
    explicit FocusKeeper(HWND control) : control_(control) {}
    ~FocusKeeper() { GiveFocusBack(control_); }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    HWND control_;
};
