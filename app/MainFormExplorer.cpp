// The window's side of Explorer: the paths of the program's own start, those that later starts
// hand over (one start per file of a multiple selection), and files dropped on the window. Each
// ends in the first path's folder with the named files selected.
#include "app/MainForm.h"

#include "app/PathHandOver.h"
#include "app/WindowHandOver.h"
#include "base/Handles.h"
#include "base/Locale.h"
#include "base/TextHelpers.h"

#include <shellapi.h>

namespace {

// Explorer starts one process per selected file, a few tens of milliseconds apart, and each
// waits for the one before: paths that come within this time of the last ones join them.
constexpr uint64_t kBurstMs = 2000;

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    return CurrentLocale().ToUpper(WithTrailingBackslash(a)) ==
           CurrentLocale().ToUpper(WithTrailingBackslash(b));
}

std::vector<std::wstring> DroppedPaths(HDROP drop) {
    std::vector<std::wstring> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0)
            continue;
        std::wstring path(length + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), length + 1));
        if (!path.empty())
            paths.push_back(std::move(path));
    }
    return paths;
}

} // namespace

void TMainForm::ShowGivenPaths(const std::vector<std::wstring>& paths) {
    if (const std::optional<FolderSelection> selection = SelectionOfPaths(ExaminePaths(paths)))
        ShowSelection(*selection, true);
}

void TMainForm::ShowSelection(const FolderSelection& selection, bool mayJoin) {
    if (!folders_ || closing_)
        return;
    const uint64_t now = ::GetTickCount64();
    if (mayJoin && burst_ && now < burst_->Until && !selection.Names.empty()) {
        burst_->Until = now + kBurstMs;
        if (SameFolder(burst_->Folder, selection.Folder)) {
            burst_->LeftOut += selection.LeftOut;
            folders_->AddToSelection(selection.Names);
        } else {
            burst_->LeftOut += selection.Names.size() + selection.LeftOut;
            ShowBatchNote(LeftOutNote(burst_->LeftOut));
        }
        return;
    }
    burst_ = GivenBurst{selection.Folder, selection.LeftOut, mayJoin ? now + kBurstMs : 0};
    folders_->OpenFolderSelecting(selection.Folder, selection.Names);
}

bool TMainForm::TakeHandOver(const COPYDATASTRUCT& copy) {
    const std::optional<std::vector<std::wstring>> paths =
        DecodePathHandOver(copy.dwData, copy.lpData, copy.cbData);
    if (!paths || paths->empty())
        return false;
    // Busy with a dialog or a batch, whose files must not change under it: the start then opens
    // a window of its own.
    if (!Accepting())
        return false;
    BringForward();
    ShowGivenPaths(*paths);
    return true;
}

void TMainForm::TakeDrop(HDROP dropped) {
    const DropHandle drop(dropped);
    POINT point{};
    ::DragQueryPoint(drop.Get(), &point);
    const std::vector<GivenPath> given = ExaminePaths(DroppedPaths(drop.Get()));
    const std::optional<FolderSelection> selection = SelectionOfPaths(given);
    if (!selection || !Accepting())
        return;
    // A folder dropped on the tree is gone into; anything else shows as a drop on the list does.
    ::ClientToScreen(Handle(), &point);
    RECT tree{};
    ::GetWindowRect(TreeHandle(), &tree);
    if (given.front().IsFolder && ::IsWindowVisible(TreeHandle()) && ::PtInRect(&tree, point)) {
        folders_->OpenFolder(given.front().Path);
        return;
    }
    ShowSelection(*selection, false);
}

bool TMainForm::Accepting() const {
    return folders_ && !closing_ && !batches_->Running() && ::IsWindowEnabled(Handle());
}

void TMainForm::BringForward() {
    if (::IsIconic(Handle()))
        ::ShowWindow(Handle(), SW_RESTORE);
    ::SetForegroundWindow(Handle());
}
