// The console program's entry (Kavet24.com, beside Kavet24.exe). cmd finds .com before .exe when
// the user types "Kavet24", so the prompt waits for the run, %ERRORLEVEL% is its exit code and its
// lines come before the next prompt. Without an operation it starts the window program, with the
// same arguments, and returns at once: "Kavet24" alone opens the window as it always did.
#include "base/WinLocale.h"
#include "cmdline/CommandLine.h"
#include "cmdline/CommandRun.h"
#include "cmdline/ConsoleOutput.h"
#include "cmdline/WindowStart.h"

#include <optional>
#include <string>

int wmain() {
    InstallUserLocale();
    const ParsedCommandLine command = ParseCommandLine(ProcessArguments());
    ConsoleOutput out;
    if (command.What == ParsedCommandLine::Kind::Window) {
        if (const std::optional<std::wstring> error = StartWindowProgram()) {
            out.WriteErrorLine(L"Kavet24 : la fenêtre ne peut être ouverte : " + *error);
            return kExitNotAllDone;
        }
        return kExitDone;
    }
    return CommandRun(out, CommandJournalFolder()).Run(command);
}
