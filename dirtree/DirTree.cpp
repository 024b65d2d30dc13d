// TDirTree: construction, window lifecycle, properties, the notifications the parent forwards,
// and the change, expansion and click handling.
#include "dirtree/DirTree.h"

#include "dirtree/DirPaths.h"
#include "dirtree/DirTreeGuards.h"
#include "dirtree/PathNames.h"
#include "base/Errors.h"
#include "base/Locale.h"
#include "ui/ExceptionDisplay.h"
#include "ui/WaitCursor.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <utility>

namespace {

std::wstring CurrentDirectory() {
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
        return {};
    std::wstring dir(size, L'\0');
    const DWORD copied = ::GetCurrentDirectoryW(size, dir.data());
    dir.resize(copied < size ? copied : 0);
    return dir;
}

std::wstring WindowsFolder() {
    const UINT size = ::GetWindowsDirectoryW(nullptr, 0);
    std::wstring dir(size, L'\0');
    const UINT copied = ::GetWindowsDirectoryW(dir.data(), size);
    dir.resize(copied < size ? copied : 0);
    AddBackslash(dir);
    return dir;
}

} // namespace

TDirTree::TDirTree(HWND parent, int id, std::shared_ptr<DriveSystem> drives)
    : parent_(parent), id_(id), drives_(drives ? std::move(drives) : SystemDrives()) {
    const std::wstring windows = WindowsFolder();
    SHFILEINFOW info{};
    systemImages_ = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(windows.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (auto item = drives_->ShellItem(windows))
        closedFolderIcon_ = item->IconIndex;
    openFolderIcon_ = drives_->OpenIconIndex(windows).value_or(0);
    plainFolderIcon_ = drives_->PlainFolderIcon(false);
    plainOpenFolderIcon_ = drives_->PlainFolderIcon(true);

    initialDirectory_ = CurrentDirectory();
    for (int i = 0; i < 26; ++i)
        lastDirs_[static_cast<size_t>(i)] = std::wstring(1, static_cast<wchar_t>(L'A' + i)) + L":\\";
    std::wstring current = CurrentLocale().ToUpper(initialDirectory_);
    AddBackslash(current);
    if (!current.empty() && DriveIndex(current[0]) >= 0)
        lastDirs_[static_cast<size_t>(DriveIndex(current[0]))] = current;

    ComPtr<IShellFolder> desktop;
    if (SUCCEEDED(::SHGetDesktopFolder(desktop.Put()))) {
        PIDLIST_ABSOLUTE drivesId = nullptr;
        if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drivesId))) {
            ::ItemIdList owned(drivesId);
            desktop->BindToObject(owned.Get(), nullptr, IID_IShellFolder, drivesFolder_.PutVoid());
        }
    }
}

TDirTree::~TDirTree() {
    destroying_ = true;
    changeLock_ = 0;
    probePending_.clear();
    StopProbe();
    Destroy();
}

void TDirTree::Loaded() {
    loading_ = false;
    CreateWnd();
    if (readOnStart_)
        ReadDrives();
    if (!initialDirectory_.empty() && PathExists(initialDirectory_))
        SelectPath(initialDirectory_);
    else
        SelectPath(CurrentDirectory());
}

void TDirTree::CreateWnd() {
    if (HandleAllocated())
        return;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                        TVS_SHOWSELALWAYS;
    if (!CreateControl(WC_TREEVIEWW, L"", style, WS_EX_CLIENTEDGE, 0, 0, 100, 100, parent_, id_))
        throw OSError(L"Impossible de créer l'arborescence des dossiers.", ::GetLastError());
    TreeView_SetImageList(Handle(), systemImages_, TVSIL_NORMAL);
    HookOwner();
    if (pending_) {
        // The old window took its nodes with it: read the drives again before re-selecting.
        pending_ = false;
        const std::wstring path = std::exchange(pendingPath_, std::wstring());
        ReadDrives();
        if (!path.empty() && path != L"?")
            SelectPath(path);
    }
    ::DragAcceptFiles(Handle(), acceptDropFiles_ ? TRUE : FALSE);
}

void TDirTree::DestroyWnd() {
    Destroy();
}

void TDirTree::RecreateWnd() {
    DestroyWnd();
    CreateWnd();
}

void TDirTree::WindowDestroying() {
    ::DragAcceptFiles(Handle(), FALSE);
    if (!destroying_) {
        pending_ = true;
        pendingPath_ = GetSelectedPath();
    }
    {
        // No change events while the window goes: the owner may be half destroyed itself.
        LockChanges lock(*this);
        ClearTree();
    }
    UnhookOwner();
}

