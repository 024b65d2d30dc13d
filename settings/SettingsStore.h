// Loads the settings record from the current user's registry at start and writes it back at
// close. The product key is a parameter so that tests can work under a scratch key.
#pragma once

#include "settings/SettingsRecord.h"

#include <string>

class SettingsStore {
public:
    static constexpr const wchar_t* kDefaultProductKey = L"Software\\Lumarek\\Kavet24";
    static constexpr const wchar_t* kVersionName = L"Version";
    // The settings layout this program writes; a placement stored by any other one is dropped.
    static constexpr const wchar_t* kCurrentVersion = L"2.0.0.0";

    explicit SettingsStore(std::wstring productKey = kDefaultProductKey);

    const std::wstring& ProductKey() const { return productKey_; }
    std::wstring OptionsKey() const { return productKey_ + L"\\Options"; }
    std::wstring ApplicationKey() const { return productKey_ + L"\\Application"; }

    // Fills every field from the registry, each keeping its current value when nothing readable is
    // stored; drops the stored window placement when the stored version is not the current one.
    void LoadOptions(SettingsRecord& settings) const;
    // Writes the version and every field. Failures are silent: what could not be written stays as
    // it was.
    void StoreOptions(const SettingsRecord& settings) const;

private:
    std::wstring productKey_;
};
