// Readers of local times, names and contents for the operation tests.
#include "support/win/OperationFiles.h"

#include "base/FileNameParts.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"

SYSTEMTIME LocalOf(const FILETIME& utc) {
    SYSTEMTIME universal{};
    SYSTEMTIME local{};
    ::FileTimeToSystemTime(&utc, &universal);
    ::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local);
    return local;
}

std::optional<std::string> ReadContents(const std::wstring& path) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_POSIX_SEMANTICS, nullptr));
    if (!file)
        return std::nullopt;
    std::string contents(4096, '\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr))
        return std::nullopt;
    contents.resize(read);
    return contents;
}

namespace {

bool RunningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

// Wine looks names up ignoring case, so a second name differing only in case has to be made by
// the host system's shell, started in the folder.
bool MakeFileThroughHostShell(const std::wstring& folder, const std::wstring& name,
                              const std::string& contents) {
    std::wstring command = L"sh -c \"printf %s \\\"$1\\\" > \\\"$2\\\"\" sh \"" +
                           std::wstring(contents.begin(), contents.end()) + L"\" \"" + name + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &process))
        return false;
    KernelHandle processHandle(process.hProcess);
    KernelHandle threadHandle(process.hThread);
    // A host process started by Wine cannot always be waited for: the caller watches the folder.
    ::WaitForSingleObject(processHandle.Get(), 10000);
    return true;
}

} // namespace

bool MakeExactCaseFile(const std::wstring& path, const std::string& contents) {
    {
        FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_POSIX_SEMANTICS, nullptr));
        DWORD written = 0;
        if (file)
            return ::WriteFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &written,
                               nullptr);
    }
    if (!RunningUnderWine())
        return false;
    const FileNameParts parts = SplitFileName(path);
    const std::wstring folder = StripTrailingBackslashes(parts.Folder);
    const std::wstring& name = parts.Name;
    if (!MakeFileThroughHostShell(folder, name, contents))
        return false;
    for (int wait = 0; wait < 100; ++wait) {
        for (const std::wstring& entry : NamesIn(folder))
            if (entry == name && ReadContents(path) == contents)
                return true;
        ::Sleep(50);
    }
    return false;
}
