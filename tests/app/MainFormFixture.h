// What the main window's suites share: the window's re-list taken up as its message loop would.
#pragma once

#include "app/MainForm.h"
#include "ui/Application.h"

// Asks the window to re-list its folder and lets the posted re-list run, so that the list shows the
// folder as it is now.
inline void RelistNow(TMainForm& form) {
    form.DirTreeChange();
    Application::ProcessMessages();
}
