// A change of letter case in a file name that either happens or leaves the file as it was. Some
// platforms take a case-only rename and keep the old name (Wine on a file system that tells
// letter case apart), and such a folder may hold another file whose name differs only in case:
// the renamer checks the name on disk, goes through a temporary name when needed, and never
// replaces another file.
#pragma once

#include "operations/FileOutcome.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CaseRenamer {
public:
    // Renames `from` to `to` (paths as handed to the platform), never replacing an existing file.
    using MoveFunction = std::function<bool(const std::wstring& from, const std::wstring& to)>;
    using NameConverter = std::function<std::wstring(std::wstring_view name)>;

    struct Result {
        bool Renamed = false;
        // Where the file is afterwards: under its new name, or where it was.
        std::wstring Path;
        // The file could not be given either name back and is left under a temporary name (Path).
        bool Stranded = false;
        // Done, or why not.
        FileOutcome Outcome = FileOutcome::Failed(Failure::Other);
    };

    explicit CaseRenamer(MoveFunction move = PlatformMove);

    // Gives the file at `path` the name `convert` makes of its name as stored on disk. Success
    // when the file bears exactly that name afterwards (also when it already did). The file is
    // left alone when the new name differs from the old one in more than letter case, when
    // another file's name equals it ignoring case, or when it is missing; the outcome says which.
    // Where two moves are needed, the first is to `temporaryName` when one is given (a name the
    // undo journal already holds; the file is left alone when it is taken), else to a free one.
    Result Rename(const std::wstring& path, const NameConverter& convert,
                  const std::wstring& temporaryName = {}) const;
    // Moves a file that a rename cut short left under a temporary name to `path`, never onto an
    // existing file.
    FileOutcome FromTemporaryName(const std::wstring& temporaryPath, const std::wstring& path) const;

    static bool PlatformMove(const std::wstring& from, const std::wstring& to);

private:
    // Moves `from` back to `to`, trying again a few times: what refused it (a scanner or an
    // indexer holding the file a moment) is often gone a little later.
    bool PutBack(const std::wstring& from, const std::wstring& to) const;
    FileOutcome MoveThroughTemporaryName(const std::wstring& folder, const std::wstring& oldName,
                                         const std::wstring& newName, const std::wstring& planned,
                                         std::wstring& where) const;

    MoveFunction move_;
};

// A name of the form the renamer uses for its temporary names, for this process and not used by it
// before: "~kavet-PID-N.tmp". It is not checked against the folder.
std::wstring NextTemporaryName();

// A file that a rename left under a temporary name, and the name it had before.
struct StrandedFile {
    std::wstring TemporaryPath;
    std::wstring OldName;
};
// The files left under a temporary name since the last call, so that a batch can tell the user;
// renames on any thread record here.
std::vector<StrandedFile> TakeStrandedFiles();

// The one name in `folder` (a path prefix ending with its separator) that equals `name` ignoring
// letter case, as stored; none when there is no such name or more than one.
std::optional<std::wstring> NameOnDisk(const std::wstring& folder, const std::wstring& name);
// Every name in `folder` that equals `name` ignoring letter case, as stored.
std::vector<std::wstring> NamesEqualIgnoringCase(const std::wstring& folder, const std::wstring& name);
bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b);
