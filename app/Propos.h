// TPropos, the About box: the program's icon, name and version, an author line and a link to
// the maker's web site.
#pragma once

#include "app/ProgramVersion.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/LinkLabel.h"

#include <string>

class TPropos : public Form {
public:
    // fontName: the main window's font face, which the box uses too.
    TPropos(HWND owner, const std::wstring& fontName);
    ~TPropos() override;

    static constexpr const wchar_t* kProgramText = L"Kavet24 " KAVET_VERSION_TEXT;
    static constexpr const wchar_t* kAuthorText = L"Lumarek - Horodatage et casse des fichiers";
    static constexpr const wchar_t* kAddress = L"www.lumarek.fr";

    Control Icon;
    Label LabelPrg;
    Label LabelAuteur;
    LinkLabel ASLink2;

private:
    void FormCreate();

    IconHandle icon_; // the program's icon at the box's DPI
};
