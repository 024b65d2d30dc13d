// TDateHeure, the date-time dialog: a date, a time of day and which of the three stamps to set.
// It opens at the mouse cursor and, when the settings say so, remembers its last accepted choice.
#pragma once

#include "listing/DateTime.h"
#include "operations/dialogs/DateTimePicker.h"
#include "operations/dialogs/StampChecks.h"
#include "settings/SettingsRecord.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"

#include <functional>
#include <optional>
#include <string>

struct DateTimeChoice {
    CivilTime When; // local date and time of day
    StampSet Stamps;
};

// Shows, over the dialog (`owner`), what its choice so far would do; the dialog stays open.
using DateTimePreview = std::function<void(HWND owner, const DateTimeChoice& choice)>;

// The access key of the preview button, free in every dialog that shows it.
inline constexpr const wchar_t* kPreviewCaption = L"Ap&erçu...";

class TDateHeure : public Form {
public:
    static constexpr int kClientWidth = 175;
    static constexpr int kClientHeight = 242;
    static constexpr const wchar_t* kWarningText = L"\r\nSélectionnez une date à modifier";
    static constexpr const wchar_t* kWarningCaption = L"Avertissement";

    // settings: read at creation, written when the dialog is accepted with SaveDate on. The
    // preview button shows only when `preview` is given.
    TDateHeure(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
               DateTimePreview preview = {});
    ~TDateHeure() override;

    // The picked date with the picked time of day (milliseconds zero).
    CivilTime PickedDateTime() const;
    // The stamps to set; never empty once accepted.
    StampSet ChosenStamps() const { return stamps_; }

    GroupBox BoxDate;
    DateTimePicker DatePicker;
    Button BtnDateMini;
    Button BtnDateActual;
    GroupBox BoxHeure;
    DateTimePicker TimePicker;
    Button BtnTimeZero;
    Button BtnTimeActual;
    GroupBox BoxAction;
    StampChecks Stamps;
    Button BtnOk;
    Button BtnCancel;
    Button BtnPreview;

private:
    void FormCreate();
    void BtnOkClick();
    void BtnPreviewClick();
    // The stamps ticked; none, after the warning OK gives, when no box is.
    std::optional<StampSet> TickedStamps();
    void AddToolTip(const Button& button, const wchar_t* text);

    SettingsRecord& settings_;
    DateTimePreview preview_;
    HWND toolTips_ = nullptr; // owned by the form, destroyed with it
    StampSet stamps_;
};
