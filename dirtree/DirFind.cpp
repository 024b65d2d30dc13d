// Folder enumeration through the file system's find calls.
#include "dirtree/DirFind.h"

#include "base/ApiPath.h"

namespace {

void CopyEntry(TDirRec& rec) {
    rec.Attr = rec.FindData.dwFileAttributes;
    rec.Name = rec.FindData.cFileName;
    rec.Data = nullptr;
}

} // namespace

uint32_t DirFindFirst(const std::wstring& pattern, TDirRec& rec) {
    rec.FindHandle.Reset();
    rec.Attr = 0;
    rec.Name.clear();
    rec.FindData = WIN32_FIND_DATAW{};
    rec.Data = nullptr;
    HANDLE handle = ::FindFirstFileW(ApiPath(pattern).c_str(), &rec.FindData);
    if (handle == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    rec.FindHandle.Reset(handle);
    CopyEntry(rec);
    return 0;
}

uint32_t DirFindNext(TDirRec& rec) {
    rec.FindData = WIN32_FIND_DATAW{};
    if (!rec.FindHandle || !::FindNextFileW(rec.FindHandle.Get(), &rec.FindData)) {
        const DWORD error = ::GetLastError();
        rec.Attr = 0;
        rec.Name.clear();
        rec.Data = nullptr;
        return error ? error : ERROR_NO_MORE_FILES;
    }
    CopyEntry(rec);
    return 0;
}
