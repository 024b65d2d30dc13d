// Starting Kavet24.exe from Kavet24.com.
#include "cmdline/WindowStart.h"

#include "base/ModulePath.h"
#include "cmdline/CommandTail.h"
#include "operations/SystemFailure.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

std::wstring CurrentFolder() {
    std::wstring folder(::GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(::GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

} // namespace

std::optional<std::wstring> StartWindowProgram() {
    const std::wstring self = ModuleFileName();
    const size_t dot = self.find_last_of(L".\\");
    if (self.empty() || dot == std::wstring::npos || self[dot] != L'.')
        return FailureOfSystemError(ERROR_FILE_NOT_FOUND).ReasonText();
    const std::wstring program = self.substr(0, dot) + L".exe";
    const std::wstring arguments = CommandTail(::GetCommandLineW());
    const std::wstring folder = CurrentFolder();

    // ShellExecuteEx rather than CreateProcess: the window program's manifest asks for the
    // administrator, and only the shell asks the user for that.
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof(start);
    // This process ends right after: the start must be over before the call returns.
    start.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    start.lpFile = program.c_str();
    start.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    start.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    start.nShow = SW_SHOWNORMAL;
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const bool started = ::ShellExecuteExW(&start) != FALSE;
    const DWORD error = ::GetLastError();
    if (SUCCEEDED(com))
        ::CoUninitialize();
    if (!started)
        return FailureOfSystemError(error).ReasonText();
    return std::nullopt;
}
