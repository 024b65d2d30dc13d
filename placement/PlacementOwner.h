// What the placement store needs from the form whose placement it keeps. The form (the main
// window) implements this and hands itself to its TFormPlacement; the store never reaches further
// into the form than these few facts.
#pragma once

#include "placement/PlacementTypes.h"

#include <windows.h>

#include <string>

class PlacementOwner {
public:
    virtual ~PlacementOwner() = default;

    // The form's top-level window; null while it does not exist.
    virtual HWND PlacementWindow() const = 0;
    // The form's class name ("TMainForm"): the section used when none is set.
    virtual std::wstring PlacementClassName() const = 0;
    // Puts the form into a state. A visible form changes at once; a hidden one must remember the
    // state and show itself in it (SW_SHOWMAXIMIZED...) when it is first shown.
    virtual void SetWindowState(WindowState state) = 0;

    virtual BorderStyle PlacementBorderStyle() const { return BorderStyle::Sizeable; }
    virtual FormStyle PlacementFormStyle() const { return FormStyle::Normal; }
    virtual FormPosition PlacementPosition() const { return FormPosition::Designed; }
    virtual void SetPlacementPosition(FormPosition) {}
    // Whether this is the application's main form (or no main form exists yet).
    virtual bool IsMainForm() const { return true; }
    // True while the form is still being built from its description.
    virtual bool Loading() const { return false; }
    // Only for MDI forms, whose state the store records without applying it.
    virtual void RecordWindowState(WindowState) {}
    // The name of the focused control (empty when none), and focusing a control by its name.
    virtual std::wstring ActiveControlName() const { return {}; }
    virtual bool FocusControlByName(const std::wstring&) { return false; }
};
