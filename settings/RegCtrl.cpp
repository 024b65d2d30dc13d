// Registry access for the settings: every handle lives inside one call, and every failure ends
// as the caller's default or a false.
#include "settings/RegCtrl.h"

#include "base/RegistryData.h"
#include "base/RegistryKey.h"

#include <optional>

namespace RegCtrl {
namespace {

// The value's type and bytes, or nothing when the key or the value cannot be read.
std::optional<RegistryValue> ReadRaw(const std::wstring& key, const std::wstring& name) {
    RegistryKey handle;
    RegistryValue value;
    if (handle.OpenForRead(HKEY_CURRENT_USER, key) != ERROR_SUCCESS ||
        handle.Read(name, value) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

} // namespace

std::wstring RegReadString(const std::wstring& key, const std::wstring& name,
                           const std::wstring& defaultValue) {
    try {
        if (const auto raw = ReadRaw(key, name))
            if (auto text = TextFromRegistryData(raw->type, raw->data.data(), raw->data.size()))
                return *text;
    } catch (...) {
    }
    return defaultValue;
}

int RegReadInteger(const std::wstring& key, const std::wstring& name, int defaultValue) {
    try {
        if (const auto raw = ReadRaw(key, name))
            if (const auto value = IntegerFromRegistryData(raw->type, raw->data.data(), raw->data.size()))
                return *value;
    } catch (...) {
    }
    return defaultValue;
}

bool RegReadBool(const std::wstring& key, const std::wstring& name, bool defaultValue) {
    try {
        if (const auto raw = ReadRaw(key, name))
            if (const auto value = BoolFromRegistryData(raw->type, raw->data.data(), raw->data.size()))
                return *value;
    } catch (...) {
    }
    return defaultValue;
}

bool RegWriteString(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    RegistryKey handle;
    return handle.OpenForWrite(HKEY_CURRENT_USER, key) == ERROR_SUCCESS &&
           handle.WriteText(name, value) == ERROR_SUCCESS;
}

bool RegWriteInteger(const std::wstring& key, const std::wstring& name, int value) {
    RegistryKey handle;
    return handle.OpenForWrite(HKEY_CURRENT_USER, key) == ERROR_SUCCESS &&
           handle.WriteDword(name, static_cast<DWORD>(value)) == ERROR_SUCCESS;
}

bool RegWriteBool(const std::wstring& key, const std::wstring& name, bool value) {
    return RegWriteInteger(key, name, value ? 1 : 0);
}

bool RegDeleteKey(const std::wstring& key) {
    return DeleteRegistryTree(HKEY_CURRENT_USER, key) == ERROR_SUCCESS;
}

} // namespace RegCtrl
