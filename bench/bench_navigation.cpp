// The main window's re-list (DirTreeChange) of a 100,000-file folder against a bare enumeration
// of that folder, with what the re-list spends outside ReadFolder; and a burst of 1,000 file
// creations in the watched folder, counting the monitor's wake-ups, OnChange calls and re-lists.
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
    form.DirTree->SelectPath(listingFolder);
    form.DirTreeChange();
    Pump(200);
    const std::wstring directory = form.Settings.Directory;

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
        form.AffichageActualiserClick();
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
        listing.ReadFolder(directory, form.Mask);
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
    const double findNode = time([&] { form.DirTree->FindNode(directory); });
    const double realPath = time([&] { GetRealPathName(directory); });
    const double monitor = time([&] {
        form.FolderMonitor->SetActive(false);
        form.FolderMonitor->SetFolderName(directory);
        form.FolderMonitor->SetActive(true);
    });
    const double itemCount =
        time([&] { form.FileList->SetVirtualItemCount(static_cast<int>(form.FileCount), {vcfNoScroll}); });
    const double status = time([&] {
        form.EditDirName.SetText(GetRealPathName(directory));
        form.SetText(L"Kavet24 - " + form.EditDirName.Text());
        form.StatusBar.SetPanelText(0, std::to_wstring(form.FileCount) +
                                           PluralWord(L" fichier", form.FileCount));
        form.StatusBar.SetPanelText(1, SizeText(form.Settings.KOctet, form.Listing->TotalSize()));
    });
    const double selection = time([&] {
        form.FileList->BeginItemUpdate();
        form.FileList->EndItemUpdate();
        form.FileList->ClearSelection();
        form.FileList->ClearFocus();
    });
    Pump(100);
    const double others = findNode + realPath + monitor + itemCount + status + selection;

    std::printf("re-list of a folder of 100,000 files (%d found by the bare enumeration, %lld listed)\n",
                bareCount, static_cast<long long>(form.FileCount));
    std::printf("  bare enumeration (FindFirstFileEx, large fetch):    %.3f s\n", bareTime);
    std::printf("  DirTreeChange:                                      %.3f s\n", relistTime);
    std::printf("  its steps alone: ReadFolder %.3f s, Sort by name %.3f s, the others %.3f s (%.0f%% of the "
                "re-list)\n",
                readTime, sortTime, others, 100.0 * others / relistTime);
    std::printf("    the others: FindNode %.4f s, GetRealPathName %.4f s, monitor restart %.4f s, row count "
                "%.4f s,\n    address, caption and status %.4f s, list update and selection %.4f s\n",
                findNode, realPath, monitor, itemCount, status, selection);
    std::printf("  first paint after the re-list:                      %.3f s\n", paintTime);
    const double ratio = relistTime / bareTime;
    std::printf("ratio re-list / bare: %.2f (target <= 1.6)%s\n", ratio, ratio <= 1.6 ? "" : "  MISSED");
    std::printf("ratio ReadFolder + Sort / bare: %.2f; the others / bare: %.2f\n",
                (readTime + sortTime) / bareTime, others / bareTime);
}

void Burst(const std::wstring& folder, TMainForm& form) {
    form.DirTree->SelectPath(folder);
    if (form.DirTree->GetSelectedPath() != CurrentLocale().ToUpper(WithTrailingBackslash(folder))) {
        std::printf("the tree did not select %ls\n", folder.c_str());
        return;
    }
    form.FolderMonitor->SetDelayTime(0);
    form.DirTreeChange();
    Pump(200);

    int onChange = 0;
    const auto original = form.FolderMonitor->OnChange;
    form.FolderMonitor->OnChange = [&](TRxFolderMonitor& sender) {
        ++onChange;
        if (original)
            original(sender);
    };
    // Every wake-up of the monitor's worker posts one hand-over to this window; every re-list sets
    // the list's row count once.
    MessageCounter wakeUps(::FindWindowExW(HWND_MESSAGE, nullptr, L"Kavet24.HandOver", nullptr), WM_APP,
                           0xBFFF);
    MessageCounter relists(form.FileList->Handle(), LVM_SETITEMCOUNT, LVM_SETITEMCOUNT);

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
        if (done && form.FileList->VirtualItemCount() == kBurstFiles) {
            settleTime = Seconds(Clock::now() - t0);
            break;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    writer.join();
    // Whatever is still on its way arrives now.
    Pump(1000);
    const int shown = form.FileList->VirtualItemCount();

    std::printf("burst of %d file creations (%d made) in the watched folder, DelayTime 0\n", kBurstFiles,
                created);
    std::printf("  creations took %.3f s; the list showed all of them after %s\n", writeTime,
                settleTime > 0 ? (std::to_string(settleTime) + " s").c_str() : "never");
    std::printf("  wake-ups %s%d, OnChange calls %d, re-lists %d\n",
                wakeUps.Attached() ? "" : "(not counted) ", wakeUps.Count(), onChange, relists.Count());
    std::printf("  rows shown at the end: %d (target %d)%s\n", shown, kBurstFiles,
                shown == kBurstFiles ? "" : "  MISSED");
    std::printf("re-lists <= wake-ups: %s\n", relists.Count() <= wakeUps.Count() ? "yes" : "NO  MISSED");
    form.FolderMonitor->OnChange = original;
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
        form.Settings.KOctet = false;
        Pump(200);
        // "burst" after the data folder runs the burst alone.
        if (argc < 3 || std::string(argv[2]) != "burst")
            Relist(data + L"listing-100000", form);
        Burst(burst, form);
    }
    return 0;
}
