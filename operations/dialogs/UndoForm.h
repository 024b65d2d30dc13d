// The choice of the batch to take back: the batches kept in the undo journal, newest first, the
// next one to undo chosen, and whether files changed since the batch are put back all the same.
#pragma once

#include "journal/Journal.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/OwnerDataList.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One batch as the list shows it.
struct UndoRow {
    size_t BatchIndex = 0;
    std::array<std::wstring, 5> Cells; // operation, files, date, state, folder
};

struct UndoChoice {
    size_t BatchIndex = 0;
    bool EvenIfChanged = false;
};

// The rows of the batches of `contents`, newest first; `state` gives each batch's state text.
std::vector<UndoRow> UndoRows(const JournalSummary& contents, const std::vector<std::wstring>& states);

// Asks modally (through the modal runner, so tests can answer); none when the user closes it.
std::optional<UndoChoice> AskUndo(HWND owner, const std::wstring& fontName, const std::vector<UndoRow>& rows,
                                  std::optional<size_t> chosenBatch);

class UndoForm : public Form {
public:
    static constexpr int kClientWidth = 620;
    static constexpr int kClientHeight = 300;
    static constexpr const wchar_t* kCaption = L"Annuler une opération";

    // The rows must outlive the form: the list reads them as it draws them.
    UndoForm(HWND owner, const std::wstring& fontName, const std::vector<UndoRow>& rows,
             std::optional<size_t> chosenBatch);
    ~UndoForm() override;

    // The batch of the chosen row, none when no row is chosen.
    std::optional<size_t> ChosenBatch() const;
    void ChooseRow(int row);

    Label Caption;
    OwnerDataList List;
    CheckBox CheckEvenIfChanged;
    Button BtnUndo;
    Button BtnClose;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Layout();

    const std::vector<UndoRow>& rows_;
};
