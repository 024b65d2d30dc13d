// TDirTree: building the roots from the drives, reading and probing folders, the folder and drive
// filters, and the records attached to the nodes.
#include "dirtree/DirTree.h"

#include "dirtree/BusyCursor.h"
#include "dirtree/DirFilters.h"
#include "dirtree/DirPaths.h"
#include "dirtree/DirTreeGuards.h"
#include "dirtree/PathNames.h"
#include "listing/Locale.h"

#include <algorithm>
#include <utility>

namespace {

std::wstring RootPath(wchar_t letter) {
    return std::wstring(1, letter) + L":\\";
}

} // namespace

void TDirTree::CollectNodes(HTREEITEM first, std::vector<HTREEITEM>& nodes) const {
    for (HTREEITEM node = first; node; node = NextSibling(node)) {
        nodes.push_back(node);
        CollectNodes(FirstChild(node), nodes);
    }
}

void TDirTree::ClearTree() {
    --changeLock_;
    try {
        if (HandleAllocated()) {
            BulkUpdate update(*this);
            std::vector<HTREEITEM> nodes;
            CollectNodes(FirstRoot(), nodes);
            for (HTREEITEM node : nodes)
                ReleaseInfo(node);
            TreeView_DeleteAllItems(Handle());
        }
    } catch (...) {
        changeLock_ = std::min(changeLock_ + 1, 0);
        throw;
    }
    changeLock_ = std::min(changeLock_ + 1, 0);
    if (changeLock_ == 0)
        Change(Selected());
}

void TDirTree::ReadDrives() {
    if (!HandleAllocated() || loading_)
        return;
    LockChanges lock(*this);
    BusyCursor busy;
    {
        BulkUpdate update(*this);
        // No message loop runs here: a device change handled half-way would add its roots twice.
        ClearTree();
        driveMask_ = GetAvailableDrives();
        for (int i = 0; i < 26; ++i) {
            if (!(driveMask_ & (uint32_t{1} << i)))
                continue;
            const wchar_t letter = static_cast<wchar_t>(L'A' + i);
            const std::wstring root = RootPath(letter);
            if (!AcceptDir(root))
                continue;
            AddRootChildren(AddDriveNode(root, nullptr), letter);
        }
    }
    if (HTREEITEM selected = Selected())
        TreeView_EnsureVisible(Handle(), selected);
}

void TDirTree::AddRootChildren(HTREEITEM root, wchar_t letter) {
    const unsigned kind = drives_->DriveKind(letter);
    // Slow media (removable, CD-ROM) is never touched at load; FastLoad touches nothing.
    if (!fastLoad_ && (kind == kDriveFixed || kind == kDriveRemote || kind == kDriveRamDisk))
        ProbeSubfolders(root);
    else
        AddPlaceholder(root);
}

void TDirTree::Reload() {
    std::wstring path = GetSelectedPath();
    if (path.empty())
        path = L"?";
    ReadDrives();
    SelectPath(path);
    if (FirstRoot() && !Selected() && path != L"?" && path.size() >= 3)
        SelectPath(path.substr(0, 3));
    if (Selected())
        return;
    try {
        HTREEITEM root = FirstRoot();
        while (root) {
            const HTREEITEM child = FirstChild(root);
            const TDirNodeInfo* childInfo = Info(child);
            const HTREEITEM next = NextSibling(root);
            if (child && !(childInfo && childInfo->Read) && next)
                root = next;
            else
                break;
        }
        const TDirNodeInfo* info = Info(root);
        if (!info || info->Path.empty())
            return;
        const std::wstring entry = LastDirs(info->Path[0]);
        SelectPath(entry);
        if (GetSelectedPath() != entry) {
            {
                LockChanges lock(*this);
                SelectNode(root);
            }
            Change(root);
        }
    } catch (...) {
        // Choosing a fallback selection is best effort.
    }
}

bool TDirTree::AcceptDir(const std::wstring& path) {
    bool accepted = goBelowRecycleBin_ || !IsBelowRecycleBin(path);
    if (accepted && OnAddDir)
        OnAddDir(path, accepted);
    return accepted;
}

bool TDirTree::AttrAccepted(uint32_t attributes) const {
    return AttrAcceptedBy(attributes, dirTypes_);
}

uint32_t TDirTree::GetAvailableDrives() {
    ErrorModeGuard errorMode;
    return FilterDrives(drives_->LogicalDrives(), driveTypes_,
                        [this](wchar_t letter) { return drives_->DriveKind(letter); });
}

std::wstring TDirTree::GetDriveCaption(wchar_t letter, uint32_t& serial) {
    const std::optional<VolumeInfo> volume = drives_->Volume(letter);
    std::wstring caption =
        DriveCaptionText(letter, volume ? std::optional<std::wstring>(volume->Label) : std::nullopt);
    serial = volume ? volume->Serial : kUnreadableSerial;
    const unsigned kind = drives_->DriveKind(letter);
    if (kind == kDriveRemovable || kind == kDriveRemote) {
        const std::optional<ShellItemInfo> shell = drives_->ShellItem(RootPath(letter));
        caption = shell ? shell->DisplayName : std::wstring();
    }
    const int index = DriveIndex(letter);
    if (index >= 0) {
        volumeSerials_[static_cast<size_t>(index)] = serial;
        serialsRead_ |= uint32_t{1} << index;
    }
    return caption;
}

