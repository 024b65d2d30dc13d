// The start-up check of the common-controls library: the version rule, the reading of version
// resources and the warning's exact text.
#include "app/ComCtlVersion.h"
#include "app/ModuleVersion.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

TEST(ComCtlVersion, ExactlyTheLeastVersionPasses) {
    EXPECT_TRUE(ComCtlVersionSufficient(FileVersion{4, 70, 0, 0}));
}

TEST(ComCtlVersion, OlderVersionsFail) {
    EXPECT_FALSE(ComCtlVersionSufficient(FileVersion{4, 69, 9999, 9999}));
    EXPECT_FALSE(ComCtlVersionSufficient(FileVersion{4, 0, 0, 950}));
    EXPECT_FALSE(ComCtlVersionSufficient(FileVersion{3, 99, 0, 0}));
}

TEST(ComCtlVersion, LaterVersionsPassPartByPartFromTheMajor) {
    EXPECT_TRUE(ComCtlVersionSufficient(FileVersion{4, 70, 0, 1}));
    EXPECT_TRUE(ComCtlVersionSufficient(FileVersion{4, 72, 0, 0}));
    EXPECT_TRUE(ComCtlVersionSufficient(FileVersion{5, 0, 0, 0}));
    EXPECT_TRUE(ComCtlVersionSufficient(FileVersion{6, 10, 0, 0}));
}

TEST(ComCtlVersion, MissingVersionFails) {
    EXPECT_FALSE(ComCtlVersionSufficient(std::nullopt));
}

TEST(ComCtlVersion, VersionWordsSplitIntoFourParts) {
    EXPECT_EQ(FileVersion::FromWords(0x00040046, 0x00010002), (FileVersion{4, 70, 1, 2}));
}

TEST(ComCtlVersion, WarningTextHasItsLinesSeparatedByCrLf) {
    EXPECT_EQ(ComCtlWarningText(),
              L"La version 4.70 ou supérieure de la librairie Windows  COMCTL32.DLL\r\n"
              L"est nécessaire pour utiliser ce programme. Cette version est livrée avec\r\n"
              L"Windows 98 ou avec la mise à jour IE4 sous Windows 95.\r\n\r\n"
              L"Vous pouvez également installer cette librairie séparément (voyez l'aide\r\n"
              L"pour connaître une adresse Internet de téléchargement).\r\n\r\n"
              L"L'application va être fermée.");
}

TEST(ModuleVersion, FileWithoutVersionResourceHasNoVersion) {
    TempFolder folder;
    const std::wstring plain = folder.MakeFile(L"plain.dll", "not a program");
    EXPECT_FALSE(ReadFileVersion(plain).has_value());
    EXPECT_FALSE(ReadFileVersion(folder / L"missing.dll").has_value());
    EXPECT_FALSE(ReadFileVersion(L"").has_value());
}

TEST(ModuleVersion, LoadedCommonControlsLibraryHasAVersionThatPasses) {
    const std::wstring path = LoadedModulePath(L"COMCTL32.DLL");
    ASSERT_FALSE(path.empty());
    const auto version = ReadFileVersion(path);
    ASSERT_TRUE(version.has_value());
    EXPECT_GE(version->Major, 5);
    EXPECT_TRUE(ComCtlCheckPasses());
}

TEST(ModuleVersion, LibraryThatIsNotLoadedHasNoPath) {
    EXPECT_TRUE(LoadedModulePath(L"KAVET-NOT-LOADED.DLL").empty());
}
