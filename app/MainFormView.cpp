// The view options of the main window: the toggles of the "Affichage" menu, the view styles and
// how the stored options are put on the window.
#include "app/MainForm.h"

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
    if (FileList)
        SelectViewStyle(static_cast<int>(FileList->ViewStyle()) + 1);

    StatusBar.SetShown(Settings.ShowState);
    MainMenu->Item(L"AffichageEtat").SetChecked(Settings.ShowState);

    PanelEdit.SetShown(Settings.ShowAdr);
    MainMenu->Item(L"AffichageAdr").SetChecked(Settings.ShowAdr);

    S1.SetWidth(Settings.ShowDir ? Scale(kSplitterWidth) : 0);
    PanelDirTree.SetShown(Settings.ShowDir);
    MainMenu->Item(L"AffichageVolet").SetChecked(Settings.ShowDir);

    // Grid lines only show in the Details view, so the list carries the option in every view: a
    // style restored at start may be another one, and the grid must be there on the way back.
    ShowGridLines(Settings.ShowGrid);
    MainMenu->Item(L"AffichageGrille").SetChecked(Settings.ShowGrid);

    MainMenu->Item(L"AffichageCaptions").SetChecked(Settings.ShowCaptions);
    SizeToolButtons();

    MainMenu->Item(L"AffichageGrille").SetEnabled(MainMenu->Item(L"AffichageDetail").Checked());
}

void TMainForm::AffichageEtatClick() {
    Settings.ShowState = !Settings.ShowState;
    StatusBar.SetShown(Settings.ShowState);
    MainMenu->Item(L"AffichageEtat").SetChecked(Settings.ShowState);
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
    MainMenu->Item(L"AffichageVolet").SetChecked(Settings.ShowDir);
    FormResize();
}

void TMainForm::AffichageAdrClick() {
    Settings.ShowAdr = !Settings.ShowAdr;
    PanelEdit.SetShown(Settings.ShowAdr);
    MainMenu->Item(L"AffichageAdr").SetChecked(Settings.ShowAdr);
}

void TMainForm::AffichageGrilleClick() {
    if (!MainMenu->Item(L"AffichageDetail").Checked())
        return;
    RedrawLock lock(Handle());
    Settings.ShowGrid = !Settings.ShowGrid;
    ShowGridLines(Settings.ShowGrid);
    MainMenu->Item(L"AffichageGrille").SetChecked(Settings.ShowGrid);
}

void TMainForm::AffichageStandardClick() {
    DockTop.SetBarVisible(Standard, !Standard.Visible());
    MainMenu->Item(L"AffichageStandard").SetChecked(Standard.Visible());
}

void TMainForm::AffichageBarOptionsClick() {
    DockTop.SetBarVisible(BarOptions, !BarOptions.Visible());
    MainMenu->Item(L"AffichageBarOptions").SetChecked(BarOptions.Visible());
}

void TMainForm::AffichageCaptionsClick() {
    Settings.ShowCaptions = !Settings.ShowCaptions;
    ApplyOptions();
}

void TMainForm::SelectViewStyle(int tag) {
    static const std::pair<const wchar_t*, const wchar_t*> items[] = {{L"AffichageGIcones", L"PopGicones"},
                                                                      {L"AffichagePIcones", L"PopPicones"},
                                                                      {L"AffichageListe", L"PopListe"},
                                                                      {L"AffichageDetail", L"PopDetail"}};
    if (tag >= vsIcon && tag <= vsReport) {
        viewStyle_ = tag;
        if (FileList)
            FileList->SetViewStyle(static_cast<TViewStyle>(tag - 1));
        MainMenu->Item(items[tag - 1].first).SetChecked(true);
        PopupAffichage->Item(items[tag - 1].second).SetChecked(true);
    }
    MainMenu->Item(L"AffichageGrille").SetEnabled(MainMenu->Item(L"AffichageDetail").Checked());
}

void TMainForm::PopGiconesClick(MenuItem& sender) {
    SelectViewStyle(sender.Tag());
}

void TMainForm::BtnAffichageClick() {
    // Steps on from the list's own style, which its stored settings may have restored.
    const int current = FileList ? static_cast<int>(FileList->ViewStyle()) + 1 : viewStyle_;
    SelectViewStyle(current == vsReport ? vsIcon : current + 1);
}

void TMainForm::BtnAffichageDropDown(POINT screen) {
    PopupAffichage->Popup(Handle(), screen.x, screen.y);
}

void TMainForm::ShowGridLines(bool show) {
    if (!FileList)
        return;
    TLVExtendedStyles styles = FileList->ExtendedStyles();
    if (show)
        styles.Include(lvxGridLines);
    else
        styles.Exclude(lvxGridLines);
    FileList->SetExtendedStyles(styles);
}
