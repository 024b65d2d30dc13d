// Path form for the file-system calls.
#include "operations/ApiPath.h"

#include "operations/CaseRenamer.h"
#include "base/FileNameParts.h"
#include "base/Handles.h"

#include <windows.h>

std::wstring StoredCaseFolder(const std::wstring& folder) {
    std::wstring given = folder;
    while (given.size() > 3 && (given.back() == L'\\' || given.back() == L'/'))
        given.pop_back();
    FileHandle handle(::CreateFileW(ApiPath(given).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle)
        return given;
    std::wstring stored(1024, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle.Get(), stored.data(), static_cast<DWORD>(stored.size()),
                                               FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length >= stored.size()) {
        stored.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(handle.Get(), stored.data(), static_cast<DWORD>(stored.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    if (length == 0 || length >= stored.size())
        return given;
    stored.resize(length);
    if (stored.rfind(L"\\\\?\\UNC\\", 0) == 0)
        stored = L"\\" + stored.substr(7);
    else if (stored.rfind(L"\\\\?\\", 0) == 0)
        stored.erase(0, 4);
    while (stored.size() > 3 && stored.back() == L'\\')
        stored.pop_back();
    return EqualIgnoringCase(stored, given) ? stored : given;
}
