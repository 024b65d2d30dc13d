// The main window's re-list ("Actualiser") of a 100,000-file folder against a bare enumeration
// of that folder, with what the re-list spends outside ReadFolder; and a burst of 1,000 file
// creations in the watched folder, counting the monitor's wake-ups, the re-lists posted and run.
#include "BenchSupport.h"
#include "BenchWindow.h"
#include "app/MainForm.h"
#include "dirtree/PathNames.h"
#include "listing/FileListing.h"
#include "base/TextHelpers.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

constexpr int kRounds = 5;
constexpr int kBurstFiles = 1000;
// The message by which the window takes up a re-list it asked for (counted, not sent).
constexpr UINT kRelistMessage = WM_APP + 0x10;

// The bare enumeration the listing benchmark measures: names only, large fetch.
int BareEnumeration(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileExW((WithTrailingBackslash(folder) + L"*.*").c_str(), FindExInfoStandard,
                                       &data, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return 0;
    int found = 0;
    do
        ++found;
    while (::FindNextFileW(find.Get(), &data));
    return found;
}

// Counts the messages of one kind that reach a window, without changing what the window does.
class MessageCounter {
public:
    MessageCounter(HWND hwnd, UINT first, UINT last) : hwnd_(hwnd), first_(first), last_(last) {
        if (hwnd_)
            ::SetWindowSubclass(hwnd_, &MessageCounter::Proc, reinterpret_cast<UINT_PTR>(this),
                                reinterpret_cast<DWORD_PTR>(this));
    }
    ~MessageCounter() {
        if (hwnd_)
            ::RemoveWindowSubclass(hwnd_, &MessageCounter::Proc, reinterpret_cast<UINT_PTR>(this));
    }
    MessageCounter(const MessageCounter&) = delete;
    MessageCounter& operator=(const MessageCounter&) = delete;

    bool Attached() const { return hwnd_ != nullptr; }
    int Count() const { return count_; }
    void Reset() { count_ = 0; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<MessageCounter*>(data);
        if (msg >= self->first_ && msg <= self->last_)
            ++self->count_;
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    }

    HWND hwnd_;
    UINT first_;
    UINT last_;
    int count_ = 0;
};

void EmptyFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find)
        return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileW((folder + L"\\" + data.cFileName).c_str());
    } while (::FindNextFileW(find.Get(), &data));
}

void Relist(const std::wstring& listingFolder, TMainForm& form) {
    if (BareEnumeration(listingFolder) < 100000) {
        std::printf("%ls holds fewer than 100,000 entries: run through scripts/bench.sh\n",
                    listingFolder.c_str());
        return;
    }
    FolderView& view = form.Folders();
    view.SelectFolder(listingFolder);
    view.RequestRelist();
    Pump(200);
    const std::wstring directory = view.SelectedTreePath();
    const HWND list = form.FileListHandle();

    double bareTime = 1e9;
    double relistTime = 1e9;
    double paintTime = 1e9;
    double readTime = 1e9;
    double sortTime = 1e9;
    int bareCount = 0;
    TFileListing listing;
    for (int round = 0; round < kRounds; ++round) {
        auto t0 = Clock::now();
        bareCount = BareEnumeration(listingFolder);
        bareTime = std::min(bareTime, Seconds(Clock::now() - t0));

        t0 = Clock::now();
        view.RequestRelist();
        RunPosted();
        auto t1 = Clock::now();
        relistTime = std::min(relistTime, Seconds(t1 - t0));
        ::UpdateWindow(form.Handle());
        ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        paintTime = std::min(paintTime, Seconds(Clock::now() - t1));
        Pump();

        // ReadFolder and Sort alone, on the same path in the same form, into a listing that is
        // reused as the window's is.
        t0 = Clock::now();
        listing.ReadFolder(directory, view.Mask());
        t1 = Clock::now();
        listing.Sort(TFileListing::kName, true);
        readTime = std::min(readTime, Seconds(t1 - t0));
        sortTime = std::min(sortTime, Seconds(Clock::now() - t1));
    }

    // The other steps of the re-list, one at a time.
    auto time = [](auto step) {
        double best = 1e9;
        for (int round = 0; round < kRounds; ++round) {
            const auto t0 = Clock::now();
            step();
            best = std::min(best, Seconds(Clock::now() - t0));
        }
        return best;
    };
    // Done here as the window's parts do them, on the same controls (the monitor on one of its own).
    const int64_t listed = view.RowCount();
    const double realPath = time([&] { GetRealPathName(directory); });
    TRxFolderMonitor watcher;
    watcher.SetFilter(kListingChangeFilter);
    const double monitor = time([&] {
        watcher.SetActive(false);
        watcher.SetFolderName(directory);
        watcher.SetActive(true);
    });
    watcher.SetActive(false);
    const double itemCount =
        time([&] { ::SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(listed), LVSICF_NOSCROLL); });
    const HWND statusBar = ::FindWindowExW(form.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
    const double status = time([&] {
        const std::wstring shown = GetRealPathName(directory);
        form.SetText(L"Kavet24 - " + shown);
        const std::wstring count = std::to_wstring(listed) + PluralWord(L" fichier", listed);
        const std::wstring size = SizeText(false, view.Listing()->TotalSize());
        ::SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(count.c_str()));
        ::SendMessageW(statusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(size.c_str()));
    });
    const double selection = time([&] {
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        LVITEMW clear{};
        clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    });
    Pump(100);
    const double others = realPath + monitor + itemCount + status + selection;

    std::printf("re-list of a folder of 100,000 files (%d found by the bare enumeration, %lld listed)\n",
                bareCount, static_cast<long long>(listed));
    std::printf("  bare enumeration (FindFirstFileEx, large fetch):    %.3f s\n", bareTime);
    std::printf("  re-list (Actualiser):                               %.3f s\n", relistTime);
    std::printf("  its steps alone: ReadFolder %.3f s, Sort by name %.3f s, the others %.3f s (%.0f%% of the "
                "re-list)\n",
                readTime, sortTime, others, 100.0 * others / relistTime);
    std::printf("    the others: GetRealPathName %.4f s, monitor restart %.4f s, row count %.4f s,\n"
                "    caption and status %.4f s, list update and selection %.4f s\n",
                realPath, monitor, itemCount, status, selection);
    std::printf("  first paint after the re-list:                      %.3f s\n", paintTime);
    const double ratio = relistTime / bareTime;
    std::printf("ratio re-list / bare: %.2f (target <= 1.6)%s\n", ratio, ratio <= 1.6 ? "" : "  MISSED");
    std::printf("ratio ReadFolder + Sort / bare: %.2f; the others / bare: %.2f\n",
                (readTime + sortTime) / bareTime, others / bareTime);
}

