// The shell's context menu for a file or folder path, shown at a screen point and owned by a
// window of the program; whatever command the user picks there is the shell's to carry out.
#pragma once

#include <windows.h>

#include <string>

// Shows the menu and runs the chosen command. Returns false when the shell offers no menu for the
// path. `renameChosen` is set when the user picked the shell's command 19, which is not run.
// `ownCaption`, when given, is one command of the program's own at the top of the menu;
// `ownChosen` is set when the user picked it, which is the caller's to carry out.
bool ShowShellContextMenu(const std::wstring& path, HWND owner, POINT screen, bool* renameChosen = nullptr,
                          const wchar_t* ownCaption = nullptr, bool* ownChosen = nullptr);
