// The view options of the main window: the toggles of the "Affichage" menu, the view styles, the
// options dialog and how the stored options are put on the window.
#include "app/MainForm.h"

#include "settings/optionsdialog/EditOptions.h"

namespace {

// Stops a window from repainting for one scope, whatever happens inside it.
class RedrawLock {
public:
    explicit RedrawLock(HWND hwnd) : hwnd_(hwnd) { ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawLock() {
        ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    RedrawLock(const RedrawLock&) = delete;
    RedrawLock& operator=(const RedrawLock&) = delete;

private:
    HWND hwnd_;
};

} // namespace

void TMainForm::ApplyOptions() {
    // The list may have restored its own view style from its stored settings: both menus follow it.
    SelectViewStyle(static_cast<int>(folders_->ViewStyle()) + 1);

    StatusBar.SetShown(Settings.ShowState);
    AffichageEtat->SetChecked(Settings.ShowState);

    PanelEdit.SetShown(Settings.ShowAdr);
    AffichageAdr->SetChecked(Settings.ShowAdr);

    S1.SetWidth(Settings.ShowDir ? Scale(kSplitterWidth) : 0);
    PanelDirTree.SetShown(Settings.ShowDir);
    AffichageVolet->SetChecked(Settings.ShowDir);

    // Grid lines only show in the Details view, so the list carries the option in every view: a
    // style restored at start may be another one, and the grid must be there on the way back.
    folders_->ShowGridLines(Settings.ShowGrid);
    AffichageGrille->SetChecked(Settings.ShowGrid);

    AffichageCaptions->SetChecked(Settings.ShowCaptions);
    OptionsSousDossiers->SetChecked(Settings.SubFolders);
    OptionsDossiers->SetChecked(Settings.Folders);
    SizeToolButtons();

    AffichageGrille->SetEnabled(AffichageDetail->Checked());
}

void TMainForm::AffichageEtatClick() {
    Settings.ShowState = !Settings.ShowState;
    StatusBar.SetShown(Settings.ShowState);
    AffichageEtat->SetChecked(Settings.ShowState);
}

void TMainForm::AffichageVoletClick() {
    Settings.ShowDir = !Settings.ShowDir;
    if (Settings.ShowDir) {
        S1.SetWidth(Scale(kSplitterWidth));
        PanelDirTree.SetShown(true);
    } else {
        S1.SetWidth(0);
        PanelDirTree.SetShown(false);
    }
    AffichageVolet->SetChecked(Settings.ShowDir);
    FormResize();
}

void TMainForm::AffichageAdrClick() {
    Settings.ShowAdr = !Settings.ShowAdr;
    PanelEdit.SetShown(Settings.ShowAdr);
    AffichageAdr->SetChecked(Settings.ShowAdr);
}

void TMainForm::AffichageGrilleClick() {
    if (!AffichageDetail->Checked())
        return;
    RedrawLock lock(Handle());
    Settings.ShowGrid = !Settings.ShowGrid;
    folders_->ShowGridLines(Settings.ShowGrid);
    AffichageGrille->SetChecked(Settings.ShowGrid);
}

void TMainForm::AffichageStandardClick() {
    DockTop.SetBarVisible(Standard, !Standard.Visible());
    AffichageStandard->SetChecked(Standard.Visible());
}

void TMainForm::AffichageBarOptionsClick() {
    DockTop.SetBarVisible(BarOptions, !BarOptions.Visible());
    AffichageBarOptions->SetChecked(BarOptions.Visible());
}

void TMainForm::AffichageOptionsClick() {
    // The preview, and a cancel after one, re-list with the options in force; so does "Régler".
    if (EditOptions(Handle(), FontName(), Settings, [this] { folders_->RequestRelist(); }))
        folders_->RequestRelist();
}

void TMainForm::AffichageCaptionsClick() {
    Settings.ShowCaptions = !Settings.ShowCaptions;
    ApplyOptions();
}

void TMainForm::SelectViewStyle(int tag) {
    MenuItem* const menuItems[] = {AffichageGIcones, AffichagePIcones, AffichageListe, AffichageDetail};
    MenuItem* const popupItems[] = {PopGicones, PopPicones, PopListe, PopDetail};
    if (tag >= vsIcon && tag <= vsReport) {
        folders_->SetViewStyle(static_cast<TViewStyle>(tag - 1));
        menuItems[tag - 1]->SetChecked(true);
        popupItems[tag - 1]->SetChecked(true);
    }
    AffichageGrille->SetEnabled(AffichageDetail->Checked());
}

void TMainForm::PopGiconesClick(MenuItem& sender) {
    SelectViewStyle(sender.Tag());
}

void TMainForm::BtnAffichageClick() {
    // Steps on from the list's own style, which its stored settings may have restored.
    const int current = static_cast<int>(folders_->ViewStyle()) + 1;
    SelectViewStyle(current == vsReport ? vsIcon : current + 1);
}

void TMainForm::BtnAffichageDropDown(POINT screen) {
    PopupAffichage->Popup(Handle(), screen.x, screen.y);
}

void TMainForm::ReorganiseNomClick(MenuItem& sender) {
    folders_->ArrangeByColumn(sender.Tag(), true);
}
