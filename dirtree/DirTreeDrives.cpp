// TDirTree: following drives that come and go and media that is exchanged, through the top-level
// window's WM_DEVICECHANGE and a volume-serial check whenever a folder is selected or clicked.
#include "dirtree/DirTree.h"

#include "dirtree/DirFilters.h"
#include "dirtree/DirPaths.h"
#include "dirtree/DirTreeGuards.h"
#include "base/Locale.h"

namespace {

std::wstring RootPath(wchar_t letter) {
    return std::wstring(1, letter) + L":\\";
}

} // namespace

bool TDirTree::RefreshDrives() {
    if (!HandleAllocated() || loading_)
        return false;
    bool changed = false;
    {
        LockChanges lock(*this);
        BulkUpdate update(*this);
        const uint32_t newMask = GetAvailableDrives();
        const uint32_t oldMask = std::exchange(driveMask_, newMask);
        for (int i = 0; i < 26; ++i) {
            const uint32_t bit = uint32_t{1} << i;
            if (!(oldMask & bit) || (newMask & bit))
                continue;
            serialsRead_ &= ~bit;
            if (const HTREEITEM root = FindNode(RootPath(static_cast<wchar_t>(L'A' + i)))) {
                DeleteNode(root);
                changed = true;
            }
        }
        for (int i = 0; i < 26; ++i) {
            const uint32_t bit = uint32_t{1} << i;
            if ((oldMask & bit) || !(newMask & bit))
                continue;
            const wchar_t letter = static_cast<wchar_t>(L'A' + i);
            // The owner's OnAddDir decides about a drive that appears as it does at load.
            if (!AcceptDir(RootPath(letter)))
                continue;
            AddRootChildren(InsertDriveNode(RootPath(letter), nullptr), letter);
            changed = true;
        }
    }
    ::InvalidateRect(Handle(), nullptr, TRUE);
    if (changed)
        Change(Selected());
    return changed;
}

HTREEITEM TDirTree::InsertDriveNode(const std::wstring& rootPath, void* data) {
    const std::wstring key = CurrentLocale().ToUpper(rootPath);
    HTREEITEM after = TVI_FIRST;
    for (HTREEITEM node = FirstRoot(); node; node = NextSibling(node)) {
        const TDirNodeInfo* info = Info(node);
        if (info && info->Path.compare(key) > 0)
            break;
        after = node;
    }
    return MakeDriveNode(rootPath, data, after);
}

void TDirTree::CheckVolumeChange() {
    // Every shown drive whose serial was read once is compared, not only the first that differs;
    // drives never read (removable media not yet opened) are left alone so that they do not spin.
    for (int i = 25; i >= 0; --i) {
        const uint32_t bit = uint32_t{1} << i;
        if (!(driveMask_ & bit) || !(serialsRead_ & bit))
            continue;
        const wchar_t letter = static_cast<wchar_t>(L'A' + i);
        if (GetVolumeSerial(letter) == volumeSerials_[static_cast<size_t>(i)])
            continue;
        if (const HTREEITEM root = FindNode(RootPath(letter)))
            RebuildDriveRoot(root, letter);
    }
}

HTREEITEM TDirTree::MediaCheck(HTREEITEM node) {
    const TDirNodeInfo* info = Info(node);
    if (!info || info->Path.empty() || DriveIndex(info->Path[0]) < 0)
        return node;
    const wchar_t letter = info->Path[0];
    if (!VolumeChanged(letter))
        return node;
    const HTREEITEM root = FindNode(RootPath(letter));
    if (root)
        RebuildDriveRoot(root, letter);
    return root;
}

bool TDirTree::VolumeChanged(wchar_t letter) {
    const int index = DriveIndex(letter);
    const uint32_t serial = GetVolumeSerial(letter);
    if (index < 0)
        return false;
    const uint32_t bit = uint32_t{1} << index;
    if (!(serialsRead_ & bit)) {
        // A removable root is made without opening its medium: the first look only records it.
        volumeSerials_[static_cast<size_t>(index)] = serial;
        serialsRead_ |= bit;
        return false;
    }
    return serial != volumeSerials_[static_cast<size_t>(index)];
}

void TDirTree::RebuildDriveRoot(HTREEITEM root, wchar_t letter) {
    LockChanges lock(*this);
    const HTREEITEM selected = Selected();
    const bool selectionGoes = selected && IsBelow(selected, root);
    ResetNode(root);
    uint32_t serial = 0;
    SetCaption(root, GetDriveCaption(letter, serial));
    if (serial != kUnreadableSerial)
        AddPlaceholder(root);
    // The selected folder went with the old medium: the root stands for it now.
    if (selectionGoes)
        SelectNode(root);
}

void TDirTree::DeviceChange() {
    {
        LockChanges lock(*this);
        if (!RefreshDrives())
            CheckVolumeChange();
    }
    Change(Selected());
}

void TDirTree::HookOwner() {
    if (!parent_ || hookedOwner_)
        return;
    // The owner may be a panel inside a form; only the form hears the system's broadcast. The tree
    // takes the message, as the owner has nothing to do with it.
    const HWND topLevel = ::GetAncestor(parent_, GA_ROOT);
    Window* owner = Window::FromHandle(topLevel);
    if (!owner)
        return;
    ownerListenKey_ = owner->Listen(WM_DEVICECHANGE, [this](WPARAM, LPARAM, LRESULT& result) {
        result = 0;
        DeviceChange();
        return true;
    });
    hookedOwner_ = topLevel;
}

void TDirTree::UnhookOwner() {
    // Looked up again: the owner's wrapper may have let go of its window first.
    if (Window* owner = Window::FromHandle(hookedOwner_))
        owner->StopListening(ownerListenKey_);
    hookedOwner_ = nullptr;
}
