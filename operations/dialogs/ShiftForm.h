// The shift dialog ("Décaler les dates"): a span towards the future or the past, in days, hours,
// minutes and seconds, and which of the three stamps move by it. It remembers its last accepted
// choice when the settings say so, as the date-time dialog does.
#pragma once

#include "operations/DateShift.h"
#include "operations/Stamp.h"
#include "operations/dialogs/StampChecks.h"
#include "settings/SettingsRecord.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"

#include <functional>
#include <optional>
#include <string>

struct ShiftChoice {
    DateShift Shift;
    StampSet Stamps;
};

// Shows, over the dialog (`owner`), what its choice so far would do; the dialog stays open.
using ShiftPreview = std::function<void(HWND owner, const ShiftChoice& choice)>;

// The span as the settings keep it, in seconds (negative towards the past), and back; none for a
// stored value the dialog cannot show.
int ShiftSeconds(const DateShift& shift);
std::optional<DateShift> ShiftOfSeconds(int seconds);

class ShiftForm : public Form {
public:
    static constexpr int kClientWidth = 316;
    static constexpr int kClientHeight = 214;
    static constexpr const wchar_t* kCaption = L"Décaler les dates";
    static constexpr const wchar_t* kBadSpanText =
        L"\r\nLe décalage se donne en jours (0 à 9999), heures (0 à 23), minutes et secondes (0 à 59), "
        L"et ne peut être nul.";

    // settings: read at creation, written when the dialog is accepted with SaveDate on.
    // The preview button shows only when `preview` is given.
    ShiftForm(HWND owner, const std::wstring& fontName, SettingsRecord& settings, ShiftPreview preview = {});
    ~ShiftForm() override;

    // Once accepted.
    const ShiftChoice& Choice() const { return choice_; }

    GroupBox BoxShift;
    RadioButton RadioForward;
    RadioButton RadioBackward;
    Label LabelDays, LabelHours, LabelMinutes, LabelSeconds;
    Edit EditDays, EditHours, EditMinutes, EditSeconds;
    GroupBox BoxAction;
    StampChecks Stamps;
    Button BtnOk;
    Button BtnCancel;
    Button BtnPreview;

private:
    void BtnOkClick();
    // The choice the boxes hold; none, after the warning OK gives, when it is not one.
    std::optional<ShiftChoice> TypedChoice();
    // The span the boxes hold, none when a box holds no whole number in its range.
    std::optional<DateShift> TypedShift() const;

    SettingsRecord& settings_;
    ShiftPreview preview_;
    ShiftChoice choice_;
};
