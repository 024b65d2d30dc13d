// The path forms of the per-file operations: the one handed to the file-system calls (ApiPath,
// shared with the folder listing) and a folder's letter case as stored.
#pragma once

#include "base/ApiPath.h"

#include <string>

// The folder at `folder` spelt in the letter case its file system stores, without a trailing
// separator; the path as given when the folder cannot be opened or resolves to another path
// (a link, a substituted drive). A file system that tells letter case apart (Wine on Linux) then
// finds each path at once instead of searching every folder along it.
std::wstring StoredCaseFolder(const std::wstring& folder);
