// The scope guards the directory tree's own files share: change-event suppression and bulk node
// updates, both restored when an exception leaves the scope.
#pragma once

#include "dirtree/DirTree.h"

// Suppresses change events for one scope (ChangeLock is negative while any is alive).
class TDirTree::LockChanges {
public:
    explicit LockChanges(TDirTree& tree) : tree_(tree) { --tree_.changeLock_; }
    ~LockChanges() { ++tree_.changeLock_; }
    LockChanges(const LockChanges&) = delete;
    LockChanges& operator=(const LockChanges&) = delete;

private:
    TDirTree& tree_;
};

// Brackets a bulk change of nodes: the control does not redraw until the outermost one ends.
class TDirTree::BulkUpdate {
public:
    explicit BulkUpdate(TDirTree& tree) : tree_(tree) {
        if (tree_.updateDepth_++ == 0 && tree_.HandleAllocated())
            tree_.Send(WM_SETREDRAW, FALSE);
    }
    ~BulkUpdate() {
        if (--tree_.updateDepth_ == 0 && tree_.HandleAllocated()) {
            tree_.Send(WM_SETREDRAW, TRUE);
            ::InvalidateRect(tree_.Handle(), nullptr, TRUE);
        }
    }
    BulkUpdate(const BulkUpdate&) = delete;
    BulkUpdate& operator=(const BulkUpdate&) = delete;

private:
    TDirTree& tree_;
};
