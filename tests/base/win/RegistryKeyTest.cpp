// The registry core under a scratch key: reading creates nothing, values come back whole whatever
// their shape, writing creates the key, and deleting refuses to empty a whole root.
#include "base/RegistryKey.h"

#include "support/win/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

RegistryValue ReadBack(const std::wstring& key, const std::wstring& name, LSTATUS& status) {
    RegistryKey handle;
    RegistryValue value;
    status = handle.OpenForRead(HKEY_CURRENT_USER, key);
    if (status == ERROR_SUCCESS)
        status = handle.Read(name, value);
    return value;
}

struct StoredShape {
    const char* label;
    DWORD type;
    std::vector<uint8_t> bytes;
};

class RegistryKeyValueShapes : public ::testing::TestWithParam<StoredShape> {};

} // namespace

TEST_P(RegistryKeyValueShapes, ReadGivesTheTypeAndEveryByteAsStored) {
    ScratchRegistryKey scratch;
    ScratchRegistryKey::PutBinary(scratch.Path(), L"V", GetParam().bytes, GetParam().type);
    LSTATUS status = ERROR_GEN_FAILURE;
    const RegistryValue value = ReadBack(scratch.Path(), L"V", status);
    EXPECT_EQ(status, ERROR_SUCCESS);
    EXPECT_EQ(value.type, GetParam().type);
    EXPECT_EQ(value.data, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Shapes, RegistryKeyValueShapes,
                         ::testing::Values(StoredShape{"Empty", REG_BINARY, {}},
                                           StoredShape{"TextOfAnOddByteCount", REG_SZ, {'a', 0, 'b'}},
                                           StoredShape{"DwordOfTwoBytes", REG_DWORD, {1, 2}},
                                           StoredShape{"Large", REG_BINARY,
                                                       std::vector<uint8_t>(200000, 0x5A)}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(RegistryKey, ReadingAMissingKeyOrValueFailsAndCreatesNothing) {
    ScratchRegistryKey scratch;
    const std::wstring missing = scratch / L"Missing";
    LSTATUS status = ERROR_SUCCESS;
    EXPECT_TRUE(ReadBack(missing, L"V", status).data.empty());
    EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(missing));

    ScratchRegistryKey::PutText(scratch.Path(), L"Other", L"x");
    const RegistryValue value = ReadBack(scratch.Path(), L"V", status);
    EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_NONE));

    RegistryKey closed;
    RegistryValue none;
    EXPECT_NE(closed.Read(L"Other", none), ERROR_SUCCESS);
    EXPECT_NE(closed.WriteText(L"Other", L"y"), ERROR_SUCCESS);
    EXPECT_NE(closed.OpenForRead(nullptr, L"Other"), ERROR_SUCCESS);
}

TEST(RegistryKey, WritingCreatesTheKeyAndItsParentsAndStoresTextWithItsTerminator) {
    ScratchRegistryKey scratch;
    const std::wstring deep = scratch / L"A\\B";
    RegistryKey handle;
    ASSERT_EQ(handle.OpenForWrite(HKEY_CURRENT_USER, deep), ERROR_SUCCESS);
    EXPECT_EQ(handle.WriteText(L"Text", L"été"), ERROR_SUCCESS);
    EXPECT_EQ(handle.WriteDword(L"Number", 0xFFFFFFFFu), ERROR_SUCCESS);
    EXPECT_EQ(ScratchRegistryKey::ValueType(deep, L"Text"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(deep, L"Text"), L"été");
    LSTATUS status = ERROR_GEN_FAILURE;
    EXPECT_EQ(ReadBack(deep, L"Text", status).data.size(), 4 * sizeof(wchar_t));
    EXPECT_EQ(ScratchRegistryKey::Dword(deep, L"Number"), 0xFFFFFFFFu);
}

TEST(RegistryKey, DeletingTakesTheWholeTreeCountsAMissingKeyAsDoneAndRefusesTheRootItself) {
    ScratchRegistryKey scratch;
    ScratchRegistryKey::PutText(scratch / L"Tree\\Leaf", L"V", L"x");
    EXPECT_EQ(DeleteRegistryTree(HKEY_CURRENT_USER, scratch / L"Tree"), ERROR_SUCCESS);
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(scratch / L"Tree"));
    EXPECT_EQ(DeleteRegistryTree(HKEY_CURRENT_USER, scratch / L"Tree"), ERROR_SUCCESS);

    RegistryKey parent;
    ASSERT_EQ(parent.OpenForWrite(HKEY_CURRENT_USER, scratch.Path()), ERROR_SUCCESS);
    ScratchRegistryKey::PutText(scratch / L"Kept", L"V", L"x");
    EXPECT_EQ(DeleteRegistryTree(parent.Handle(), L""), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(DeleteRegistryTree(parent.Handle(), L"\\\\"), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(ScratchRegistryKey::KeyExists(scratch / L"Kept"));
}
