// The Options dialog's entry point.
#include "settings/optionsdialog/EditOptions.h"

#include "settings/optionsdialog/ParametresForm.h"

#include <utility>

bool EditOptions(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                 std::function<void()> relist) {
    TParametres dialog(owner, fontName, settings, std::move(relist));
    return dialog.ShowModal() == mrOk;
}
