// TDirTree: what the tree takes from the shell (node images, the share overlay) and files dropped
// on its folders.
#include "dirtree/DirTree.h"

#include "dirtree/DirPaths.h"

#include <shellapi.h>

int TDirTree::SelectedIconOf(int iconIndex, bool plain, const std::wstring& diskPath) {
    if (iconIndex == closedFolderIcon_)
        return openFolderIcon_;
    if (plain && plainOpenFolderIcon_)
        return *plainOpenFolderIcon_;
    const std::wstring path = diskPath.size() <= 3 ? diskPath : RemoveBackslash(diskPath);
    return drives_->OpenIconIndex(path).value_or(0);
}

int TDirTree::GetShareOverlay(HTREEITEM node) {
    TDirNodeInfo* info = Info(node);
    if (!info)
        return -1;
    IShellFolder* folder = drivesFolder_.Get();
    std::wstring name = info->DiskPath;
    if (const TDirNodeInfo* parent = Info(Parent(node))) {
        folder = parent->ShellFolder.Get();
        name = LastComponent(info->DiskPath);
    }
    if (!folder)
        return -1;
    LPITEMIDLIST id = nullptr;
    ULONG eaten = 0;
    if (FAILED(folder->ParseDisplayName(Handle(), nullptr, name.data(), &eaten, &id, nullptr)) || !id)
        return -1;
    info->ItemIdList.Reset(id);
    folder->BindToObject(id, nullptr, IID_IShellFolder, info->ShellFolder.PutVoid());
    SFGAOF attributes = SFGAO_SHARE;
    LPCITEMIDLIST child = id;
    if (SUCCEEDED(folder->GetAttributesOf(1, &child, &attributes)) && (attributes & SFGAO_SHARE))
        return 0;
    return -1;
}

void TDirTree::SetOverlay(HTREEITEM node, int overlay) {
    TreeView_SetItemState(Handle(), node, overlay >= 0 ? INDEXTOOVERLAYMASK(overlay + 1) : 0,
                          TVIS_OVERLAYMASK);
}

void TDirTree::ApplyShareOverlays(HTREEITEM first) {
    // Parents first: a child is parsed by its parent's shell folder.
    for (HTREEITEM node = first; node; node = NextSibling(node)) {
        const TDirNodeInfo* info = Info(node);
        if (!info)
            break;
        SetOverlay(node, GetShareOverlay(node));
        if (info->Read)
            ApplyShareOverlays(FirstChild(node));
    }
}

void TDirTree::SetShowShareOverlay(bool value) {
    if (value == showShareOverlay_)
        return;
    showShareOverlay_ = value;
    if (!FirstRoot())
        return;
    if (value) {
        ApplyShareOverlays(FirstRoot());
    } else {
        std::vector<HTREEITEM> nodes;
        CollectNodes(FirstRoot(), nodes);
        for (HTREEITEM node : nodes)
            SetOverlay(node, -1);
    }
}

std::wstring TDirTree::GetDropPath() const {
    const TDirNodeInfo* info = Info(dropTarget_);
    return info ? info->Path : std::wstring();
}

void TDirTree::DropFiles(HDROP drop) {
    // The drop handle is released whatever happens to the drop.
    struct DropRelease {
        HDROP handle;
        ~DropRelease() { ::DragFinish(handle); }
    } release{drop};
    if (!acceptDropFiles_)
        return;
    POINT point{};
    if (!::DragQueryPoint(drop, &point))
        return;
    const HTREEITEM node = GetNodeAt(point.x, point.y);
    if (!node)
        return;
    struct DropTarget {
        TDirTree& tree;
        ~DropTarget() {
            tree.dropTarget_ = nullptr;
            TreeView_SelectDropTarget(tree.Handle(), nullptr);
        }
    } target{*this};
    dropTarget_ = node;
    TreeView_SelectDropTarget(Handle(), node);
    droppedFiles_.clear();
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    if (count == 0)
        return;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(static_cast<size_t>(length) + 1, L'\0');
        const UINT copied = ::DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(copied);
        droppedFiles_.push_back(std::move(name));
    }
    unsigned shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        shift |= kShift;
    if (::GetKeyState(VK_CONTROL) < 0)
        shift |= kCtrl;
    if (::GetKeyState(VK_MENU) < 0)
        shift |= kAlt;
    if (OnDropFiles)
        OnDropFiles(point.x, point.y, GetDropPath(), droppedFiles_, shift);
}