void Burst(const std::wstring& folder, TMainForm& form) {
    FolderView& view = form.Folders();
    view.SelectFolder(folder);
    if (view.SelectedTreePath() != CurrentLocale().ToUpper(WithTrailingBackslash(folder))) {
        std::printf("the tree did not select %ls\n", folder.c_str());
        return;
    }
    view.RequestRelist();
    Pump(200);

    // Every wake-up of the monitor's worker posts one hand-over to this window; every re-list sets
    // the list's row count once.
    MessageCounter wakeUps(::FindWindowExW(HWND_MESSAGE, nullptr, L"Kavet24.HandOver", nullptr), WM_APP,
                           0xBFFF);
    MessageCounter relists(form.FileListHandle(), LVM_SETITEMCOUNT, LVM_SETITEMCOUNT);
    // Every change the monitor hands over asks for a re-list; asks made before one runs share it.
    MessageCounter posted(form.Handle(), kRelistMessage, kRelistMessage);

    std::atomic<bool> done{false};
    int created = 0;
    const auto t0 = Clock::now();
    std::thread writer([&] {
        for (int i = 0; i < kBurstFiles; ++i) {
            const std::wstring path = folder + L"\\burst " + std::to_wstring(i) + L".txt";
            FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file)
                ++created;
        }
        done = true;
    });
    double writeTime = 0;
    double settleTime = 0;
    while (Seconds(Clock::now() - t0) < 120) {
        Pump();
        if (done && writeTime == 0)
            writeTime = Seconds(Clock::now() - t0);
        if (done && view.RowCount() == kBurstFiles) {
            settleTime = Seconds(Clock::now() - t0);
            break;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    writer.join();
    // Whatever is still on its way arrives now.
    Pump(1000);
    const int shown = view.RowCount();

    std::printf("burst of %d file creations (%d made) in the watched folder, DelayTime 0\n", kBurstFiles,
                created);
    std::printf("  creations took %.3f s; the list showed all of them after %s\n", writeTime,
                settleTime > 0 ? (std::to_string(settleTime) + " s").c_str() : "never");
    std::printf("  wake-ups %s%d, re-lists posted %d, re-lists %d\n",
                wakeUps.Attached() ? "" : "(not counted) ", wakeUps.Count(), posted.Count(), relists.Count());
    std::printf("  rows shown at the end: %d (target %d)%s\n", shown, kBurstFiles,
                shown == kBurstFiles ? "" : "  MISSED");
    std::printf("re-lists <= wake-ups: %s\n", relists.Count() <= wakeUps.Count() ? "yes" : "NO  MISSED");
}

} // namespace

int main(int argc, char** argv) {
    BenchWindowSession session;

    const std::wstring data = WithTrailingBackslash(argc > 1 ? Widen(argv[1]) : TempFolder());
    // The tree reads a folder once: the burst's folder must exist before the window reads its parent.
    const std::wstring burst = data + L"navigation-burst";
    ::CreateDirectoryW(burst.c_str(), nullptr);
    EmptyFolder(burst);
    {
        ScratchKey key;
        TMainForm form(key.Path());
        ::ShowWindow(form.Handle(), SW_SHOWNORMAL);
        Pump(200);
        // "burst" after the data folder runs the burst alone.
        if (argc < 3 || std::string(argv[2]) != "burst")
            Relist(data + L"listing-100000", form);
        Burst(burst, form);
    }
    return 0;
}