void TDirTree::SetDirTypes(TDirTypes value) {
    if (value == dirTypes_)
        return;
    dirTypes_ = value;
    if (!loading_)
        Reload();
}

void TDirTree::SetGoBelowRecycleBin(bool value) {
    if (value == goBelowRecycleBin_)
        return;
    goBelowRecycleBin_ = value;
    if (!loading_)
        Reload();
}

void TDirTree::SetDriveTypes(TDriveTypes value) {
    if (value == driveTypes_)
        return;
    driveTypes_ = value;
    if (!loading_ && HandleAllocated())
        RefreshDrives();
}

void TDirTree::SetAcceptDropFiles(bool value) {
    acceptDropFiles_ = value;
    if (HandleAllocated())
        ::DragAcceptFiles(Handle(), value ? TRUE : FALSE);
}

LRESULT TDirTree::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (HandleProbeMessage(msg))
        return 0;
    switch (msg) {
    case WM_DESTROY:
        WindowDestroying();
        break;
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(wp));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (OnMouseDown)
            OnMouseDown(msg, static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        break;
    default:
        break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

bool TDirTree::HandleReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY)
        return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    const auto* tree = reinterpret_cast<const NMTREEVIEWW*>(lp);
    result = 0;
    switch (header->code) {
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA:
        Change(tree->itemNew.hItem);
        return true;
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDINGA:
        if ((tree->action & TVE_EXPAND) && tree->itemNew.hItem != expanding_)
            result = CanExpand(tree->itemNew.hItem) ? FALSE : TRUE;
        return true;
    case TVN_GETDISPINFOW:
    case TVN_GETDISPINFOA: {
        // Only nodes made with a button on demand ask, and only for it.
        auto* item = &reinterpret_cast<NMTVDISPINFOW*>(lp)->item;
        if (item->mask & TVIF_CHILDREN)
            item->cChildren = ShowsButton(item->hItem) ? 1 : 0;
        return true;
    }
    case TVN_DELETEITEMW:
    case TVN_DELETEITEMA:
        if (probePending_.erase(tree->itemOld.hItem))
            probeLost_ = true;
        delete reinterpret_cast<TDirNodeInfo*>(tree->itemOld.lParam);
        if (OnDeleteItem)
            OnDeleteItem(tree->itemOld.hItem);
        return true;
    case NM_CLICK:
        Click();
        return true;
    default:
        return false;
    }
}

void TDirTree::Change(HTREEITEM node) {
    if (destroying_ || changeLock_ != 0)
        return;
    if (Info(node))
        node = MediaCheck(node);
    if (const TDirNodeInfo* info = Info(node)) {
        const int index = info->Path.empty() ? -1 : DriveIndex(info->Path[0]);
        if (index >= 0)
            lastDirs_[static_cast<size_t>(index)] = CurrentLocale().ToUpper(info->Path);
    }
    if (OnChange)
        OnChange(node);
}

bool TDirTree::CanExpand(HTREEITEM node) {
    {
        WaitCursor wait;
        ReadChildren(node);
        ProbeChildren(node);
    }
    bool allow = true;
    if (OnExpanding)
        OnExpanding(node, allow);
    return allow;
}

void TDirTree::Click() {
    const HTREEITEM node = Selected();
    const TDirNodeInfo* info = Info(node);
    if (!info || info->Path.empty() || DriveIndex(info->Path[0]) < 0)
        return;
    if (!VolumeChanged(info->Path[0])) {
        if (OnClick)
            OnClick();
    } else {
        Change(node);
    }
}

bool TDirTree::Expand(HTREEITEM node) {
    if (!node || !CanExpand(node))
        return false;
    // The control announces an expansion it was asked for only the first time: CanExpand runs
    // here for every one, and the announcement, when it comes, is let through.
    const HTREEITEM previous = std::exchange(expanding_, node);
    const bool expanded = TreeView_Expand(Handle(), node, TVE_EXPAND) != FALSE;
    expanding_ = previous;
    return expanded;
}

void TDirTree::Collapse(HTREEITEM node, bool recurse) {
    if (!node)
        return;
    if (recurse) {
        for (HTREEITEM child = FirstChild(node); child; child = NextSibling(child))
            Collapse(child, true);
    }
    TreeView_Expand(Handle(), node, TVE_COLLAPSE);
}

// Node access.

TDirNodeInfo* TDirTree::Info(HTREEITEM node) const {
    if (!node || !HandleAllocated())
        return nullptr;
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = node;
    if (!TreeView_GetItem(Handle(), &item))
        return nullptr;
    return reinterpret_cast<TDirNodeInfo*>(item.lParam);
}

const TDirNodeInfo* TDirTree::NodeInfo(HTREEITEM node) const {
    return Info(node);
}

