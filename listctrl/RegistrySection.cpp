// Text values of one settings section in the current user's registry.
#include "listctrl/RegistrySection.h"

#include "listctrl/ColumnList.h"
#include "base/Errors.h"
#include "base/RegistryData.h"

namespace {

std::wstring JoinKey(const std::wstring& key, const std::wstring& section) {
    return key.empty() ? section : key + L"\\" + section;
}

} // namespace

RegistrySection::RegistrySection(const std::wstring& key, const std::wstring& section, Access access) {
    const std::wstring path = JoinKey(key, section);
    if (access == Access::Write) {
        if (key_.OpenForWrite(HKEY_CURRENT_USER, path) != ERROR_SUCCESS)
            throw RegistryError(L"Echec à la création de la clé " + path);
        return;
    }
    // Reading leaves the registry as it is: a missing section reads as nothing stored. A key that
    // cannot exist (a name too long, say) is still reported at once, as when writing it, instead
    // of passing for a first run and failing only when the program closes.
    const LSTATUS rc = key_.OpenForRead(HKEY_CURRENT_USER, path);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw RegistryError(L"Echec à la création de la clé " + path);
}

std::optional<std::wstring> RegistrySection::ReadString(const wchar_t* name) const {
    RegistryValue value;
    if (key_.Read(name, value) != ERROR_SUCCESS)
        return std::nullopt;
    // A value of another type reads as missing: like every other stored setting, it gives the
    // default rather than stopping the program's start.
    return TextFromRegistryData(value.type, value.data.data(), value.data.size());
}

int RegistrySection::ReadInteger(const wchar_t* name, int defaultValue) const {
    const auto text = ReadString(name);
    if (!text)
        return defaultValue;
    return ParseDecimalInteger(*text).value_or(defaultValue);
}

bool RegistrySection::ReadBool(const wchar_t* name, bool defaultValue) const {
    return ReadInteger(name, defaultValue ? 1 : 0) != 0;
}

void RegistrySection::WriteString(const wchar_t* name, const std::wstring& value) {
    if (key_.WriteText(name, value) != ERROR_SUCCESS)
        throw RegistryError(std::wstring(L"Echec à la définition des données pour '") + name + L"'");
}

void RegistrySection::WriteInteger(const wchar_t* name, int value) {
    WriteString(name, std::to_wstring(value));
}

void RegistrySection::WriteBool(const wchar_t* name, bool value) {
    WriteString(name, value ? L"1" : L"0");
}
