// The settings record's registry storage, one value per field under the options key.
#include "settings/SettingsStore.h"

#include "settings/RegCtrl.h"

#include <type_traits>

SettingsStore::SettingsStore(std::wstring productKey) : productKey_(std::move(productKey)) {}

void SettingsStore::LoadOptions(SettingsRecord& settings) const {
    if (RegCtrl::RegReadString(productKey_, kVersionName, L"") != kCurrentVersion)
        RegCtrl::RegDeleteKey(ApplicationKey());
    const std::wstring key = OptionsKey();
    SettingsRecord::VisitFields(settings, [&key](const wchar_t* name, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, std::wstring>)
            field = RegCtrl::RegReadString(key, name, field);
        else if constexpr (std::is_same_v<Field, bool>)
            field = RegCtrl::RegReadBool(key, name, field);
        else
            field = RegCtrl::RegReadInteger(key, name, field);
    });
}

void SettingsStore::StoreOptions(const SettingsRecord& settings) const {
    RegCtrl::RegWriteString(productKey_, kVersionName, kCurrentVersion);
    const std::wstring key = OptionsKey();
    SettingsRecord::VisitFields(settings, [&key](const wchar_t* name, const auto& field) {
        using Field = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, std::wstring>)
            RegCtrl::RegWriteString(key, name, field);
        else if constexpr (std::is_same_v<Field, bool>)
            RegCtrl::RegWriteBool(key, name, field);
        else
            RegCtrl::RegWriteInteger(key, name, field);
    });
}