uint32_t TDirTree::GetVolumeSerial(wchar_t letter) {
    const std::optional<VolumeInfo> volume = drives_->Volume(letter);
    return volume ? volume->Serial : kUnreadableSerial;
}

HTREEITEM TDirTree::MakeDriveNode(const std::wstring& rootPath, void* data, HTREEITEM after) {
    const wchar_t letter = rootPath.empty() ? L'?' : rootPath[0];
    const std::optional<ShellItemInfo> shell = drives_->ShellItem(rootPath);
    std::wstring caption;
    if (drives_->DriveKind(letter) == kDriveRemovable) {
        // The shell's name does not spin the medium up.
        caption = shell ? shell->DisplayName : std::wstring();
    } else {
        uint32_t serial = 0;
        caption = GetDriveCaption(letter, serial);
    }
    const HTREEITEM node = InsertNode(nullptr, after, caption, 0);
    SetNodeData(node, rootPath, data);
    SetNodeIcons(node, shell ? shell->IconIndex : 0);
    return node;
}

HTREEITEM TDirTree::AddDriveNode(const std::wstring& rootPath, void* data) {
    return MakeDriveNode(rootPath, data, TVI_LAST);
}

HTREEITEM TDirTree::AddDirNode(HTREEITEM parent, const std::wstring& path, void* data) {
    std::wstring folder = path;
    AddBackslash(folder);
    const std::optional<ShellItemInfo> shell = drives_->ShellItem(RemoveBackslash(folder));
    const std::wstring caption = RemoveBackslash(GetRealFolderName(folder));
    const HTREEITEM node = InsertNode(parent, TVI_LAST, caption, 0);
    SetNodeData(node, folder, data);
    SetNodeIcons(node, shell ? shell->IconIndex : 0);
    return node;
}

void TDirTree::SetNodeData(HTREEITEM node, const std::wstring& path, void* data) {
    if (!node)
        return;
    auto info = std::make_unique<TDirNodeInfo>();
    info->Path = CurrentLocale().ToUpper(path);
    AddBackslash(info->Path);
    info->Data = data;
    ReleaseInfo(node);
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = node;
    item.lParam = reinterpret_cast<LPARAM>(info.get());
    if (TreeView_SetItem(Handle(), &item))
        info.release();
    if (showShareOverlay_)
        SetOverlay(node, GetShareOverlay(node));
}

void TDirTree::ForEachSubfolder(HTREEITEM node, bool keepHandlerData,
                                const std::function<bool(TDirRec&)>& visit) {
    TDirNodeInfo* info = Info(node);
    if (!info)
        return;
    const std::wstring path = info->Path;
    TDirRec rec;
    ErrorModeGuard errorMode;
    auto next = [&](bool first) -> int {
        if (OnFindDir) {
            rec.Data = info->Data;
            int result = 1;
            OnFindDir(path, rec, result, first);
            if (keepHandlerData)
                info->Data = rec.Data;
            return result;
        }
        return static_cast<int>(first ? DirFindFirst(path + L"*.*", rec) : DirFindNext(rec));
    };
    for (int result = next(true); result == 0; result = next(false)) {
        if (!(rec.Attr & kAttrDirectory) || rec.Name.empty() || rec.Name == L"." || rec.Name == L"..")
            continue;
        if (!AcceptDir(path + rec.Name + L"\\") || !AttrAccepted(rec.Attr))
            continue;
        if (!visit(rec))
            break;
    }
}

void TDirTree::ProbeSubfolders(HTREEITEM node) {
    const TDirNodeInfo* info = Info(node);
    if (!info || info->Read)
        return;
    ForEachSubfolder(node, true, [&](TDirRec&) {
        AddPlaceholder(node);
        return false;
    });
}

void TDirTree::ProbeChildren(HTREEITEM node) {
    for (HTREEITEM child : Children(node)) {
        // A child that already shows its expand button needs no second look at the disk.
        if (!FirstChild(child))
            ProbeSubfolders(child);
    }
}

void TDirTree::ReadChildren(HTREEITEM node) {
    TDirNodeInfo* info = Info(node);
    if (!info || info->Read)
        return;
    BulkUpdate update(*this);
    for (HTREEITEM child : Children(node))
        DeleteNode(child);
    info->Read = true;
    const std::wstring path = info->Path;

    struct Found {
        std::string key;
        std::wstring name;
        void* data;
    };
    std::vector<Found> found;
    const Locale& locale = CurrentLocale();
    ForEachSubfolder(node, false, [&](TDirRec& rec) {
        found.push_back(Found{locale.SortKey(rec.Name), rec.Name, rec.Data});
        return true;
    });
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.key != b.key ? a.key < b.key : a.name < b.name;
    });
    for (const Found& entry : found)
        AddDirNode(node, path + entry.name, entry.data);
}

void TDirTree::ResetNode(HTREEITEM node) {
    if (!node)
        return;
    BulkUpdate update(*this);
    // Collapse first: a node whose children go keeps its expanded state otherwise.
    TreeView_Expand(Handle(), node, TVE_COLLAPSE);
    for (HTREEITEM child : Children(node))
        DeleteNode(child);
    if (TDirNodeInfo* info = Info(node))
        info->Read = false;
    ProbeSubfolders(node);
}
