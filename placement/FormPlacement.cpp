// Storing and restoring a form's window placement.
#include "placement/FormPlacement.h"

#include "base/ModulePath.h"
#include "placement/PlacementText.h"
#include "ui/ExceptionDisplay.h"

#include <exception>

namespace {

// The window's placement, with a hidden window's show command turned into SW_HIDE so that giving
// the placement back does not show it.
WINDOWPLACEMENT CurrentPlacement(HWND hwnd) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(hwnd, &placement);
    if (!::IsWindowVisible(hwnd))
        placement.showCmd = SW_HIDE;
    return placement;
}

// How far a maximized frame of this kind reaches beyond the screen.
POINT FrameSize(BorderStyle border) {
    switch (border) {
    case BorderStyle::Single:
    case BorderStyle::ToolWindow:
        return {::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER)};
    case BorderStyle::Sizeable:
    case BorderStyle::SizeToolWin:
        return {::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME)};
    case BorderStyle::Dialog:
        return {::GetSystemMetrics(SM_CXDLGFRAME), ::GetSystemMetrics(SM_CYDLGFRAME)};
    case BorderStyle::None:
        break;
    }
    return {0, 0};
}

} // namespace

TFormPlacement::TFormPlacement(PlacementOwner* owner)
    : owner_(owner), options_(owner ? fpState | fpPosition : 0) {}

PlacementKeyNaming& TFormPlacement::KeyNaming() {
    static PlacementKeyNaming naming;
    return naming;
}

std::wstring TFormPlacement::IniFileName() const {
    if (!iniFileName_.empty())
        return iniFileName_;
    const PlacementKeyNaming& naming = KeyNaming();
    return DerivedStoreName(useRegistry_, naming.Prefix, naming.UseApplicationTitle, naming.ApplicationTitle,
                            ModuleFileName());
}

std::wstring TFormPlacement::IniSection() const {
    if (!iniSection_.empty() || !owner_)
        return iniSection_;
    return owner_->PlacementClassName();
}

