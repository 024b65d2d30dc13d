// Text values of one settings section in the current user's registry.
#include "listctrl/RegistrySection.h"

#include "listctrl/ColumnList.h"
#include "listing/Errors.h"

#include <vector>

namespace {

std::wstring JoinKey(const std::wstring& key, const std::wstring& section) {
    return key.empty() ? section : key + L"\\" + section;
}

[[noreturn]] void ThrowCreateFailed(const std::wstring& path) {
    throw RegistryError(L"Echec à la création de la clé " + path);
}

} // namespace

RegistrySection::RegistrySection(const std::wstring& key, const std::wstring& section, Access access) {
    const std::wstring path = JoinKey(key, section);
    if (access == Access::Write) {
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, key_.Put(), nullptr) != ERROR_SUCCESS)
            ThrowCreateFailed(path);
        return;
    }
    // The product key is made on a read too, so that a key that cannot exist is reported at once
    // instead of passing for "nothing stored".
    if (!key.empty()) {
        RegKey product;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, product.Put(), nullptr) != ERROR_SUCCESS)
            ThrowCreateFailed(key);
    }
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key_.Put()) != ERROR_SUCCESS)
        key_.Reset();
}

std::optional<std::wstring> RegistrySection::ReadString(const wchar_t* name) const {
    if (!key_)
        return std::nullopt;
    for (;;) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(key_.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        // A value of another type reads as missing: like every other stored setting, it gives the
        // default rather than stopping the program's start.
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return std::nullopt;
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = size;
        const LONG rc =
            ::RegQueryValueExW(key_.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (rc == ERROR_MORE_DATA)
            continue; // the value grew in between
        if (rc != ERROR_SUCCESS)
            return std::nullopt;
        std::wstring text(data.data(), got / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return text;
    }
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
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (!key_ || ::RegSetValueExW(key_.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  bytes) != ERROR_SUCCESS)
        throw RegistryError(std::wstring(L"Echec à la définition des données pour '") + name + L"'");
}

void RegistrySection::WriteInteger(const wchar_t* name, int value) {
    WriteString(name, std::to_wstring(value));
}

void RegistrySection::WriteBool(const wchar_t* name, bool value) {
    WriteString(name, value ? L"1" : L"0");
}
