// Message boxes.
#include "ui/MessageBox.h"

#include "ui/Application.h"
#include "ui/FocusKeeper.h"

namespace {

MessageBoxAnswerer& Answerer() {
    static MessageBoxAnswerer answerer;
    return answerer;
}

// With no help file set there is no help to open; the Help button simply leaves the box open.
void CALLBACK IgnoreHelp(LPHELPINFO) {}

} // namespace

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    Answerer() = std::move(answerer);
}

int ShowMessageBox(HWND owner, const std::wstring& text, UINT flags, const std::wstring& caption) {
    MessageBoxRequest request{owner, text, caption.empty() ? Application::Title() : caption, flags};
    if (Answerer())
        return Answerer()(request);
    FocusKeeper keeper;
    MSGBOXPARAMSW params{};
    params.cbSize = sizeof(params);
    params.hwndOwner = owner;
    params.hInstance = ::GetModuleHandleW(nullptr);
    params.lpszText = request.text.c_str();
    params.lpszCaption = request.caption.c_str();
    params.dwStyle = flags;
    params.lpfnMsgBoxCallback = &IgnoreHelp;
    return ::MessageBoxIndirectW(&params);
}
