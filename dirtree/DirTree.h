// TDirTree: the tree of drives and folders that is the program's single source of the current
// folder. Roots are the drives; folders are read from the file system when a node is first
// expanded or reached by SelectPath. Each real node carries a TDirNodeInfo; a node without one is
// a placeholder that only makes the expand button show. Expansion shows the children at once and
// looks into them for subfolders on a worker thread (DirTreeProbe.cpp), so that a folder of many
// thousand subfolders opens without waiting for the disk.
//
// The parent forwards WM_NOTIFY to HandleReflected (selection, expansion, deletion, click).
// WM_DEVICECHANGE reaches the tree through a listener on the toolkit window at the top of it (the
// system broadcasts it to top-level windows only), so that roots follow drives that come and go
// and media that is exchanged.
//
// Lifecycle: the owner constructs the tree, sets its properties (they are only stored while
// loading), then calls Loaded, which creates the window, reads the drives and selects
// InitialDirectory.
#pragma once

#include "dirtree/DirFind.h"
#include "dirtree/DirNodeInfo.h"
#include "dirtree/DirTypes.h"
#include "dirtree/DriveSystem.h"
#include "dirtree/SubfolderProbe.h"
#include "ui/Window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Keys held during a drop.
enum ShiftKey : unsigned { kShift = 1, kCtrl = 2, kAlt = 4 };

class TDirTree : public Window {
public:
    explicit TDirTree(HWND parent, int id = 0, std::shared_ptr<DriveSystem> drives = nullptr);
    ~TDirTree() override;

    // Applies the stored properties: creates the window, reads the drives (ReadOnStart) and
    // selects InitialDirectory, or the current directory when that does not exist.
    void Loaded();
    // Window creation and destruction; a re-created window reads its drives again and selects the
    // folder that was selected before.
    void CreateWnd();
    void DestroyWnd();
    void RecreateWnd();

    // Properties.
    bool ReadOnStart() const { return readOnStart_; }
    void SetReadOnStart(bool value) { readOnStart_ = value; }
    TDirTypes DirTypes() const { return dirTypes_; }
    void SetDirTypes(TDirTypes value);
    bool GoBelowRecycleBin() const { return goBelowRecycleBin_; }
    void SetGoBelowRecycleBin(bool value);
    bool FastLoad() const { return fastLoad_; }
    void SetFastLoad(bool value) { fastLoad_ = value; }
    const std::wstring& InitialDirectory() const { return initialDirectory_; }
    void SetInitialDirectory(const std::wstring& value) { initialDirectory_ = value; }
    TDriveTypes DriveTypes() const { return driveTypes_; }
    void SetDriveTypes(TDriveTypes value);
    bool ShowShareOverlay() const { return showShareOverlay_; }
    void SetShowShareOverlay(bool value);
    bool AcceptDropFiles() const { return acceptDropFiles_; }
    void SetAcceptDropFiles(bool value);

    // Events.
    std::function<void(const std::wstring& fileName, bool& doAdd)> OnAddDir;
    std::function<void(const std::wstring& path, TDirRec& rec, int& result, bool first)> OnFindDir;
    std::function<void(HTREEITEM node)> OnGetIcon;
    std::function<void(HTREEITEM node)> OnDeleteItem;
    std::function<void(HTREEITEM node)> OnChange;
    std::function<void()> OnClick;
    // A mouse button pressed on the tree, at client coordinates (before the tree's own handling).
    std::function<void(UINT button, int x, int y)> OnMouseDown;
    std::function<void(HTREEITEM node, bool& allowExpansion)> OnExpanding;
    std::function<void(int x, int y, const std::wstring& dropDir, const std::vector<std::wstring>& dropFiles,
                       unsigned shift)>
        OnDropFiles;

    // Paths: the tree's form is upper-case with a trailing "\"; "?" means no selection.
    std::wstring GetSelectedPath() const;
    // `readSelected` false leaves the selected folder's own subfolders unread, to be looked for as
    // any unread node's are: a program starting on a folder of many files reads it once, not twice.
    void SelectPath(std::wstring path, bool readSelected = true);
    HTREEITEM FindNode(std::wstring path) const;
    void GoToParent(bool collapse);
    std::wstring GetDropPath() const;

