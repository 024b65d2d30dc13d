// Icon indexes of files in the system image lists, fetched lazily for the rows about to be shown.
// Files of one type share their icon, so the index is kept per extension; only the kinds whose
// icon belongs to the file itself (programs, icons, shortcuts, cursors) are asked file by file.
#pragma once

#include <string>
#include <unordered_map>

class FileIconCache {
public:
    // The index for a file; 0 when the shell gives none.
    int IconIndex(const std::wstring& fullName);

    static bool HasOwnIcon(const std::wstring& lowerExtension);

private:
    std::unordered_map<std::wstring, int> byExtension_;
};
