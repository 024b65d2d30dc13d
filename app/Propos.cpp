// The About box.
#include "app/Propos.h"

#include <algorithm>

namespace {

// The program's icon from its resources (identifier 1) at the given size.
IconHandle ProgramIcon(int size) {
    return IconHandle(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

// Below the author line, which takes as many lines as its text needs in the font used.
constexpr int kLinkGap = 4;

} // namespace

TPropos::TPropos(HWND owner, const std::wstring& fontName) {
    Create(L"A Propos de...", 0, 0, 285, 82, kDialogStyle, owner);
    SetFontName(fontName);
    FormCreate();
    CenterOnScreen();
}

TPropos::~TPropos() {
    Destroy();
}

void TPropos::FormCreate() {
    const int iconSize = Scale(32);
    HWND icon = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE,
                                  Scale(12), Scale(12), iconSize, iconSize, Handle(), nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    icon_ = ProgramIcon(iconSize);
    ::SendMessageW(icon, STM_SETICON,
                   reinterpret_cast<WPARAM>(icon_ ? icon_.Get() : ::LoadIconW(nullptr, IDI_APPLICATION)), 0);
    Icon.Attach(icon);

    LabelPrg.Create(Handle(), kProgramText, 52, 8, 226, 16, Label::TextAlign::Center);
    LabelPrg.SetOwnFont(L"Verdana", -11, true);
    LabelAuteur.Create(Handle(), kAuthorText, 52, 28, 226, 16, Label::TextAlign::Center);
    LabelAuteur.FitHeightToText();
    ASLink2.Create(Handle(), kAddress, 128, 60, 150, 16);
    ASLink2.FitHeightToText();

    // A larger font than the design's pushes the link down, and the box grows with it.
    const RECT author = LabelAuteur.WindowRectInParent();
    RECT link = ASLink2.WindowRectInParent();
    const int linkTop = std::max<int>(link.top, author.bottom + Scale(kLinkGap));
    ASLink2.SetBounds(link.left, linkTop, link.right - link.left, link.bottom - link.top);
    link = ASLink2.WindowRectInParent();
    const RECT client = ClientRect();
    if (link.bottom + Scale(6) > client.bottom)
        SetClientSize(client.right, link.bottom + Scale(6));
}
