// The commands of the main window's menus and buttons. Navigation, sorting, the file operations
// and the Options dialog fill the handlers that are still empty here.
#include "app/MainForm.h"

#include "app/Propos.h"

void TMainForm::FileQuitterClick() {
    Close();
}

void TMainForm::AideAproposClick() {
    TPropos propos(Handle(), FontName());
    propos.ShowModal();
}

void TMainForm::AffichageOptionsClick() {}
void TMainForm::AffichageActualiserClick() {}
void TMainForm::ReorganiseNomClick(MenuItem&) {}
void TMainForm::BtnParentClick() {}
void TMainForm::BtnDateTimeClick() {}
void TMainForm::BtnTimeZeroClick() {}
void TMainForm::BtnNameMajClick() {}
void TMainForm::BtnNameMajMinClick() {}
void TMainForm::BtnNameMinClick() {}