std::wstring TFormPlacement::CurrentResolutionSuffix() {
    return ResolutionSuffix(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

int TFormPlacement::ScreenPixelsPerInch() {
    HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return pixelsPerInch;
}

HKEY TFormPlacement::RootKey() const {
    switch (registryRoot_) {
    case PlacementRegRoot::prLocalMachine:
        return HKEY_LOCAL_MACHINE;
    case PlacementRegRoot::prCurrentConfig:
        return HKEY_CURRENT_CONFIG;
    case PlacementRegRoot::prClassesRoot:
        return HKEY_CLASSES_ROOT;
    case PlacementRegRoot::prUsers:
        return HKEY_USERS;
    case PlacementRegRoot::prDynData:
        return HKEY_DYN_DATA;
    case PlacementRegRoot::prCurrentUser:
        break;
    }
    return HKEY_CURRENT_USER;
}

HWND TFormPlacement::OwnerWindow() const {
    return owner_ ? owner_->PlacementWindow() : nullptr;
}

void TFormPlacement::StorePlacement() {
    // A placement written before one was read back would overwrite the user's with the design's.
    if (!restored_ && active_)
        return;
    if (useRegistry_) {
        RegistrySection store(RegistrySubKey(IniFileName(), IniSection()), RegistrySection::Access::Write,
                              RootKey());
        store.WriteDecimal(kFormVersion, version_);
        if (owner_) {
            if (options_ & (fpState | fpPosition)) {
                WriteWindowPlacement(store);
                store.WriteText(kVisible, destroying_ ? L"1" : L"0");
            }
            if (options_ & fpActiveControl) {
                const std::wstring control = owner_->ActiveControlName();
                if (!control.empty())
                    store.WriteText(kActiveControl, control);
            }
        }
    }
    if (OnSavePlacement)
        OnSavePlacement(*this);
    saved_ = true;
}

void TFormPlacement::WriteWindowPlacement(RegistrySection& store) {
    const HWND hwnd = OwnerWindow();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!hwnd || !::GetWindowPlacement(hwnd, &placement))
        return;
    if (::IsIconic(hwnd)) {
        if (owner_->IsMainForm())
            placement.showCmd = SW_SHOWMINIMIZED;
        if (owner_->PlacementFormStyle() == FormStyle::MdiChild)
            placement.flags |= WPF_SETMINPOSITION;
    }
    const std::wstring suffix = CurrentResolutionSuffix();
    const std::wstring minMax = FourNumbersText({placement.ptMinPosition.x, placement.ptMinPosition.y,
                                                 placement.ptMaxPosition.x, placement.ptMaxPosition.y});
    const RECT& r = placement.rcNormalPosition;
    const std::wstring normal = FourNumbersText({r.left, r.top, r.right, r.bottom});
    store.WriteDecimal(kFlags, static_cast<int>(placement.flags));
    store.WriteDecimal(kShowCmd, static_cast<int>(placement.showCmd));
    store.WriteDecimal(kPixelsPerInch, ScreenPixelsPerInch());
    store.WriteText(kMinMaxPos + suffix, minMax);
    store.WriteText(kMinMaxPos, minMax);
    store.WriteText(kNormPos + suffix, normal);
    store.WriteText(kNormPos, normal);
}

void TFormPlacement::LoadPlacement() {
    saved_ = false;
    if (useRegistry_) {
        const RegistrySection store(RegistrySubKey(IniFileName(), IniSection()),
                                    RegistrySection::Access::Read, RootKey());
        if (store.ReadDecimal(kFormVersion, 0) >= version_) {
            if (owner_)
                ReadWindowPlacement(store, (options_ & fpState) != 0, (options_ & fpPosition) != 0);
            restored_ = true;
            if (OnRestorePlacement)
                OnRestorePlacement(*this);
            if (owner_ && (options_ & fpActiveControl)) {
                const std::wstring control = store.ReadText(kActiveControl);
                if (!control.empty())
                    owner_->FocusControlByName(control);
            }
        }
    }
    restored_ = true;
    ApplyMaximizedOrigin();
}

void TFormPlacement::ReadWindowPlacement(const RegistrySection& store, bool readState, bool readPosition) {
    const HWND hwnd = OwnerWindow();
    if (!hwnd || (!readState && !readPosition))
        return;
    WINDOWPLACEMENT placement = CurrentPlacement(hwnd);
    if (readPosition) {
        const RECT current = placement.rcNormalPosition;
        // Only the flags the platform defines; anything else in a garbled value is dropped.
        const int flags = store.ReadDecimal(kFlags, static_cast<int>(placement.flags));
        placement.flags = static_cast<UINT>(flags) &
                          (WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED | WPF_ASYNCWINDOWPLACEMENT);
        const std::wstring suffix = CurrentResolutionSuffix();
        std::wstring minMaxText = store.ReadText(kMinMaxPos + suffix);
        if (minMaxText.empty())
            minMaxText = store.ReadText(kMinMaxPos);
        if (!minMaxText.empty()) {
            const FourNumbers minMax = ReadFourNumbers(minMaxText, {0, 0, 0, 0});
            placement.ptMinPosition = {minMax[0], minMax[1]};
            placement.ptMaxPosition = {minMax[2], minMax[3]};
        }
        std::wstring normalText = store.ReadText(kNormPos + suffix);
        if (normalText.empty())
            normalText = store.ReadText(kNormPos);
        if (!normalText.empty()) {
            const FourNumbers normal =
                ReadFourNumbers(normalText, {current.left, current.top, current.right, current.bottom});
            placement.rcNormalPosition = {normal[0], normal[1], normal[2], normal[3]};
        }
        const bool found = !minMaxText.empty() || !normalText.empty();
        const int pixelsPerInch = ScreenPixelsPerInch();
        // Sizes stored at another pixels per inch would not fit the form's scaled contents.
        if (found && store.ReadDecimal(kPixelsPerInch, pixelsPerInch) == pixelsPerInch) {
            RECT& r = placement.rcNormalPosition;
            const BorderStyle border = owner_->PlacementBorderStyle();
            if (border != BorderStyle::Sizeable && border != BorderStyle::SizeToolWin) {
                r.right = r.left + (current.right - current.left);
                r.bottom = r.top + (current.bottom - current.top);
            }
            if (r.right > r.left) {
                const FormPosition position = owner_->PlacementPosition();
                if (position == FormPosition::ScreenCenter || position == FormPosition::DesktopCenter)
                    owner_->SetPlacementPosition(FormPosition::Designed);
                ::SetWindowPlacement(hwnd, &placement);
            }
        }
    }
    if (readState) {
        const WindowState fallback = DefaultWindowState(owner_->IsMainForm(), owner_->PlacementFormStyle(),
                                                        owner_->PlacementPosition());
        const WindowState state = StateFromShowCmd(store.ReadDecimal(kShowCmd, 0), fallback);
        const FormStyle style = owner_->PlacementFormStyle();
        if (state == WindowState::Minimized && owner_->IsMainForm()) {
            // The whole application starts minimized, once its window is up and running.
            owner_->SetWindowState(WindowState::Normal);
            ::PostMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return;
        }
        if (style == FormStyle::MdiChild || style == FormStyle::MdiForm)
            owner_->RecordWindowState(state);
        else
            owner_->SetWindowState(state);
    }
    ::UpdateWindow(hwnd);
}

void TFormPlacement::ApplyMaximizedOrigin() {
    const HWND hwnd = OwnerWindow();
    if (!hwnd || owner_->Loading())
        return;
    WINDOWPLACEMENT placement = CurrentPlacement(hwnd);
    const POINT frame = FrameSize(owner_->PlacementBorderStyle());
    placement.ptMaxPosition = {-frame.x, -frame.y};
    ::SetWindowPlacement(hwnd, &placement);
}

void TFormPlacement::FormShow() {
    if (!active_)
        return;
    try {
        LoadPlacement();
    } catch (...) {
        ReportCurrentException();
    }
}

void TFormPlacement::FormCloseQuery(bool canClose) {
    if (!canClose || !active_ || !OwnerWindow())
        return;
    try {
        StorePlacement();
    } catch (...) {
        ReportCurrentException();
    }
}

void TFormPlacement::FormDestroy() {
    if (!active_ || saved_)
        return;
    destroying_ = true;
    try {
        StorePlacement();
    } catch (...) {
        ReportCurrentException();
    }
    destroying_ = false;
}
