// The date-time dialog.
#include "operations/dialogs/DateHeureForm.h"

#include "operations/dialogs/DialogPlacement.h"
#include "operations/dialogs/RegionalDateText.h"
#include "ui/MessageBox.h"

#include <commctrl.h>

#include <utility>

namespace {

SYSTEMTIME Now() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    now.wMilliseconds = 0;
    return now;
}

SYSTEMTIME FirstOf1980() {
    SYSTEMTIME date{};
    date.wYear = 1980;
    date.wMonth = 1;
    date.wDay = 1;
    return date;
}

SYSTEMTIME TodayAt(int hour, int minute, int second) {
    SYSTEMTIME time = Now();
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return time;
}

// Push buttons here are clicked with the mouse only.
void TakeNoFocus(const Window& control) {
    const LONG_PTR style = ::GetWindowLongPtrW(control.Handle(), GWL_STYLE);
    ::SetWindowLongPtrW(control.Handle(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_TABSTOP));
}

} // namespace

// The preview button's row under the others.
constexpr int kPreviewRowHeight = 32;

TDateHeure::TDateHeure(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                       DateTimePreview preview)
    : settings_(settings), preview_(std::move(preview)) {
    Create(L"Horodatage", 0, 0, kClientWidth, kClientHeight + (preview_ ? kPreviewRowHeight : 0),
           kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    FormCreate();
}

TDateHeure::~TDateHeure() {
    Destroy();
}

void TDateHeure::FormCreate() {
    // Group boxes first, so that the tab order among the other controls is their creation order.
    BoxDate.Create(Handle(), L" Date ", 8, 4, 159, 54);
    BoxHeure.Create(Handle(), L" Heure ", 8, 62, 159, 54);
    BoxAction.Create(Handle(), L" Action ", 8, 120, 159, 80);
    // The pickers are wide enough for a long time with its AM/PM mark.
    TimePicker.Create(Handle(), DateTimePicker::Kind::Time, 16, 82, 98, 22);
    Stamps.Create(Handle(), 18, 138, 144, 20);
    DatePicker.Create(Handle(), DateTimePicker::Kind::Date, 16, 24, 98, 22);
    BtnDateMini.Create(Handle(), L"\u00AB", 117, 24, 23, 22);
    BtnDateActual.Create(Handle(), L"\u2022", 142, 24, 23, 22);
    BtnTimeZero.Create(Handle(), L"0", 117, 82, 23, 22);
    BtnTimeActual.Create(Handle(), L"\u2022", 142, 82, 23, 22);
    BtnOk.Create(Handle(), L"&Régler", 8, 208, 78, 26, 0, true);
    BtnCancel.Create(Handle(), L"&Annuler", 89, 208, 78, 26, mrCancel);
    for (const Button* button :
         {&BtnDateMini, &BtnDateActual, &BtnTimeZero, &BtnTimeActual, &BtnOk, &BtnCancel})
        TakeNoFocus(*button);
    if (preview_) {
        BtnPreview.Create(Handle(), kPreviewCaption, 8, 240, 159, 26);
        TakeNoFocus(BtnPreview);
        BtnPreview.OnClick = [this] { BtnPreviewClick(); };
    }

    toolTips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(),
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
    AddToolTip(BtnDateMini, L"Date Mini");
    AddToolTip(BtnDateActual, L"Date actuelle");
    AddToolTip(BtnTimeZero, L"Heure Zéro");
    AddToolTip(BtnTimeActual, L"Heure actuelle");

    BtnDateMini.OnClick = [this] { DatePicker.SetValue(FirstOf1980()); };
    BtnDateActual.OnClick = [this] { DatePicker.SetValue(Now()); };
    BtnTimeZero.OnClick = [this] { TimePicker.SetValue(TodayAt(0, 0, 0)); };
    BtnTimeActual.OnClick = [this] { TimePicker.SetValue(Now()); };
    BtnOk.OnClick = [this] { BtnOkClick(); };

    POINT cursor{};
    ::GetCursorPos(&cursor);
    RECT frame{};
    ::GetWindowRect(Handle(), &frame);
    const DialogOrigin origin =
        PlaceAtCursor(cursor.x, cursor.y, frame.right - frame.left, frame.bottom - frame.top,
                      ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    ::SetWindowPos(Handle(), nullptr, origin.X, origin.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    SYSTEMTIME date = Now();
    SYSTEMTIME time = Now();
    StampSet stamps = kAllStamps;
    if (settings_.SaveDate) {
        if (const auto remembered = ReadShortDate(settings_.Date))
            date = *remembered;
        if (const auto remembered = ReadLongTime(settings_.Time))
            time = TodayAt(remembered->wHour, remembered->wMinute, remembered->wSecond);
        stamps = {};
        for (const auto& [stamp, ticked] : {std::pair{Stamp::Creation, settings_.Creation},
                                            std::pair{Stamp::LastWrite, settings_.LastWrite},
                                            std::pair{Stamp::LastAccess, settings_.LastAccess}})
            if (ticked)
                stamps.Include(stamp);
    }
    DatePicker.SetValue(date);
    TimePicker.SetValue(time);
    Stamps.SetChecked(stamps);

    OnShow = [this] { ::SetFocus(TimePicker.Handle()); };
    ::SetFocus(TimePicker.Handle());
}

void TDateHeure::AddToolTip(const Button& button, const wchar_t* text) {
    if (!toolTips_)
        return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(button.Handle());
    tool.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::optional<StampSet> TDateHeure::TickedStamps() {
    const StampSet stamps = Stamps.Checked();
    if (stamps.Empty()) {
        ShowMessageBox(Handle(), kWarningText, MB_OK | MB_ICONWARNING, kWarningCaption);
        return std::nullopt;
    }
    return stamps;
}

void TDateHeure::BtnPreviewClick() {
    if (const std::optional<StampSet> stamps = TickedStamps())
        preview_(Handle(), DateTimeChoice{PickedDateTime(), *stamps});
}

void TDateHeure::BtnOkClick() {
    const std::optional<StampSet> stamps = TickedStamps();
    if (!stamps)
        return;
    stamps_ = *stamps;
    if (settings_.SaveDate) {
        settings_.Date = ShortDateText(DatePicker.Value());
        settings_.Time = LongTimeText(TimePicker.Value());
        settings_.Creation = stamps_.Contains(Stamp::Creation);
        settings_.LastWrite = stamps_.Contains(Stamp::LastWrite);
        settings_.LastAccess = stamps_.Contains(Stamp::LastAccess);
    }
    SetModalResult(mrOk);
}

CivilTime TDateHeure::PickedDateTime() const {
    const SYSTEMTIME date = DatePicker.Value();
    const SYSTEMTIME time = TimePicker.Value();
    return CivilTime{date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute, time.wSecond, 0};
}
