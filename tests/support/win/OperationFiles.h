// Small readers of what the per-file operations leave on disk beside the shared stamp reader: local
// clock times, the names a folder holds as stored, a file's contents; and a twin maker for
// case-sensitive folders.
#pragma once

#include "support/win/FileStamps.h"
#include "support/win/TempFolder.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The local clock time of a UTC file time, with the rules in force at that date.
SYSTEMTIME LocalOf(const FILETIME& utc);
// Reads a file with the exact letter case given.
std::optional<std::string> ReadContents(const std::wstring& path);
// Creates a file whose name is matched with its exact letter case; fails where the folder cannot
// hold two names that differ only in case.
bool MakeExactCaseFile(const std::wstring& path, const std::string& contents);
