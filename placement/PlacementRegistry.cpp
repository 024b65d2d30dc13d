// Text values in the sections of one registry key, for the placement store.
#include "placement/PlacementRegistry.h"

#include "listing/Errors.h"
#include "placement/PlacementText.h"
#include "settings/RegistryData.h"

#include <algorithm>
#include <cstdint>
#include <vector>

PlacementRegistry::PlacementRegistry(HKEY root, const std::wstring& keyPath, Access access)
    : keyPath_(keyPath) {
    if (access == Access::Read) {
        ::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ, key_.Put());
        return;
    }
    const LONG rc = ::RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE, nullptr, key_.Put(), nullptr);
    if (rc != ERROR_SUCCESS)
        throw RegistryError(L"Impossible de créer la clé de registre « " + keyPath + L" ».");
}

std::wstring PlacementRegistry::ReadString(const std::wstring& section, const std::wstring& name,
                                           const std::wstring& defaultValue) const {
    if (!key_)
        return defaultValue;
    RegKey sectionKey;
    if (::RegOpenKeyExW(key_.Get(), section.c_str(), 0, KEY_QUERY_VALUE, sectionKey.Put()) != ERROR_SUCCESS)
        return defaultValue;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExW(sectionKey.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return defaultValue;
    std::vector<uint8_t> data(size);
    if (::RegQueryValueExW(sectionKey.Get(), name.c_str(), nullptr, &type,
                           data.empty() ? nullptr : data.data(), &size) != ERROR_SUCCESS)
        return defaultValue;
    // Another type than text is taken as missing: a garbled value must not stop the window opening.
    const auto text = TextFromRegistryData(type, data.data(), std::min<size_t>(size, data.size()));
    return text ? *text : defaultValue;
}

int PlacementRegistry::ReadInteger(const std::wstring& section, const std::wstring& name,
                                   int defaultValue) const {
    return DecimalOrDefault(ReadString(section, name, L""), defaultValue);
}

void PlacementRegistry::WriteString(const std::wstring& section, const std::wstring& name,
                                    const std::wstring& value) {
    RegKey sectionKey;
    LONG rc = ::RegCreateKeyExW(key_.Get(), section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_SET_VALUE, nullptr, sectionKey.Put(), nullptr);
    if (rc == ERROR_SUCCESS)
        rc = ::RegSetValueExW(sectionKey.Get(), name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS)
        throw RegistryError(L"Impossible d'écrire la valeur « " + name + L" » dans la clé de registre « " +
                            keyPath_ + L"\\" + section + L" ».");
}

void PlacementRegistry::WriteInteger(const std::wstring& section, const std::wstring& name, int value) {
    WriteString(section, name, std::to_wstring(value));
}
