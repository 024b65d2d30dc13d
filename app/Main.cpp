// The program's entry: an operation asked on the command line runs without the window; otherwise
// the common-controls check, then the main window and its message loop.
#include "app/ComCtlVersion.h"
#include "app/FolderPrefetch.h"
#include "app/MainForm.h"
#include "app/ModuleVersion.h"
#include "app/WindowHandOver.h"
#include "base/WinLocale.h"
#include "cmdline/CommandLine.h"
#include "cmdline/CommandRun.h"
#include "cmdline/ConsoleOutput.h"
#include "listing/Systeme.h"
#include "settings/SettingsStore.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // Separators, date texts and the order of names follow the user's regional settings.
    InstallUserLocale();
    const ParsedCommandLine command = ParseCommandLine(ProcessArguments());
    if (command.What != ParsedCommandLine::Kind::Window) {
        ConsoleOutput out;
        return CommandRun(out, CommandJournalFolder()).Run(command);
    }
    // Paths with no operation (Explorer's verb, a drop on the icon): a window already open takes
    // them. The turn is kept until this start's own window can take the next start's paths.
    const std::vector<std::wstring> paths = FullPaths(command.Request.Paths);
    // The folder the window will open on is read while the window is being built.
    std::unique_ptr<FolderPrefetch> startListing;
    if (paths.empty()) {
        SettingsRecord remembered;
        remembered.Directory = ExecutableFolder();
        SettingsStore().LoadOptions(remembered);
        startListing = std::make_unique<FolderPrefetch>(remembered.Directory, FolderView::kStartMask);
    }
    std::optional<HandOverTurn> turn;
    if (!paths.empty()) {
        turn = HandOverTurn::Wait(std::chrono::seconds(20));
        if (HWND open = FindHandOverWindow(); open && HandPathsTo(open, paths))
            return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES |
                                                        ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    Application::SetTitle(L"Kavet24");

    if (!ComCtlCheckPasses()) {
        ShowMessageBox(nullptr, ComCtlWarningText(), MB_OK | MB_HELP | MB_ICONWARNING);
        return 0;
    }

    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int exitCode = 0;
    {
        TMainForm mainForm(SettingsStore::kDefaultProductKey, nullptr, JournalStore::DefaultFolder(),
                           std::move(startListing));
        ::ShowWindow(mainForm.Handle(), mainForm.InitialShowCommand() == SW_SHOWNORMAL
                                            ? showCommand
                                            : mainForm.InitialShowCommand());
        ::UpdateWindow(mainForm.Handle());
        if (!paths.empty())
            mainForm.ShowGivenPaths(paths);
        turn.reset();
        mainForm.Batches().OfferUndoAfterCrash();
        exitCode = Application::Run();
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return exitCode;
}
