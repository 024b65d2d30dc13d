// The file operations on 10,000 files through the main window's batch: "Date-Heure" (all three
// stamps) and "Majuscules", each with its re-list, against bare loops of the platform calls that
// do the same work (one open, one SetFileTime and one close per file; one or two renames per file);
// the undo journal's cost against the same per-file loop without it, and the undo of a batch
// against the batch.
#include "BenchSupport.h"
#include "BenchWindow.h"
#include "app/MainForm.h"
#include "operations/FileStamping.h"
#include "operations/dialogs/BatchProgress.h"
#include "batch/Planners.h"
#include "ui/MessageBox.h"
#include "ui/ModalRunner.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kCount = 10000;
const wchar_t* const kRegistryKey = L"Software\\Lumarek\\Kavet24Bench";

std::wstring LowerName(int i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"file %05d.txt", i);
    return name;
}

std::wstring UpperName(int i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"FILE %05d.TXT", i);
    return name;
}

std::wstring TemporaryName(int i) {
    return L"~bench-" + std::to_wstring(i) + L".tmp";
}

// Every file name of the folder, as stored.
std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(data.cFileName);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

// The folder holds exactly the 10,000 lower-case names, made here on the first run and kept for
// later ones; anything else left by an interrupted run is cleared and made again.
bool PrepareFolder(const std::wstring& folder) {
    ::CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<std::wstring> names = NamesIn(folder);
    std::vector<std::wstring> expected;
    for (int i = 0; i < kCount; ++i)
        expected.push_back(LowerName(i));
    std::sort(names.begin(), names.end());
    if (names == expected)
        return true;
    std::printf("making %d files in the data folder (first run)...\n", kCount);
    for (const std::wstring& name : names) {
        const std::wstring path = folder + L"\\" + name;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
    }
    for (const std::wstring& name : expected) {
        HANDLE file = ::CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        ::CloseHandle(file);
    }
    return true;
}

