// "Recaler l'horloge d'un appareil": one photo's camera and the date it says it was taken, the
// date-time it was really taken, and which stamps move by the difference on every photo of that
// camera.
#pragma once

#include "listing/DateTime.h"
#include "operations/DateShift.h"
#include "operations/Stamp.h"
#include "operations/dialogs/DateTimePicker.h"
#include "operations/dialogs/StampChecks.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"

#include <functional>
#include <optional>
#include <string>

struct CameraClockChoice {
    DateShift Shift; // the time really taken minus the camera's
    StampSet Stamps;
};

// Shows, over the dialog (`owner`), what its choice so far would do; the dialog stays open.
using CameraClockPreview = std::function<void(HWND owner, const CameraClockChoice& choice)>;

// The reference photo as the dialog shows it.
struct CameraClockPhoto {
    std::wstring FileName;
    std::wstring Camera;
    CivilTime Taken; // the camera's clock reading, local time
};

class CameraClockForm : public Form {
public:
    static constexpr int kClientWidth = 380;
    static constexpr int kClientHeight = 262;
    static constexpr const wchar_t* kCaption = L"Recaler l'horloge d'un appareil";
    static constexpr const wchar_t* kSameTimeText =
        L"\r\nL'heure réelle doit différer de celle de l'appareil, de moins de 9999 jours.";

    // The preview button shows only when `preview` is given.
    CameraClockForm(HWND owner, const std::wstring& fontName, const CameraClockPhoto& photo,
                    CameraClockPreview preview = {});
    ~CameraClockForm() override;

    // Once accepted.
    const CameraClockChoice& Choice() const { return choice_; }

    Label LabelPhoto;
    Label LabelCamera;
    Label LabelTaken;
    GroupBox BoxReal;
    DateTimePicker DatePicker;
    DateTimePicker TimePicker;
    GroupBox BoxAction;
    StampChecks Stamps;
    Button BtnOk;
    Button BtnCancel;
    Button BtnPreview;

private:
    // The choice the dialog holds; none, after a warning, when it is not one.
    std::optional<CameraClockChoice> TypedChoice();

    CivilTime taken_;
    CameraClockPreview preview_;
    CameraClockChoice choice_;
};

// The accepted choice, or nothing when the dialog was cancelled.
std::optional<CameraClockChoice> AskCameraClock(HWND owner, const std::wstring& fontName,
                                                const CameraClockPhoto& photo,
                                                const CameraClockPreview& preview = {});
