// The console or redirected output and error streams of a command-line run.
#include "cmdline/ConsoleOutput.h"

#include "base/Utf8Text.h"

namespace {

// The standard handle the program was given, not ours to close; none when it has none.
HANDLE GivenHandle(DWORD which) {
    const HANDLE given = ::GetStdHandle(which);
    if (given == nullptr || given == INVALID_HANDLE_VALUE || ::GetFileType(given) == FILE_TYPE_UNKNOWN)
        return nullptr;
    return given;
}

} // namespace

ConsoleOutput::ConsoleOutput() {
    output_ = TargetOf(GivenHandle(STD_OUTPUT_HANDLE));
    if (!output_.Handle && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        attached_ = true;
        console_.Reset(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        if (console_)
            output_ = TargetOf(console_.Get());
    }
    // A borrowed console is not the error stream a script asked for: errors go with the output then.
    const HANDLE error = attached_ ? nullptr : GivenHandle(STD_ERROR_HANDLE);
    error_ = error ? TargetOf(error) : output_;
}

ConsoleOutput::~ConsoleOutput() {
    console_.Reset();
    if (attached_)
        ::FreeConsole();
}

ConsoleOutput::Target ConsoleOutput::TargetOf(HANDLE handle) {
    DWORD mode = 0;
    return {handle, handle != nullptr && ::GetConsoleMode(handle, &mode) != FALSE};
}

void ConsoleOutput::WriteLine(const std::wstring& line) {
    Write(output_, line);
}

void ConsoleOutput::WriteErrorLine(const std::wstring& line) {
    Write(error_, line);
}

void ConsoleOutput::Write(const Target& target, const std::wstring& line) {
    if (!target.Handle)
        return;
    const std::wstring text = line + L"\r\n";
    DWORD written = 0;
    if (target.IsConsole) {
        ::WriteConsoleW(target.Handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    // A closed pipe or a full disk has nowhere else to be told: the exit code still says how the
    // run went.
    const std::string bytes = Utf8FromWide(text);
    ::WriteFile(target.Handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
