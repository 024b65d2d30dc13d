// The dialog of the operations that bring each file's stamps from elsewhere ("Dates d'un autre
// fichier", "Date de prise de vue"): a line saying where from, and which stamps take it.
#pragma once

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"

#include <array>
#include <optional>
#include <string>

struct StampChoiceTexts {
    std::wstring Caption;
    std::wstring Intro;
    // The boxes of creation, last write and last access.
    std::array<std::wstring, 3> Boxes;
    int InitialMask = 7;
};

class StampChoiceForm : public Form {
public:
    static constexpr int kClientWidth = 380;
    static constexpr int kClientHeight = 192;

    StampChoiceForm(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts);
    ~StampChoiceForm() override;

    // Once accepted: 1 creation, 2 last write, 4 last access.
    int Mask() const { return mask_; }

    Label LabelIntro;
    GroupBox BoxStamps;
    CheckBox CheckCreation;
    CheckBox CheckModification;
    CheckBox CheckAcces;
    Button BtnOk;
    Button BtnCancel;

private:
    void BtnOkClick();

    int mask_ = 0;
};

// The stamps chosen, or nothing when the dialog was cancelled.
std::optional<int> AskStamps(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts);
