// One group of the list's stored settings: the sub-key "section" of a key under
// HKEY_CURRENT_USER, opened for one read or write and closed with the object. Values are text;
// numbers are stored in decimal. A value that cannot be read as text reads as missing; a failure
// to create or write raises RegistryError with the user's French message.
#pragma once

#include "base/RegistryKey.h"

#include <optional>
#include <string>

class RegistrySection {
public:
    enum class Access { Read, Write };

    // Read: a missing section reads as empty (every value takes its default) and nothing is
    // created. Write: the key and the section are created when missing.
    RegistrySection(const std::wstring& key, const std::wstring& section, Access access);

    // None when the value does not exist, cannot be read or is not text.
    std::optional<std::wstring> ReadString(const wchar_t* name) const;
    int ReadInteger(const wchar_t* name, int defaultValue) const;
    bool ReadBool(const wchar_t* name, bool defaultValue) const;

    void WriteString(const wchar_t* name, const std::wstring& value);
    void WriteInteger(const wchar_t* name, int value);
    void WriteBool(const wchar_t* name, bool value);

private:
    RegistryKey key_;
};
