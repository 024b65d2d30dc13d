// The dialog of the operations that bring each file's stamps from elsewhere ("Dates d'un autre
// fichier", "Date de prise de vue"): a line saying where from, and which stamps take it.
#pragma once

#include "operations/Stamp.h"
#include "operations/dialogs/StampChecks.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"

#include <functional>
#include <optional>
#include <string>

struct StampChoiceTexts {
    std::wstring Caption;
    std::wstring Intro;
    // The boxes of creation, last write and last access.
    StampChecks::Texts Boxes;
    StampSet Initial = kAllStamps;
};

// Shows, over the dialog (`owner`), what the stamps ticked so far would get; the dialog stays open.
using StampsPreview = std::function<void(HWND owner, StampSet stamps)>;

class StampChoiceForm : public Form {
public:
    static constexpr int kClientWidth = 380;
    static constexpr int kClientHeight = 192;

    // The preview button shows only when `preview` is given.
    StampChoiceForm(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts,
                    StampsPreview preview = {});
    ~StampChoiceForm() override;

    // Once accepted; never empty.
    StampSet ChosenStamps() const { return stamps_; }

    Label LabelIntro;
    GroupBox BoxStamps;
    StampChecks Stamps;
    Button BtnOk;
    Button BtnCancel;
    Button BtnPreview;

private:
    void BtnOkClick();
    // The stamps ticked; none, after the warning OK gives, when no box is.
    std::optional<StampSet> TickedStamps();

    StampSet stamps_;
    StampsPreview preview_;
};

// The stamps chosen, or nothing when the dialog was cancelled.
std::optional<StampSet> AskStamps(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts,
                                  const StampsPreview& preview = {});
