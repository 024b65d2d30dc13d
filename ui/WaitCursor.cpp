// The hourglass guard.
#include "ui/WaitCursor.h"

namespace {

int& Depth() {
    static int depth = 0;
    return depth;
}

} // namespace

WaitCursor::WaitCursor() : previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {
    ++Depth();
}

WaitCursor::~WaitCursor() {
    --Depth();
    ::SetCursor(previous_);
}

bool WaitCursor::Active() {
    return Depth() > 0;
}
