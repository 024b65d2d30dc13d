// The dialog of "Copier les dates d'une autre arborescence": the folder the copy came from (typed,
// or picked with "Parcourir..."), the stamps it gives, and whether a file of another size takes
// them too.
#pragma once

#include "operations/Stamp.h"
#include "operations/dialogs/StampChecks.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"

#include <functional>
#include <optional>
#include <string>

struct FromTreeChoice {
    // As typed.
    std::wstring Folder;
    StampSet Stamps = kAllStamps;
    bool EvenIfSizeDiffers = false;
};

// Why the folder typed cannot give its stamps, as a sentence; none when it can.
using FromTreeFolderCheck = std::function<std::optional<std::wstring>(const std::wstring& typed)>;
// Shows, over the dialog (`owner`), what the choice made so far would do; the dialog stays open.
using FromTreePreview = std::function<void(HWND owner, const FromTreeChoice& choice)>;
// The folder dialog, opening on `start`; none when cancelled. Tests type the folder instead.
using FolderPicker = std::function<std::optional<std::wstring>(HWND owner, const std::wstring& start)>;

class FromTreeForm : public Form {
public:
    static constexpr int kClientWidth = 400;
    static constexpr int kClientHeight = 252;
    static constexpr const wchar_t* kCaption = L"Copier les dates d'une autre arborescence";

    // The preview button shows only when `preview` is given.
    FromTreeForm(HWND owner, const std::wstring& fontName, FromTreeFolderCheck check, FolderPicker picker,
                 FromTreePreview preview = {});
    ~FromTreeForm() override;

    // Once accepted.
    const FromTreeChoice& Choice() const { return choice_; }

    Label LabelIntro;
    Edit EditFolder;
    Button BtnBrowse;
    GroupBox BoxStamps;
    StampChecks Stamps;
    CheckBox CheckEvenSize;
    Button BtnOk;
    Button BtnCancel;
    Button BtnPreview;

private:
    void BtnOkClick();
    void BtnBrowseClick();
    // The choice as the dialog shows it; none, after the warning, when it is not one.
    std::optional<FromTreeChoice> ShownChoice();

    FromTreeFolderCheck check_;
    FolderPicker picker_;
    FromTreePreview preview_;
    FromTreeChoice choice_;
};

// The accepted choice, or nothing when the dialog was cancelled.
std::optional<FromTreeChoice> AskFromTree(HWND owner, const std::wstring& fontName,
                                          const FromTreeFolderCheck& check, const FolderPicker& picker,
                                          const FromTreePreview& preview = {});
