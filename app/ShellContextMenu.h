// The shell's context menu for a file or folder path, shown at a screen point and owned by a
// window of the program; whatever command the user picks there is the shell's to carry out.
#pragma once

#include <windows.h>

#include <string>

// Shows the menu and runs the chosen command. Returns false when the shell offers no menu for the
// path. `renameChosen` is set when the user picked the shell's command 19, which is not run.
bool ShowShellContextMenu(const std::wstring& path, HWND owner, POINT screen, bool* renameChosen = nullptr);
