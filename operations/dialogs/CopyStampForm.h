// The dialog of "Copier une date": which stamp of each file gives its value (created, modified or
// accessed), and which of its other stamps take it.
#pragma once

#include "operations/Stamp.h"
#include "operations/dialogs/StampChecks.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"

#include <functional>
#include <optional>
#include <string>

struct CopyStampChoice {
    Stamp Source = Stamp::LastWrite;
    StampSet Targets; // never holds the source
};

// Shows, over the dialog (`owner`), what its choice so far would do; the dialog stays open.
using CopyStampPreview = std::function<void(HWND owner, const CopyStampChoice& choice)>;

class CopyStampForm : public Form {
public:
    static constexpr int kClientWidth = 356;
    static constexpr int kClientHeight = 150;
    static constexpr const wchar_t* kCaption = L"Copier une date";

    // The preview button shows only when `preview` is given.
    CopyStampForm(HWND owner, const std::wstring& fontName, CopyStampPreview preview = {});
    ~CopyStampForm() override;

    // Once accepted.
    const CopyStampChoice& Choice() const { return choice_; }

    GroupBox BoxSource;
    RadioButton RadioCreation;
    RadioButton RadioModification;
    RadioButton RadioAcces;
    GroupBox BoxTarget;
    StampChecks Targets;
    Button BtnOk;
    Button BtnCancel;
    Button BtnPreview;

private:
    void BtnOkClick();
    // The choice the boxes hold; none, after the warning OK gives, when no stamp would take it.
    std::optional<CopyStampChoice> TickedChoice();

    CopyStampChoice choice_;
    CopyStampPreview preview_;
};

// The accepted choice, or nothing when the dialog was cancelled.
std::optional<CopyStampChoice> AskCopyStamp(HWND owner, const std::wstring& fontName,
                                            const CopyStampPreview& preview = {});
