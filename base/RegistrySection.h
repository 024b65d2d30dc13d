// One key of stored settings, opened for one load or one store and closed with the object: the
// one policy that every store of the program keeps on top of the registry core.
//  - Opening for reading creates nothing, and a missing key reads as nothing stored; opening for
//    writing creates the key with its parents.
//  - A key that cannot be opened for any other reason (a name longer than the registry allows, a
//    key we may not open), and every refused write, raise RegistryError with the user's French
//    message, so that the user hears of it as early as it can be known. A store that must stay
//    silent catches it.
//  - Reading a value never raises: a missing value, or one of another type or shape than asked,
//    gives the caller's default, so that a garbled registry cannot stop the program.
// Each store keeps its numbers one way, REG_DWORD or decimal REG_SZ text, and each read accepts
// only its own way: a number of the other way reads as missing.
#pragma once

#include "base/RegistryKey.h"

#include <string>

class RegistrySection {
public:
    enum class Access { Read, Write };

    // The key at this path below the root.
    RegistrySection(const std::wstring& path, Access access, HKEY root = HKEY_CURRENT_USER);

    // REG_SZ or REG_EXPAND_SZ text, not expanded.
    std::wstring ReadText(const std::wstring& name, const std::wstring& defaultValue = L"") const;
    // The signed value of a REG_DWORD of exactly four bytes.
    int ReadDword(const std::wstring& name, int defaultValue) const;
    // A whole decimal number stored as text: an optional sign and ASCII digits, within int.
    int ReadDecimal(const std::wstring& name, int defaultValue) const;

    // Writing needs a section opened for writing.
    void WriteText(const std::wstring& name, const std::wstring& text);
    // The number's 32 bits as a REG_DWORD: -1 is stored as 0xFFFFFFFF.
    void WriteDword(const std::wstring& name, int number);
    // The number as decimal REG_SZ text: "-7".
    void WriteDecimal(const std::wstring& name, int number);
    // A missing value counts as deleted.
    void DeleteValue(const std::wstring& name);

private:
    RegistryValue ReadRaw(const std::wstring& name) const;
    static void CheckWrite(LSTATUS status, const std::wstring& name);

    RegistryKey key_;
};

// "key\subKey"; an empty part adds nothing, so an empty key names the sub-key right under the root.
std::wstring RegistrySubKey(const std::wstring& key, const std::wstring& subKey);
