// Reading a photo or video file's date and turning it into a stamp.
#include "operations/PhotoStamp.h"

#include "operations/FileByteSource.h"
#include "readers/PhotoDate.h"

#include <string>
#include <variant>

namespace {

constexpr uint64_t kTicksPerMillisecond = 10'000;

// The date the photo at `path` was taken; none, with the reason, when there is none to be read.
std::optional<TakenDate> PhotoTaken(const std::wstring& path, FileOutcome& why) {
    FileByteSource file(path);
    if (!file.IsOpen()) {
        why = file.LastFailure();
        return std::nullopt;
    }
    const std::variant<TakenDate, NoPhotoDate> read = ReadPhotoDate(file);
    if (const TakenDate* taken = std::get_if<TakenDate>(&read))
        return *taken;
    switch (std::get<NoPhotoDate>(read)) {
    case NoPhotoDate::Unreadable:
        why = file.LastFailure();
        break;
    case NoPhotoDate::NotRecognised:
        why = FileOutcome::Failed(Failure::Other, L"ni photo ni vidéo reconnue");
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
    const std::optional<TakenStamp> told = PhotoTakenStampTold(stamping, path, why);
    return told ? std::optional(told->Stamp) : std::nullopt;
}

std::optional<TakenStamp> PhotoTakenStampTold(const FileStamping& stamping, const std::wstring& path,
                                              FileOutcome& why) {
    const std::optional<TakenDate> taken = PhotoTaken(path, why);
    if (!taken)
        return std::nullopt;
    // Whole seconds are converted, the milliseconds added after: no clock change falls between.
    CivilTime seconds = taken->When;
    seconds.Millisecond = 0;
    std::optional<uint64_t> stamp = taken->IsUtc ? ExactStamp(seconds, 0) : stamping.StampOf(path, seconds);
    if (stamp)
        *stamp += static_cast<uint64_t>(taken->When.Millisecond) * kTicksPerMillisecond;
    const std::optional<uint64_t> held = stamp ? stamping.HoldableTicks(path, *stamp) : std::nullopt;
    if (!held) {
        why = FileOutcome::Failed(Failure::DateOutOfRange);
        return std::nullopt;
    }
    TakenStamp told{*held, {}, *taken};
    if (!taken->IsUtc)
        if (std::wstring clock = stamping.ClockTimeRemarkOf(path, seconds); !clock.empty())
            told.Remarks.push_back(std::move(clock));
    return told;
}

std::optional<ExifCamera> PhotoCamera(const std::wstring& path, FileOutcome& why) {
    FileByteSource file(path);
    if (!file.IsOpen()) {
        why = file.LastFailure();
        return std::nullopt;
    }
    std::optional<ExifCamera> camera = ReadPhotoCamera(file);
    if (!camera)
        why = FileOutcome::Failed(Failure::Other, L"aucun appareil indiqué");
    return camera;
}
