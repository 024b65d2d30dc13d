// The program's start on a remembered folder of 100,000 files: from starting Kavet24.exe until its
// file list shows rows, polled from here as a user's eye would see it, against a bare enumeration
// of the same folder in the same run. The remembered folder is written into the program's key in
// the benchmark's own Wine prefix; the value there before is put back at the end.
// Uses the folder scripts/bench.sh fills ("listing-100000" in the data folder).
#include "BenchSupport.h"
#include "base/Handles.h"
#include "settings/RegCtrl.h"
#include "base/TextHelpers.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr int kRounds = 3;
constexpr double kTimeoutSeconds = 60;

size_t BareEnumeration(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileExW((WithTrailingBackslash(folder) + L"*").c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    size_t count = 0;
    if (find)
        do {
            ++count;
        } while (::FindNextFileW(find.Get(), &data));
    return count;
}

std::wstring ProgramPath() {
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    // BUILD\bench\bench_startup.exe beside BUILD\app\Kavet24.exe.
    const std::wstring benchFolder = self.substr(0, self.find_last_of(L'\\'));
    return benchFolder.substr(0, benchFolder.find_last_of(L'\\')) + L"\\app\\Kavet24.exe";
}

struct Found {
    DWORD process;
    HWND list = nullptr;
};

BOOL CALLBACK FindListChild(HWND child, LPARAM param) {
    wchar_t name[64] = {};
    ::GetClassNameW(child, name, 64);
    if (std::wstring_view(name) != WC_LISTVIEWW || !::IsWindowVisible(child))
        return TRUE;
    reinterpret_cast<Found*>(param)->list = child;
    return FALSE;
}

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != found->process || !::IsWindowVisible(window))
        return TRUE;
    ::EnumChildWindows(window, FindListChild, param);
    return found->list ? FALSE : TRUE;
}

// The rows the program's visible file list reports; 0 while it has none or no list yet.
LRESULT ShownRows(DWORD process) {
    Found found{process};
    ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&found));
    DWORD_PTR rows = 0;
    if (!found.list ||
        !::SendMessageTimeoutW(found.list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &rows))
        return 0;
    return static_cast<LRESULT>(rows);
}

// Starts the program and waits until its list shows rows; the seconds that took, or none.
std::optional<double> TimeToRows(const std::wstring& program, LRESULT& rows) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    const auto t0 = Clock::now();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return std::nullopt;
    KernelHandle process(info.hProcess);
    KernelHandle thread(info.hThread);
    std::optional<double> seconds;
    while (Seconds(Clock::now() - t0) < kTimeoutSeconds) {
        if ((rows = ShownRows(info.dwProcessId)) > 0) {
            seconds = Seconds(Clock::now() - t0);
            break;
        }
        if (::WaitForSingleObject(process.Get(), 1) == WAIT_OBJECT_0)
            break;
    }
    // Killed rather than closed: a close would store its settings over the benchmark's.
    ::TerminateProcess(process.Get(), 0);
    ::WaitForSingleObject(process.Get(), INFINITE);
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::wstring data = argc > 1 ? Widen(argv[1]) : TempFolder();
    const std::wstring folder = WithTrailingBackslash(data) + L"listing-100000";
    const std::wstring program = ProgramPath();

    // The folder remembered from a last run, as the program stores it; the version keeps the
    // stored options from being taken for an older program's.
    const SettingsStore store(SettingsStore::kDefaultProductKey);
    const std::wstring options = store.OptionsKey();
    const std::wstring before = RegCtrl::RegReadString(options, SettingsRecord::kDirectory, L"");
    RegCtrl::RegWriteString(SettingsStore::kDefaultProductKey, SettingsStore::kVersionName,
                            SettingsStore::kCurrentVersion);

    // The same start on a folder of one file: what starting a program costs whatever its folder.
    const std::wstring small = WithTrailingBackslash(data) + L"startup-one-file";
    ::CreateDirectoryW(small.c_str(), nullptr);
    FileHandle(::CreateFileW((small + L"\\photo.jpg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                             nullptr));

    const size_t files = BareEnumeration(folder); // warm the folder so that neither side reads it first
    double bareTime = 1e9;
    double startTime = 1e9;
    double smallTime = 1e9;
    LRESULT rows = 0;
    LRESULT smallRows = 0;
    bool shown = true;
    for (int round = 0; round < kRounds && shown; ++round) {
        const auto t0 = Clock::now();
        BareEnumeration(folder);
        bareTime = std::min(bareTime, Seconds(Clock::now() - t0));
        RegCtrl::RegWriteString(options, SettingsRecord::kDirectory, folder);
        const std::optional<double> start = TimeToRows(program, rows);
        RegCtrl::RegWriteString(options, SettingsRecord::kDirectory, small);
        const std::optional<double> smallStart = TimeToRows(program, smallRows);
        shown = start.has_value() && smallStart.has_value();
        if (shown) {
            startTime = std::min(startTime, *start);
            smallTime = std::min(smallTime, *smallStart);
        }
    }
    RegCtrl::RegWriteString(options, SettingsRecord::kDirectory, before);
    if (!shown) {
        std::printf("the program did not show rows within %.0f s (%ls)\n", kTimeoutSeconds, program.c_str());
        return 1;
    }

    std::printf("start on a remembered folder of %zu entries (%ld rows shown first)\n", files,
                static_cast<long>(rows));
    std::printf("  bare enumeration (FindFirstFileEx, basic, large fetch): %.3f s\n", bareTime);
    std::printf("  from starting Kavet24.exe until its list shows rows:    %.3f s\n", startTime);
    std::printf("  the same on a folder of one file:                        %.3f s\n", smallTime);
    const double over = startTime - bareTime;
    std::printf("difference start - bare: %.3f s (target <= 0.3 s)%s\n", over, over <= 0.3 ? "" : "  MISSED");
    return 0;
}
