// The operations' prompts.
#include "operations/dialogs/OperationPrompts.h"

#include "operations/dialogs/ConfirmationForm.h"
#include "operations/dialogs/DateHeureForm.h"

namespace {

bool Confirm(HWND owner, const std::wstring& fontName, const ConfirmationText& text, bool& showFlag) {
    if (!showFlag)
        return true;
    ConfirmationForm dialog(owner, fontName, text);
    const int result = dialog.ShowModal();
    showFlag = !dialog.DontShowAgain();
    return result == mrOk;
}

} // namespace

bool ConfirmTimeZero(HWND owner, const std::wstring& fontName, SettingsRecord& settings) {
    return Confirm(owner, fontName, kHeureZeroText, settings.FirstZero);
}

bool ConfirmUpperCase(HWND owner, const std::wstring& fontName, SettingsRecord& settings) {
    return Confirm(owner, fontName, kNameMajText, settings.FirstMaj);
}

bool ConfirmLowerCase(HWND owner, const std::wstring& fontName, SettingsRecord& settings) {
    return Confirm(owner, fontName, kNameMinText, settings.FirstMin);
}

bool ConfirmFirstUpper(HWND owner, const std::wstring& fontName, SettingsRecord& settings) {
    return Confirm(owner, fontName, kNameMajMinText, settings.FirstMajMin);
}

std::optional<DateTimeChoice> AskDateTime(HWND owner, const std::wstring& fontName,
                                          SettingsRecord& settings) {
    TDateHeure dialog(owner, fontName, settings);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return DateTimeChoice{dialog.PickedDateTime(), dialog.ChosenStamps()};
}

std::optional<ShiftChoice> AskShift(HWND owner, const std::wstring& fontName, SettingsRecord& settings) {
    ShiftForm dialog(owner, fontName, settings);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.Choice();
}
