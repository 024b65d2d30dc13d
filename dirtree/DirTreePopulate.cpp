// TDirTree: building the roots from the drives, reading and probing folders, the folder and drive
// filters, and the records attached to the nodes.
#include "dirtree/DirTree.h"

#include "dirtree/DirFilters.h"
#include "dirtree/DirPaths.h"
#include "dirtree/DirTreeGuards.h"
#include "dirtree/PathNames.h"
#include "base/Locale.h"
#include "ui/WaitCursor.h"

#include <algorithm>
#include <utility>

namespace {

std::wstring RootPath(wchar_t letter) {
    return std::wstring(1, letter) + L":\\";
}

std::unique_ptr<TDirNodeInfo> MakeNodeInfo(const std::wstring& path, void* data) {
    auto info = std::make_unique<TDirNodeInfo>();
    info->DiskPath = path;
    AddBackslash(info->DiskPath);
    info->Path = CurrentLocale().ToUpper(info->DiskPath);
    info->Data = data;
    return info;
}

} // namespace

void TDirTree::CollectNodes(HTREEITEM first, std::vector<HTREEITEM>& nodes) const {
    for (HTREEITEM node = first; node; node = NextSibling(node)) {
        nodes.push_back(node);
        CollectNodes(FirstChild(node), nodes);
    }
}

void TDirTree::ClearTree() {
    // The worker is joined before any node goes; nothing it found is wanted any more.
    probePending_.clear();
    StopProbe();
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
    WaitCursor wait;
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
    return InsertFolderNode(nullptr, after, caption, rootPath, data, shell ? shell->IconIndex : 0, false);
}

HTREEITEM TDirTree::AddDriveNode(const std::wstring& rootPath, void* data) {
    return MakeDriveNode(rootPath, data, TVI_LAST);
}

HTREEITEM TDirTree::AddDirNode(HTREEITEM parent, const std::wstring& path, void* data) {
    std::wstring folder = path;
    AddBackslash(folder);
    const std::optional<ShellItemInfo> shell = drives_->ShellItem(RemoveBackslash(folder));
    const std::wstring caption = RemoveBackslash(GetRealFolderName(folder));
    return InsertFolderNode(parent, TVI_LAST, caption, folder, data, shell ? shell->IconIndex : 0, false);
}

HTREEITEM TDirTree::AddFoundFolder(HTREEITEM parent, const std::wstring& diskPath, const std::wstring& name,
                                   uint32_t attributes, void* data) {
    // Looking each child up again by path and asking the shell about it costs far more than the
    // enumeration that found it (and, on a case-sensitive disk, a case-blind search of the parent
    // per child); the enumeration's own answer is used wherever it is the same.
    const std::wstring folder = diskPath + name + L"\\";
    const std::wstring caption = NameReachesItself(name) ? name : RemoveBackslash(GetRealFolderName(folder));
    const bool plain = plainFolderIcon_ && IsPlainFolder(attributes);
    int icon = 0;
    if (plain) {
        icon = *plainFolderIcon_;
    } else if (const std::optional<ShellItemInfo> shell = drives_->ShellItem(RemoveBackslash(folder))) {
        icon = shell->IconIndex;
    }
    return InsertFolderNode(parent, TVI_LAST, caption, folder, data, icon, plain, CanProbeInBackground());
}

HTREEITEM TDirTree::InsertFolderNode(HTREEITEM parent, HTREEITEM after, const std::wstring& caption,
                                     const std::wstring& path, void* data, int iconIndex, bool plain,
                                     bool buttonOnDemand) {
    // One message for the node, its record and both images: each message to the control may cost
    // more than reading a folder entry, and a large folder has many nodes.
    std::unique_ptr<TDirNodeInfo> info = MakeNodeInfo(path, data);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(caption.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(info.get());
    insert.item.iImage = iconIndex;
    insert.item.iSelectedImage = SelectedIconOf(iconIndex, plain, info->DiskPath);
    if (buttonOnDemand) {
        insert.item.mask |= TVIF_CHILDREN;
        insert.item.cChildren = I_CHILDRENCALLBACK;
    }
    const HTREEITEM node = TreeView_InsertItem(Handle(), &insert);
    if (!node)
        return nullptr;
    info.release();
    if (showShareOverlay_)
        SetOverlay(node, GetShareOverlay(node));
    if (OnGetIcon)
        OnGetIcon(node);
    return node;
}

void TDirTree::SetNodeData(HTREEITEM node, const std::wstring& path, void* data) {
    if (!node)
        return;
    std::unique_ptr<TDirNodeInfo> info = MakeNodeInfo(path, data);
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

void TDirTree::ForEachSubfolder(TDirNodeInfo& info, bool keepHandlerData,
                                const std::function<bool(TDirRec&)>& visit) {
    const std::wstring path = info.Path;
    const std::wstring diskPath = info.DiskPath;
    TDirRec rec;
    ErrorModeGuard errorMode;
    auto next = [&](bool first) -> int {
        if (OnFindDir) {
            rec.Data = info.Data;
            int result = 1;
            OnFindDir(path, rec, result, first);
            if (keepHandlerData)
                info.Data = rec.Data;
            return result;
        }
        return static_cast<int>(first ? DirFindFirst(diskPath + L"*.*", rec) : DirFindNext(rec));
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
    // A look on the spot answers a background request for the same node.
    probePending_.erase(node);
    TDirNodeInfo* info = Info(node);
    if (!info || info->Read)
        return;
    ForEachSubfolder(*info, true, [&](TDirRec&) {
        AddPlaceholder(node);
        return false;
    });
}

void TDirTree::ProbeChildren(HTREEITEM node) {
    const bool background = CanProbeInBackground();
    bool queued = false;
    for (HTREEITEM child : Children(node)) {
        // A child that already shows its expand button needs no second look at the disk.
        if (FirstChild(child))
            continue;
        if (!background) {
            ProbeSubfolders(child);
            continue;
        }
        const TDirNodeInfo* info = Info(child);
        if (!info || info->Read || probePending_.count(child))
            continue;
        probePending_.emplace(child, PendingProbe{nextProbeTicket_++, info->DiskPath, info->Path});
        queued = true;
    }
    if (queued)
        ScheduleProbe();
}

void TDirTree::ReadChildren(HTREEITEM node) {
    TDirNodeInfo* info = Info(node);
    if (!info || info->Read)
        return;
    BulkUpdate update(*this);
    probePending_.erase(node);
    for (HTREEITEM child : Children(node))
        DeleteNode(child);
    info->Read = true;
    const std::wstring diskPath = info->DiskPath;

    struct Found {
        std::string key;
        std::wstring name;
        uint32_t attributes;
        void* data;
    };
    std::vector<Found> found;
    const Locale& locale = CurrentLocale();
    ForEachSubfolder(*info, false, [&](TDirRec& rec) {
        found.push_back(Found{locale.SortKey(rec.Name), rec.Name, rec.Attr, rec.Data});
        return true;
    });
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.key != b.key ? a.key < b.key : a.name < b.name;
    });
    // An owner's OnFindDir may name folders the disk does not have: those are looked up as given.
    const bool fromDisk = !OnFindDir;
    for (const Found& entry : found) {
        if (fromDisk)
            AddFoundFolder(node, diskPath, entry.name, entry.attributes, entry.data);
        else
            AddDirNode(node, diskPath + entry.name, entry.data);
    }
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
