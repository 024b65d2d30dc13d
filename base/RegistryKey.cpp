// Registry keys and values: the size-query-then-read loop and the key creation, written once.
#include "base/RegistryKey.h"

#include <algorithm>
#include <limits>

namespace {

// A value that another program keeps rewriting may grow between our size query and our read;
// a few rounds catch it at rest, and a value that never settles is reported, not half read.
constexpr int kReadAttempts = 8;

} // namespace

LSTATUS RegistryKey::OpenForRead(HKEY parent, const std::wstring& path) {
    key_.Reset();
    if (!parent)
        return ERROR_INVALID_HANDLE;
    return ::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, key_.Put());
}

LSTATUS RegistryKey::OpenForWrite(HKEY parent, const std::wstring& path) {
    key_.Reset();
    if (!parent)
        return ERROR_INVALID_HANDLE;
    return ::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                             nullptr, key_.Put(), nullptr);
}

LSTATUS RegistryKey::Read(const std::wstring& name, RegistryValue& value) const {
    value = {};
    if (!key_)
        return ERROR_INVALID_HANDLE;
    LSTATUS rc = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < kReadAttempts && rc == ERROR_MORE_DATA; ++attempt) {
        DWORD size = 0;
        rc = ::RegQueryValueExW(key_.Get(), name.c_str(), nullptr, &value.type, nullptr, &size);
        if (rc != ERROR_SUCCESS)
            break;
        // Never a null buffer: a value that was empty and has grown since must come back as
        // ERROR_MORE_DATA, not pass for empty.
        value.data.resize(std::max<DWORD>(size, 1));
        DWORD got = static_cast<DWORD>(value.data.size());
        rc = ::RegQueryValueExW(key_.Get(), name.c_str(), nullptr, &value.type, value.data.data(), &got);
        if (rc == ERROR_SUCCESS)
            value.data.resize(std::min<size_t>(got, value.data.size()));
    }
    if (rc != ERROR_SUCCESS)
        value = {};
    return rc;
}

LSTATUS RegistryKey::WriteText(const std::wstring& name, const std::wstring& text) const {
    return Write(name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

LSTATUS RegistryKey::WriteDword(const std::wstring& name, DWORD number) const {
    return Write(name, REG_DWORD, &number, sizeof number);
}

LSTATUS RegistryKey::DeleteValue(const std::wstring& name) const {
    if (!key_)
        return ERROR_INVALID_HANDLE;
    return ::RegDeleteValueW(key_.Get(), name.c_str());
}

LSTATUS RegistryKey::Write(const std::wstring& name, DWORD type, const void* data, size_t size) const {
    if (!key_)
        return ERROR_INVALID_HANDLE;
    if (size > std::numeric_limits<DWORD>::max())
        return ERROR_INVALID_PARAMETER;
    return ::RegSetValueExW(key_.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data),
                            static_cast<DWORD>(size));
}

LSTATUS DeleteRegistryTree(HKEY parent, const std::wstring& path) {
    if (!parent)
        return ERROR_INVALID_HANDLE;
    if (path.find_first_not_of(L'\\') == std::wstring::npos)
        return ERROR_INVALID_PARAMETER;
    const LSTATUS rc = ::RegDeleteTreeW(parent, path.c_str());
    return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}
