// The undo journal when full: 20 batches of 100,000 files, the last one cut short by a crash.
// Beginning a batch (and one that trims the journal), the check for a batch cut short at start and
// the undo window's list (each the journal's summary), and reading the cut batch's records for its
// undo, each against a plain read of the same file, with each step's peak memory. Each step runs
// in a process of its own, so that its peak is its own.
#include "BenchSupport.h"
#include "journal/JournalStore.h"
#include "batch/Planners.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kBatches = 20;
constexpr int kFiles = 100'000;

// The journal as the batches would have left it, written directly: 2,000,000 lines through the
// store would take far longer than what is measured.
bool MakeJournal(const std::wstring& folder) {
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\journal.txt";
    ::DeleteFileW((folder + L"\\journal.tmp").c_str());
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string text = JournalHeaderLine();
    bool ok = true;
    for (int b = 1; b <= kBatches && ok; ++b) {
        JournalBatch batch{static_cast<uint64_t>(b),
                           L"Date-Heure",
                           L"C:\\Users\\Marie\\Photos\\Vacances 2024",
                           133'790'112'000'000'000ull + static_cast<uint64_t>(b),
                           b < kBatches,
                           {}};
        text += JournalBeginLine(batch);
        for (int i = 0; i < kFiles && ok; ++i) {
            const std::wstring name =
                L"sous-dossier " + std::to_wstring(i % 50) + L"\\IMG_" + std::to_wstring(i) + L".jpg";
            text += JournalFileLine(batch.Id, {name, name, FILE_ATTRIBUTE_ARCHIVE, 133'650'000'000'000'000ull,
                                               133'790'100'000'000'000ull, 133'650'000'000'000'000ull,
                                               133'600'000'000'000'000ull, 133'790'100'000'000'000ull,
                                               133'600'000'000'000'000ull});
            if (text.size() > (4u << 20)) {
                DWORD written = 0;
                ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
                text.clear();
            }
        }
        if (batch.Finished)
            text += JournalEndLine(batch.Id);
    }
    DWORD written = 0;
    ok = ok && ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok;
}

// The baseline: every byte of the file read once, a piece at a time.
bool PlainRead(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> piece(1u << 20);
    DWORD read = 0;
    size_t lines = 0;
    while (::ReadFile(file, piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr) && read > 0)
        lines += static_cast<size_t>(std::count(piece.begin(), piece.begin() + read, '\n'));
    ::CloseHandle(file);
    return lines > 0;
}

// One step, in this process: true when it did what it should.
bool RunStep(const std::string& step, const std::wstring& folder) {
    if (step == "plain")
        return PlainRead(folder + L"\\journal.txt");
    if (step == "begin" || step == "trim") {
        // The trim is forced past its byte bound: 19 batches are copied beside.
        JournalStore store(folder, {.DroppedBytesBound = step == "trim" ? 1u : 64ull << 20});
        JournalBatchWriter writer(store, L"Date-Heure", L"C:\\");
        return writer.Ok() && writer.Finish();
    }
    JournalStore store(folder);
    const JournalStore::SummaryResult summary = store.Summary();
    if (!summary.Error.empty() || summary.Summary.Batches.size() != kBatches)
        return false;
    if (step == "summary")
        return !summary.Summary.Batches.back().Finished && summary.Summary.Batches.back().Files == kFiles;
    // The undo of the batch cut short: its records read, and put in the order they are undone.
    JournalStore::ReadResult read = store.ReadBatch(summary.Summary.Batches.back());
    if (!read.Error.empty() || read.Contents.Batches.size() != 1)
        return false;
    const UndoFiles undo = UndoFilesOf(std::move(read.Contents.Batches.front()));
    return undo.Files->size() == kFiles;
}

struct Figures {
    double Seconds = 0;
    double PeakWorkingSetMiB = 0;
    double PeakPrivateMiB = 0;
    bool Ok = false;
};

// Runs the step in a child process, which prints its figures on its exit code's behalf in a file.
Figures RunChild(const std::string& step, const std::wstring& folder) {
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring out = folder + L"\\figures.txt";
    ::DeleteFileW(out.c_str());
    std::wstring command = L"\"" + std::wstring(self) + L"\" --step " +
                           std::wstring(step.begin(), step.end()) + L" \"" + folder + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    Figures figures;
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return figures;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    FILE* file = _wfopen(out.c_str(), L"r");
    if (file) {
        int ok = 0;
        if (std::fscanf(file, "%lf %lf %lf %d", &figures.Seconds, &figures.PeakWorkingSetMiB,
                        &figures.PeakPrivateMiB, &ok) == 4)
            figures.Ok = ok != 0;
        std::fclose(file);
    }
    return figures;
}

int StepMain(const std::string& step, const std::wstring& folder) {
    const auto start = Clock::now();
    const bool ok = RunStep(step, folder);
    const double seconds = Seconds(Clock::now() - start);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    FILE* file = _wfopen((folder + L"\\figures.txt").c_str(), L"w");
    if (!file)
        return 1;
    std::fprintf(file, "%f %f %f %d\n", seconds, memory.PeakWorkingSetSize / 1048576.0,
                 memory.PeakPagefileUsage / 1048576.0, ok ? 1 : 0);
    std::fclose(file);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 3 && std::strcmp(argv[1], "--step") == 0)
        return StepMain(argv[2], Widen(argv[3]));
    const std::wstring folder = (argc > 1 ? Widen(argv[1]) : TempFolder()) + L"\\journal-bench";
    std::printf("journal: %d batches of %d files, the last cut short\n", kBatches, kFiles);
    int status = 0;
    const struct {
        const char* Step;
        const char* Text;
        bool Remake;
    } steps[] = {
        {"plain", "plain read of the file (baseline)", true},
        {"begin", "beginning a batch", false},
        {"summary", "crash check at start / the undo window's list (summary)", true},
        {"undo", "the cut batch's records read for its undo (one copy)", false},
        {"trim", "beginning a batch that trims the journal to its last batches", false},
    };
    double baseline = 0;
    for (const auto& step : steps) {
        if (step.Remake && !MakeJournal(folder)) {
            std::printf("cannot write the journal in the data folder\n");
            return 1;
        }
        // Once, so that every step reads a file the system has already cached.
        RunChild("plain", folder);
        const Figures figures = RunChild(step.Step, folder);
        if (std::strcmp(step.Step, "plain") == 0)
            baseline = figures.Seconds;
        std::printf(
            "%-66s %8.0f ms  %5.2fx plain read  peak working set %7.1f MiB  peak private %7.1f MiB%s\n",
            step.Text, figures.Seconds * 1000, baseline > 0 ? figures.Seconds / baseline : 0,
            figures.PeakWorkingSetMiB, figures.PeakPrivateMiB, figures.Ok ? "" : "  FAILED");
        if (!figures.Ok)
            status = 1;
    }
    ::DeleteFileW((folder + L"\\journal.txt").c_str());
    ::DeleteFileW((folder + L"\\figures.txt").c_str());
    ::RemoveDirectoryW(folder.c_str());
    return status;
}
