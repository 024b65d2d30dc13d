// "Aperçu..." in the date-time dialog on a folder of 100,000 files: the time from the click until
// the preview window has drawn its first rows, against a bare enumeration of the same folder; and,
// for information, the time the window then takes to plan every file and fill its count line.
#include "BenchSupport.h"
#include "BenchWindow.h"
#include "app/BatchPreviewForm.h"
#include "app/MainForm.h"
#include "base/TextHelpers.h"
#include "operations/dialogs/DateHeureForm.h"
#include "ui/ModalRunner.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int kRounds = 3;

// The files of the folder, found and counted: what any look at the folder costs at least.
double BareEnumeration(const std::wstring& folder, size_t& count) {
    const Clock::time_point start = Clock::now();
    count = 0;
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++count;
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    return Seconds(Clock::now() - start);
}

struct PreviewTimes {
    double firstRows = 0;
    double whole = 0;
    bool rowsShown = false;
    std::wstring countLine;
};

// Clicks "Aperçu..." in the date-time dialog of `form`; the preview's own modal showing ends with
// its list drawn (the runner paints it, as the modal loop's first messages would).
// "Date-Heure" chosen in the window's menu bar, as a click on it does.
void ChooseDateHeure(HWND window) {
    const HMENU bar = ::GetMenu(window);
    for (int top = 0; top < ::GetMenuItemCount(bar); ++top) {
        const HMENU popup = ::GetSubMenu(bar, top);
        for (int item = 0; popup && item < ::GetMenuItemCount(popup); ++item) {
            wchar_t text[64] = {};
            ::GetMenuStringW(popup, static_cast<UINT>(item), text, 64, MF_BYPOSITION);
            if (std::wstring(text) == L"&Date-Heure") {
                ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(::GetMenuItemID(popup, item), 0), 0);
                return;
            }
        }
    }
}

PreviewTimes OpenPreview(TMainForm& form) {
    PreviewTimes times;
    Clock::time_point clicked;
    ScopedModalRunner runner([&](Form& shown) {
        if (auto* preview = dynamic_cast<BatchPreviewForm*>(&shown)) {
            ::UpdateWindow(preview->List.Handle());
            times.firstRows = Seconds(Clock::now() - clicked);
            times.rowsShown = preview->List.RowCount() > 0 && !preview->List.CellText(0, 2).empty();
            while (preview->CountLabel.Text().starts_with(L"Analyse")) {
                MSG msg;
                if (::GetMessageW(&msg, nullptr, 0, 0) <= 0)
                    break;
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            times.whole = Seconds(Clock::now() - clicked);
            times.countLine = preview->CountLabel.Text();
            preview->BtnClose.Click();
            return;
        }
        auto& dialog = dynamic_cast<TDateHeure&>(shown);
        SYSTEMTIME day{};
        day.wYear = 2020;
        day.wMonth = 1;
        day.wDay = 1;
        day.wHour = 12;
        dialog.DatePicker.SetValue(day);
        dialog.TimePicker.SetValue(day);
        clicked = Clock::now();
        dialog.BtnPreview.Click();
        dialog.BtnCancel.Click();
    });
    ChooseDateHeure(form.Handle());
    return times;
}

} // namespace

int main(int argc, char** argv) {
    BenchWindowSession session;
    const std::wstring data = WithTrailingBackslash(argc > 1 ? Widen(argv[1]) : TempFolder());
    if (argc > 2)
        kRounds = std::max(1, std::atoi(argv[2]));
    const std::wstring folder = data + L"listing-100000";
    ScratchKey key;
    TMainForm form(key.Path());
    ::ShowWindow(form.Handle(), SW_SHOWNORMAL);
    Pump(200);
    form.Folders().SelectFolder(folder);
    form.Folders().RequestRelist();
    Pump(300);
    const int rows = form.Folders().RowCount();
    if (rows < 100000) {
        std::printf("%ls lists %d files, fewer than 100,000: run through scripts/bench.sh\n", folder.c_str(),
                    rows);
        return 1;
    }
    double bestFirst = 1e9, bestWhole = 1e9, bestBare = 1e9;
    bool shown = true;
    std::wstring countLine;
    size_t enumerated = 0;
    for (int round = 0; round < kRounds; ++round) {
        const PreviewTimes times = OpenPreview(form);
        bestFirst = std::min(bestFirst, times.firstRows);
        bestWhole = std::min(bestWhole, times.whole);
        shown = shown && times.rowsShown;
        countLine = times.countLine;
        bestBare = std::min(bestBare, BareEnumeration(folder, enumerated));
    }
    std::printf("preview of \"Date-Heure\" on a folder of %d files, best of %d rounds\n", rows, kRounds);
    std::printf("  bare enumeration of the folder (%zu files):          %8.1f ms\n", enumerated,
                bestBare * 1000);
    std::printf("  click on \"Aperçu...\" to the first rows drawn:        %8.1f ms%s\n", bestFirst * 1000,
                shown ? "" : "  (NO ROW SHOWN)");
    std::printf("  ratio first rows / bare enumeration: %.2f (target <= 1)\n", bestFirst / bestBare);
    std::printf("  every file planned, count line filled:               %8.1f ms\n", bestWhole * 1000);
    std::printf("  count line: %ls\n", countLine.c_str());
    return 0;
}
