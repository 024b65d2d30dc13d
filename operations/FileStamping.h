// Writing a local date-time into a file's stamps: the chosen ones of creation, last write and
// last access ("Date-Heure"), or all three set to today at 00:00:00 ("Heure Zéro"). Each file's
// stamps are read back afterwards, and what the file system kept other than asked comes back as a
// remark. The calls that hand the stamps to the platform and read them back, and the local clock,
// are replaceable, so tests can see the exact values written (the creation time is not kept by
// every file system) and pin the date.
#pragma once

#include "listing/DateTime.h"
#include "listing/FileTimes.h"
#include "operations/DateShift.h"
#include "operations/FileOutcome.h"
#include "operations/Stamp.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// Sets the three times of an open file in one call; true on success.
using FileTimeWriter = std::function<bool(HANDLE file, const FILETIME& creation, const FILETIME& lastAccess,
                                          const FILETIME& lastWrite)>;
struct FileStamps {
    FILETIME Creation{};
    FILETIME LastAccess{};
    FILETIME LastWrite{};
};
// The three times of the file at a path, as stored; none when they cannot be read.
using FileTimeReader = std::function<std::optional<FileStamps>(const std::wstring& path)>;
// The local date and time of day now.
using LocalClock = std::function<CivilTime()>;
// Opens the file at `apiPath` (a path as handed to the platform) to read and write its stamps,
// shared with nobody, with the CreateFileW flags given; INVALID_HANDLE_VALUE when it cannot. With
// FILE_FLAG_BACKUP_SEMANTICS it opens a folder, shared, for its stamps alone.
using StampFileOpener = std::function<HANDLE(const std::wstring& apiPath, DWORD flags)>;

bool PlatformFileTimeWriter(HANDLE file, const FILETIME& creation, const FILETIME& lastAccess,
                            const FILETIME& lastWrite);
// The stamps of the entry itself: a symbolic link's own, not its target's.
std::optional<FileStamps> PlatformFileTimeReader(const std::wstring& path);
CivilTime PlatformLocalClock();
HANDLE PlatformStampFileOpener(const std::wstring& apiPath, DWORD flags);

class FileStamping {
public:
    explicit FileStamping(FileTimeWriter writer = PlatformFileTimeWriter,
                          LocalClock clock = PlatformLocalClock,
                          FileTimeReader reader = PlatformFileTimeReader,
                          StampFileOpener opener = PlatformStampFileOpener);
    FileStamping(FileStamping&&) noexcept;
    ~FileStamping();

    // Writes `local` (converted to UTC as the listing converts back, see LocalTimeConverter) into the
    // stamps in `stamps`; the other stamps keep exactly their values. Not done, with the file
    // unchanged, when it is missing, held open by another program, when the date-time cannot be
    // held by its file system, or when no stamp is chosen.
    FileOutcome FileSetDateTime(const std::wstring& path, const CivilTime& local, StampSet stamps) const;
    // All three stamps to today's local date at 00:00:00, today being read when this file is done.
    FileOutcome FileTimeZero(const std::wstring& path) const;
    // Moves each stamp in `stamps` by `shift` from its own value: whole days on the local calendar,
    // keeping the clock time, and the clock part as elapsed time.
    // Not done, with the file unchanged, when a moved stamp would leave what its file system can
    // hold.
    FileOutcome FileShift(const std::wstring& path, const DateShift& shift, StampSet stamps) const;
    // Gives each stamp in `targets` the file's own value of the stamp `source`, exactly. Not done,
    // with the file unchanged, when no target other than the source is chosen.
    FileOutcome FileCopyStamp(const std::wstring& path, Stamp source, StampSet targets) const;
    // Puts exactly the given UTC stamps, those in `chosen`, into the file at `path` and reads them
    // back, in the per-file frame ("Dates d'un autre fichier", the photo's date). Not done, with
    // the file unchanged, when its volume cannot hold one of them.
    FileOutcome FileSetStamps(const std::wstring& path, const FileStamps& stamps, StampSet chosen) const;
    // The same, for a caller that already holds the file in its per-file frame.
    FileOutcome WriteStamps(const std::wstring& path, const FileStamps& stamps, StampSet chosen) const;

