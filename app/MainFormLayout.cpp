// The main window's panes and the layout rule that keeps the address boxes and the status bar's
// first panel in line with the panes above them.
#include "app/MainForm.h"

namespace {

constexpr int kEditHeight = 21;

} // namespace

void TMainForm::CreateLayout() {
    DockTop.Create(Handle(), 51);
    StatusBar.Create(Handle(), {Scale(170), -1});

    PanelDirTree.Create(Handle(), Align::Left, 320, 100);
    PanelDisk.Create(PanelDirTree.Handle(), Align::Top, 100, 20, L"   Tous les dossiers");
    PanelDisk.SetCaptionAlign(Panel::CaptionAlign::Left);
    DirTreePlace.Create(PanelDirTree.Handle(), Align::Client, 100, 100);

    S1.Create(Handle(), Align::Left, 4);
    S1.OnMoved = [this] { S1Moved(); };

    PanelFileList.Create(Handle(), Align::Client, 100, 100);
    PanelEdit.Create(PanelFileList.Handle(), Align::Top, 100, 23);
    PanelDirName.Create(PanelEdit.Handle(), Align::Left, 313, 23);
    EditDirName.Create(PanelDirName.Handle(), L"", 0, 1, 313, kEditHeight);
    S2.Create(PanelEdit.Handle(), Align::Left, 2);
    S2.OnMoved = [this] { S2Moved(); };
    PanelMask.Create(PanelEdit.Handle(), Align::Client, 100, 23);
    EditMask.Create(PanelMask.Handle(), L"*.*", 0, 1, 100, kEditHeight, true);
    FileListPlace.Create(PanelFileList.Handle(), Align::Client, 100, 100);
}

void TMainForm::FormResize() {
    if (!EditDirName.HandleAllocated())
        return;
    EditDirName.SetWidth(PanelDirName.Width());
    EditMask.SetWidth(PanelMask.Width());
    StatusBar.SetPanelWidth(0, PanelDirTree.Width());
}

void TMainForm::ShowBatchNote(const std::wstring& note) {
    const bool shown = StatusBar.PanelWidths().size() > 2;
    if (note.empty() && !shown)
        return;
    if (note.empty())
        StatusBar.SetPanelWidths({PanelDirTree.Width(), -1});
    else if (!shown)
        StatusBar.SetPanelWidths({PanelDirTree.Width(), Scale(200), -1});
    if (!note.empty())
        StatusBar.SetPanelText(2, note);
}

void TMainForm::S1Moved() {
    Settings.DirTreeWidth = Unscale(PanelDirTree.Width());
    FormResize();
}

void TMainForm::S2Moved() {
    Settings.PanelWidth = Unscale(PanelDirName.Width());
    FormResize();
}
