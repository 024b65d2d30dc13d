// Temporary folders for tests that work on real files.
#include "TempFolder.h"

#include "base/Handles.h"

#include <atomic>
#include <stdexcept>

namespace {

std::atomic<unsigned> g_counter{0};

} // namespace

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, base);
    for (;;) {
        path_ = std::wstring(base) + L"kavet-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(::GetTickCount()) + L"-" + std::to_wstring(g_counter++);
        if (::CreateDirectoryW(path_.c_str(), nullptr))
            break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a temporary folder");
    }
}

TempFolder::~TempFolder() {
    DeleteTree(path_);
}

std::wstring TempFolder::MakeFile(const std::wstring& name, const std::string& contents,
                                  DWORD attributes) const {
    const std::wstring full = *this / name;
    HANDLE h =
        ::CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create a test file");
    DWORD written = 0;
    if (!contents.empty())
        ::WriteFile(h, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    ::CloseHandle(h);
    if (attributes != FILE_ATTRIBUTE_NORMAL)
        ::SetFileAttributesW(full.c_str(), attributes);
    return full;
}

std::wstring TempFolder::MakeFolder(const std::wstring& name) const {
    const std::wstring full = *this / name;
    ::CreateDirectoryW(full.c_str(), nullptr);
    return full;
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(find.Get(), &data));
    return names;
}

void DeleteTree(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring full = path + L"\\" + name;
            ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(full);
            else
                ::DeleteFileW(full.c_str());
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
}

FILETIME UtcFileTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    FILETIME ft{};
    ::SystemTimeToFileTime(&st, &ft);
    return ft;
}
