// Temporary folders for tests that work on real files.
#include "TempFolder.h"

#include "base/Handles.h"
#include "support/win/Days.h"

#include <winioctl.h>

#include <atomic>
#include <cstring>
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

namespace {

// Under Wine, whose file systems take no reparse point, a link is the symbolic link of the host's
// file system, which Wine shows as a reparse point: made and removed by the host's own tools.
// Wine does not wait for a program of the host, so the result is awaited instead.
bool RunHostTool(const std::wstring& tool, const std::wstring& arguments, const std::wstring& link,
                 bool linkWanted) {
    // A link to a folder that is gone shows as nothing at all: it is found by its name.
    const auto isLink = [&link] {
        WIN32_FIND_DATAW data{};
        FindHandle find(::FindFirstFileW(link.c_str(), &data));
        return static_cast<bool>(find);
    };
    std::wstring command = tool + L" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW((L"Z:\\bin\\" + tool).c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    for (int tries = 0; tries < 100 && isLink() != linkWanted; ++tries)
        ::Sleep(50);
    return isLink() == linkWanted;
}

// The host's name of a path, quoted; empty outside Wine.
std::wstring HostPath(const std::wstring& path) {
    using UnixName = char*(__cdecl*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(path.c_str()) : nullptr;
    if (!name)
        return {};
    std::wstring wide = L"\"";
    for (const char* c = name; *c; ++c)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*c)); // ASCII test paths
    ::HeapFree(::GetProcessHeap(), 0, name);
    return wide + L"\"";
}

bool MakeUnixLink(const std::wstring& link, const std::wstring& target) {
    const std::wstring from = HostPath(link);
    const std::wstring to = HostPath(target);
    return !from.empty() && !to.empty() && RunHostTool(L"ln", L"-s " + to + L" " + from, link, true);
}

} // namespace

void DeleteTree(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring full = path + L"\\" + name;
            // A link or junction goes, never what it leads to.
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                if (!::RemoveDirectoryW(full.c_str()) && !HostPath(full).empty())
                    RunHostTool(L"rm", HostPath(full), full, false);
                continue;
            }
            ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(full);
            else if (!::DeleteFileW(full.c_str()) && !HostPath(full).empty())
                RunHostTool(L"rm", HostPath(full), full, false);
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
}

FILETIME UtcFileTime(int year, int month, int day, int hour, int minute, int second) {
    const SYSTEMTIME st = Day(year, month, day, hour, minute, second);
    FILETIME ft{};
    ::SystemTimeToFileTime(&st, &ft);
    return ft;
}

FILETIME UtcOfLocal(int year, int month, int day, int hour, int minute, int second) {
    const SYSTEMTIME local = Day(year, month, day, hour, minute, second);
    SYSTEMTIME utc{};
    FILETIME time{};
    ::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    ::SystemTimeToFileTime(&utc, &time);
    return time;
}

bool MakeJunction(const std::wstring& link, const std::wstring& target) {
    if (!::CreateDirectoryW(link.c_str(), nullptr))
        return false;
    FileHandle folder(::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!folder)
        return false;
    const auto unixLink = [&] {
        folder = FileHandle();
        ::RemoveDirectoryW(link.c_str());
        return MakeUnixLink(link, target);
    };
    // The mount-point reparse buffer: tag, sizes, then the NT path and the shown path, each ended.
    const std::wstring nt = L"\\??\\" + target;
    std::vector<uint8_t> buffer(8 + 8 + (nt.size() + target.size() + 2) * sizeof(wchar_t));
    const auto put16 = [&buffer](size_t at, size_t value) {
        buffer[at] = static_cast<uint8_t>(value);
        buffer[at + 1] = static_cast<uint8_t>(value >> 8);
    };
    const uint32_t tag = IO_REPARSE_TAG_MOUNT_POINT;
    std::memcpy(buffer.data(), &tag, sizeof(tag));
    put16(4, buffer.size() - 8);
    put16(8, 0);
    put16(10, nt.size() * sizeof(wchar_t));
    put16(12, (nt.size() + 1) * sizeof(wchar_t));
    put16(14, target.size() * sizeof(wchar_t));
    std::memcpy(buffer.data() + 16, nt.c_str(), (nt.size() + 1) * sizeof(wchar_t));
    std::memcpy(buffer.data() + 16 + (nt.size() + 1) * sizeof(wchar_t), target.c_str(),
                (target.size() + 1) * sizeof(wchar_t));
    DWORD returned = 0;
    return ::DeviceIoControl(folder.Get(), FSCTL_SET_REPARSE_POINT, buffer.data(),
                             static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr) ||
           (::GetLastError() == ERROR_NOT_SUPPORTED && unixLink());
}
