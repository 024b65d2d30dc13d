// The program's command line: the switches that run one operation on named files and folders
// without the window, read into a request, or the one French line that says what is wrong with
// them. Platform-free, so that every odd argument can be tried on it natively.
#pragma once

#include "listing/DateTime.h"
#include "operations/DateShift.h"
#include "operations/Stamp.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class CommandOperation {
    DateTime,      // /date
    TimeZero,      // /zero
    Upper,         // /upper
    Lower,         // /lower
    FirstUpper,    // /first
    Shift,         // /shift
    CopyStamp,     // /copy
    FromFile,      // /from
    Exif,          // /exif
    NameDate,      // /name, /name:MODÈLE
    Undo,          // /undo, /undo:ID
    Journal,       // /journal
    FromTree,      // /fromtree:DOSSIER
    FolderContent, // /folders:contenu
};

// The date-time of /date: with its offset from UTC it is an exact instant; without, the
// computer's local time on that date.
struct CommandInstant {
    CivilTime When;
    // Minutes east of UTC: 0 for "Z", 330 for "+05:30".
    std::optional<int> OffsetMinutes;
    bool operator==(const CommandInstant&) const = default;
};

// Where a run tells what it did, besides its lines on the console.
struct CommandOutput {
    // /quiet: only the files not done and the count.
    bool Quiet = false;
    // /csv: one line of comma-separated values per file, on standard output instead of the
    // per-file lines, or into CsvFile when it is named (/csv:FICHIER).
    bool Csv = false;
    std::wstring CsvFile;
    // /log:FICHIER: the lines printed, appended to this file; empty: none.
    std::wstring LogFile;
    bool operator==(const CommandOutput&) const = default;
};

struct CommandRequest {
    CommandOperation Operation = CommandOperation::TimeZero;
    CommandInstant When;
    // The stamps of /date, /shift, /from, /exif, /name and /fromtree.
    StampSet Stamps = kAllStamps;
    DateShift Shift;
    // With /copy; the targets never hold the source.
    Stamp CopySource = Stamp::Creation;
    StampSet CopyTargets;
    std::wstring FromFile;
    // With /fromtree: the folder whose tree gives its stamps, and /anysize: a file whose
    // counterpart differs in size takes them all the same.
    std::wstring FromTree;
    bool AnySize = false;
    // With /name: the user's pattern; empty for the known forms.
    std::wstring NamePattern;
    // With /shift: /camera:"MARQUE MODÈLE", the camera whose photos alone are shifted; empty: every file.
    std::wstring Camera;
    std::wstring Mask = L"*.*";
    bool Recurse = false;
    // /folders: the folders named and, with /recurse, every subfolder walked are dated too.
    bool Folders = false;
    bool DryRun = false;
    bool NoVersion = false;
    CommandOutput Output;
    std::vector<std::wstring> Paths;
    // /undo:ID: the kept operation to take back, as /journal numbers it; none for the last one.
    std::optional<uint64_t> UndoId;
};

struct ParsedCommandLine {
    enum class Kind {
        // No operation asked (no argument, "/noversion", or only paths as Explorer's verb and a
        // drop on the icon give): the window starts, on the paths' folder when there are any.
        Window,
        Help,
        Run,
        Error,
    };
    Kind What = Kind::Window;
    // With Run; with Window, only its Paths.
    CommandRequest Request;
    // With Error: the whole line to print, "Kavet24 : ... (Kavet24 /? pour l'aide)".
    std::wstring Error;
};

// The arguments after the program's own name. "--" ends the switches: every argument after it is
// a path, even one that starts with "-" or "/".
ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& args);

// A usage error as one line, the same for the parser and for what only the run can find (a path
// that does not exist).
std::wstring CommandErrorLine(const std::wstring& message);

// "YYYY-MM-DD hh:mm:ss", whatever the user's locale, with "T" or a space between date and time,
// then "Z" or "+hh:mm" / "-hh:mm" for an exact instant; none when it is not that form or no such
// date-time exists.
std::optional<CommandInstant> ParseCommandDate(std::wstring_view text);
// "[+|-][D.]hh:mm:ss"; none when malformed, out of the dialog's range, or nothing.
std::optional<DateShift> ParseCommandShift(std::wstring_view text);
// The id of a kept operation as /journal prints it: decimal digits, above 0; none otherwise.
std::optional<uint64_t> ParseOperationId(std::wstring_view text);

// What /? prints, lines separated by "\r\n".
std::wstring CommandUsageText();

// The count line of a /dryrun: "3 fichiers seraient modifiés, 1 non modifié, 2 déjà comme demandé";
// the parts after the first only when they count something.
std::wstring DryRunCountLine(size_t wouldChange, size_t refused, size_t alreadyDone);