void TDirTree::ReleaseInfo(HTREEITEM node) {
    TDirNodeInfo* info = Info(node);
    if (!info)
        return;
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = node;
    item.lParam = 0;
    TreeView_SetItem(Handle(), &item);
    delete info;
}

HTREEITEM TDirTree::Selected() const {
    return HandleAllocated() ? TreeView_GetSelection(Handle()) : nullptr;
}

HTREEITEM TDirTree::FirstRoot() const {
    return HandleAllocated() ? TreeView_GetRoot(Handle()) : nullptr;
}

HTREEITEM TDirTree::Parent(HTREEITEM node) const {
    return node && HandleAllocated() ? TreeView_GetParent(Handle(), node) : nullptr;
}

HTREEITEM TDirTree::FirstChild(HTREEITEM node) const {
    return node && HandleAllocated() ? TreeView_GetChild(Handle(), node) : nullptr;
}

HTREEITEM TDirTree::NextSibling(HTREEITEM node) const {
    return node && HandleAllocated() ? TreeView_GetNextSibling(Handle(), node) : nullptr;
}

std::vector<HTREEITEM> TDirTree::Children(HTREEITEM node) const {
    std::vector<HTREEITEM> result;
    for (HTREEITEM child = node ? FirstChild(node) : FirstRoot(); child; child = NextSibling(child))
        result.push_back(child);
    return result;
}

std::wstring TDirTree::Caption(HTREEITEM node) const {
    if (!node || !HandleAllocated())
        return {};
    std::wstring text(1024, L'\0');
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = node;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    if (!TreeView_GetItem(Handle(), &item))
        return {};
    text.resize(std::wcslen(text.c_str()));
    return text;
}

bool TDirTree::IsExpanded(HTREEITEM node) const {
    return node && HandleAllocated() &&
           (TreeView_GetItemState(Handle(), node, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

int TDirTree::ImageIndex(HTREEITEM node) const {
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = node;
    return node && HandleAllocated() && TreeView_GetItem(Handle(), &item) ? item.iImage : -1;
}

int TDirTree::SelectedImageIndex(HTREEITEM node) const {
    TVITEMW item{};
    item.mask = TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = node;
    return node && HandleAllocated() && TreeView_GetItem(Handle(), &item) ? item.iSelectedImage : -1;
}

int TDirTree::OverlayIndex(HTREEITEM node) const {
    if (!node || !HandleAllocated())
        return -1;
    const UINT state = TreeView_GetItemState(Handle(), node, TVIS_OVERLAYMASK);
    return static_cast<int>((state & TVIS_OVERLAYMASK) >> 8) - 1;
}

HTREEITEM TDirTree::GetNodeAt(int x, int y) const {
    if (!HandleAllocated())
        return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    TreeView_HitTest(Handle(), &hit);
    return (hit.flags & TVHT_ONITEM) ? hit.hItem : nullptr;
}

const std::wstring& TDirTree::LastDirs(wchar_t letter) const {
    static const std::wstring none;
    const int index = DriveIndex(letter);
    return index < 0 ? none : lastDirs_[static_cast<size_t>(index)];
}

uint32_t TDirTree::VolumeSerials(wchar_t letter) const {
    const int index = DriveIndex(letter);
    return index < 0 ? 0 : volumeSerials_[static_cast<size_t>(index)];
}

HTREEITEM TDirTree::InsertNode(HTREEITEM parent, HTREEITEM after, const std::wstring& caption, LPARAM data) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(caption.c_str());
    insert.item.lParam = data;
    return TreeView_InsertItem(Handle(), &insert);
}

HTREEITEM TDirTree::AddPlaceholder(HTREEITEM node) {
    return InsertNode(node, TVI_LAST, L"", 0);
}

void TDirTree::DeleteNode(HTREEITEM node) {
    if (!node)
        return;
    TreeView_DeleteItem(Handle(), node);
    if (std::exchange(probeLost_, false)) {
        // The worker may be looking into a folder whose node is gone: it is stopped, and the
        // nodes still waiting are handed to a new one.
        StopProbe();
        ScheduleProbe();
    }
}

void TDirTree::SetCaption(HTREEITEM node, const std::wstring& caption) {
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = node;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    TreeView_SetItem(Handle(), &item);
}

void TDirTree::SelectNode(HTREEITEM node) {
    TreeView_SelectItem(Handle(), node);
}

bool TDirTree::IsBelow(HTREEITEM node, HTREEITEM ancestor) const {
    for (HTREEITEM p = Parent(node); p; p = Parent(p))
        if (p == ancestor)
            return true;
    return false;
}
