// Which subfolders the folder walk enters, decided apart from the platform so that the cases a
// test machine cannot make (a cloud placeholder, an NTFS root) are tested all the same.
#pragma once

#include <cstdint>
#include <string_view>

enum class SubfolderWalk {
    Enter,
    // A symbolic link, a junction or a mount point: it may lead out of the tree, or back into it
    // without end. Named to the user, since a folder they see is left out.
    SkipLink,
    // The system's own folders at a volume's root: unreadable, or holding the recycle bin.
    SkipSystem,
};

// `reparseTag` is the tag of a folder that is a reparse point (0 when it could not be read).
// Only name-surrogate tags stand for another folder; any other reparse point (a cloud client's
// on-demand placeholder, a deduplicated or compressed folder) is a folder of its own.
SubfolderWalk WalkOfSubfolder(std::wstring_view name, bool reparsePoint, uint32_t reparseTag,
                              bool atVolumeRoot);

// "D:", "D:\\", "\\\\server\\share" and their "\\\\?\\" forms: the roots a path alone tells.
bool IsVolumeRootPath(std::wstring_view path);
