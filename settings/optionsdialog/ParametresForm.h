// TParametres, the Options dialog: seven display and memory options, a preview of them on the
// file list that is undone when the dialog is cancelled, and the return of the warning dialogs.
#pragma once

#include "settings/SettingsRecord.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/GroupBox.h"
#include "ui/Panel.h"

#include <functional>
#include <string>

class TParametres : public Form {
public:
    static constexpr int kClientWidth = 285;
    static constexpr int kClientHeight = 242;

    // relist: redraws the file list with the current options; called on a preview and when a
    // cancel undoes one. It may be empty.
    TParametres(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                std::function<void()> relist);
    ~TParametres() override;

    bool Previewed() const { return previewed_; }

    GroupBox BoxParametres;
    CheckBox CheckCtrlSizeKo;
    CheckBox CheckCtrlKOctet;
    CheckBox CheckCtrlNameMaj;
    CheckBox CheckCtrlFullYear;
    CheckBox CheckCtrlTimeZero;
    CheckBox CheckSaveColumn;
    CheckBox CheckCtrlSaveDate;
    Button BtnDialogue;
    Panel ButtonPanel;
    Button BtnApercu;
    Button BtnOk;
    Button BtnCancel;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    struct SavedOptions {
        bool SizeKo, KOctet, NameMaj, FullYear, TimeZero, SaveColumn, SaveDate;
    };

    void FormCreate();
    void StoreBoxes();
    void RestoreSaved();

    SettingsRecord& settings_;
    std::function<void()> relist_;
    SavedOptions saved_{};
    bool previewed_ = false;
};
