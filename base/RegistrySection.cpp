// The settings' registry policy: defaults on reading, RegistryError on a key that cannot be
// opened and on a refused write.
#include "base/RegistrySection.h"

#include "base/Errors.h"
#include "base/RegistryData.h"
#include "base/TextHelpers.h"

RegistrySection::RegistrySection(const std::wstring& path, Access access, HKEY root) {
    // Reading leaves the registry as it is. A key that cannot exist is still reported at once, as
    // when writing it, instead of passing for a first run and failing only when the program closes.
    const LSTATUS rc = access == Access::Write ? key_.OpenForWrite(root, path) : key_.OpenForRead(root, path);
    if (rc != ERROR_SUCCESS && !(access == Access::Read && rc == ERROR_FILE_NOT_FOUND))
        throw RegistryError(L"Echec à la création de la clé " + path);
}

std::wstring RegistrySection::ReadText(const std::wstring& name, const std::wstring& defaultValue) const {
    const RegistryValue value = ReadRaw(name);
    return TextFromRegistryData(value.type, value.data.data(), value.data.size()).value_or(defaultValue);
}

int RegistrySection::ReadDword(const std::wstring& name, int defaultValue) const {
    const RegistryValue value = ReadRaw(name);
    return IntegerFromRegistryData(value.type, value.data.data(), value.data.size()).value_or(defaultValue);
}

int RegistrySection::ReadDecimal(const std::wstring& name, int defaultValue) const {
    const RegistryValue value = ReadRaw(name);
    const auto text = TextFromRegistryData(value.type, value.data.data(), value.data.size());
    return text ? ParseDecimalInteger(*text).value_or(defaultValue) : defaultValue;
}

void RegistrySection::WriteText(const std::wstring& name, const std::wstring& text) {
    CheckWrite(key_.WriteText(name, text), name);
}

void RegistrySection::WriteDword(const std::wstring& name, int number) {
    CheckWrite(key_.WriteDword(name, static_cast<DWORD>(number)), name);
}

void RegistrySection::WriteDecimal(const std::wstring& name, int number) {
    WriteText(name, std::to_wstring(number));
}

void RegistrySection::DeleteValue(const std::wstring& name) {
    const LSTATUS rc = key_.DeleteValue(name);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw RegistryError(L"Echec à la suppression de la valeur '" + name + L"'");
}

RegistryValue RegistrySection::ReadRaw(const std::wstring& name) const {
    // A value that cannot be read comes back empty and typeless, which every decoding refuses.
    RegistryValue value;
    key_.Read(name, value);
    return value;
}

void RegistrySection::CheckWrite(LSTATUS status, const std::wstring& name) {
    if (status != ERROR_SUCCESS)
        throw RegistryError(L"Echec à la définition des données pour '" + name + L"'");
}

std::wstring RegistrySubKey(const std::wstring& key, const std::wstring& subKey) {
    if (key.empty())
        return subKey;
    if (subKey.empty())
        return key;
    return key + L"\\" + subKey;
}
