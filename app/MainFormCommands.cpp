// The commands of the main window's menus that open no folder and touch no file.
#include "app/MainForm.h"

#include "app/Propos.h"

void TMainForm::FileQuitterClick() {
    Close();
}

void TMainForm::AideAproposClick() {
    TPropos propos(Handle(), FontName());
    propos.ShowModal();
}
