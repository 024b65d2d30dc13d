// The Options dialog.
#include "settings/optionsdialog/ParametresForm.h"

#include <utility>

namespace {

void TakeNoFocus(const Window& control) {
    const LONG_PTR style = ::GetWindowLongPtrW(control.Handle(), GWL_STYLE);
    ::SetWindowLongPtrW(control.Handle(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_TABSTOP));
}

} // namespace

TParametres::TParametres(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                         std::function<void()> relist)
    : settings_(settings), relist_(std::move(relist)) {
    Create(L"Options", 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnScreen();
    FormCreate();
}

TParametres::~TParametres() {
    Destroy();
}

void TParametres::FormCreate() {
    previewed_ = false;
    saved_ = {settings_.SizeKo,   settings_.KOctet,     settings_.NameMaj, settings_.FullYear,
              settings_.TimeZero, settings_.SaveColumn, settings_.SaveDate};

    BoxParametres.Create(Handle(), L" Paramètres ", 8, 4, 269, 190);
    struct Row {
        CheckBox& box;
        const wchar_t* caption;
        bool checked;
    };
    const Row rows[] = {
        {CheckCtrlSizeKo, L" Afficher le poids des fichiers en octets", !settings_.SizeKo},
        {CheckCtrlKOctet, L" Afficher le poids de la sélection en octets", !settings_.KOctet},
        {CheckCtrlNameMaj, L" Respecter la casse des noms de fichiers", settings_.NameMaj},
        {CheckCtrlFullYear, L" Afficher les années sur quatre chiffres", settings_.FullYear},
        {CheckCtrlTimeZero, L" Afficher les heures réglées sur 00:00:00", settings_.TimeZero},
        {CheckSaveColumn, L" Mémoriser le réglage des colonnes", settings_.SaveColumn},
        {CheckCtrlSaveDate, L" Mémoriser le réglage d'horodatage", settings_.SaveDate},
    };
    int y = 22;
    for (const Row& row : rows) {
        // As wide as the group box's inside allows: the longest caption needs all of it.
        row.box.Create(Handle(), row.caption, 14, y, 260, 18);
        row.box.SetChecked(row.checked);
        y += 20;
    }
    BtnDialogue.Create(Handle(), L"Réafficher les dialogues d'avertissement", 18, y + 4, 249, 24);

    ButtonPanel.Create(Handle(), Align::None, 269, 38);
    ButtonPanel.SetBevel(Panel::Bevel::Raised);
    ::SetWindowPos(ButtonPanel.Handle(), nullptr, Scale(8), Scale(198), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    BtnApercu.Create(ButtonPanel.Handle(), L"Aperç&u", 6, 6, 82, 26);
    BtnOk.Create(ButtonPanel.Handle(), L"&Régler", 93, 6, 82, 26, 0, true);
    BtnCancel.Create(ButtonPanel.Handle(), L"&Annuler", 180, 6, 82, 26);
    for (const Button* button : {&BtnDialogue, &BtnApercu, &BtnOk, &BtnCancel})
        TakeNoFocus(*button);

    BtnDialogue.OnClick = [this] {
        settings_.FirstZero = true;
        settings_.FirstMin = true;
        settings_.FirstMaj = true;
        settings_.FirstMajMin = true;
        BtnDialogue.SetEnabled(false);
    };
    BtnApercu.OnClick = [this] {
        previewed_ = true;
        StoreBoxes();
        if (relist_)
            relist_();
    };
    BtnOk.OnClick = [this] {
        StoreBoxes();
        SetModalResult(mrOk);
    };
    BtnCancel.OnClick = [this] {
        RestoreSaved();
        SetModalResult(mrCancel);
    };
    ::SetFocus(CheckCtrlSizeKo.Handle());
}

void TParametres::StoreBoxes() {
    settings_.SizeKo = !CheckCtrlSizeKo.Checked();
    settings_.KOctet = !CheckCtrlKOctet.Checked();
    settings_.NameMaj = CheckCtrlNameMaj.Checked();
    settings_.FullYear = CheckCtrlFullYear.Checked();
    settings_.TimeZero = CheckCtrlTimeZero.Checked();
    settings_.SaveColumn = CheckSaveColumn.Checked();
    settings_.SaveDate = CheckCtrlSaveDate.Checked();
}

void TParametres::RestoreSaved() {
    settings_.SizeKo = saved_.SizeKo;
    settings_.KOctet = saved_.KOctet;
    settings_.NameMaj = saved_.NameMaj;
    settings_.FullYear = saved_.FullYear;
    settings_.TimeZero = saved_.TimeZero;
    settings_.SaveColumn = saved_.SaveColumn;
    settings_.SaveDate = saved_.SaveDate;
    if (previewed_ && relist_)
        relist_();
}

LRESULT TParametres::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // The title-bar button and Escape cancel like "Annuler", so that a preview never stays in
    // force unasked.
    const bool escape = msg == WM_COMMAND && LOWORD(wp) == IDCANCEL && HIWORD(wp) == 0 && lp == 0;
    if ((msg == WM_CLOSE || escape) && IsModal() && GetModalResult() == mrNone)
        RestoreSaved();
    return Form::HandleMessage(msg, wp, lp);
}
