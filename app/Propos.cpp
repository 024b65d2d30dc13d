// The About box.
#include "app/Propos.h"

namespace {

// The program's icon from its resources (identifier 1), or the system's application icon.
HICON ProgramIcon() {
    if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)))
        return icon;
    return ::LoadIconW(nullptr, IDI_APPLICATION);
}

} // namespace

TPropos::TPropos(HWND owner, const std::wstring& fontName) {
    Create(L"A Propos de...", 0, 0, 285, 82, kDialogStyle, owner);
    SetFontName(fontName);
    CenterOnScreen();
    FormCreate();
}

TPropos::~TPropos() {
    Destroy();
}

void TPropos::FormCreate() {
    HWND icon = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON, 12, 12, 32, 32,
                                  Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon()), 0);
    Icon.Attach(icon);

    LabelPrg.Create(Handle(), kProgramText, 52, 10, 226, 16, Label::TextAlign::Center);
    LabelPrg.SetOwnFont(L"Verdana", -11, true);
    LabelAuteur.Create(Handle(), kAuthorText, 52, 32, 226, 16, Label::TextAlign::Center);
    ASLink2.Create(Handle(), kAddress, 128, 60, 150, 16);
}
