// Message hook of the list's header.
#include "listctrl/HeaderControl.h"

LRESULT HeaderControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (OnMessage && OnMessage(msg, wp, lp, result))
        return result;
    return Window::HandleMessage(msg, wp, lp);
}
