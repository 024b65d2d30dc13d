// TFormPlacement keeps a form's window placement (normal rectangle, minimized and maximized
// positions, window state) in the registry and puts it back at the next run. Its owner is the
// form, seen through PlacementOwner. Only the registry store is offered: with UseRegistry off
// nothing is read or written.
#pragma once

#include "base/RegistrySection.h"
#include "placement/PlacementOwner.h"
#include "placement/PlacementTypes.h"

#include <functional>
#include <string>

// How the store name is derived when IniFileName is empty; the program itself always sets one.
struct PlacementKeyNaming {
    std::wstring Prefix;
    bool UseApplicationTitle = false;
    std::wstring ApplicationTitle;
};

class TFormPlacement {
public:
    // The owner may be null (no form): then only "FormVersion" is kept.
    explicit TFormPlacement(PlacementOwner* owner);

    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    // The registry key path; when none is set, derived (see PlacementKeyNaming).
    std::wstring IniFileName() const;
    void SetIniFileName(std::wstring value) { iniFileName_ = std::move(value); }
    // The sub-key holding the values; when none is set, the owner's class name.
    std::wstring IniSection() const;
    void SetIniSection(std::wstring value) { iniSection_ = std::move(value); }
    bool UseRegistry() const { return useRegistry_; }
    void SetUseRegistry(bool value) { useRegistry_ = value; }
    PlacementRegRoot RegistryRoot() const { return registryRoot_; }
    void SetRegistryRoot(PlacementRegRoot value) { registryRoot_ = value; }
    PlacementOptions Options() const { return options_; }
    void SetOptions(PlacementOptions value) { options_ = value; }
    // A stored placement is applied only when its "FormVersion" is at least this.
    int Version() const { return version_; }
    void SetVersion(int value) { version_ = value; }

    bool Restored() const { return restored_; }
    bool Saved() const { return saved_; }
    bool Destroying() const { return destroying_; }

    std::function<void(TFormPlacement&)> OnSavePlacement;
    std::function<void(TFormPlacement&)> OnRestorePlacement;

    // Writes the section. Nothing is written while Active and no restore has run yet. A refused
    // write raises RegistryError.
    void StorePlacement();
    // Reads the section and applies it to the form; missing or garbled values leave the form as
    // designed. A key that exists but cannot be opened (or never could) raises RegistryError.
    void LoadPlacement();
    void WriteWindowPlacement(RegistrySection& store);
    void ReadWindowPlacement(const RegistrySection& store, bool readState, bool readPosition);
    // Puts a maximized form's frame just outside the screen.
    void ApplyMaximizedOrigin();

    // The form calls these from its own show, close-query and destroy handling, before (show,
    // destroy) or after (close query) its own handlers. Failures go to the exception display.
    void FormShow();
    void FormCloseQuery(bool canClose);
    void FormDestroy();

    // The value names and their resolution suffix.
    static constexpr const wchar_t* kFormVersion = L"FormVersion";
    static constexpr const wchar_t* kFlags = L"Flags";
    static constexpr const wchar_t* kShowCmd = L"ShowCmd";
    static constexpr const wchar_t* kPixelsPerInch = L"PixelsPerInch";
    static constexpr const wchar_t* kMinMaxPos = L"MinMaxPos";
    static constexpr const wchar_t* kNormPos = L"NormPos";
    static constexpr const wchar_t* kVisible = L"Visible";
    static constexpr const wchar_t* kActiveControl = L"ActiveControl";
    static std::wstring CurrentResolutionSuffix();
    static int ScreenPixelsPerInch();

    // The process-wide switches that shape a derived store name.
    static PlacementKeyNaming& KeyNaming();

private:
    HKEY RootKey() const;
    HWND OwnerWindow() const;

    PlacementOwner* owner_;
    bool active_ = true;
    std::wstring iniFileName_;
    std::wstring iniSection_;
    bool useRegistry_ = true;
    PlacementRegRoot registryRoot_ = PlacementRegRoot::prCurrentUser;
    PlacementOptions options_;
    int version_ = 0;
    bool restored_ = false;
    bool saved_ = false;
    bool destroying_ = false;
};
