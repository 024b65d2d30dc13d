// The open dialog, in its plain form: one file, which must exist.
#include "ui/OpenFileDialog.h"

#include <commdlg.h>

#include <vector>

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
