// System error codes as batch outcomes.
#include "operations/SystemFailure.h"

#include <windows.h>

namespace {

// The system's message for the code, in the system's language, without its final line break.
std::wstring SystemMessage(uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 && buffer ? std::wstring(buffer, length) : std::wstring();
    if (buffer)
        ::LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    const std::wstring number = L"code " + std::to_wstring(code);
    return text.empty() ? L"erreur du système, " + number : text + L" (" + number + L")";
}

} // namespace

FileOutcome FailureOfSystemError(uint32_t code) {
    switch (code) {
    case ERROR_SUCCESS:
        // A call that failed without saying why.
        return FileOutcome::Failed(Failure::Other, L"échec sans code d'erreur du système");
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return FileOutcome::Failed(Failure::NotFound);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return FileOutcome::Failed(Failure::InUse);
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return FileOutcome::Failed(Failure::AccessDenied);
    case ERROR_WRITE_PROTECT:
        return FileOutcome::Failed(Failure::ReadOnlyMedium);
    case ERROR_FILENAME_EXCED_RANGE:
        return FileOutcome::Failed(Failure::PathTooLong);
    default:
        break;
    }
    return FileOutcome::Failed(Failure::Other, SystemMessage(code));
}

FileOutcome FailureOfLastError() {
    return FailureOfSystemError(::GetLastError());
}
