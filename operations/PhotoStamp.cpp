// Reading a photo file's date and turning it into a stamp.
#include "operations/PhotoStamp.h"

#include "operations/FileByteSource.h"
#include "readers/PhotoDate.h"

#include <string>
#include <variant>

namespace {

// The date the photo at `path` was taken; none, with the reason, when there is none to be read.
std::optional<ExifDate> PhotoTaken(const std::wstring& path, FileOutcome& why) {
    FileByteSource file(path);
    if (!file.IsOpen()) {
        why = file.LastFailure();
        return std::nullopt;
    }
    const std::variant<ExifDate, NoPhotoDate> read = ReadPhotoDate(file);
    if (const ExifDate* taken = std::get_if<ExifDate>(&read))
        return *taken;
    switch (std::get<NoPhotoDate>(read)) {
    case NoPhotoDate::Unreadable:
        why = file.LastFailure();
        break;
    case NoPhotoDate::NotJpegOrTiff:
        why = FileOutcome::Failed(Failure::Other, L"ni JPEG ni TIFF");
        break;
    case NoPhotoDate::NoDateWritten:
        why = FileOutcome::Failed(Failure::Other, L"aucune date de prise de vue");
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<uint64_t> PhotoTakenStamp(const FileStamping& stamping, const std::wstring& path,
                                        FileOutcome& why) {
    const std::optional<ExifDate> taken = PhotoTaken(path, why);
    if (!taken)
        return std::nullopt;
    const std::optional<uint64_t> stamp = taken->OffsetMinutes
                                              ? ExactStamp(taken->Local, *taken->OffsetMinutes)
                                              : stamping.StampOf(path, taken->Local);
    const std::optional<uint64_t> held = stamp ? stamping.HoldableTicks(path, *stamp) : std::nullopt;
    if (!held)
        why = FileOutcome::Failed(Failure::DateOutOfRange);
    return held;
}
