// The "Rapport" window of a batch: its count line, one row per file not done or done with a
// remark (name, what happened, why), and the whole as text to copy (Ctrl+C or "&Copier").
#pragma once

#include "operations/BatchReport.h"

#include <windows.h>

#include <string>

// Shows the report modally (through the modal runner, so tests can read it).
void ShowBatchReport(HWND owner, const std::wstring& fontName, const BatchReport& report);
