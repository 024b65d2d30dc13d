// Registry access for the settings: every handle lives inside one call.
#include "settings/RegCtrl.h"

#include "settings/RegistryData.h"
#include "ui/Handles.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace RegCtrl {
namespace {

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<uint8_t> data;
};

// The value's type and bytes, or nothing when the key or the value cannot be read. The key is
// never created by a read.
std::optional<RawValue> ReadRaw(const std::wstring& key, const std::wstring& name) {
    RegKey handle;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, handle.Put()) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue value;
    DWORD size = 0;
    // The value may grow between the size query and the read; ask again until it fits.
    for (int attempt = 0; attempt < 4; ++attempt) {
        LONG rc = ::RegQueryValueExW(handle.Get(), name.c_str(), nullptr, &value.type, nullptr, &size);
        if (rc != ERROR_SUCCESS)
            return std::nullopt;
        value.data.resize(size);
        rc = ::RegQueryValueExW(handle.Get(), name.c_str(), nullptr, &value.type,
                                value.data.empty() ? nullptr : value.data.data(), &size);
        if (rc == ERROR_SUCCESS) {
            value.data.resize(size);
            return value;
        }
        if (rc != ERROR_MORE_DATA)
            return std::nullopt;
    }
    return std::nullopt;
}

bool WriteRaw(const std::wstring& key, const std::wstring& name, DWORD type, const void* data, DWORD size) {
    RegKey handle;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                          nullptr, handle.Put(), nullptr) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExW(handle.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
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
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return WriteRaw(key, name, REG_SZ, value.c_str(), bytes);
}

bool RegWriteInteger(const std::wstring& key, const std::wstring& name, int value) {
    const DWORD dword = static_cast<DWORD>(value);
    return WriteRaw(key, name, REG_DWORD, &dword, sizeof dword);
}

bool RegWriteBool(const std::wstring& key, const std::wstring& name, bool value) {
    return RegWriteInteger(key, name, value ? 1 : 0);
}

bool RegDeleteKey(const std::wstring& key) {
    if (key.find_first_not_of(L'\\') == std::wstring::npos)
        return false;
    const LONG rc = ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

} // namespace RegCtrl
