// Selecting and scrolling in the main window's list of a 100,000-file folder: a click, a Shift+click
// range, Page Down, End, Home and a range from the first row to the last, each through the list
// control's own mouse and key handling, timed until the list and the status bar have answered
// (every queued message handled and the window painted). The baseline is the same list control
// answering the same input without the program behind it.
#include "BenchSupport.h"
#include "BenchWindow.h"
#include "app/MainForm.h"
#include "settings/SettingsStore.h"
#include "listing/FileListing.h"
#include "base/TextHelpers.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

int kRounds = 3; // a second argument sets another number

// Holds Shift (or nothing) in this thread's key state, as the list reads it for keys and clicks.
void HoldShift(bool down) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

void Click(HWND list, int row, bool shift) {
    ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT r{};
    r.left = LVIR_LABEL;
    ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
    const WPARAM keys = shift ? MK_SHIFT : 0;
    HoldShift(shift);
    ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
    ::PostMessageW(list, WM_LBUTTONUP, keys, at);
}

void Key(HWND list, UINT key) {
    HoldShift(false);
    ::PostMessageW(list, WM_KEYDOWN, key, 1);
    ::PostMessageW(list, WM_KEYUP, key, 0xC0000001);
}

// The time from the input until every message it caused is handled and the window is painted.
double Answer(HWND window, const std::function<void()>& input) {
    const auto t0 = Clock::now();
    input();
    Pump();
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    const double seconds = Seconds(Clock::now() - t0);
    HoldShift(false);
    return seconds;
}

struct Step {
    const char* name;
    std::function<void(HWND)> input;
    int first; // the selected rows the step must leave, first to last
    int last;
    double target;
};

// A bare owner-data list of the same size in a window of its own: what the control costs alone.
class BareList {
public:
    explicit BareList(int rows) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &BareList::FrameProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Kavet24.BenchBareFrame";
        ::RegisterClassW(&wc);
        frame_ = ::CreateWindowExW(0, wc.lpszClassName, L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900,
                                   700, nullptr, nullptr, wc.hInstance, nullptr);
        list_ = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 0,
                                  0, 880, 660, frame_, nullptr, wc.hInstance, nullptr);
        ::SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
        ::SendMessageW(list_, LVM_SETCALLBACKMASK, LVIS_OVERLAYMASK, 0);
        for (int c = 0; c < 8; ++c) {
            LVCOLUMNW column{};
            column.mask = LVCF_WIDTH | LVCF_TEXT;
            column.cx = 100;
            column.pszText = const_cast<wchar_t*>(L"column");
            ::SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c),
                           reinterpret_cast<LPARAM>(&column));
        }
        ::SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
        Pump();
    }
    ~BareList() { ::DestroyWindow(frame_); }
    BareList(const BareList&) = delete;
    BareList& operator=(const BareList&) = delete;

    HWND Frame() const { return frame_; }
    HWND List() const { return list_; }

private:
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == LVN_GETDISPINFOW) {
            auto& item = reinterpret_cast<NMLVDISPINFOW*>(lp)->item;
            if ((item.mask & LVIF_TEXT) && item.cchTextMax > 0) {
                static const wchar_t kText[] = L"file 12345.txt";
                lstrcpynW(item.pszText, kText, item.cchTextMax);
            }
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }

    HWND frame_ = nullptr;
    HWND list_ = nullptr;
};

int SelectedCount(HWND list) {
    return static_cast<int>(::SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0));
}

// A panel's text in the window's status bar, as the bar holds it.
std::wstring StatusText(HWND window, int part) {
    HWND bar = ::FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
    wchar_t text[256] = {};
    if (LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0)) < 256)
        ::SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

