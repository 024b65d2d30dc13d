// Which parts of the list's layout are kept in the registry, and where. The value names live
// here, next to the flags that decide whether they are written.
#pragma once

#include <string>

struct TdfsEnhLVSaveSettings {
    virtual ~TdfsEnhLVSaveSettings() = default;

    bool AutoSave = false;    // write when the window goes, and allow the automatic read
    std::wstring RegistryKey; // under HKEY_CURRENT_USER; empty = HKEY_CURRENT_USER itself
    bool SaveColumnSizes = true;
    bool SaveCurrentSort = true;
    bool SaveViewStyle = true;

    static constexpr const wchar_t* kColumnsSection = L"Columns";
    static constexpr const wchar_t* kSizesValue = L"Sizes";
    static constexpr const wchar_t* kSortSection = L"Sort";
    static constexpr const wchar_t* kAscendingValue = L"Ascending";
    static constexpr const wchar_t* kSortColumnValue = L"SortCol";
    static constexpr const wchar_t* kViewStyleSection = L"ViewStyle";
    static constexpr const wchar_t* kViewStyleValue = L"ViewStyle";
};
