// The subfolder walk of an operation ("Inclure les sous-dossiers", /recurse) on a tree of 100,000
// files in 10,000 folders, watched as the window watches it, against a bare recursive enumeration
// of the same tree. The tree is made once in "walk" inside the data folder and reused.
#include "BenchSupport.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"
#include "base/WinLocale.h"
#include "listing/FolderTree.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 3;
constexpr int kFilesPerFolder = 10;

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeEmptyFile(const std::wstring& path) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// `top` folders of `top` subfolders each, ten files in each subfolder; a marker file records that
// the tree is complete.
void MakeTree(const std::wstring& root, int top) {
    const std::wstring marker = root + L" complete";
    if (Exists(marker))
        return;
    ::CreateDirectoryW(root.c_str(), nullptr);
    for (int i = 0; i < top; ++i) {
        const std::wstring upper = root + L"\\dossier " + std::to_wstring(i);
        ::CreateDirectoryW(upper.c_str(), nullptr);
        for (int j = 0; j < top; ++j) {
            const std::wstring folder = upper + L"\\sous " + std::to_wstring(j);
            ::CreateDirectoryW(folder.c_str(), nullptr);
            for (int k = 0; k < kFilesPerFolder; ++k)
                MakeEmptyFile(folder + L"\\photo " + std::to_wstring(k) + L".jpg");
        }
    }
    MakeEmptyFile(marker);
}

// What a program that only wants every file's name does: one large-fetch enumeration per folder,
// its subfolders kept for later.
size_t BareWalk(const std::wstring& root, size_t& folders) {
    size_t files = 0;
    folders = 0;
    std::vector<std::wstring> pending{WithTrailingBackslash(root)};
    while (!pending.empty()) {
        const std::wstring folder = std::move(pending.back());
        pending.pop_back();
        ++folders;
        WIN32_FIND_DATAW data{};
        FindHandle find(::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!find)
            continue;
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (std::wcscmp(data.cFileName, L".") != 0 && std::wcscmp(data.cFileName, L"..") != 0)
                    pending.push_back(folder + data.cFileName + L'\\');
            } else {
                ++files;
            }
        } while (::FindNextFileW(find.Get(), &data));
    }
    return files;
}

// The window's watch: the counts stored for its timer, the stop read, once per folder.
class CountingWatch : public FolderWalkWatch {
public:
    bool GoOn(size_t files, size_t folders) override {
        files_.store(files, std::memory_order_relaxed);
        folders_.store(folders, std::memory_order_relaxed);
        return !stop_.load(std::memory_order_relaxed);
    }

private:
    std::atomic<size_t> files_{0};
    std::atomic<size_t> folders_{0};
    std::atomic<bool> stop_{false};
};

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    static WinLocale locale;
    SetCurrentLocale(locale);

    const std::wstring data = argc > 1 ? Widen(argv[1]) : TempFolder();
    // A smaller side may be given after the data folder, for a quick run (100: 10,000 folders).
    const int top = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;
    const std::wstring walkRoot = WithTrailingBackslash(data) + L"walk";
    ::CreateDirectoryW(walkRoot.c_str(), nullptr);
    const std::wstring root = walkRoot + L"\\tree-" + std::to_wstring(top);
    const auto made = Clock::now();
    MakeTree(root, top);
    std::printf("data ready in %.1f s\n", Seconds(Clock::now() - made));

    size_t bareFolders = 0;
    BareWalk(root, bareFolders); // warm the folders so that neither side pays a first read alone
    double bareTime = 1e9;
    double walkTime = 1e9;
    size_t bareFiles = 0;
    FolderTreeFiles walked;
    for (int round = 0; round < kRounds; ++round) {
        auto t0 = Clock::now();
        bareFiles = BareWalk(root, bareFolders);
        bareTime = std::min(bareTime, Seconds(Clock::now() - t0));

        CountingWatch watch;
        t0 = Clock::now();
        walked = CollectFolderTree(root, L"*.*", &watch);
        walkTime = std::min(walkTime, Seconds(Clock::now() - t0));
    }

    std::printf("tree of %zu files in %zu folders (%zu files walked, %zu folders with files)\n", bareFiles,
                bareFolders, walked.Names.size(), walked.Folders);
    std::printf("  bare recursive enumeration (FindFirstFileEx, basic, large fetch): %.3f s\n", bareTime);
    std::printf("  subfolder walk of an operation, watched as by the window:         %.3f s\n", walkTime);
    const double ratio = walkTime / bareTime;
    std::printf("ratio walk / bare: %.2f (target <= 1.2)%s\n", ratio, ratio <= 1.2 ? "" : "  MISSED");
    return walked.Names.size() == bareFiles ? 0 : 1;
}
