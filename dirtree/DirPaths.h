// Folder-path strings of the directory tree: counting and cutting at backslashes, adding and
// removing the trailing one. Platform-free, so they are tested natively.
#pragma once

#include <string>
#include <string_view>

// Number of "\" characters in the text.
int CountBackslashes(std::wstring_view s);
// The prefix up to and including the n-th "\"; the whole text when it has fewer.
std::wstring PathUpToLevel(std::wstring_view s, int n);
// Appends "\" when the text is not empty and does not end with one.
void AddBackslash(std::wstring& s);
// The text without its last character when it ends with "\".
std::wstring RemoveBackslash(std::wstring_view s);
// The last component of a folder path, without backslashes ("C:\A\B\" gives "B").
std::wstring LastComponent(std::wstring_view path);
// True when the name, put after its folder's path, can only reach the entry that bears it: it has
// no trailing dot or blank (path parsing drops them) and no wildcard (a search would expand it).
// Such a name is already the stored name a look-up of that path would return.
bool NameReachesItself(std::wstring_view name);
// The index 0 to 25 of a drive letter (either case), or -1 for anything else.
int DriveIndex(wchar_t letter);
