// A real top-level window holding a real file list control, as the main window builds it, for
// the list's tests; and a scratch registry key under HKEY_CURRENT_USER for the stored layout.
#pragma once

#include "listctrl/ExtListView.h"
#include "ui/Window.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

class ListTestFrame : public Window {
public:
    ListTestFrame() {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        CreateWindowOfClass(RegisterClassOnce(L"KavetListTestFrame"), L"Liste",
                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 900, 400, nullptr);
    }
    ~ListTestFrame() override { Destroy(); }

    // Sends a notification from the list to this frame, the way the list view itself does.
    template <typename T> LRESULT Notify(const Window& from, UINT code, T& record) {
        auto& hdr = reinterpret_cast<NMHDR&>(record);
        hdr.hwndFrom = from.Handle();
        hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(from.Handle()));
        hdr.code = code;
        return Send(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&record));
    }
};

// The eight columns of the file list, in report view, virtual.
inline void ConfigureFileList(TdfsExtListView& list) {
    const struct {
        const wchar_t* caption;
        int width;
        TCaptionAlignment alignment;
    } columns[] = {{L"Nom", 120, caLeft},       {L"Taille", 60, caRight}, {L"Créé", 120, caLeft},
                   {L"Modifié", 120, caLeft},   {L"Accédé", 100, caLeft}, {L"Nom Dos", 120, caLeft},
                   {L"Attributs", 50, caRight}, {L"Type", 300, caLeft}};
    for (const auto& c : columns)
        list.AddColumn(c.caption, c.width, c.alignment);
    list.SetExtendedStyles({lvxHeaderDragDrop, lvxFullRowSelect});
    list.SetVirtualMode(true);
    list.SetShowSortArrows(true);
    list.SetAutoColumnSort(acsSortToggle);
    list.SetMultiSelect(true);
    list.SetHideSelection(false);
    list.SetReadOnly(false);
    list.SetViewStyle(vsReport);
}

inline void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A key under HKEY_CURRENT_USER\Software for one test, deleted with everything under it.
class ScratchRegistryKey {
public:
    ScratchRegistryKey()
        : path_(L"Software\\Kavet24Tests\\listctrl-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(::GetTickCount64())) {
        HKEY key = nullptr;
        ::RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr);
        if (key)
            ::RegCloseKey(key);
    }
    ~ScratchRegistryKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); }
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    const std::wstring& Path() const { return path_; }

    void SetString(const std::wstring& section, const wchar_t* name, const std::wstring& value) const {
        const std::wstring path = path_ + L"\\" + section;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    void SetDword(const std::wstring& section, const wchar_t* name, DWORD value) const {
        const std::wstring path = path_ + L"\\" + section;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_DWORD, &value, sizeof(value));
    }
    // The value's type and text; type 0 when it does not exist.
    static DWORD Read(const std::wstring& keyPath, const wchar_t* name, std::wstring& text) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                           nullptr, &size) != ERROR_SUCCESS)
            return 0;
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        ::RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                       data.data(), &size);
        text = data.c_str();
        return type;
    }
    DWORD Get(const std::wstring& section, const wchar_t* name, std::wstring& text) const {
        return Read(path_ + L"\\" + section, name, text);
    }
    bool HasSection(const std::wstring& section) const {
        HKEY key = nullptr;
        const std::wstring path = path_ + L"\\" + section;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }

private:
    std::wstring path_;
};
