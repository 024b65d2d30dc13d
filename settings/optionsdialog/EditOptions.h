// The main window's entry to the Options dialog.
#pragma once

#include "settings/SettingsRecord.h"

#include <windows.h>

#include <functional>
#include <string>

// Shows a new Options dialog; true when it was closed with "Régler" (the caller then re-lists).
bool EditOptions(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                 std::function<void()> relist);
