// The operations' prompts.
#include "operations/dialogs/OperationPrompts.h"

#include "operations/dialogs/ConfirmationForm.h"
#include "operations/dialogs/DateHeureForm.h"

namespace {

bool Confirm(HWND owner, const std::wstring& fontName, const ConfirmationText& text, bool& showFlag,
             const ConfirmationPreview& preview) {
    if (!showFlag)
        return true;
    ConfirmationForm dialog(owner, fontName, text, preview);
    const int result = dialog.ShowModal();
    showFlag = !dialog.DontShowAgain();
    return result == mrOk;
}

} // namespace

bool ConfirmTimeZero(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                     const ConfirmationPreview& preview) {
    return Confirm(owner, fontName, kHeureZeroText, settings.FirstZero, preview);
}

bool ConfirmUpperCase(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                      const ConfirmationPreview& preview) {
    return Confirm(owner, fontName, kNameMajText, settings.FirstMaj, preview);
}

bool ConfirmLowerCase(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                      const ConfirmationPreview& preview) {
    return Confirm(owner, fontName, kNameMinText, settings.FirstMin, preview);
}

bool ConfirmFirstUpper(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                       const ConfirmationPreview& preview) {
    return Confirm(owner, fontName, kNameMajMinText, settings.FirstMajMin, preview);
}

std::optional<DateTimeChoice> AskDateTime(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                                          const DateTimePreview& preview) {
    TDateHeure dialog(owner, fontName, settings, preview);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return DateTimeChoice{dialog.PickedDateTime(), dialog.ChosenStamps()};
}

std::optional<ShiftChoice> AskShift(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                                    const ShiftPreview& preview) {
    ShiftForm dialog(owner, fontName, settings, preview);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.Choice();
}
