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

#include <functional>
#include <optional>
#include <string>

struct NameDateChoice {
    StampSet Stamps;
    // Empty: the known forms.
    std::wstring Pattern;
};

// Shows, over the dialog (`owner`), what the choice made so far would give; the dialog stays open.
using NameDatePreview = std::function<void(HWND owner, const NameDateChoice& choice)>;

class NameDateForm : public Form {
public:
    static constexpr int kClientWidth = 380;
    static constexpr int kClientHeight = 292;
    static constexpr const wchar_t* kCaption = L"Date du nom de fichier";

    // The preview button shows only when `preview` is given.
    NameDateForm(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                 NameDatePreview preview = {});
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
    Button BtnPreview;

private:
    void BtnOkClick();
    // The choice as the dialog shows it; none, after the warning OK gives, when it is not one.
    std::optional<NameDateChoice> ShownChoice();

    SettingsRecord& settings_;
    NameDateChoice choice_;
    NameDatePreview preview_;
};

// The accepted choice, remembered in `settings`; nothing when the dialog was cancelled.
std::optional<NameDateChoice> AskNameDate(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                                          const NameDatePreview& preview = {});
