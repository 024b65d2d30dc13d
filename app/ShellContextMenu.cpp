// The shell's context menu. Submenus that the shell fills or draws late ("Send to", "Open with")
// need their menu messages handed back to the shell's menu object: a hidden window owns the menu
// while it is shown and does that, and puts the highlighted command's help text in the hint.
#include "app/ShellContextMenu.h"

#include "ui/Application.h"
#include "base/Handles.h"
#include "ui/WaitCursor.h"
#include "ui/Window.h"

#include <shlobj.h>

namespace {

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;
constexpr UINT kRenameCommand = 19;
// Beyond the shell's commands.
constexpr UINT kOwnCommand = kLastCommand + 1;

class MenuCallbackWindow : public Window {
public:
    explicit MenuCallbackWindow(const ComPtr<IContextMenu>& menu)
        : menu_(menu), menu2_(menu.As<IContextMenu2>(IID_IContextMenu2)),
          menu3_(menu.As<IContextMenu3>(IID_IContextMenu3)) {
        CreateWindowOfClass(RegisterClassOnce(L"ItemPropMenuCallbackHelper"), L"ItemPropCallbackProcessor",
                            WS_POPUP, 0, 0, 0, 0, 0, nullptr);
    }
    ~MenuCallbackWindow() override { Destroy(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_INITMENUPOPUP:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_MENUCHAR: {
            LRESULT result = 0;
            if (menu3_ && SUCCEEDED(menu3_->HandleMenuMsg2(msg, wp, lp, &result)))
                return result;
            if (menu2_ && msg != WM_MENUCHAR && SUCCEEDED(menu2_->HandleMenuMsg(msg, wp, lp)))
                return msg == WM_INITMENUPOPUP ? 0 : TRUE;
            break;
        }
        case WM_MENUSELECT: {
            const UINT id = LOWORD(wp);
            const UINT flags = HIWORD(wp);
            if (flags == 0xFFFF && lp == 0) {
                Application::SetHint(L"");
            } else if (!(flags & (MF_POPUP | MF_SEPARATOR)) && id == kOwnCommand) {
                Application::SetHint(
                    L"dates|Change les dates du dossier lui-même, sans toucher à ses fichiers");
            } else if (!(flags & (MF_POPUP | MF_SEPARATOR)) && id >= kFirstCommand && id <= kLastCommand) {
                Application::SetHint(CommandText(id, GCS_VERBW) + L"|" + CommandText(id, GCS_HELPTEXTW));
            }
            return 0;
        }
        default:
            break;
        }
        return Window::HandleMessage(msg, wp, lp);
    }

private:
    std::wstring CommandText(UINT id, UINT kind) {
        wchar_t text[260] = {};
        if (FAILED(menu_->GetCommandString(id - kFirstCommand, kind, nullptr, reinterpret_cast<LPSTR>(text),
                                           260)))
            return {};
        return text;
    }

    ComPtr<IContextMenu> menu_;
    ComPtr<IContextMenu2> menu2_; // the richer forms, when the shell offers them
    ComPtr<IContextMenu3> menu3_;
};

} // namespace

bool ShowShellContextMenu(const std::wstring& path, HWND owner, POINT screen, bool* renameChosen,
                          const wchar_t* ownCaption, bool* ownChosen) {
    if (renameChosen)
        *renameChosen = false;
    if (ownChosen)
        *ownChosen = false;
    WaitCursor wait;
    ComPtr<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(desktop.Put())))
        return false;
    // A bare drive ("C:") names its root folder.
    std::wstring full = path;
    if (full.size() == 2 && full[1] == L':')
        full += L'\\';
    ItemIdList absolute;
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(owner, nullptr, full.data(), &eaten,
                                         reinterpret_cast<PIDLIST_RELATIVE*>(absolute.Put()), nullptr)))
        return false;
    ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    if (FAILED(::SHBindToParent(absolute.Get(), IID_IShellFolder, parent.PutVoid(), &child)))
        return false;
    ComPtr<IContextMenu> menu;
    if (FAILED(parent->GetUIObjectOf(owner, 1, &child, IID_IContextMenu, nullptr, menu.PutVoid())))
        return false;

    MenuHandle popup(::CreatePopupMenu());
    if (!popup || FAILED(menu->QueryContextMenu(popup.Get(), 0, kFirstCommand, kLastCommand,
                                                CMF_EXPLORE | CMF_CANRENAME)))
        return false;
    if (ownCaption) {
        ::InsertMenuW(popup.Get(), 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        ::InsertMenuW(popup.Get(), 0, MF_BYPOSITION | MF_STRING, kOwnCommand, ownCaption);
    }
    MenuCallbackWindow callbacks(menu);
    // The wait cursor belongs to the preparation, not to the menu the user reads.
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, callbacks.Handle(), nullptr));
    Application::SetHint(L"");
    if (chosen == 0)
        return true;
    if (chosen == kOwnCommand) {
        if (ownChosen)
            *ownChosen = true;
        return true;
    }
    if (chosen == kRenameCommand) {
        if (renameChosen)
            *renameChosen = true;
        return true;
    }
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof(invoke);
    invoke.hwnd = owner;
    invoke.lpVerb = MAKEINTRESOURCEA(chosen - kFirstCommand);
    invoke.nShow = SW_SHOWNORMAL;
    menu->InvokeCommand(&invoke);
    return true;
}
