// The application's shared state and message loop.
#include "ui/Application.h"

#include "ui/Form.h"

namespace {

struct State {
    std::wstring title = L"Kavet24";
    std::wstring hint;
};

State& Current() {
    static State state;
    return state;
}

void Deliver(MSG& msg) {
    if (Form::PreTranslate(msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

} // namespace

const std::wstring& Application::Title() {
    return Current().title;
}
void Application::SetTitle(const std::wstring& title) {
    Current().title = title;
}
const std::wstring& Application::Hint() {
    return Current().hint;
}
void Application::SetHint(const std::wstring& hint) {
    Current().hint = hint;
}

int Application::Run() {
    MSG msg;
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got < 0)
            return 1;
        Deliver(msg);
    }
}

void Application::ProcessMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Deliver(msg);
    }
}
