// The cost of one message to a control made through the toolkit against the same control made
// bare with CreateWindowEx under a bare parent: a cheap query to an edit box and to the file list,
// and a cell request that the list turns into a display-information notification to its parent,
// which the toolkit's form hands back to the list's owner.
#include "BenchSupport.h"
#include "listctrl/ExtListView.h"
#include "ui/Edit.h"
#include "ui/Form.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <functional>

namespace {

constexpr int kRounds = 40;
constexpr int kMessages = 2000;
constexpr int kRows = 100000;
constexpr double kTarget = 1.5;
const wchar_t kCellText[] = L"Document.txt";

// The bare parent answers the list's display-information requests itself, as a program without
// the toolkit would.
LRESULT CALLBACK BareParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lp)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
            ::wcsncpy_s(item.pszText, static_cast<size_t>(item.cchTextMax), kCellText, _TRUNCATE);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

class BareParent {
public:
    BareParent() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &BareParentProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KavetBenchBareParent";
        ::RegisterClassExW(&wc);
        hwnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900,
                                  400, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~BareParent() {
        if (hwnd_)
            ::DestroyWindow(hwnd_);
    }
    BareParent(const BareParent&) = delete;
    BareParent& operator=(const BareParent&) = delete;

    HWND Handle() const { return hwnd_; }

    // A child control of the platform's own, destroyed with this window.
    HWND AddControl(const wchar_t* className, DWORD style, int x, int y, int width, int height) const {
        return ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height, hwnd_,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }

private:
    HWND hwnd_ = nullptr;
};

// Microseconds per message: the best of the rounds, each sending the message kMessages times.
struct Timing {
    double toolkit = 1e9;
    double bare = 1e9;
};

double MicrosecondsPerMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto t0 = Clock::now();
    for (int i = 0; i < kMessages; ++i)
        ::SendMessageW(hwnd, msg, wp, lp);
    return Seconds(Clock::now() - t0) * 1e6 / kMessages;
}

// The two controls take turns within each round, so that a slow spell of the machine falls on both.
Timing Measure(HWND toolkit, HWND bare, UINT msg, const std::function<LPARAM()>& freshParameter) {
    Timing t;
    for (int round = 0; round < kRounds; ++round) {
        t.toolkit = std::min(t.toolkit, MicrosecondsPerMessage(toolkit, msg, 1, freshParameter()));
        t.bare = std::min(t.bare, MicrosecondsPerMessage(bare, msg, 1, freshParameter()));
    }
    return t;
}

void Report(const char* what, const Timing& t) {
    const double ratio = t.toolkit / t.bare;
    std::printf("%-48s toolkit %7.2f us  bare %7.2f us  ratio %.2f (target <= %.1f)%s\n", what, t.toolkit,
                t.bare, ratio, kTarget, ratio > kTarget ? "  MISSED" : "");
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    Form form;
    BareParent bare;
    if (!form.Create(L"Boîte à outils", 0, 0, 900, 400, WS_OVERLAPPEDWINDOW | WS_VISIBLE) || !bare.Handle()) {
        std::printf("could not create the windows\n");
        return 1;
    }

    Edit edit;
    edit.Create(form.Handle(), kCellText, 0, 0, 200, 24);
    const HWND bareEdit = bare.AddControl(L"EDIT", ES_AUTOHSCROLL, 0, 0, 200, 24);
    ::SetWindowTextW(bareEdit, kCellText);

    TdfsExtListView list;
    list.AddColumn(L"Nom", 200);
    list.SetVirtualMode(true);
    list.SetViewStyle(vsReport);
    list.Create(form.Handle(), 0, 30, 880, 360);
    list.SetVirtualItemCount(kRows);
    list.OnVMGetItemInfo = [](TCustomExtListView&, TVMItemInfo& info) { info.Text.Assign(kCellText); };
    const HWND bareList = bare.AddControl(WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA, 0, 30, 880, 360);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 200;
    column.pszText = const_cast<wchar_t*>(L"Nom");
    ::SendMessageW(bareList, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    ::SendMessageW(bareList, LVM_SETITEMCOUNT, kRows, 0);

    if (!edit.Handle() || !bareEdit || !list.Handle() || !bareList) {
        std::printf("could not create the controls\n");
        return 1;
    }

    // Both lists must really ask their parent for the text, or the third figure means nothing.
    std::array<wchar_t, 64> text{};
    LVITEMW item{};
    const auto itemText = [&]() {
        text[0] = L'\0';
        item = LVITEMW{};
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        return reinterpret_cast<LPARAM>(&item);
    };
    for (const HWND hwnd : {list.Handle(), bareList}) {
        ::SendMessageW(hwnd, LVM_GETITEMTEXTW, 1, itemText());
        if (std::wcscmp(text.data(), kCellText) != 0) {
            std::printf("a list did not ask its parent for the cell's text\n");
            return 1;
        }
    }

    std::printf("%d messages per round, best of %d rounds\n", kMessages, kRounds);
    const auto none = [] { return LPARAM{0}; };
    Report("edit box, WM_GETTEXTLENGTH", Measure(edit.Handle(), bareEdit, WM_GETTEXTLENGTH, none));
    Report("file list, LVM_GETITEMCOUNT", Measure(list.Handle(), bareList, LVM_GETITEMCOUNT, none));
    Report("file list, LVM_GETITEMTEXT via LVN_GETDISPINFO",
           Measure(list.Handle(), bareList, LVM_GETITEMTEXTW, itemText));
    return 0;
}
