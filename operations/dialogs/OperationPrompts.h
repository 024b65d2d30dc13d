// What the main window asks before its stamping and renaming operations: the confirmations that
// the user can switch off, and the date-time choice. Each shows a new dialog and releases it.
#pragma once

#include "listing/DateTime.h"
#include "operations/Stamp.h"
#include "operations/dialogs/ConfirmationForm.h"
#include "operations/dialogs/DateHeureForm.h"
#include "operations/dialogs/ShiftForm.h"
#include "settings/SettingsRecord.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// True when the operation should run. The dialog is skipped while its flag is off; after it
// closes, whatever the button, the flag becomes "not ticked". `preview`, when given, shows a
// button that previews the operation over the dialog.
bool ConfirmTimeZero(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                     const ConfirmationPreview& preview = {});
bool ConfirmUpperCase(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                      const ConfirmationPreview& preview = {});
bool ConfirmLowerCase(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                      const ConfirmationPreview& preview = {});
bool ConfirmFirstUpper(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                       const ConfirmationPreview& preview = {});

// The accepted choice of the shift dialog, or nothing when it was cancelled.
std::optional<ShiftChoice> AskShift(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                                    const ShiftPreview& preview = {});

// The accepted choice of the date-time dialog, or nothing when it was cancelled.
std::optional<DateTimeChoice> AskDateTime(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                                          const DateTimePreview& preview = {});
