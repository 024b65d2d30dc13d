// Writing a local date-time into a file's stamps: the chosen ones of creation, last write and
// last access ("Date-Heure"), or all three set to today at 00:00:00 ("Heure Zéro"). The call
// that hands the stamps to the platform and the local clock are replaceable, so tests can see the
// exact values written (the creation time is not kept by every file system) and pin the date.
#pragma once

#include "listing/DateTime.h"

#include <windows.h>

#include <functional>
#include <string>

// The stamps chosen in the date-time dialog, summed into its `ActionMask`.
constexpr int kStampCreation = 1;
constexpr int kStampLastWrite = 2;
constexpr int kStampLastAccess = 4;

// Sets the three times of an open file in one call; true on success.
using FileTimeWriter = std::function<bool(HANDLE file, const FILETIME& creation, const FILETIME& lastAccess,
                                          const FILETIME& lastWrite)>;
// The local date and time of day now.
using LocalClock = std::function<CivilTime()>;

bool PlatformFileTimeWriter(HANDLE file, const FILETIME& creation, const FILETIME& lastAccess,
                            const FILETIME& lastWrite);
CivilTime PlatformLocalClock();

class FileStamping {
public:
    explicit FileStamping(FileTimeWriter writer = PlatformFileTimeWriter,
                          LocalClock clock = PlatformLocalClock);

    // Writes `local` (converted to UTC as the listing converts back, see LocalTimeConverter) into the
    // stamps whose bits are in `actionMask`; the other stamps keep exactly their values. False,
    // with the file unchanged, when it is missing, held open by another program, or when the
    // date-time or the mask (1 to 7) is not valid.
    bool FileSetDateTime(const std::wstring& path, const CivilTime& local, int actionMask) const;
    // All three stamps to today's local date at 00:00:00, today being read when this file is done.
    bool FileTimeZero(const std::wstring& path) const;

private:
    bool Stamp(const std::wstring& path, const FILETIME& stamp, int actionMask) const;

    FileTimeWriter writer_;
    LocalClock clock_;
};

// The per-file functions of the batch, with the platform's clock and the batch's writer: the
// platform's, unless a ScopedFileTimeWriter is in force.
bool FileSetDateTime(const std::wstring& path, const CivilTime& local, int actionMask);
bool FileTimeZero(const std::wstring& path);

// Hands the batch's stamps to another writer for one scope (tests see the creation time this
// way, which not every file system keeps), then puts the previous one back.
class ScopedFileTimeWriter {
public:
    explicit ScopedFileTimeWriter(FileTimeWriter writer);
    ~ScopedFileTimeWriter();
    ScopedFileTimeWriter(const ScopedFileTimeWriter&) = delete;
    ScopedFileTimeWriter& operator=(const ScopedFileTimeWriter&) = delete;

private:
    FileTimeWriter previous_;
};
