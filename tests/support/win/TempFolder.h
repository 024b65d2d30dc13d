// A fresh folder under the system's temporary folder for one test, deleted with all its contents
// afterwards, and small helpers to make files in it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without trailing backslash.
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

    // Creates (or truncates) a file with the given contents; returns its full path.
    std::wstring MakeFile(const std::wstring& name, const std::string& contents = "x",
                          DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;
    std::wstring MakeFolder(const std::wstring& name) const;

private:
    std::wstring path_;
};

// Every entry of a folder except "." and "..", as stored.
std::vector<std::wstring> NamesIn(const std::wstring& folder);

// Makes `link` a junction to the folder `target` (a full path); false when the file system refuses.
bool MakeJunction(const std::wstring& link, const std::wstring& target);

// Deletes a folder tree, clearing read-only attributes on the way.
void DeleteTree(const std::wstring& path);

// UTC file time of a UTC calendar time.
FILETIME UtcFileTime(int year, int month, int day, int hour, int minute, int second);
// UTC file time of a local calendar time, in the zone the tests run in.
FILETIME UtcOfLocal(int year, int month, int day, int hour, int minute, int second);
