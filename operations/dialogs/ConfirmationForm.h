// The confirmation dialogs shown before one-click operations (time zero, the three name cases):
// one layout built from a description (caption, explanation, check box text), with a box that
// switches the dialog off from then on.
#pragma once

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"

#include <functional>
#include <string>

struct ConfirmationText {
    const wchar_t* Caption;
    const wchar_t* Explanation;
    const wchar_t* CheckCaption;
};

// Shows, over the dialog (`owner`), what the operation would do; the dialog stays open.
using ConfirmationPreview = std::function<void(HWND owner)>;

class ConfirmationForm : public Form {
public:
    static constexpr int kClientWidth = 520;
    static constexpr int kClientHeight = 135;

    // The preview button shows only when `preview` is given.
    ConfirmationForm(HWND owner, const std::wstring& fontName, const ConfirmationText& text,
                     ConfirmationPreview preview = {});
    ~ConfirmationForm() override;

    // Whether the user asked not to see the dialog again.
    bool DontShowAgain() const { return CheckFirst.Checked(); }

    Panel TopPanel;
    Label Label1;
    CheckBox CheckFirst;
    Panel ButtonPanel;
    Button BtnOk;
    Button BtnCancel;
    Button BtnPreview;

private:
    ConfirmationPreview preview_;
};

extern const ConfirmationText kHeureZeroText;
extern const ConfirmationText kNameMajText;
extern const ConfirmationText kNameMinText;
extern const ConfirmationText kNameMajMinText;

// The four dialogs by their own names.
class THeureZero : public ConfirmationForm {
public:
    THeureZero(HWND owner, const std::wstring& fontName)
        : ConfirmationForm(owner, fontName, kHeureZeroText) {}
};

class TNameMaj : public ConfirmationForm {
public:
    TNameMaj(HWND owner, const std::wstring& fontName) : ConfirmationForm(owner, fontName, kNameMajText) {}
};

class TNameMin : public ConfirmationForm {
public:
    TNameMin(HWND owner, const std::wstring& fontName) : ConfirmationForm(owner, fontName, kNameMinText) {}
};

class TNameMajMin : public ConfirmationForm {
public:
    TNameMajMin(HWND owner, const std::wstring& fontName)
        : ConfirmationForm(owner, fontName, kNameMajMinText) {}
};
