// A fresh key under HKEY_CURRENT_USER for one test, deleted with everything below it afterwards,
// with small helpers to plant and inspect raw values the way another program might have left them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ScratchRegistryKey {
public:
    ScratchRegistryKey();
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    // The key's path below HKEY_CURRENT_USER.
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& subKey) const { return path_ + L"\\" + subKey; }

    // Raw access to a value of any sub-key (path relative to HKEY_CURRENT_USER).
    static void PutText(const std::wstring& key, const std::wstring& name, const std::wstring& text,
                        DWORD type = REG_SZ);
    static void PutDword(const std::wstring& key, const std::wstring& name, DWORD value);
    static void PutBinary(const std::wstring& key, const std::wstring& name,
                          const std::vector<uint8_t>& bytes, DWORD type = REG_BINARY);
    static bool KeyExists(const std::wstring& key);
    static std::optional<DWORD> ValueType(const std::wstring& key, const std::wstring& name);
    static std::optional<std::wstring> Text(const std::wstring& key, const std::wstring& name);
    static std::optional<DWORD> Dword(const std::wstring& key, const std::wstring& name);
    // Names of all values of a key, in the platform's order.
    static std::vector<std::wstring> ValueNames(const std::wstring& key);

private:
    std::wstring path_;
};
