// Progress bars.
#include "ui/ProgressBar.h"

#include <commctrl.h>

bool ProgressBar::Create(HWND parent, int x, int y, int width, int height) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    return CreateChild(PROGRESS_CLASSW, L"", WS_VISIBLE, 0, parent, x, y, width, height);
}

void ProgressBar::SetMaximum(int maximum) {
    Send(PBM_SETRANGE32, 0, maximum);
}

int ProgressBar::Maximum() const {
    return static_cast<int>(Send(PBM_GETRANGE, FALSE, 0));
}

void ProgressBar::SetPosition(int position) {
    if (Position() != position)
        Send(PBM_SETPOS, static_cast<WPARAM>(position));
}

int ProgressBar::Position() const {
    return static_cast<int>(Send(PBM_GETPOS));
}
