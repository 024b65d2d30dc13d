// Forms: creation, font, modal showing and command dispatch.
#include "ui/Form.h"

#include "ui/Accelerators.h"
#include "ui/FocusKeeper.h"
#include "ui/Fonts.h"
#include "ui/MenuItem.h"
#include "ui/ModalRunner.h"

#include <algorithm>

namespace {

BOOL CALLBACK GiveFont(HWND child, LPARAM font) {
    auto* control = dynamic_cast<Control*>(Window::FromHandle(child));
    if (!control || control->ParentFont())
        ::SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

} // namespace

Form::Form() : font_(MakeFont(fontName_, fontHeight_)) {}

Form::~Form() {
    Destroy();
}

bool Form::Create(const std::wstring& caption, int x, int y, int clientWidth, int clientHeight, DWORD style,
                  HWND owner, DWORD exStyle) {
    // A dialog may put the focus on one of its controls while it is built, before it is shown.
    focusBefore_ = owner ? ::GetFocus() : nullptr;
    dpi_ = WindowDpi(owner);
    RECT r{0, 0, Scale(clientWidth), Scale(clientHeight)};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const wchar_t* cls = RegisterClassOnce(L"KavetForm", CS_DBLCLKS);
    if (!CreateWindowOfClass(cls, caption, style, exStyle | WS_EX_CONTROLPARENT, x, y, r.right - r.left,
                             r.bottom - r.top, owner))
        return false;
    if (const int own = WindowDpi(Handle()); own != dpi_) {
        // Placed on a screen of another DPI than its owner's.
        dpi_ = own;
        SetClientSize(Scale(clientWidth), Scale(clientHeight));
    }
    SetFontName(fontName_, fontHeight_);
    SetFont(FormFont(), false);
    return true;
}

int Form::Scale(int designLength) const {
    return ScaleToDpi(designLength, dpi_);
}

int Form::Unscale(int length) const {
    return ScaleFromDpi(length, dpi_);
}

int Form::DpiOf(HWND window) {
    if (const Form* form = OfWindow(window))
        return form->dpi_;
    return WindowDpi(window);
}

void Form::SetFontName(const std::wstring& name, int height) {
    fontName_ = name;
    fontHeight_ = height;
    GdiObject font = MakeFont(name, Scale(height));
    if (HandleAllocated())
        ::EnumChildWindows(Handle(), &GiveFont, reinterpret_cast<LPARAM>(font.Get()));
    font_ = std::move(font); // the old font is deleted only once nobody uses it
}

void Form::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_EXSTYLE));
    ::AdjustWindowRectEx(&r, style, ::GetMenu(Handle()) != nullptr, exStyle);
    ::SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::CenterOnScreen() {
    RECT r{};
    ::GetWindowRect(Handle(), &r);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + ((work.right - work.left) - (r.right - r.left)) / 2;
    const int y = work.top + ((work.bottom - work.top) - (r.bottom - r.top)) / 2;
    ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::CenterOnOwner() {
    HWND owner = ::GetWindow(Handle(), GW_OWNER);
    if (!owner || !::IsWindowVisible(owner) || ::IsIconic(owner)) {
        CenterOnScreen();
        return;
    }
    RECT over{};
    ::GetWindowRect(owner, &over);
    RECT r{};
    ::GetWindowRect(Handle(), &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int x = over.left + ((over.right - over.left) - width) / 2;
    const int y = over.top + ((over.bottom - over.top) - height) / 2;
    const int left = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - width));
    const int top = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - height));
    ::SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetIcon(HICON icon) {
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Form::SetMenuBar(HMENU menu) {
    ::SetMenu(Handle(), menu);
}

void Form::Close() {
    if (HandleAllocated())
        Send(WM_CLOSE);
}

Form* Form::OfWindow(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    return dynamic_cast<Form*>(Window::FromHandle(::GetAncestor(hwnd, GA_ROOT)));
}

bool Form::PreTranslate(MSG& msg) {
    if (!msg.hwnd)
        return false;
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    Form* form = dynamic_cast<Form*>(Window::FromHandle(root));
    if (!form)
        return false;
    if (form->accelerators_ && form->accelerators_->Translate(root, msg))
        return true;
    return ::IsDialogMessageW(root, &msg) != FALSE;
}

int Form::ShowModal() {
    if (!HandleAllocated())
        return mrCancel;
    HWND owner = ::GetWindow(Handle(), GW_OWNER);
    HWND focus = std::exchange(focusBefore_, nullptr);
    if (!focus && !::IsChild(Handle(), ::GetFocus()))
        focus = ::GetFocus();
    FocusKeeper keeper(focus);
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    modalResult_ = mrNone;
    modal_ = true;
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);
    ::ShowWindow(Handle(), SW_SHOW);
    ::UpdateWindow(Handle());
    if (const ModalRunner& runner = CurrentModalRunner()) {
        runner(*this);
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
    } else {
        RunModalLoop();
    }
    modal_ = false;
    if (ownerWasEnabled)
        ::EnableWindow(owner, TRUE);
    if (HandleAllocated()) {
        if (owner)
            ::SetActiveWindow(owner);
        ::ShowWindow(Handle(), SW_HIDE);
    }
    return modalResult_;
}

void Form::RunModalLoop() {
    MSG msg;
    while (modalResult_ == mrNone && HandleAllocated()) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: pass the request on to the outer loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        if (PreTranslate(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (modalResult_ == mrNone)
        modalResult_ = mrCancel;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETMINMAXINFO:
        if (minClient_.cx > 0 || minClient_.cy > 0) {
            RECT least{0, 0, Scale(minClient_.cx), Scale(minClient_.cy)};
            ::AdjustWindowRectEx(&least, static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_STYLE)), FALSE,
                                 static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_EXSTYLE)));
            auto* limits = reinterpret_cast<MINMAXINFO*>(lp);
            limits->ptMinTrackSize.x = least.right - least.left;
            limits->ptMinTrackSize.y = least.bottom - least.top;
            return 0;
        }
        break;
    case WM_SIZE: {
        Control::RealignChildren(Handle());
        if (OnResize)
            OnResize();
        return 0;
    }
    case WM_SHOWWINDOW:
        if (wp && !shownOnce_) {
            shownOnce_ = true;
            if (OnShow)
                OnShow();
        }
        break;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(FormFont());
    case WM_COMMAND:
        if (lp == 0) {
            if (LOWORD(wp) == IDCANCEL && HIWORD(wp) == 0 && modal_) {
                modalResult_ = mrCancel; // Escape in a dialog
                return 0;
            }
            if (MenuItem::DispatchCommand(LOWORD(wp)))
                return 0;
        }
        break;
    case WM_CLOSE:
        if (modal_) {
            modalResult_ = mrCancel;
            return 0;
        }
        if (OnClose)
            OnClose();
        Destroy();
        return 0;
    case WM_DESTROY:
        if (mainForm_)
            ::PostQuitMessage(0);
        break;
    default:
        break;
    }
    return Window::HandleMessage(msg, wp, lp);
}
