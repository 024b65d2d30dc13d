// The message of a folder that cannot be watched.
#include "monitor/MonitorErrorText.h"

#include <gtest/gtest.h>

TEST(MonitorErrorText, SystemTextLosesTrailingBlanksControlsAndFullStops) {
    EXPECT_EQ(TrimSystemErrorText(L"Paramètre incorrect.\r\n"), L"Paramètre incorrect");
    EXPECT_EQ(TrimSystemErrorText(L"Accès refusé. . \r\n\t"), L"Accès refusé");
    EXPECT_EQ(TrimSystemErrorText(L"Fini!"), L"Fini!");
    EXPECT_EQ(TrimSystemErrorText(L"...\r\n"), L"");
    EXPECT_EQ(TrimSystemErrorText(L""), L"");
}

TEST(MonitorErrorText, MessageHasTwoLinesWithTheCodeAndTheSystemText) {
    EXPECT_EQ(MonitorErrorMessage(267, L"Nom de répertoire non valide"),
              L"Le rafraîchissement automatique est incompatible avec le dossier sélectionné.\n\r"
              L"Merci de le désactiver. Erreur système. Code : 267. Nom de répertoire non valide");
}

TEST(MonitorErrorText, CodeIsShownAsASignedNumber) {
    EXPECT_NE(MonitorErrorMessage(0x80070005u, L"x").find(L"Code : -2147024891. x"), std::wstring::npos);
}