    // Population.
    void ReadDrives();
    void Reload();
    void ClearTree();
    void ReadChildren(HTREEITEM node);
    void ProbeSubfolders(HTREEITEM node);
    // Without OnFindDir and OnAddDir the children are looked into on a worker thread, the ones in
    // view first, and their expand buttons settle as the answers come (shown until then).
    void ProbeChildren(HTREEITEM node);
    // True while children wait for that background look.
    bool Probing() const { return !probePending_.empty(); }
    void ResetNode(HTREEITEM node);
    bool AcceptDir(const std::wstring& path);
    bool AttrAccepted(uint32_t attributes) const;
    uint32_t GetAvailableDrives();
    std::wstring GetDriveCaption(wchar_t letter, uint32_t& serial);
    uint32_t GetVolumeSerial(wchar_t letter);
    HTREEITEM AddDriveNode(const std::wstring& rootPath, void* data);
    HTREEITEM InsertDriveNode(const std::wstring& rootPath, void* data);
    HTREEITEM AddDirNode(HTREEITEM parent, const std::wstring& path, void* data);
    void SetNodeData(HTREEITEM node, const std::wstring& path, void* data);

    // Drive and media changes.
    bool RefreshDrives();
    void CheckVolumeChange();

    // Nodes, as the platform's tree view holds them.
    HTREEITEM Selected() const;
    HTREEITEM FirstRoot() const;
    HTREEITEM Parent(HTREEITEM node) const;
    HTREEITEM FirstChild(HTREEITEM node) const;
    HTREEITEM NextSibling(HTREEITEM node) const;
    std::vector<HTREEITEM> Children(HTREEITEM node) const; // the roots for a null node
    std::wstring Caption(HTREEITEM node) const;
    const TDirNodeInfo* NodeInfo(HTREEITEM node) const;
    bool IsExpanded(HTREEITEM node) const;
    int ImageIndex(HTREEITEM node) const;
    int SelectedImageIndex(HTREEITEM node) const;
    int OverlayIndex(HTREEITEM node) const; // -1 without overlay
    HTREEITEM GetNodeAt(int x, int y) const;
    // Makes the node the selected one, through the tree's own selection (so OnChange may follow).
    void Select(HTREEITEM node) { SelectNode(node); }
    // Expands as the user does (reading and probing first); false when nothing was expanded.
    bool Expand(HTREEITEM node);
    // Collapses the node, and with recurse every node below it.
    void Collapse(HTREEITEM node, bool recurse);

