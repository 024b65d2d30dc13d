// The dialog of "Date du nom de fichier": which stamps take the date each file's name gives, and
// the user's own pattern for names no known form covers. Both are remembered.
#pragma once

#include "operations/Stamp.h"
#include "operations/dialogs/StampChecks.h"
#include "settings/SettingsRecord.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"

#include <optional>
#include <string>

struct NameDateChoice {
    StampSet Stamps;
    // Empty: the known forms.
    std::wstring Pattern;
};

class NameDateForm : public Form {
public:
    static constexpr int kClientWidth = 380;
    static constexpr int kClientHeight = 292;
    static constexpr const wchar_t* kCaption = L"Date du nom de fichier";

    NameDateForm(HWND owner, const std::wstring& fontName, SettingsRecord& settings);
    ~NameDateForm() override;

    // Once accepted.
    const NameDateChoice& Choice() const { return choice_; }

    Label LabelIntro;
    GroupBox BoxStamps;
    StampChecks Stamps;
    Label LabelPattern;
    Edit EditPattern;
    Label LabelPatternHelp;
    Button BtnOk;
    Button BtnCancel;

private:
    void BtnOkClick();

    SettingsRecord& settings_;
    NameDateChoice choice_;
};

// The accepted choice, remembered in `settings`; nothing when the dialog was cancelled.
std::optional<NameDateChoice> AskNameDate(HWND owner, const std::wstring& fontName, SettingsRecord& settings);
