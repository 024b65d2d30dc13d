// Text of the error raised when a folder cannot be watched.
#include "monitor/MonitorErrorText.h"

std::wstring TrimSystemErrorText(std::wstring text) {
    while (!text.empty() && (text.back() < L'!' || text.back() == L'.'))
        text.pop_back();
    return text;
}

std::wstring MonitorErrorMessage(uint32_t errorCode, const std::wstring& systemText) {
    // The code is shown as the signed number the system's own messages use.
    return L"Le rafraîchissement automatique est incompatible avec le dossier sélectionné.\n\r"
           L"Merci de le désactiver. Erreur système. Code : " +
           std::to_wstring(static_cast<int32_t>(errorCode)) + L". " + systemText;
}
