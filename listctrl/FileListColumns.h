// The file list's eight columns as designed, in the order of TFileColumn: the main window builds
// its list from them and the control's tests build theirs the same way.
#pragma once

#include "listctrl/ListViewTypes.h"

struct ColumnDesign {
    const wchar_t* caption;
    int width; // at 96 dots per inch
    TCaptionAlignment alignment;
};

inline constexpr ColumnDesign kFileListColumns[] = {{L"Nom", 120, caLeft},       {L"Taille", 60, caRight},
                                                    {L"Créé", 120, caLeft},      {L"Modifié", 120, caLeft},
                                                    {L"Accédé", 100, caLeft},    {L"Nom Dos", 120, caLeft},
                                                    {L"Attributs", 50, caRight}, {L"Type", 300, caLeft}};
