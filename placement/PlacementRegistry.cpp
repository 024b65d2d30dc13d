// Text values in the sections of one registry key, for the placement store.
#include "placement/PlacementRegistry.h"

#include "base/Errors.h"
#include "placement/PlacementText.h"
#include "base/RegistryData.h"
#include "base/TextHelpers.h"

PlacementRegistry::PlacementRegistry(HKEY root, const std::wstring& keyPath, Access access)
    : keyPath_(keyPath) {
    if (access == Access::Read) {
        key_.OpenForRead(root, keyPath);
        return;
    }
    if (key_.OpenForWrite(root, keyPath) != ERROR_SUCCESS)
        throw RegistryError(L"Impossible de créer la clé de registre " + Quoted(keyPath) + L".");
}

std::wstring PlacementRegistry::ReadString(const std::wstring& section, const std::wstring& name,
                                           const std::wstring& defaultValue) const {
    RegistryKey sectionKey;
    RegistryValue value;
    if (sectionKey.OpenForRead(key_.Handle(), section) != ERROR_SUCCESS ||
        sectionKey.Read(name, value) != ERROR_SUCCESS)
        return defaultValue;
    // Another type than text is taken as missing: a garbled value must not stop the window opening.
    const auto text = TextFromRegistryData(value.type, value.data.data(), value.data.size());
    return text ? *text : defaultValue;
}

int PlacementRegistry::ReadInteger(const std::wstring& section, const std::wstring& name,
                                   int defaultValue) const {
    return DecimalOrDefault(ReadString(section, name, L""), defaultValue);
}

void PlacementRegistry::WriteString(const std::wstring& section, const std::wstring& name,
                                    const std::wstring& value) {
    RegistryKey sectionKey;
    LSTATUS rc = sectionKey.OpenForWrite(key_.Handle(), section);
    if (rc == ERROR_SUCCESS)
        rc = sectionKey.WriteText(name, value);
    if (rc != ERROR_SUCCESS)
        throw RegistryError(L"Impossible d'écrire la valeur " + Quoted(name) + L" dans la clé de registre " +
                            Quoted(keyPath_ + L"\\" + section) + L".");
}

void PlacementRegistry::WriteInteger(const std::wstring& section, const std::wstring& name, int value) {
    WriteString(section, name, std::to_wstring(value));
}
