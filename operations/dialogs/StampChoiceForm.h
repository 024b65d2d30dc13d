// The dialog of the operations that bring each file's stamps from elsewhere ("Dates d'un autre
// fichier", "Date de prise de vue"): a line saying where from, and which stamps take it.
#pragma once

#include "operations/Stamp.h"
#include "operations/dialogs/StampChecks.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"

#include <optional>
#include <string>

struct StampChoiceTexts {
    std::wstring Caption;
    std::wstring Intro;
    // The boxes of creation, last write and last access.
    StampChecks::Texts Boxes;
    StampSet Initial = kAllStamps;
};

class StampChoiceForm : public Form {
public:
    static constexpr int kClientWidth = 380;
    static constexpr int kClientHeight = 192;

    StampChoiceForm(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts);
    ~StampChoiceForm() override;

    // Once accepted; never empty.
    StampSet ChosenStamps() const { return stamps_; }

    Label LabelIntro;
    GroupBox BoxStamps;
    StampChecks Stamps;
    Button BtnOk;
    Button BtnCancel;

private:
    void BtnOkClick();

    StampSet stamps_;
};

// The stamps chosen, or nothing when the dialog was cancelled.
std::optional<StampSet> AskStamps(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts);
