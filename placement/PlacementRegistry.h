// The registry view the placement store opens for one operation: a key under a predefined root
// whose sub-keys are the sections, every value stored as text. Reads never fail (a missing key or
// value, or one of another type, gives the default); writes that are refused raise RegistryError.
#pragma once

#include "base/RegistryKey.h"

#include <string>

class PlacementRegistry {
public:
    enum class Access { Read, Write };

    // For writing the key is created when missing (RegistryError when that is refused); for
    // reading a missing key is left alone and every read gives its default.
    PlacementRegistry(HKEY root, const std::wstring& keyPath, Access access);

    std::wstring ReadString(const std::wstring& section, const std::wstring& name,
                            const std::wstring& defaultValue) const;
    // A decimal text; anything else gives the default.
    int ReadInteger(const std::wstring& section, const std::wstring& name, int defaultValue) const;

    void WriteString(const std::wstring& section, const std::wstring& name, const std::wstring& value);
    void WriteInteger(const std::wstring& section, const std::wstring& name, int value);

private:
    RegistryKey key_;
    std::wstring keyPath_;
};
