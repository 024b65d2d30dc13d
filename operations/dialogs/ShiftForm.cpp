// The shift dialog.
#include "operations/dialogs/ShiftForm.h"

#include "base/TextHelpers.h"
#include "operations/dialogs/DateHeureForm.h"
#include "ui/MessageBox.h"

#include <cstdlib>
#include <utility>

namespace {

// Whole numbers only: the boxes take digits and nothing else.
void DigitsOnly(const Edit& box) {
    const LONG_PTR style = ::GetWindowLongPtrW(box.Handle(), GWL_STYLE);
    ::SetWindowLongPtrW(box.Handle(), GWL_STYLE, style | ES_NUMBER);
}

// The label's "&" marks the key that takes the focus to the box made after it.
void ShowMnemonic(const Label& label) {
    const LONG_PTR style = ::GetWindowLongPtrW(label.Handle(), GWL_STYLE);
    ::SetWindowLongPtrW(label.Handle(), GWL_STYLE, style & ~static_cast<LONG_PTR>(SS_NOPREFIX));
}

std::optional<int> NumberIn(const Edit& box, int most) {
    const std::wstring text = TrimSpaces(box.Text());
    if (text.empty())
        return 0;
    const std::optional<int> value = ParseDecimalInteger(text);
    if (!value || *value < 0 || *value > most)
        return std::nullopt;
    return value;
}

} // namespace

int ShiftSeconds(const DateShift& shift) {
    const int seconds = ((shift.Days * 24 + shift.Hours) * 60 + shift.Minutes) * 60 + shift.Seconds;
    return shift.Backward ? -seconds : seconds;
}

std::optional<DateShift> ShiftOfSeconds(int seconds) {
    if (seconds == 0 || seconds < -kMostShiftDays * 86400 || seconds > kMostShiftDays * 86400)
        return std::nullopt;
    const int span = std::abs(seconds);
    return DateShift{seconds < 0, span / 86400, span / 3600 % 24, span / 60 % 60, span % 60};
}

ShiftForm::ShiftForm(HWND owner, const std::wstring& fontName, SettingsRecord& settings, ShiftPreview preview)
    : settings_(settings), preview_(std::move(preview)) {
    Create(kCaption, 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnOwner();

    // Group boxes first, so that the tab order among the other controls is their creation order.
    BoxShift.Create(Handle(), L" Décalage ", 8, 4, 300, 88);
    BoxAction.Create(Handle(), L" Action ", 8, 96, 300, 76);
    RadioForward.Create(Handle(), L"&Vers l'avenir (+)", 18, 22, 130, 18, true);
    RadioBackward.Create(Handle(), L"Vers le &passé (\u2212)", 158, 22, 140, 18, false);
    const struct {
        Label& label;
        Edit& box;
        const wchar_t* caption;
        int x, width;
    } parts[] = {{LabelDays, EditDays, L"&Jours", 18, 60},
                 {LabelHours, EditHours, L"&Heures", 88, 60},
                 {LabelMinutes, EditMinutes, L"M&inutes", 158, 60},
                 {LabelSeconds, EditSeconds, L"&Secondes", 228, 70}};
    for (const auto& part : parts) {
        part.label.Create(Handle(), part.caption, part.x, 46, part.width, 16, Label::TextAlign::Left, false);
        ShowMnemonic(part.label);
        part.box.Create(Handle(), L"", part.x, 62, part.width - 10, 22);
        DigitsOnly(part.box);
    }
    Stamps.Create(Handle(), 18, 112, 200, 19);
    BtnOk.Create(Handle(), L"&Décaler", 148, 180, 78, 26, 0, true);
    BtnCancel.Create(Handle(), L"&Annuler", 230, 180, 78, 26, mrCancel);
    BtnOk.OnClick = [this] { BtnOkClick(); };
    if (preview_) {
        BtnPreview.Create(Handle(), kPreviewCaption, 8, 180, 78, 26);
        BtnPreview.OnClick = [this] {
            if (const std::optional<ShiftChoice> choice = TypedChoice())
                preview_(Handle(), *choice);
        };
    }

    DateShift shown{false, 0, 1, 0, 0};
    StampSet stamps = kAllStamps;
    if (settings_.SaveDate) {
        shown = ShiftOfSeconds(settings_.Shift).value_or(shown);
        // The settings keep the stamps as their ordinal bits; a number no choice gives is ignored.
        const StampSet remembered = StampSet::FromOrdinalBits(static_cast<uint32_t>(settings_.ShiftMask));
        if (!remembered.Empty() && (remembered.OrdinalBits() & ~kAllStamps.OrdinalBits()) == 0)
            stamps = remembered;
    }
    (shown.Backward ? RadioBackward : RadioForward).SetChecked(true);
    EditDays.SetText(std::to_wstring(shown.Days));
    EditHours.SetText(std::to_wstring(shown.Hours));
    EditMinutes.SetText(std::to_wstring(shown.Minutes));
    EditSeconds.SetText(std::to_wstring(shown.Seconds));
    Stamps.SetChecked(stamps);
    OnShow = [this] { ::SetFocus(EditHours.Handle()); };
}

ShiftForm::~ShiftForm() {
    Destroy();
}

std::optional<DateShift> ShiftForm::TypedShift() const {
    const auto days = NumberIn(EditDays, kMostShiftDays);
    const auto hours = NumberIn(EditHours, 23);
    const auto minutes = NumberIn(EditMinutes, 59);
    const auto seconds = NumberIn(EditSeconds, 59);
    if (!days || !hours || !minutes || !seconds)
        return std::nullopt;
    const DateShift shift{RadioBackward.Checked(), *days, *hours, *minutes, *seconds};
    return IsValidShift(shift) ? std::optional(shift) : std::nullopt;
}

std::optional<ShiftChoice> ShiftForm::TypedChoice() {
    const StampSet stamps = Stamps.Checked();
    if (stamps.Empty()) {
        ShowMessageBox(Handle(), TDateHeure::kWarningText, MB_OK | MB_ICONWARNING,
                       TDateHeure::kWarningCaption);
        return std::nullopt;
    }
    const std::optional<DateShift> shift = TypedShift();
    if (!shift) {
        ShowMessageBox(Handle(), kBadSpanText, MB_OK | MB_ICONWARNING, TDateHeure::kWarningCaption);
        return std::nullopt;
    }
    return ShiftChoice{*shift, stamps};
}

void ShiftForm::BtnOkClick() {
    const std::optional<ShiftChoice> choice = TypedChoice();
    if (!choice)
        return;
    choice_ = *choice;
    if (settings_.SaveDate) {
        settings_.Shift = ShiftSeconds(choice_.Shift);
        settings_.ShiftMask = static_cast<int>(choice_.Stamps.OrdinalBits());
    }
    SetModalResult(mrOk);
}
