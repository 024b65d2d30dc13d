// What the directory tree's window tests share: drives the machine lacks (a fake drive seam), a
// real top-level owner window that forwards the tree's notifications, and a temporary folder.
#pragma once

#include "dirtree/DirFilters.h"
#include "dirtree/DirPaths.h"
#include "dirtree/DirTree.h"
#include "dirtree/DriveSystem.h"
#include "base/Locale.h"
#include "support/win/MessagePump.h"
#include "support/win/TempFolder.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

class FakeDriveSystem : public DriveSystem {
public:
    struct Drive {
        unsigned Kind = kDriveFixed;
        std::optional<VolumeInfo> Volume;
        std::wstring DisplayName;
    };

    void Add(wchar_t letter, unsigned kind, std::optional<VolumeInfo> volume) {
        drives[letter] = Drive{kind, std::move(volume), L"Drive " + std::wstring(1, letter)};
    }
    void Remove(wchar_t letter) { drives.erase(letter); }

    uint32_t LogicalDrives() override {
        uint32_t mask = 0;
        for (const auto& entry : drives)
            mask |= uint32_t{1} << (entry.first - L'A');
        return mask;
    }
    unsigned DriveKind(wchar_t letter) override {
        const auto it = drives.find(letter);
        return it == drives.end() ? kDriveNoRootDir : it->second.Kind;
    }
    std::optional<VolumeInfo> Volume(wchar_t letter) override {
        ++volumeReads[letter];
        const auto it = drives.find(letter);
        return it == drives.end() ? std::nullopt : it->second.Volume;
    }
    std::optional<ShellItemInfo> ShellItem(const std::wstring& path) override {
        shellPaths.push_back(path);
        if (path.size() == 3 && path.substr(1) == L":\\") {
            const auto it = drives.find(path[0]);
            if (it == drives.end())
                return std::nullopt;
            return ShellItemInfo{kDriveIcon, it->second.DisplayName};
        }
        return ShellItemInfo{kFolderIcon, LastComponent(path)};
    }
    std::optional<int> OpenIconIndex(const std::wstring& path) override {
        return path.size() == 3 ? kDriveIcon : kOpenFolderIcon;
    }
    std::optional<int> PlainFolderIcon(bool open) override { return open ? kOpenFolderIcon : kFolderIcon; }

    static constexpr int kDriveIcon = 8;
    static constexpr int kFolderIcon = 3;
    static constexpr int kOpenFolderIcon = 4;

    std::map<wchar_t, Drive> drives;
    std::map<wchar_t, int> volumeReads;
    std::vector<std::wstring> shellPaths; // every path the shell was asked about
};

class OwnerFrame : public Window {
public:
    OwnerFrame() {
        CreateWindowOfClass(RegisterClassOnce(L"KavetDirTreeTestFrame"), L"Owner",
                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 400, 600, nullptr);
    }
};

class DirTreeTest : public testing::Test {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        drives = std::make_shared<FakeDriveSystem>();
        drives->Add(L'C', kDriveFixed, VolumeInfo{0x1111, L"SYSTEM"});
        previousDirectory.resize(::GetCurrentDirectoryW(0, nullptr));
        ::GetCurrentDirectoryW(static_cast<DWORD>(previousDirectory.size()), previousDirectory.data());
        previousDirectory.resize(previousDirectory.size() - 1);
        ::SetCurrentDirectoryW(temp.Path().c_str());
    }
    void TearDown() override {
        tree.reset();
        ::SetCurrentDirectoryW(previousDirectory.c_str());
        ::CoUninitialize();
    }

    // Builds the tree as an owner does: construct, set properties, Loaded.
    TDirTree& MakeTree(const std::function<void(TDirTree&)>& configure = {}) {
        tree = std::make_unique<TDirTree>(frame.Handle(), 1, drives);
        tree->SetInitialDirectory(L"C:\\");
        if (configure)
            configure(*tree);
        tree->Loaded();
        tree->SetBounds(0, 0, 380, 560);
        tree->OnChange = [this](HTREEITEM node) { changes.push_back(node); };
        return *tree;
    }

    static std::wstring Upper(const std::wstring& path) { return CurrentLocale().ToUpper(path); }
    // The tree's form of a path below the temporary folder.
    std::wstring TreePath(const std::wstring& relative = L"") const {
        std::wstring path = Upper(relative.empty() ? temp.Path() : temp / relative);
        AddBackslash(path);
        return path;
    }
    std::vector<std::wstring> Captions(HTREEITEM node) const {
        std::vector<std::wstring> captions;
        for (HTREEITEM child : tree->Children(node))
            captions.push_back(tree->Caption(child));
        return captions;
    }
    bool HasPlaceholderOnly(HTREEITEM node) const {
        const std::vector<HTREEITEM> children = tree->Children(node);
        if (children.empty())
            return false;
        for (HTREEITEM child : children)
            if (tree->NodeInfo(child))
                return false;
        return true;
    }
    // Runs the message loop until the background look into new children has answered for all.
    void SettleProbe() {
        PumpUntil([this] { return !tree->Probing(); }, 10000);
        ASSERT_FALSE(tree->Probing()) << "the background look did not settle";
    }
    LRESULT SendDeviceChange() { return ::SendMessageW(frame.Handle(), WM_DEVICECHANGE, 0x0007, 0); }
    void SendClick() {
        NMHDR header{};
        header.hwndFrom = tree->Handle();
        header.idFrom = 1;
        header.code = NM_CLICK;
        ::SendMessageW(frame.Handle(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
    }

    TempFolder temp;
    std::wstring previousDirectory;
    std::shared_ptr<FakeDriveSystem> drives;
    OwnerFrame frame;
    std::unique_ptr<TDirTree> tree;
    std::vector<HTREEITEM> changes;
};
