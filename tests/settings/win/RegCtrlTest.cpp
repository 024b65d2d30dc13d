// The one-value registry functions against the real registry, under a scratch key.
#include "settings/RegCtrl.h"

#include "support/win/ScratchRegistryKey.h"

#include <gtest/gtest.h>

using namespace RegCtrl;

class RegCtrlTest : public ::testing::Test {
protected:
    ScratchRegistryKey scratch;
    std::wstring key = scratch / L"Values";
};

TEST_F(RegCtrlTest, MissingKeyGivesDefaultsAndIsNotCreated) {
    EXPECT_EQ(RegReadString(key, L"Name", L"défaut"), L"défaut");
    EXPECT_EQ(RegReadInteger(key, L"Width", 42), 42);
    EXPECT_TRUE(RegReadBool(key, L"Flag", true));
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(key));
}

TEST_F(RegCtrlTest, WritesCreateTheKeyAndItsParentsWithTheRightTypes) {
    const std::wstring deep = key + L"\\A\\B";
    EXPECT_TRUE(RegWriteString(deep, L"Text", L"C:\\Dossier é"));
    EXPECT_TRUE(RegWriteInteger(deep, L"Number", -7));
    EXPECT_TRUE(RegWriteBool(deep, L"Flag", true));
    EXPECT_EQ(ScratchRegistryKey::ValueType(deep, L"Text"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(deep, L"Text"), L"C:\\Dossier é");
    EXPECT_EQ(ScratchRegistryKey::Dword(deep, L"Number"), static_cast<DWORD>(-7));
    EXPECT_EQ(ScratchRegistryKey::Dword(deep, L"Flag"), 1u);
    EXPECT_EQ(RegReadString(deep, L"Text", L""), L"C:\\Dossier é");
    EXPECT_EQ(RegReadInteger(deep, L"Number", 0), -7);
    EXPECT_TRUE(RegReadBool(deep, L"Flag", false));
}

TEST_F(RegCtrlTest, FalseIsWrittenAsZero) {
    EXPECT_TRUE(RegWriteBool(key, L"Flag", false));
    EXPECT_EQ(ScratchRegistryKey::Dword(key, L"Flag"), 0u);
    EXPECT_FALSE(RegReadBool(key, L"Flag", true));
}

TEST_F(RegCtrlTest, ExpandableTextIsReadWithoutExpanding) {
    ScratchRegistryKey::PutText(key, L"Path", L"%WINDIR%\\x", REG_EXPAND_SZ);
    EXPECT_EQ(RegReadString(key, L"Path", L""), L"%WINDIR%\\x");
}

TEST_F(RegCtrlTest, ValuesOfTheWrongTypeGiveTheDefault) {
    ScratchRegistryKey::PutText(key, L"Flag", L"1");
    ScratchRegistryKey::PutDword(key, L"Name", 3);
    ScratchRegistryKey::PutBinary(key, L"Width", {1, 2, 3, 4});
    ScratchRegistryKey::PutBinary(key, L"Short", {1, 2}, REG_DWORD);
    EXPECT_TRUE(RegReadBool(key, L"Flag", true));
    EXPECT_FALSE(RegReadBool(key, L"Flag", false));
    EXPECT_EQ(RegReadString(key, L"Name", L"d"), L"d");
    EXPECT_EQ(RegReadInteger(key, L"Width", 9), 9);
    EXPECT_EQ(RegReadInteger(key, L"Short", 9), 9);
}

TEST_F(RegCtrlTest, DwordFiveReadsAsTrue) {
    ScratchRegistryKey::PutDword(key, L"Flag", 5);
    EXPECT_TRUE(RegReadBool(key, L"Flag", false));
}

TEST_F(RegCtrlTest, LongTextIsReadWhole) {
    const std::wstring longText(5000, L'x');
    ASSERT_TRUE(RegWriteString(key, L"Long", longText));
    EXPECT_EQ(RegReadString(key, L"Long", L""), longText);
}

TEST_F(RegCtrlTest, DeleteKeyRemovesItsSubKeys) {
    RegWriteString(key + L"\\Sub\\Deeper", L"x", L"y");
    RegWriteString(key, L"x", L"y");
    EXPECT_TRUE(RegDeleteKey(key));
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(key));
    EXPECT_TRUE(ScratchRegistryKey::KeyExists(scratch.Path()));
}

TEST_F(RegCtrlTest, DeletingAMissingKeyCountsAsSuccess) {
    EXPECT_TRUE(RegDeleteKey(key + L"\\Nowhere"));
}

TEST_F(RegCtrlTest, DeletingTheWholeHiveIsRefused) {
    EXPECT_FALSE(RegDeleteKey(L""));
    EXPECT_FALSE(RegDeleteKey(L"\\"));
    EXPECT_TRUE(ScratchRegistryKey::KeyExists(scratch.Path()));
}

TEST_F(RegCtrlTest, WriteUnderAVolatileKeyIsRefusedQuietly) {
    // The platform cannot keep a lasting key below one that lives only until the session ends.
    HKEY handle = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(handle);
    EXPECT_FALSE(RegWriteString(key + L"\\Lasting", L"x", L"y"));
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(key + L"\\Lasting"));
}
