// One open registry key and the one place that reads and writes registry values. Every call
// answers with the platform's status and throws nothing, so that each store above applies its own
// policy (fall back to a default, report false, raise); opening for reading never creates a key.
#pragma once

#include "base/Handles.h"

#include <cstdint>
#include <string>
#include <vector>

// A value as stored: its type and all its bytes, which may be of any size or shape.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<uint8_t> data;
};

class RegistryKey {
public:
    // An existing key, for reading its values and opening its sub-keys; a missing key stays missing.
    LSTATUS OpenForRead(HKEY parent, const std::wstring& path);
    // The key for reading and writing, created with any missing parents.
    LSTATUS OpenForWrite(HKEY parent, const std::wstring& path);

    bool IsOpen() const { return key_.Valid(); }
    HKEY Handle() const { return key_.Get(); }

    // ERROR_FILE_NOT_FOUND when the value does not exist; the value is left empty on any failure.
    LSTATUS Read(const std::wstring& name, RegistryValue& value) const;
    // REG_SZ with its terminating NUL.
    LSTATUS WriteText(const std::wstring& name, const std::wstring& text) const;
    LSTATUS WriteDword(const std::wstring& name, DWORD number) const;
    // ERROR_FILE_NOT_FOUND when the value does not exist.
    LSTATUS DeleteValue(const std::wstring& name) const;

private:
    LSTATUS Write(const std::wstring& name, DWORD type, const void* data, size_t size) const;

    RegKey key_;
};

// Deletes the key with everything below it; a missing key counts as deleted. A path naming the
// parent itself (empty or only backslashes) is refused rather than emptying the whole parent.
LSTATUS DeleteRegistryTree(HKEY parent, const std::wstring& path);
