// Display forms of folder paths resolved against the real file system.
#include "dirtree/PathNames.h"
#include "base/Locale.h"

#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

TEST(GetRealPathName, RootBecomesTheBareDrive) {
    EXPECT_EQ(GetRealPathName(L"C:\\"), L"C:");
    EXPECT_EQ(GetRealPathName(L"c:"), L"C:");
    EXPECT_EQ(GetRealPathName(L""), L"");
}

TEST(GetRealPathName, UpperCasedPathGetsTheStoredLetterCase) {
    TempFolder temp;
    temp.MakeFolder(L"MixedCase Été");
    temp.MakeFolder(L"MixedCase Été\\Inner");
    const std::wstring stored = GetRealPathName(temp.Path());
    const std::wstring typed = CurrentLocale().ToUpper(temp / L"MixedCase Été\\Inner") + L"\\";
    EXPECT_EQ(GetRealPathName(typed), stored + L"\\MixedCase Été\\Inner");
    EXPECT_EQ(GetRealFolderName(typed), L"Inner\\");
}

TEST(GetRealPathName, MissingComponentsStayAsGiven) {
    TempFolder temp;
    const std::wstring stored = GetRealPathName(temp.Path());
    EXPECT_EQ(GetRealPathName(temp / L"NoSuch\\Thing\\"), stored + L"\\NoSuch\\Thing");
    EXPECT_FALSE(PathExists(temp / L"NoSuch"));
    EXPECT_TRUE(PathExists(temp.Path()));
}

TEST(GetRealPathName, DisplayNamesOfFoldersEndTheSameWay) {
    TempFolder temp;
    temp.MakeFolder(L"Shown");
    EXPECT_EQ(GetDisplayFolderName(temp / L"Shown\\"), L"Shown\\");
}