    // What the operations above will write, for the undo journal: the UTC stamp of `local` on the
    // volume of the file at `path`, none when that volume cannot hold it; and today at 00:00:00.
    std::optional<uint64_t> StampOf(const std::wstring& path, const CivilTime& local) const;
    CivilTime TodayMidnight() const;
    // The remark for the local time `local` on the volume of the file at `path` when that day
    // skips or repeats it; empty otherwise.
    std::wstring ClockTimeRemarkOf(const std::wstring& path, const CivilTime& local) const;
    // `ticks`, when the volume of the file at `path` can hold that UTC stamp; none otherwise.
    std::optional<uint64_t> HoldableTicks(const std::wstring& path, uint64_t ticks) const;
    // The UTC stamp `ticks` becomes once moved by `shift`, on the volume of the file at `path`.
    std::optional<uint64_t> ShiftedStamp(const std::wstring& path, uint64_t ticks,
                                         const DateShift& shift) const;

private:
    struct FolderClock;
    // The stamp clock of the volume of the file at `path`, and its converter, kept for the next
    // file of the same folder.
    FolderClock& ClockOf(const std::wstring& path) const;
    // One stamp to write: its UTC ticks and the local date-time they stand for.
    struct Asked {
        uint64_t Ticks = 0;
        CivilTime Local;
        // The ticks were found from the clock time by the time-zone rules: a time skipped or
        // repeated that day is told.
        bool FromClock = false;
    };
    // Creation, last write, last access; none: kept as it is.
    using AskedStamps = std::array<std::optional<Asked>, 3>;
    // `stamp` in each stamp of `stamps`.
    static AskedStamps SameStampFor(StampSet stamps, uint64_t stamp, const CivilTime& local);
    // `ticks` moved by `shift` on `volume`, kept to the 100 ns below the millisecond where the
    // volume keeps them; none when out of its range.
    static std::optional<Asked> Shifted(FolderClock& volume, uint64_t ticks, const DateShift& shift);
    static void AddClockTimeRemark(FileOutcome& outcome, const AskedStamps& asked,
                                   LocalTimeConverter& converter);
    // The stamps to write, made from the file's current ones; none when they cannot be.
    using Ask = std::function<std::optional<AskedStamps>(const FileStamps& before)>;
    // Writes the stamps `ask` makes of those the open file has, and reads them back; not done,
    // with the file unchanged, when it makes none.
    FileOutcome WriteAsked(const std::wstring& path, const Ask& ask, LocalTimeConverter& converter) const;
    FileOutcome WriteAsked(const std::wstring& path, const AskedStamps& asked,
                           LocalTimeConverter& converter) const;

    FileTimeWriter writer_;
    LocalClock clock_;
    FileTimeReader reader_;
    StampFileOpener opener_;
    mutable std::unique_ptr<FolderClock> folderClock_;
};

// The UTC stamp of the date-time `when` written `offsetMinutes` east of UTC: an exact instant,
// whatever the computer's time zone; none before the file times' first.
std::optional<uint64_t> ExactStamp(const CivilTime& when, int offsetMinutes);

// A stamping with the platform's clock and the batch's writer and reader: the platform's, unless
// a ScopedFileTimeWriter is in force. One for a whole batch asks each folder's volume once.
FileStamping BatchStamping();
// The per-file functions of the batch, each with a stamping of its own.
FileOutcome FileSetDateTime(const std::wstring& path, const CivilTime& local, StampSet stamps);
FileOutcome FileTimeZero(const std::wstring& path);

// Hands the batch's stamps to another writer, and their read-back to another reader (the
// platform's when none is given), for one scope: tests see the creation time this way, which not
// every file system keeps. Then puts the previous ones back. Set before a batch starts: the
// batch's worker thread reads them.
class ScopedFileTimeWriter {
public:
    explicit ScopedFileTimeWriter(FileTimeWriter writer, FileTimeReader reader = {});
    ~ScopedFileTimeWriter();
    ScopedFileTimeWriter(const ScopedFileTimeWriter&) = delete;
    ScopedFileTimeWriter& operator=(const ScopedFileTimeWriter&) = delete;

private:
    FileTimeWriter previousWriter_;
    FileTimeReader previousReader_;
};
