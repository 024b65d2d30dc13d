// One registry value per call under HKEY_CURRENT_USER, each call opening and closing its own key.
// No call ever fails loudly: reads fall back to the caller's default, writes report false, so a
// garbled or locked registry can never stop the program from starting or closing.
#pragma once

// The platform header comes first so that its RegDeleteKey macro renames our function the same way
// in every file that includes this one.
#include <windows.h>

#include <string>

namespace RegCtrl {

// The stored REG_SZ or REG_EXPAND_SZ text (not expanded) if the key opens without being created
// and the value has a text type; otherwise the default.
std::wstring RegReadString(const std::wstring& key, const std::wstring& name,
                           const std::wstring& defaultValue);
// The stored REG_DWORD under the same conditions; otherwise the default.
int RegReadInteger(const std::wstring& key, const std::wstring& name, int defaultValue);
// A stored REG_DWORD that is not 0 reads as true; any other kind of value gives the default.
bool RegReadBool(const std::wstring& key, const std::wstring& name, bool defaultValue);

// Writes creating the key and its parents if needed; false when anything was refused.
bool RegWriteString(const std::wstring& key, const std::wstring& name, const std::wstring& value);
bool RegWriteInteger(const std::wstring& key, const std::wstring& name, int value);
bool RegWriteBool(const std::wstring& key, const std::wstring& name, bool value);

// Deletes the key with all its sub-keys; a missing key counts as success. An empty key path is
// refused, since it would name the whole of HKEY_CURRENT_USER.
bool RegDeleteKey(const std::wstring& key);

} // namespace RegCtrl