    // Tree state.
    const std::wstring& LastDirs(wchar_t letter) const;
    uint32_t VolumeSerials(wchar_t letter) const;
    uint32_t DriveMask() const { return driveMask_; }
    int ChangeLock() const { return changeLock_; }
    int ClosedFolderIcon() const { return closedFolderIcon_; }
    int OpenFolderIcon() const { return openFolderIcon_; }
    HIMAGELIST SystemImages() const { return systemImages_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    class LockChanges;
    class BulkUpdate;

    // The selection changed (or the tree reports a change): media check, LastDirs, OnChange.
    void Change(HTREEITEM node);
    bool CanExpand(HTREEITEM node);
    void Click();
    HTREEITEM MediaCheck(HTREEITEM node);
    // Whether the letter's medium differs from the one last read; a serial never read before is
    // only remembered.
    bool VolumeChanged(wchar_t letter);
    void RebuildDriveRoot(HTREEITEM root, wchar_t letter);
    void DeviceChange();
    void WindowDestroying();
    void DropFiles(HDROP drop);

    TDirNodeInfo* Info(HTREEITEM node) const;
    void CollectNodes(HTREEITEM first, std::vector<HTREEITEM>& nodes) const;
    void ReleaseInfo(HTREEITEM node);
    HTREEITEM InsertNode(HTREEITEM parent, HTREEITEM after, const std::wstring& caption, LPARAM data);
    HTREEITEM AddPlaceholder(HTREEITEM node);
    void DeleteNode(HTREEITEM node);
    void SetCaption(HTREEITEM node, const std::wstring& caption);
    // Inserts a node with its record (for path) and images, then gives it its share overlay and
    // raises OnGetIcon. plain: a folder the shell shows as a plain one, whose open icon is known.
    // buttonOnDemand: the control asks whether to show the expand button (TVN_GETDISPINFO), so
    // that a node waiting for its background look can show one without a placeholder.
    HTREEITEM InsertFolderNode(HTREEITEM parent, HTREEITEM after, const std::wstring& caption,
                               const std::wstring& path, void* data, int iconIndex, bool plain,
                               bool buttonOnDemand = false);
    // The selected-state image of a node with this image.
    int SelectedIconOf(int iconIndex, bool plain, const std::wstring& diskPath);
    // Adds a child that the parent's own enumeration found; its name and attributes save asking
    // the file system and the shell again where they give the same answer.
    HTREEITEM AddFoundFolder(HTREEITEM parent, const std::wstring& diskPath, const std::wstring& name,
                             uint32_t attributes, void* data);
    // The node of each level of the path in turn, from the roots down: a node matches when its
    // Path equals the path up to that level (ignoring case when asked), and a level's search ends
    // at its first node without a record. reached runs on each level's node before the next
    // level is searched. Null when a level has no match.
    HTREEITEM WalkPath(const std::wstring& path, bool ignoreCase,
                       const std::function<void(HTREEITEM)>& reached = {}) const;
    void SelectNode(HTREEITEM node);
    bool IsBelow(HTREEITEM node, HTREEITEM ancestor) const;
    std::wstring DriveRootCaption(const std::wstring& rootPath, const std::optional<ShellItemInfo>& shell);
    HTREEITEM MakeDriveNode(const std::wstring& rootPath, void* data, HTREEITEM after);
    void AddRootChildren(HTREEITEM root, wchar_t letter);
    // Enumerates the node's acceptable subfolders; visit returns false to stop.
    void ForEachSubfolder(TDirNodeInfo& info, bool keepHandlerData,
                          const std::function<bool(TDirRec&)>& visit);

    // The background look into children (DirTreeProbe.cpp). The tree's record of the nodes it
    // waits for is the truth: a probe is only a worker asked about them, stopped and started
    // again whenever that record changes under it.
    struct PendingProbe {
        uint64_t Ticket;
        std::wstring DiskPath;
        std::wstring Path;
    };
    bool CanProbeInBackground() const;
    bool HandleProbeMessage(UINT msg);
    void ScheduleProbe();
    void StartProbe();
    // Joins the worker; the answers it had already found are applied.
    void StopProbe();
    void ApplyProbeAnswers(const std::vector<SubfolderProbe::Answer>& answers);
    bool ShowsButton(HTREEITEM node) const;

    int GetShareOverlay(HTREEITEM node);
    void SetOverlay(HTREEITEM node, int overlay);
    void ApplyShareOverlays(HTREEITEM first);

    void HookOwner();
    void UnhookOwner();

    HWND parent_;
    int id_;
    std::shared_ptr<DriveSystem> drives_;

    bool loading_ = true;
    bool destroying_ = false;
    bool readOnStart_ = true;
    TDirTypes dirTypes_{TDirType::dtNormal, TDirType::dtAll};
    bool goBelowRecycleBin_ = false;
    bool fastLoad_ = false;
    std::wstring initialDirectory_;
    TDriveTypes driveTypes_ = kAllDriveTypes;
    bool showShareOverlay_ = false;
    bool acceptDropFiles_ = false;

    std::array<std::wstring, 26> lastDirs_;
    std::array<uint32_t, 26> volumeSerials_{};
    uint32_t serialsRead_ = 0; // letters whose serial was read at least once
    uint32_t driveMask_ = 0;
    int changeLock_ = 0;
    int updateDepth_ = 0;

    HIMAGELIST systemImages_ = nullptr; // the shell's, shared: never destroyed here
    int closedFolderIcon_ = 0;
    int openFolderIcon_ = 0;
    std::optional<int> plainFolderIcon_;
    std::optional<int> plainOpenFolderIcon_;
    ComPtr<IShellFolder> drivesFolder_;
    std::vector<std::wstring> droppedFiles_;
    HTREEITEM dropTarget_ = nullptr;

    bool pending_ = false;
    std::wstring pendingPath_;
    HWND hookedOwner_ = nullptr; // the top-level window whose WM_DEVICECHANGE the tree takes
    int ownerListenKey_ = 0;
    // The node Expand is opening: the control's own announcement of it must not read and probe
    // a second time.
    HTREEITEM expanding_ = nullptr;

    std::unordered_map<HTREEITEM, PendingProbe> probePending_;
    std::unique_ptr<SubfolderProbe> probe_;
    uint64_t nextProbeTicket_ = 1;
    bool probeScheduled_ = false; // a start message is on its way
    bool probeLost_ = false;      // a node the worker was asked about was deleted
};
