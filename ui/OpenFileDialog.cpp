// The open dialog, in its plain form: one file, which must exist.
#include "ui/OpenFileDialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace {

// Opens the folder dialog on the folder its caller passed through lParam.
int CALLBACK FolderDialogStarted(HWND dialog, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data != 0)
        ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

} // namespace

std::optional<std::wstring> AskOpenFile(HWND owner, const std::wstring& title, const std::wstring& folder) {
    // Room for a long path: the dialog fails with too small a buffer rather than cut the name.
    std::vector<wchar_t> file(32768, L'\0');
    static constexpr wchar_t kFilter[] = L"Tous les fichiers (*.*)\0*.*\0";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!::GetOpenFileNameW(&dialog))
        return std::nullopt;
    return std::wstring(file.data());
}

std::optional<std::wstring> AskFolder(HWND owner, const std::wstring& title, const std::wstring& folder) {
    // The new dialog style needs COM on this thread; balanced, for a caller that has none yet.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = FolderDialogStarted;
    browse.lParam = folder.empty() ? 0 : reinterpret_cast<LPARAM>(folder.c_str());
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&browse);
    std::optional<std::wstring> path;
    if (chosen) {
        std::vector<wchar_t> text(32768, L'\0');
        if (::SHGetPathFromIDListEx(chosen, text.data(), static_cast<DWORD>(text.size()), GPFIDL_DEFAULT))
            path = std::wstring(text.data());
        ::CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return path;
}
