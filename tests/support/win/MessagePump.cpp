#include "support/win/MessagePump.h"

#include <windows.h>

void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs, unsigned pollMs) {
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        PumpMessages();
        if (done())
            return true;
        if (::GetTickCount64() - start >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, pollMs, QS_ALLINPUT);
    }
}

void PumpFor(unsigned ms, unsigned pollMs) {
    PumpUntil([] { return false; }, ms, pollMs);
}
