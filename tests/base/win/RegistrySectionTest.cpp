// The settings' registry section under a scratch key: what each kind of read gives for each shape
// of stored value, what each kind of write stores, and which failures raise RegistryError.
#include "base/RegistrySection.h"

#include "base/Errors.h"
#include "support/win/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <vector>

namespace {

// Little-endian UTF-16 with its terminator, as the platform stores REG_SZ.
std::vector<uint8_t> TextBytes(const std::wstring& text) {
    std::vector<uint8_t> bytes;
    for (const wchar_t unit : text + L'\0') {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

// What each read gives for one stored value; nothing means the caller's default.
struct StoredValue {
    const char* label;
    std::optional<DWORD> type; // none: no value at all
    std::vector<uint8_t> bytes;
    std::optional<std::wstring> text;
    std::optional<int> dword;
    std::optional<int> decimal;
};

void PrintTo(const StoredValue& stored, std::ostream* out) {
    *out << stored.label;
}

class RegistrySectionReads : public ::testing::TestWithParam<StoredValue> {};

} // namespace

TEST_P(RegistrySectionReads, EachReadAcceptsOnlyItsOwnShapeAndOtherwiseGivesTheDefault) {
    const StoredValue& stored = GetParam();
    ScratchRegistryKey scratch;
    if (stored.type)
        ScratchRegistryKey::PutBinary(scratch.Path(), L"V", stored.bytes, *stored.type);
    const RegistrySection section(scratch.Path(), RegistrySection::Access::Read);
    EXPECT_EQ(section.ReadText(L"V", L"défaut"), stored.text.value_or(L"défaut"));
    EXPECT_EQ(section.ReadDword(L"V", 42), stored.dword.value_or(42));
    EXPECT_EQ(section.ReadDecimal(L"V", 42), stored.decimal.value_or(42));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, RegistrySectionReads,
    ::testing::Values(
        StoredValue{"Missing", std::nullopt, {}, std::nullopt, std::nullopt, std::nullopt},
        StoredValue{"DecimalText", REG_SZ, TextBytes(L"-12"), L"-12", std::nullopt, -12},
        StoredValue{"WordText", REG_SZ, TextBytes(L"oui"), L"oui", std::nullopt, std::nullopt},
        StoredValue{"ExpandableTextUnexpanded", REG_EXPAND_SZ, TextBytes(L"%WINDIR%"), L"%WINDIR%",
                    std::nullopt, std::nullopt},
        StoredValue{"Dword", REG_DWORD, {0xF9, 0xFF, 0xFF, 0xFF}, std::nullopt, -7, std::nullopt},
        StoredValue{"DwordOfTwoBytes", REG_DWORD, {1, 2}, std::nullopt, std::nullopt, std::nullopt},
        StoredValue{"Binary", REG_BINARY, {'1', 0}, std::nullopt, std::nullopt, std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(RegistrySection, WritingCreatesTheKeyWithItsParentsAndStoresEachFormWithItsType) {
    ScratchRegistryKey scratch;
    const std::wstring deep = scratch / L"A\\B";
    RegistrySection section(deep, RegistrySection::Access::Write);
    section.WriteText(L"Text", L"C:\\Dossier é");
    section.WriteDword(L"Dword", -7);
    section.WriteDecimal(L"Decimal", -7);
    EXPECT_EQ(ScratchRegistryKey::ValueType(deep, L"Text"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(deep, L"Text"), L"C:\\Dossier é");
    EXPECT_EQ(ScratchRegistryKey::ValueType(deep, L"Dword"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ScratchRegistryKey::Dword(deep, L"Dword"), 0xFFFFFFF9u);
    EXPECT_EQ(ScratchRegistryKey::ValueType(deep, L"Decimal"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(deep, L"Decimal"), L"-7");

    section.DeleteValue(L"Text");
    EXPECT_FALSE(ScratchRegistryKey::ValueType(deep, L"Text"));
    EXPECT_NO_THROW(section.DeleteValue(L"Text")) << "a missing value counts as deleted";
}

TEST(RegistrySection, AKeyThatCannotBeOpenedAndEveryRefusedWriteRaiseWithTheUsersMessage) {
    ScratchRegistryKey scratch;
    // The platform keeps no lasting key below one that lives only until the session ends.
    HKEY handle = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (scratch / L"Volatile").c_str(), 0, nullptr,
                                REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(handle);
    const std::wstring tooLong = scratch / std::wstring(300, L'k');
    struct Refusal {
        const char* label;
        std::function<void()> attempt;
        std::wstring message;
    };
    const std::vector<Refusal> refusals{
        {"ReadNameTooLong", [&] { RegistrySection(tooLong, RegistrySection::Access::Read); },
         L"Echec à la création de la clé " + tooLong},
        {"WriteNameTooLong", [&] { RegistrySection(tooLong, RegistrySection::Access::Write); },
         L"Echec à la création de la clé " + tooLong},
        {"WriteBelowVolatile",
         [&] { RegistrySection(scratch / L"Volatile\\Lasting", RegistrySection::Access::Write); },
         L"Echec à la création de la clé " + scratch / L"Volatile\\Lasting"},
        {"WriteThroughARead",
         [&] { RegistrySection(scratch.Path(), RegistrySection::Access::Read).WriteText(L"V", L"x"); },
         L"Echec à la définition des données pour 'V'"},
    };
    for (const Refusal& refusal : refusals) {
        std::optional<std::wstring> raised;
        try {
            refusal.attempt();
        } catch (const RegistryError& error) {
            raised = error.Message();
        }
        EXPECT_EQ(raised, refusal.message) << refusal.label;
    }
    EXPECT_FALSE(ScratchRegistryKey::ValueType(scratch.Path(), L"V"));
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(scratch / L"Volatile\\Lasting"));
}
