// The common-controls version rule and its warning text.
#include "app/ComCtlVersion.h"

FileVersion FileVersion::FromWords(uint32_t mostSignificant, uint32_t leastSignificant) {
    return {static_cast<uint16_t>(mostSignificant >> 16), static_cast<uint16_t>(mostSignificant & 0xFFFF),
            static_cast<uint16_t>(leastSignificant >> 16), static_cast<uint16_t>(leastSignificant & 0xFFFF)};
}

bool ComCtlVersionSufficient(const std::optional<FileVersion>& found) {
    return found.has_value() && *found >= kLeastComCtlVersion;
}

std::wstring ComCtlWarningText() {
    return L"La version 4.70 ou supérieure de la librairie Windows  COMCTL32.DLL\r\n"
           L"est nécessaire pour utiliser ce programme. Cette version est livrée avec\r\n"
           L"Windows 98 ou avec la mise à jour IE4 sous Windows 95.\r\n"
           L"\r\n"
           L"Vous pouvez également installer cette librairie séparément (voyez l'aide\r\n"
           L"pour connaître une adresse Internet de téléchargement).\r\n"
           L"\r\n"
           L"L'application va être fermée.";
}
