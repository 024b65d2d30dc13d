// The console or redirected output of a command-line run.
#include "cmdline/ConsoleOutput.h"

#include "base/Utf8Text.h"

ConsoleOutput::ConsoleOutput() {
    const HANDLE given = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (given != nullptr && given != INVALID_HANDLE_VALUE && ::GetFileType(given) != FILE_TYPE_UNKNOWN) {
        inherited_ = given;
    } else if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
        attached_ = true;
        console_.Reset(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    }
    DWORD mode = 0;
    isConsole_ = Target() != nullptr && ::GetConsoleMode(Target(), &mode);
}

ConsoleOutput::~ConsoleOutput() {
    console_.Reset();
    if (attached_)
        ::FreeConsole();
}

HANDLE ConsoleOutput::Target() const {
    return inherited_ ? inherited_ : console_ ? console_.Get() : nullptr;
}

void ConsoleOutput::WriteLine(const std::wstring& line) {
    const HANDLE target = Target();
    if (!target)
        return;
    const std::wstring text = line + L"\r\n";
    DWORD written = 0;
    if (isConsole_) {
        ::WriteConsoleW(target, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    // A closed pipe or a full disk has nowhere else to be told: the exit code still says how the
    // run went.
    const std::string bytes = Utf8FromWide(text);
    ::WriteFile(target, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
