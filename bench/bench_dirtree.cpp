// The directory tree on large and deep folders: expanding a folder of 10,000 subfolders (until the
// children are shown, and until their expand buttons have settled), and SelectPath of a folder 20
// levels deep, each against a bare enumeration of the same folders.
// The folders are made once in "dirtree" inside the data folder and reused by later runs.
#include "BenchSupport.h"
#include "dirtree/DirPaths.h"
#include "dirtree/DirTree.h"
#include "base/TextHelpers.h"
#include "base/WinLocale.h"
#include "ui/Window.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kDepth = 20;
constexpr int kRounds = 3;

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring WideName(int i) {
    std::wstring number = std::to_wstring(i);
    return L"folder " + std::wstring(5 - std::min<size_t>(5, number.size()), L'0') + number;
}

// The wide folder and the 20-level chain; a marker file records that each set is complete.
void MakeData(const std::wstring& root, const std::wstring& wide, int wideCount) {
    ::CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring wideMarker = wide + L" complete";
    if (!Exists(wideMarker)) {
        ::CreateDirectoryW(wide.c_str(), nullptr);
        for (int i = 0; i < wideCount; ++i)
            ::CreateDirectoryW((wide + L"\\" + WideName(i)).c_str(), nullptr);
        FileHandle done(
            ::CreateFileW(wideMarker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    const std::wstring marker = root + L"\\deep complete";
    if (Exists(marker))
        return;
    std::wstring deep = root + L"\\deep";
    ::CreateDirectoryW(deep.c_str(), nullptr);
    for (int level = 1; level <= kDepth; ++level) {
        deep += L"\\Level " + std::to_wstring(level);
        ::CreateDirectoryW(deep.c_str(), nullptr);
    }
    FileHandle done(::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

std::wstring DeepFolder(const std::wstring& root) {
    std::wstring deep = root + L"\\deep";
    for (int level = 1; level <= kDepth; ++level)
        deep += L"\\Level " + std::to_wstring(level);
    return deep;
}

// Calls visit for every entry of the folder, the way a program that only wants the names reads it.
template <typename Visit> int Enumerate(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileExW((WithTrailingBackslash(folder) + L"*.*").c_str(), FindExInfoStandard,
                                       &data, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return 0;
    int count = 0;
    do {
        ++count;
        if (!visit(data))
            break;
    } while (::FindNextFileW(find.Get(), &data));
    return count;
}

bool IsSubfolder(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && std::wcscmp(data.cFileName, L".") != 0 &&
           std::wcscmp(data.cFileName, L"..") != 0;
}

// Every subfolder of the folder.
std::vector<std::wstring> Subfolders(const std::wstring& folder) {
    std::vector<std::wstring> names;
    Enumerate(folder, [&](const WIN32_FIND_DATAW& data) {
        if (IsSubfolder(data))
            names.push_back(data.cFileName);
        return true;
    });
    return names;
}

// Whether the folder has a subfolder, reading no further than the first one.
bool HasSubfolder(const std::wstring& folder) {
    bool found = false;
    Enumerate(folder, [&](const WIN32_FIND_DATAW& data) {
        found = IsSubfolder(data);
        return !found;
    });
    return found;
}

class Frame : public Window {
public:
    Frame() {
        CreateWindowOfClass(RegisterClassOnce(L"KavetBenchDirTreeFrame"), L"Kavet24 bench",
                            WS_OVERLAPPEDWINDOW, 0, 0, 0, 400, 600, nullptr);
    }
};

// A tree set up as the main window sets up its own.
std::unique_ptr<TDirTree> MakeTree(const Frame& frame, const std::wstring& initial) {
    auto tree = std::make_unique<TDirTree>(frame.Handle(), 1);
    tree->SetDirTypes({TDirType::dtReadOnly, TDirType::dtHidden, TDirType::dtSystem, TDirType::dtArchive,
                       TDirType::dtNormal, TDirType::dtAll});
    tree->SetGoBelowRecycleBin(true);
    tree->SetFastLoad(true);
    tree->SetInitialDirectory(initial);
    tree->SetDriveTypes({TDriveType::drtUnknown, TDriveType::drtRemovable, TDriveType::drtFixed,
                         TDriveType::drtRemote, TDriveType::drtRamDisk});
    tree->Loaded();
    tree->SetBounds(0, 0, 380, 560);
    return tree;
}

// Handles the messages already queued; the longest single one is kept in longest.
void PumpPending(double& longest) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        const auto t0 = Clock::now();
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        longest = std::max(longest, Seconds(Clock::now() - t0));
    }
}

// Runs the message loop until the tree's background look into new children has settled.
void Settle(const TDirTree& tree, double& longest) {
    while (tree.Probing()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpPending(longest);
    }
}

size_t WithExpandButton(const TDirTree& tree, HTREEITEM node) {
    size_t count = 0;
    for (HTREEITEM child : tree.Children(node))
        count += tree.FirstChild(child) ? 1 : 0;
    return count;
}

void PrintRatio(const char* what, double measured, double baseline, double target) {
    const double ratio = measured / baseline;
    std::printf("ratio %s: %.2f (target <= %.1f)%s\n", what, ratio, target,
                ratio <= target ? "" : "  MISSED");
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    static WinLocale locale;
    SetCurrentLocale(locale);
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    const std::wstring data = argc > 1 ? Widen(argv[1]) : TempFolder();
    const std::wstring root = WithTrailingBackslash(data) + L"dirtree";
    // A smaller count may be given after the data folder, for a quick run.
    const int wideCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
    const std::wstring wide = root + L"\\wide-" + std::to_wstring(wideCount);
    auto made = Clock::now();
    MakeData(root, wide, wideCount);
    const std::wstring deep = DeepFolder(root);
    std::printf("data ready in %.1f s: %s\n", Seconds(Clock::now() - made), argc > 1 ? argv[1] : "(temp)");

    Frame frame;
    // Warm the folders and the shell once so that no side pays a first read alone.
    Subfolders(wide);
    std::unique_ptr<TDirTree> tree = MakeTree(frame, root);

    // Expansion: the folder's node unread, then Expand as the user's click does (read the folder,
    // add the nodes, open the node), the window painting and handling what is queued; then the
    // message loop until the expand buttons have settled (each child looked into for one
    // subfolder of its own).
    tree->SelectPath(root);
    const HTREEITEM wideNode = tree->FindNode(wide);
    if (!wideNode) {
        std::printf("the tree has no node for %ls\n", wide.c_str());
        return 1;
    }
    double shownTime = 1e9;
    double wholeTime = 1e9;
    double longestMessage = 0;
    double bareListTime = 1e9;
    double bareProbeTime = 1e9;
    size_t shown = 0;
    size_t buttons = 0;
    size_t bareCount = 0;
    size_t bareButtons = 0;
    for (int round = 0; round < kRounds; ++round) {
        double longest = 0;
        Settle(*tree, longest);
        tree->ResetNode(wideNode);
        longest = 0;
        auto t0 = Clock::now();
        tree->Expand(wideNode);
        ::UpdateWindow(tree->Handle());
        PumpPending(longest);
        shownTime = std::min(shownTime, Seconds(Clock::now() - t0));
        longest = 0;
        Settle(*tree, longest);
        wholeTime = std::min(wholeTime, Seconds(Clock::now() - t0));
        longestMessage = std::max(longestMessage, longest);
        shown = tree->Children(wideNode).size();
        buttons = WithExpandButton(*tree, wideNode);

        t0 = Clock::now();
        const std::vector<std::wstring> names = Subfolders(wide);
        bareListTime = std::min(bareListTime, Seconds(Clock::now() - t0));
        bareCount = names.size();
        bareButtons = 0;
        for (const std::wstring& name : names)
            bareButtons += HasSubfolder(wide + L"\\" + name) ? 1 : 0;
        bareProbeTime = std::min(bareProbeTime, Seconds(Clock::now() - t0));
    }

    std::printf("expanding a folder of %d subfolders (%zu nodes shown, %zu found by the bare enumeration; "
                "%zu with an expand button, %zu with a subfolder)\n",
                wideCount, shown, bareCount, buttons, bareButtons);
    std::printf("  bare enumeration of the folder (FindFirstFileEx, large fetch):      %.3f s\n",
                bareListTime);
    std::printf("  the same plus a look into each subfolder for one of its own:         %.3f s\n",
                bareProbeTime);
    std::printf(
        "  Expand until the children are shown and the window answers:          %.3f s (target <= 1.0 s)%s\n",
        shownTime, shownTime <= 1.0 ? "" : "  MISSED");
    std::printf("  Expand until every expand button has settled (the whole expansion):  %.3f s\n", wholeTime);
    std::printf("  longest message the window handled while the buttons settled:        %.3f s\n",
                longestMessage);
    PrintRatio("whole expansion / bare enumeration of the folder and its subfolders", wholeTime,
               bareProbeTime, 1.5);
    std::printf("  (children shown / bare enumeration of the folder alone: %.2f)\n",
                shownTime / bareListTime);

    // SelectPath 20 levels deep, on a fresh tree each round so that every level is read.
    double selectTime = 1e9;
    double selectShownTime = 1e9;
    double bareChainTime = 1e9;
    double bareChainProbeTime = 1e9;
    bool selected = false;
    // Every folder SelectPath reads, the drive's root first.
    std::vector<std::wstring> chain;
    const std::wstring deepForm = WithTrailingBackslash(deep);
    for (int level = 1; level <= CountBackslashes(deepForm); ++level)
        chain.push_back(PathUpToLevel(deepForm, level));
    for (int round = 0; round < kRounds; ++round) {
        tree = MakeTree(frame, L"C:\\");
        double longest = 0;
        Settle(*tree, longest);
        auto t0 = Clock::now();
        tree->SelectPath(deep);
        selectShownTime = std::min(selectShownTime, Seconds(Clock::now() - t0));
        Settle(*tree, longest);
        selectTime = std::min(selectTime, Seconds(Clock::now() - t0));
        selected = CurrentLocale().ToUpper(WithTrailingBackslash(deep)) == tree->GetSelectedPath();

        t0 = Clock::now();
        std::vector<std::vector<std::wstring>> found;
        for (const std::wstring& folder : chain)
            found.push_back(Subfolders(folder));
        bareChainTime = std::min(bareChainTime, Seconds(Clock::now() - t0));
        // Showing the folder opens each level above it, which looks into the siblings on the way.
        for (size_t i = 0; i + 1 < chain.size(); ++i)
            for (const std::wstring& name : found[i])
                HasSubfolder(chain[i] + name);
        bareChainProbeTime = std::min(bareChainProbeTime, Seconds(Clock::now() - t0));
    }
    tree.reset();

    std::printf("SelectPath of a folder %d levels deep (%zu folders read, %s)\n", kDepth, chain.size(),
                selected ? "selected" : "NOT selected");
    std::printf("  bare enumeration of the same folders:                                %.3f s\n",
                bareChainTime);
    std::printf("  the same plus a look into each subfolder of the levels above it:     %.3f s\n",
                bareChainProbeTime);
    std::printf("  SelectPath until the folder is selected and shown:                   %.3f s\n",
                selectShownTime);
    std::printf("  SelectPath until the expand buttons of the levels opened have settled: %.3f s\n",
                selectTime);
    std::printf("ratio SelectPath / bare enumeration of the folders and the subfolders opened: %.2f\n",
                selectTime / bareChainProbeTime);
    std::printf("  (SelectPath / bare enumeration of the folders alone: %.2f)\n", selectTime / bareChainTime);
    ::CoUninitialize();
    return 0;
}