// Brings every name back to lower case with two renames where one is needed (a platform that keeps
// the letter case on a case-only rename), outside the timed parts.
void RestoreLowerNames(const std::wstring& folder) {
    for (int i = 0; i < kCount; ++i) {
        const std::wstring lower = folder + L"\\" + LowerName(i);
        WIN32_FIND_DATAW data{};
        HANDLE find = ::FindFirstFileW(lower.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        ::FindClose(find);
        if (data.cFileName == LowerName(i))
            continue;
        const std::wstring stored = folder + L"\\" + data.cFileName;
        const std::wstring temporary = folder + L"\\" + TemporaryName(i);
        if (::MoveFileW(stored.c_str(), temporary.c_str()))
            ::MoveFileW(temporary.c_str(), lower.c_str());
    }
}

int CountNames(const std::wstring& folder, bool upper) {
    int matching = 0;
    for (const std::wstring& name : NamesIn(folder))
        matching += name.compare(0, 4, upper ? L"FILE" : L"file") == 0 ? 1 : 0;
    return matching;
}

FILETIME ToFileTime(int year, int month, int day) {
    SYSTEMTIME utc{};
    utc.wYear = static_cast<WORD>(year);
    utc.wMonth = static_cast<WORD>(month);
    utc.wDay = static_cast<WORD>(day);
    FILETIME time{};
    ::SystemTimeToFileTime(&utc, &time);
    return time;
}

struct Figures {
    double best = 1e9;
    void Add(double seconds) { best = std::min(best, seconds); }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: bench_operations DATA_FOLDER\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES |
                                                        ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    std::wstring data = Widen(argv[1]);
    while (!data.empty() && data.back() == L'\\')
        data.pop_back();
    const std::wstring folder = data + L"\\operations-" + std::to_wstring(kCount);
    if (!PrepareFolder(folder)) {
        std::printf("cannot make the files of the benchmark\n");
        return 1;
    }

    // A report or a message would wait for a user: each is closed at once.
    SetMessageBoxAnswerer([](const MessageBoxRequest&) { return IDOK; });
    ScopedModalRunner closeReports([](Form& shown) { shown.SetModalResult(mrOk); });

    // A main window of its own, on a registry key removed at the end, showing the folder.
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRegistryKey);
    int status = 0;
    {
        // A journal of its own, started empty.
        const std::wstring journal = data + L"\\journal";
        ::DeleteFileW((journal + L"\\journal.txt").c_str());
        TMainForm form(kRegistryKey, nullptr, journal);
        ::ShowWindow(form.Handle(), SW_SHOWNORMAL);
        FolderView& view = form.Folders();
        view.SelectFolder(folder);
        view.RequestRelist();
        RunPosted();
        if (view.Listing()->Count() != static_cast<size_t>(kCount)) {
            std::printf("the main window lists %zu files instead of %d\n", view.Listing()->Count(), kCount);
            status = 1;
        }
        std::vector<std::wstring> paths;
        std::vector<std::wstring> names;
        for (int i = 0; i < kCount; ++i) {
            names.push_back(LowerName(i));
            paths.push_back(folder + L"\\" + names.back());
        }

        // Date-Heure, mask 7: the batch with its re-list, against one open, one SetFileTime and
        // one close per file. Each round writes another date so that every write is a change.
        Figures bareStamp, batchStamp, relist, perFileOnly, journalledOnly, undo;
        Figures noReadBack, workerShown, workerHidden, hideProgress;
        for (int round = 0; round < rounds; ++round) {
            const FILETIME stamp = ToFileTime(2000 + round, 3, 4);
            // The monitor must not carry the bare loop's changes into the timing of the batch.
            view.SetMonitorActive(false);
            auto t0 = Clock::now();
            for (const std::wstring& path : paths) {
                HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
                if (file == INVALID_HANDLE_VALUE)
                    continue;
                ::SetFileTime(file, &stamp, &stamp, &stamp);
                ::CloseHandle(file);
            }
            bareStamp.Add(Seconds(Clock::now() - t0));
            view.SetMonitorActive(true);

            const CivilTime when{2010 + round, 6, 15, 10, 30, 0, 0};
            t0 = Clock::now();
            // As the "Date-Heure" command runs it: one stamping for the whole batch.
            BatchRequest request{BatchOperation::DateTime};
            request.When = when;
            form.Batches().RunRequest(request);
            batchStamp.Add(Seconds(Clock::now() - t0));

            t0 = Clock::now();
            view.RequestRelist();
            RunPosted();
            relist.Add(Seconds(Clock::now() - t0));

            // Undo of that batch, through the same batch, re-list included.
            const JournalSummary summary = form.Batches().Journal().Summary().Summary;
            if (summary.Batches.empty() || summary.Batches.back().Files != paths.size()) {
                std::printf("the batch's journal holds %zu files instead of %zu\n",
                            summary.Batches.empty() ? 0 : summary.Batches.back().Files, paths.size());
                status = 1;
            } else {
                t0 = Clock::now();
                form.Batches().UndoBatch(summary.Batches.back(), false);
                undo.Add(Seconds(Clock::now() - t0));
            }

            // The same per-file function in a plain loop, without the batch's frame; before it, the
            // same loop with the journal written ahead of each file (another date, so that both
            // change every file).
            view.SetMonitorActive(false);
            const FileStamping plain = BatchStamping();
            const CivilTime other{when.Year, when.Month, when.Day, when.Hour, when.Minute + 1, 0, 0};
            t0 = Clock::now();
            {
                JournalBatchWriter writer(form.Batches().Journal(), L"Date-Heure", folder, 0);
                JournalledWork journalled(&writer, paths, PlanDateTime(plain, names, other, kAllStamps),
                                          [&](size_t, const std::wstring& path, const PlannedFile&) {
                                              return plain.FileSetDateTime(path, other, kAllStamps);
                                          });
                for (const std::wstring& path : paths)
                    journalled(path);
                if (!writer.Finish())
                    status = 1;
            }
            journalledOnly.Add(Seconds(Clock::now() - t0));
            t0 = Clock::now();
            for (const std::wstring& path : paths)
                plain.FileSetDateTime(path, when, kAllStamps);
            perFileOnly.Add(Seconds(Clock::now() - t0));
            // Without the read-back after each write.
            const FileStamping unread(PlatformFileTimeWriter, PlatformLocalClock, nullptr);
            t0 = Clock::now();
            for (const std::wstring& path : paths)
                unread.FileSetDateTime(path, other, kAllStamps);
            noReadBack.Add(Seconds(Clock::now() - t0));
            // The same per-file work on the batch's worker, its progress window shown from the
            // start and never: what the window itself costs.
            const PerFileWork work = [&plain, &when](const std::wstring& path) {
                return plain.FileSetDateTime(path, when, kAllStamps);
            };
            const PerFileWork otherWork = [&plain, &other](const std::wstring& path) {
                return plain.FileSetDateTime(path, other, kAllStamps);
            };
            t0 = Clock::now();
            RunWithProgress(form.Handle(), L"Tahoma", paths, work, 0);
            workerShown.Add(Seconds(Clock::now() - t0));
            t0 = Clock::now();
            RunWithProgress(form.Handle(), L"Tahoma", paths, otherWork, UINT_MAX);
            workerHidden.Add(Seconds(Clock::now() - t0));
            // What hiding a shown progress window costs: under Wine, the wait for a window
            // manager's answer (none on a headless display unless Wine is told so).
            {
                BatchProgressForm shown(form.Handle(), L"Tahoma", paths.size());
                ::ShowWindow(shown.Handle(), SW_SHOW);
                Pump(100);
                t0 = Clock::now();
                ::ShowWindow(shown.Handle(), SW_HIDE);
                hideProgress.Add(Seconds(Clock::now() - t0));
            }
            view.SetMonitorActive(true);
            view.RequestRelist(); // the listing shows the last stamps, read at the end
            RunPosted();
        }
        int stamped = 0;
        for (size_t i = 0; i < view.Listing()->Count(); ++i) {
            const CivilTime modified = DecodeDateTime((*view.Listing())[i].Modified);
            stamped += modified.Year == 2010 + rounds - 1 && modified.Hour == 10 ? 1 : 0;
        }

        // Majuscules: the batch with its re-list, against one MoveFile per file and against two
        // (through a temporary name), the names being put back in lower case between the parts.
        // One round: under Wine every new name costs a search of the whole folder.
        Figures bareMove, bareTwoMoves, batchUpper;
        int upperAfterBatch = 0;
        const bool renames = argc <= 3 || std::string(argv[3]) != "stamps";
        for (int round = 0; round < (renames ? 1 : 0); ++round) {
            auto t0 = Clock::now();
            for (int i = 0; i < kCount; ++i)
                ::MoveFileW(paths[static_cast<size_t>(i)].c_str(), (folder + L"\\" + UpperName(i)).c_str());
            bareMove.Add(Seconds(Clock::now() - t0));
            RestoreLowerNames(folder);

            t0 = Clock::now();
            for (int i = 0; i < kCount; ++i) {
                const std::wstring temporary = folder + L"\\" + TemporaryName(i);
                if (::MoveFileW(paths[static_cast<size_t>(i)].c_str(), temporary.c_str()))
                    ::MoveFileW(temporary.c_str(), (folder + L"\\" + UpperName(i)).c_str());
            }
            bareTwoMoves.Add(Seconds(Clock::now() - t0));
            RestoreLowerNames(folder);
            view.RequestRelist(); // the listing holds the lower-case names again
            RunPosted();

            t0 = Clock::now();
            form.Batches().RunRequest(BatchRequest{BatchOperation::Upper});
            batchUpper.Add(Seconds(Clock::now() - t0));
            upperAfterBatch = CountNames(folder, true);
            RestoreLowerNames(folder);
            view.RequestRelist();
            RunPosted();
        }

        std::printf("folder of %d files; stamps best of %d rounds, names one round\n\n", kCount, rounds);
        std::printf("Date-Heure, mask 7 (all three stamps):\n");
        std::printf("  bare loop (CreateFile, SetFileTime, CloseHandle): %.3f s\n", bareStamp.best);
        std::printf("  RunBatch with FileSetDateTime, re-list included:  %.3f s (%d of %d files show the "
                    "new stamp)\n",
                    batchStamp.best, stamped, kCount);
        std::printf("    of which the re-list alone takes about        %.3f s\n", relist.best);
        std::printf("  FileSetDateTime alone in a plain loop:            %.3f s\n", perFileOnly.best);
        std::printf("  the same loop with the undo journal written ahead: %.3f s\n", journalledOnly.best);
        std::printf("  the same loop without the read-back:               %.3f s\n", noReadBack.best);
        std::printf("  FileSetDateTime on the worker, progress shown:     %.3f s\n", workerShown.best);
        std::printf("  FileSetDateTime on the worker, progress not shown: %.3f s\n", workerHidden.best);
        std::printf("  hiding the shown progress window:                  %.3f s\n", hideProgress.best);
        std::printf("  undo of the batch, re-list included:               %.3f s\n", undo.best);
        std::printf("  ratio batch / bare loop: %.2f (target <= 1.5)\n", batchStamp.best / bareStamp.best);
        std::printf("  ratio progress shown / not shown: %.2f\n", workerShown.best / workerHidden.best);
        std::printf("  journal cost: %.0f %% of the per-file work (target <= 20 %%)\n",
                    100.0 * (journalledOnly.best / perFileOnly.best - 1.0));
        std::printf("  ratio undo / batch: %.2f (target <= 1.5)\n\n", undo.best / batchStamp.best);

        std::printf("Majuscules (\"file 00001.txt\" -> \"FILE 00001.TXT\"):\n");
        std::printf("  bare loop, one MoveFile per file:                   %.3f s\n", bareMove.best);
        std::printf("  bare loop, two MoveFile per file (temporary name):  %.3f s\n", bareTwoMoves.best);
        std::printf(
            "  RunBatch of Majuscules, re-list included:           %.3f s (%d of %d names upper case)\n",
            batchUpper.best, upperAfterBatch, kCount);
        std::printf("  ratio batch / one MoveFile per file:  %.2f (target <= 2.5)\n",
                    batchUpper.best / bareMove.best);
        std::printf("  ratio batch / two MoveFile per file:  %.2f\n", batchUpper.best / bareTwoMoves.best);
        std::printf("  Where the platform takes a rename that only changes letter case and keeps the old\n"
                    "  name (Wine on a case-sensitive Linux file system), one MoveFile per file changes\n"
                    "  nothing, and the batch makes the change through a temporary name: two renames\n"
                    "  per file. The two-rename loop is then the baseline doing the same work.\n");
        if (upperAfterBatch != kCount || stamped != kCount)
            status = 1;
        form.Close();
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRegistryKey);
    ::CoUninitialize();
    return status;
}
