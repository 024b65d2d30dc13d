// TDirTree: from paths to nodes and back (select, find, selected path, parent).
#include "dirtree/DirTree.h"

#include "dirtree/DirPaths.h"
#include "dirtree/DirTreeGuards.h"
#include "dirtree/PathNames.h"
#include "base/Errors.h"
#include "base/Locale.h"
#include "ui/WaitCursor.h"

#include <algorithm>

namespace {

// File names compare ordinally without case: a linguistic comparison would take "A-B" for "AB".
bool SamePathNoCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring CurrentDriveRoot() {
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(size, L'\0');
    if (size == 0 || ::GetCurrentDirectoryW(size, dir.data()) == 0)
        return {};
    return std::wstring(1, dir[0]) + L":\\";
}

} // namespace

std::wstring TDirTree::GetSelectedPath() const {
    const HTREEITEM node = Selected();
    if (!node)
        return L"?";
    const TDirNodeInfo* info = Info(node);
    return info ? info->Path : std::wstring();
}

void TDirTree::SelectPath(std::wstring path, bool readSelected) {
    if (path.empty())
        throw Error(L"Invalid Path Name");
    if (path == L"?")
        return;
    AddBackslash(path);
    const std::wstring probe = path.size() <= 3 ? path : RemoveBackslash(path);
    if (!PathExists(probe))
        path = CurrentDriveRoot();
    if (path.empty())
        return;
    WaitCursor wait;
    BulkUpdate update(*this);
    // Each level found is read at once, so that the next level's nodes exist; levels found before
    // a missing one stay read.
    const std::wstring target = CurrentLocale().ToUpper(path);
    const int levels = CountBackslashes(target);
    int level = 0;
    const HTREEITEM found = WalkPath(target, true, [this, readSelected, levels, &level](HTREEITEM node) {
        // A drive's root is read whatever is asked: its node has no look of its own pending.
        if (++level < levels || readSelected || levels == 1)
            ReadChildren(node);
    });
    // The folder left unread shows its expand button once a look finds a subfolder: in the
    // background when the tree looks there, else here, reading no further than the first one.
    if (found && !readSelected && levels > 1 && !FirstChild(found)) {
        const TDirNodeInfo* info = Info(found);
        if (!CanProbeInBackground()) {
            ProbeSubfolders(found);
        } else if (info && !info->Read && !probePending_.count(found)) {
            probePending_.emplace(found, PendingProbe{nextProbeTicket_++, info->DiskPath, info->Path});
            ScheduleProbe();
        }
    }
    if (!found)
        return;
    SelectNode(found);
    TreeView_EnsureVisible(Handle(), found);
}

HTREEITEM TDirTree::FindNode(std::wstring path) const {
    AddBackslash(path);
    // Only the nodes that exist are searched: the disk is never read here.
    return WalkPath(CurrentLocale().ToUpper(path), false);
}

HTREEITEM TDirTree::WalkPath(const std::wstring& path, bool ignoreCase,
                             const std::function<void(HTREEITEM)>& reached) const {
    const int count = CountBackslashes(path);
    HTREEITEM found = nullptr;
    for (int level = 1; level <= count; ++level) {
        const std::wstring piece = PathUpToLevel(path, level);
        HTREEITEM match = nullptr;
        for (HTREEITEM node = level == 1 ? FirstRoot() : FirstChild(found); node; node = NextSibling(node)) {
            const TDirNodeInfo* info = Info(node);
            if (!info)
                break;
            if (ignoreCase ? SamePathNoCase(info->Path, piece) : info->Path == piece) {
                match = node;
                break;
            }
        }
        if (!match)
            return nullptr;
        if (reached)
            reached(match);
        found = match;
    }
    return found;
}

void TDirTree::GoToParent(bool collapse) {
    const HTREEITEM node = Selected();
    if (!node)
        return;
    if (const HTREEITEM parent = Parent(node))
        SelectNode(parent);
    if (collapse)
        Collapse(Selected(), true);
}
