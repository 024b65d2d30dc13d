// The settings' one-value calls on the common registry section: each opens its own section, and
// whatever the section would raise ends as the caller's default or a false.
#include "settings/RegCtrl.h"

#include "base/Errors.h"
#include "base/RegistrySection.h"

namespace RegCtrl {

std::wstring RegReadString(const std::wstring& key, const std::wstring& name,
                           const std::wstring& defaultValue) {
    try {
        return RegistrySection(key, RegistrySection::Access::Read).ReadText(name, defaultValue);
    } catch (...) {
        return defaultValue;
    }
}

int RegReadInteger(const std::wstring& key, const std::wstring& name, int defaultValue) {
    try {
        return RegistrySection(key, RegistrySection::Access::Read).ReadDword(name, defaultValue);
    } catch (...) {
        return defaultValue;
    }
}

bool RegReadBool(const std::wstring& key, const std::wstring& name, bool defaultValue) {
    return RegReadInteger(key, name, defaultValue ? 1 : 0) != 0;
}

bool RegWriteString(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    try {
        RegistrySection(key, RegistrySection::Access::Write).WriteText(name, value);
        return true;
    } catch (const RegistryError&) {
        return false;
    }
}

bool RegWriteInteger(const std::wstring& key, const std::wstring& name, int value) {
    try {
        RegistrySection(key, RegistrySection::Access::Write).WriteDword(name, value);
        return true;
    } catch (const RegistryError&) {
        return false;
    }
}

bool RegWriteBool(const std::wstring& key, const std::wstring& name, bool value) {
    return RegWriteInteger(key, name, value ? 1 : 0);
}

bool RegDeleteKey(const std::wstring& key) {
    return DeleteRegistryTree(HKEY_CURRENT_USER, key) == ERROR_SUCCESS;
}

} // namespace RegCtrl
