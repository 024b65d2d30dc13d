// The camera clock dialog.
#include "operations/dialogs/CameraClockForm.h"

#include "base/TextHelpers.h"
#include "operations/dialogs/DateHeureForm.h"
#include "ui/MessageBox.h"

#include <cstdio>
#include <utility>

namespace {

std::wstring ClockReadingText(const CivilTime& t) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%02d/%02d/%04d %02d:%02d:%02d", t.Day, t.Month, t.Year, t.Hour, t.Minute,
                  t.Second);
    return text;
}

SYSTEMTIME SystemTimeOf(const CivilTime& t) {
    SYSTEMTIME value{};
    value.wYear = static_cast<WORD>(t.Year);
    value.wMonth = static_cast<WORD>(t.Month);
    value.wDay = static_cast<WORD>(t.Day);
    value.wHour = static_cast<WORD>(t.Hour);
    value.wMinute = static_cast<WORD>(t.Minute);
    value.wSecond = static_cast<WORD>(t.Second);
    return value;
}

} // namespace

CameraClockForm::CameraClockForm(HWND owner, const std::wstring& fontName, const CameraClockPhoto& photo,
                                 CameraClockPreview preview)
    : taken_(photo.Taken), preview_(std::move(preview)) {
    Create(kCaption, 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnOwner();

    // Group boxes first, so that the tab order among the other controls is their creation order.
    BoxReal.Create(Handle(), L" Heure réelle de la prise de vue ", 8, 62, 364, 54);
    BoxAction.Create(Handle(), L" Dates à décaler ", 8, 120, 364, 96);
    LabelPhoto.Create(Handle(), L"Photo : " + Quoted(photo.FileName), 10, 8, 360, 16);
    LabelCamera.Create(Handle(), L"Appareil : " + photo.Camera, 10, 25, 360, 16);
    LabelTaken.Create(Handle(), L"Prise de vue selon l'appareil : " + ClockReadingText(photo.Taken), 10, 42,
                      360, 16);
    DatePicker.Create(Handle(), DateTimePicker::Kind::Date, 18, 82, 110, 22);
    TimePicker.Create(Handle(), DateTimePicker::Kind::Time, 136, 82, 110, 22);
    Stamps.Create(Handle(), 18, 140, 346, 24);
    BtnOk.Create(Handle(), L"&Recaler", 212, 228, 78, 26, 0, true);
    BtnCancel.Create(Handle(), L"A&nnuler", 294, 228, 78, 26, mrCancel);
    BtnOk.OnClick = [this] {
        if (const std::optional<CameraClockChoice> choice = TypedChoice()) {
            choice_ = *choice;
            SetModalResult(mrOk);
        }
    };
    if (preview_) {
        BtnPreview.Create(Handle(), kPreviewCaption, 130, 228, 78, 26);
        BtnPreview.OnClick = [this] {
            if (const std::optional<CameraClockChoice> choice = TypedChoice())
                preview_(Handle(), *choice);
        };
    }

    DatePicker.SetValue(SystemTimeOf(photo.Taken));
    TimePicker.SetValue(SystemTimeOf(photo.Taken));
    // As "Date de prise de vue": the stamps a photo's date is looked for in.
    Stamps.SetChecked({Stamp::Creation, Stamp::LastWrite});
    OnShow = [this] { ::SetFocus(TimePicker.Handle()); };
}

CameraClockForm::~CameraClockForm() {
    Destroy();
}

std::optional<CameraClockChoice> CameraClockForm::TypedChoice() {
    const StampSet stamps = Stamps.Checked();
    if (stamps.Empty()) {
        ShowMessageBox(Handle(), TDateHeure::kWarningText, MB_OK | MB_ICONWARNING,
                       TDateHeure::kWarningCaption);
        return std::nullopt;
    }
    const SYSTEMTIME date = DatePicker.Value();
    const SYSTEMTIME time = TimePicker.Value();
    const CivilTime real{date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute, time.wSecond, 0};
    CivilTime taken = taken_;
    taken.Millisecond = 0;
    const std::optional<DateShift> shift = ShiftBetween(taken, real);
    if (!shift) {
        ShowMessageBox(Handle(), kSameTimeText, MB_OK | MB_ICONWARNING, TDateHeure::kWarningCaption);
        return std::nullopt;
    }
    return CameraClockChoice{*shift, stamps};
}

std::optional<CameraClockChoice> AskCameraClock(HWND owner, const std::wstring& fontName,
                                                const CameraClockPhoto& photo,
                                                const CameraClockPreview& preview) {
    CameraClockForm dialog(owner, fontName, photo, preview);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.Choice();
}
