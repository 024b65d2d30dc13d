// Path text with no platform call: splitting a path into its folder part and its name (the one
// way the program does it), and a search pattern that finds every name differing from a given one
// only in letter case.
#pragma once

#include "base/TextHelpers.h" // the extended-length form of a long path

#include <string>
#include <string_view>

struct FileNameParts {
    // Everything up to and including the last "\", "/" or ":"; empty for a bare name. Kept as
    // given, so that folder + name always names the file the caller meant.
    std::wstring Folder;
    // The long file name with its extension.
    std::wstring Name;
};

FileNameParts SplitFileName(std::wstring_view path);

// A wildcard pattern matching at least every name equal to `name` ignoring letter case: letters
// and every non-ASCII character become "?", the ASCII characters that have no case stay, which
// keeps a folder search short in folders with many files.
std::wstring CaseBlindPattern(std::wstring_view name);