void Run(const std::wstring& folder, TMainForm& form) {
    FolderView& view = form.Folders();
    view.SelectFolder(folder);
    view.RequestRelist();
    Pump(300);
    const int rows = view.RowCount();
    if (rows < 100000) {
        std::printf("%ls lists %d files, fewer than 100,000: run through scripts/bench.sh\n", folder.c_str(),
                    rows);
        return;
    }
    const HWND list = form.FileListHandle();
    const int perPage = static_cast<int>(::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    const int last = rows - 1;
    // first and last -1: the step leaves the focused row alone selected.
    const std::vector<Step> steps = {
        {"click on a row", [](HWND list) { Click(list, 3, false); }, 3, 3, 0.1},
        {"Shift+click ten rows on", [](HWND list) { Click(list, 12, true); }, 3, 12, 0.1},
        {"Page Down", [](HWND list) { Key(list, VK_NEXT); }, -1, -1, 0.1},
        {"End", [](HWND list) { Key(list, VK_END); }, last, last, 0.1},
        {"Home", [](HWND list) { Key(list, VK_HOME); }, 0, 0, 0.1},
        {"range from the first row to the last", [last](HWND list) { Click(list, last, true); }, 0, last,
         0.3},
    };

    BareList bare(rows);
    std::vector<double> best(steps.size(), 1e9);
    std::vector<double> bareBest(steps.size(), 1e9);
    std::vector<bool> exact(steps.size(), true);
    for (int round = 0; round < kRounds; ++round) {
        ::SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
        ::SendMessageW(bare.List(), LVM_ENSUREVISIBLE, 0, FALSE);
        for (size_t s = 0; s < steps.size(); ++s) {
            const Step& step = steps[s];
            best[s] = std::min(best[s], Answer(form.Handle(), [&] { step.input(list); }));
            bareBest[s] = std::min(bareBest[s], Answer(bare.Frame(), [&] { step.input(bare.List()); }));
            // The status bar must tell the selection exactly: count, and the sum of the sizes.
            const int focused = static_cast<int>(
                ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
            const int first = step.first < 0 ? focused : step.first;
            const int lastRow = step.last < 0 ? focused : step.last;
            int64_t total = 0;
            for (int i = first; i <= lastRow; ++i)
                total += (*view.Listing())[static_cast<size_t>(i)].Size;
            const int count = lastRow - first + 1;
            const std::wstring expected =
                std::to_wstring(count) + PluralWord(L" fichier", count) + PluralWord(L" sélectionné", count);
            exact[s] = exact[s] && focused >= 0 && SelectedCount(list) == count &&
                       StatusText(form.Handle(), 0) == expected &&
                       StatusText(form.Handle(), 1) == SizeText(false, total);
        }
    }
    std::printf("selection in a folder of %d files (%d rows a page), best of %d rounds\n", rows, perPage,
                kRounds);
    bool allMet = true;
    for (size_t s = 0; s < steps.size(); ++s) {
        const bool met = best[s] <= steps[s].target && exact[s];
        allMet = allMet && met;
        std::printf("  %-38s %9.1f ms (target <= %.0f ms), bare list %6.1f ms, ratio %7.2f; status %s%s\n",
                    steps[s].name, best[s] * 1000, steps[s].target * 1000, bareBest[s] * 1000,
                    best[s] / bareBest[s], exact[s] ? "exact" : "WRONG", met ? "" : "  MISSED");
    }
    std::printf("every step within its target: %s\n", allMet ? "yes" : "NO  MISSED");
}

} // namespace

int main(int argc, char** argv) {
    BenchWindowSession session;
    const std::wstring data = WithTrailingBackslash(argc > 1 ? Widen(argv[1]) : TempFolder());
    if (argc > 2)
        kRounds = std::max(1, std::atoi(argv[2]));
    {
        ScratchKey key;
        SettingsRecord settings; // sizes in bytes, as the check of the status bar reads them
        settings.Directory = data;
        settings.KOctet = false;
        SettingsStore(key.Path()).StoreOptions(settings);
        TMainForm form(key.Path());
        ::ShowWindow(form.Handle(), SW_SHOWNORMAL);
        Pump(200);
        Run(data + L"listing-100000", form);
    }
    return 0;
}
