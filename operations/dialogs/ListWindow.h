// The frame the list windows share ("Rapport", "Aperçu"): a count line above a list that takes
// the rest of the window, "&Copier" and "&Fermer" below it, Ctrl+C anywhere to copy, Enter in the
// list to close. Each window adds its own columns and says what copying gives.
#pragma once

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/OwnerDataList.h"

#include <windows.h>

#include <functional>
#include <string>

class ListWindow : public Form {
public:
    Label CountLabel;
    OwnerDataList List;
    Button BtnCopy;
    Button BtnClose;

protected:
    // Sizes are design sizes of the client area.
    ListWindow(HWND owner, const std::wstring& fontName, const std::wstring& caption, SIZE client,
               SIZE minClient, const std::wstring& countLine);
    // Once the columns are added: `copy` runs on "&Copier" and on Ctrl+C, and the window is laid
    // out, the last column taking the rest of the list's width (its texts are the longest).
    void FinishList(std::function<void()> copy);

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Layout();
    void ListenForCopyKey(Window& window);

    std::function<void()> copy_;
};
