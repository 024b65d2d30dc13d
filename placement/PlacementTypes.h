// The facts about a form that decide how its placement is stored and restored, in plain terms
// that the platform-free rules can use.
#pragma once

#include <cstdint>

enum class WindowState { Normal, Minimized, Maximized };

// The frame a form has; decides whether a stored size is applied and how far the maximized frame
// is pushed outside the screen.
enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };

// Where a form places itself when first shown.
enum class FormPosition {
    Designed,
    Default,
    DefaultPosOnly,
    DefaultSizeOnly,
    ScreenCenter,
    DesktopCenter,
    MainFormCenter,
    OwnerFormCenter
};

enum class FormStyle { Normal, MdiChild, MdiForm, StayOnTop };

// What a placement store keeps, as a set of flags.
enum PlacementOption : uint32_t {
    fpState = 1,
    fpPosition = 2,
    fpActiveControl = 4,
};
using PlacementOptions = uint32_t;

// The predefined registry key the store's key path lives under.
enum class PlacementRegRoot {
    prCurrentUser,
    prLocalMachine,
    prCurrentConfig,
    prClassesRoot,
    prUsers,
    prDynData
};
