// Date-time stamping of one file.
#include "operations/FileStamping.h"

#include "listing/FileTimes.h"
#include "operations/ApiPath.h"
#include "base/FileNameParts.h"
#include "base/FileTimeTicks.h"
#include "operations/PerFileFrame.h"
#include "operations/StampReadBack.h"
#include "operations/SystemFailure.h"
#include "base/Handles.h"

#include <functional>
#include <optional>

namespace {

// Empty while the platform's are in use.
FileTimeWriter g_batchWriter;
FileTimeReader g_batchReader;

// The UTC stamp of `local` on a volume with `clock`; none when that volume cannot hold the date
// (the FAT family keeps the years 1980 to 2107 only) or it does not exist.
std::optional<uint64_t> HoldableStamp(StampClock clock, LocalTimeConverter& converter,
                                      const CivilTime& local) {
    if (clock == StampClock::Local && !ReduceToFat(local))
        return std::nullopt;
    return converter.ToUtc(local);
}

struct StampField {
    StampKind Kind;
    Stamp Which;
    FILETIME FileStamps::*Member;
};

constexpr StampField kStampFields[] = {{StampKind::Creation, Stamp::Creation, &FileStamps::Creation},
                                       {StampKind::LastWrite, Stamp::LastWrite, &FileStamps::LastWrite},
                                       {StampKind::LastAccess, Stamp::LastAccess, &FileStamps::LastAccess}};

constexpr uint64_t kTicksPerSecond = 10'000'000;
constexpr uint64_t kTicksPerMinute = 60 * kTicksPerSecond;

} // namespace

// Read as UTC, then moved back by the offset it was written with.
std::optional<uint64_t> ExactStamp(const CivilTime& local, int offsetMinutes) {
    SYSTEMTIME civil{static_cast<WORD>(local.Year),
                     static_cast<WORD>(local.Month),
                     0,
                     static_cast<WORD>(local.Day),
                     static_cast<WORD>(local.Hour),
                     static_cast<WORD>(local.Minute),
                     static_cast<WORD>(local.Second),
                     0};
    FILETIME asUtc{};
    if (!::SystemTimeToFileTime(&civil, &asUtc))
        return std::nullopt;
    const int64_t ticks = static_cast<int64_t>(FileTimeTicks(asUtc)) -
                          static_cast<int64_t>(offsetMinutes) * static_cast<int64_t>(kTicksPerMinute);
    if (ticks < 0)
        return std::nullopt;
    return static_cast<uint64_t>(ticks);
}

struct FileStamping::FolderClock {
    std::wstring Folder;
    StampClock Clock;
    LocalTimeConverter Converter;

    FolderClock(std::wstring folder, StampClock clock)
        : Folder(std::move(folder)), Clock(clock), Converter(clock) {}
};

FileStamping BatchStamping() {
    return FileStamping(g_batchWriter ? g_batchWriter : PlatformFileTimeWriter, PlatformLocalClock,
                        g_batchReader ? g_batchReader : PlatformFileTimeReader);
}

bool PlatformFileTimeWriter(HANDLE file, const FILETIME& creation, const FILETIME& lastAccess,
                            const FILETIME& lastWrite) {
    return ::SetFileTime(file, &creation, &lastAccess, &lastWrite) != FALSE;
}

std::optional<FileStamps> PlatformFileTimeReader(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(ApiPath(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return FileStamps{data.ftCreationTime, data.ftLastAccessTime, data.ftLastWriteTime};
}

HANDLE PlatformStampFileOpener(const std::wstring& apiPath, DWORD flags) {
    // A folder opens only with backup semantics, and only for its attributes: the program's own
    // folder watch and the shell hold folders open, so it is shared with them.
    if (flags & FILE_FLAG_BACKUP_SEMANTICS)
        return ::CreateFileW(apiPath.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             flags, nullptr);
    return ::CreateFileW(apiPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, flags,
                         nullptr);
}

CivilTime PlatformLocalClock() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return CivilTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

FileStamping::FileStamping(FileTimeWriter writer, LocalClock clock, FileTimeReader reader,
                           StampFileOpener opener)
    : writer_(std::move(writer)), clock_(std::move(clock)), reader_(std::move(reader)),
      opener_(std::move(opener)) {}

FileStamping::FileStamping(FileStamping&&) noexcept = default;
FileStamping::~FileStamping() = default;

FileStamping::FolderClock& FileStamping::ClockOf(const std::wstring& path) const {
    // Asking a volume how it keeps its stamps costs far more than stamping a file (under Wine
    // above all), and the files of a batch share their folder: asked once per folder.
    std::wstring folder = SplitFileName(path).Folder;
    if (!folderClock_ || folderClock_->Folder != folder)
        folderClock_ = std::make_unique<FolderClock>(std::move(folder), VolumeStampClock(path));
    return *folderClock_;
}

namespace {

// A write of the stamps may set an attribute of its own (the archive mark): the file gets back the
// attributes it had. Zero times in the change leave the stamps as they are.
void KeepAttributes(HANDLE file, DWORD attributes) {
    FILE_BASIC_INFO now{};
    if (!::GetFileInformationByHandleEx(file, FileBasicInfo, &now, sizeof(now)) ||
        now.FileAttributes == attributes)
        return;
    FILE_BASIC_INFO back{};
    back.FileAttributes = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY);
    if (back.FileAttributes == 0)
        back.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    ::SetFileInformationByHandle(file, FileBasicInfo, &back, sizeof(back));
}

// Most files have no attribute in the way of their stamps: they are written through a handle
// opened at once, and WriteAsked puts back any attribute the write changed. Only a file that
// refuses that handle (read-only) goes through the frame that clears its attributes and puts them
// back, which spares every other file of a batch two reads of its attributes.
FileOutcome InStampFrame(const std::wstring& path,
                         const std::function<FileOutcome(const std::wstring&)>& write) {
    try {
        FileOutcome direct = write(path);
        if (direct.Why() != Failure::AccessDenied)
            return direct;
    } catch (...) {
        return FileOutcome::Failed(Failure::Other, L"erreur inattendue");
    }
    return PerFileFrame::Run(path, [&](PerFileFrame& frame) { return write(frame.Path()); });
}

} // namespace

FileOutcome FileStamping::FileSetDateTime(const std::wstring& path, const CivilTime& local,
                                          StampSet stamps) const {
    // Checked before the frame, so that a bad request touches no file at all.
    if (stamps.Empty())
        return FileOutcome::Failed(Failure::Other, L"aucune date choisie");
    FolderClock& volume = ClockOf(path);
    const std::optional<uint64_t> stamp = HoldableStamp(volume.Clock, volume.Converter, local);
    if (!stamp)
        return FileOutcome::Failed(Failure::DateOutOfRange);
    return InStampFrame(path, [&](const std::wstring& at) {
        return WriteAsked(at, SameStampFor(stamps, *stamp, local), volume.Converter);
    });
}

FileOutcome FileStamping::FileTimeZero(const std::wstring& path) const {
    return InStampFrame(path, [&](const std::wstring& at) {
        const CivilTime midnight = TodayMidnight();
        FolderClock& volume = ClockOf(at);
        const std::optional<uint64_t> stamp = HoldableStamp(volume.Clock, volume.Converter, midnight);
        if (!stamp)
            return FileOutcome::Failed(Failure::DateOutOfRange);
        return WriteAsked(at, SameStampFor(kAllStamps, *stamp, midnight), volume.Converter);
    });
}

FileOutcome FileStamping::WriteStamps(const std::wstring& path, const FileStamps& stamps,
                                      StampSet chosen) const {
    FolderClock& volume = ClockOf(path);
    AskedStamps asked;
    for (size_t i = 0; i < std::size(kStampFields); ++i) {
        if (!chosen.Contains(kStampFields[i].Which))
            continue;
        const uint64_t ticks = FileTimeTicks(stamps.*kStampFields[i].Member);
        asked[i] = Asked{ticks, volume.Converter.ToLocal(ticks).value_or(CivilTime{})};
    }
    return WriteAsked(path, asked, volume.Converter);
}

FileOutcome FileStamping::FileSetStamps(const std::wstring& path, const FileStamps& stamps,
                                        StampSet chosen) const {
    if (chosen.Empty())
        return FileOutcome::Failed(Failure::Other, L"aucune date choisie");
    for (const StampField& field : kStampFields)
        if (chosen.Contains(field.Which) && !HoldableTicks(path, FileTimeTicks(stamps.*field.Member)))
            return FileOutcome::Failed(Failure::DateOutOfRange);
    return InStampFrame(path, [&](const std::wstring& at) { return WriteStamps(at, stamps, chosen); });
}

std::optional<uint64_t> FileStamping::HoldableTicks(const std::wstring& path, uint64_t ticks) const {
    FolderClock& volume = ClockOf(path);
    const std::optional<CivilTime> local = volume.Converter.ToLocal(ticks);
    if (!local || (volume.Clock == StampClock::Local && !ReduceToFat(*local)))
        return std::nullopt;
    return ticks;
}

std::optional<uint64_t> FileStamping::StampOf(const std::wstring& path, const CivilTime& local) const {
    FolderClock& volume = ClockOf(path);
    return HoldableStamp(volume.Clock, volume.Converter, local);
}

std::wstring FileStamping::ClockTimeRemarkOf(const std::wstring& path, const CivilTime& local) const {
    FolderClock& volume = ClockOf(path);
    const std::optional<uint64_t> stamp = volume.Converter.ToUtc(local);
    return ClockTimeRemark(volume.Converter.KindOf(local), local,
                           stamp ? volume.Converter.ToLocal(*stamp) : std::nullopt);
}

CivilTime FileStamping::TodayMidnight() const {
    const CivilTime now = clock_();
    return CivilTime{now.Year, now.Month, now.Day, 0, 0, 0, 0};
}

FileStamping::AskedStamps FileStamping::SameStampFor(StampSet stamps, uint64_t stamp,
                                                     const CivilTime& local) {
    AskedStamps asked;
    for (size_t i = 0; i < std::size(kStampFields); ++i)
        if (stamps.Contains(kStampFields[i].Which))
            asked[i] = Asked{stamp, local, true};
    return asked;
}

FileOutcome FileStamping::FileShift(const std::wstring& path, const DateShift& shift, StampSet stamps) const {
    if (stamps.Empty() || !IsValidShift(shift))
        return FileOutcome::Failed(Failure::Other, L"aucun décalage choisi");
    return InStampFrame(path, [&](const std::wstring& at) {
        FolderClock& volume = ClockOf(at);
        const Ask ask = [&](const FileStamps& before) -> std::optional<AskedStamps> {
            AskedStamps asked;
            for (size_t i = 0; i < std::size(kStampFields); ++i) {
                if (!stamps.Contains(kStampFields[i].Which))
                    continue;
                asked[i] = Shifted(volume, FileTimeTicks(before.*kStampFields[i].Member), shift);
                if (!asked[i])
                    return std::nullopt;
            }
            return asked;
        };
        return WriteAsked(at, ask, volume.Converter);
    });
}

FileOutcome FileStamping::FileCopyStamp(const std::wstring& path, Stamp sourceStamp, StampSet targets) const {
    const StampField* source = nullptr;
    for (const StampField& field : kStampFields)
        source = field.Which == sourceStamp ? &field : source;
    targets.Exclude(sourceStamp);
    if (!source || targets.Empty())
        return FileOutcome::Failed(Failure::Other, L"aucune date à copier choisie");
    return InStampFrame(path, [&](const std::wstring& at) {
        FolderClock& volume = ClockOf(at);
        const Ask ask = [&](const FileStamps& before) -> std::optional<AskedStamps> {
            const uint64_t ticks = FileTimeTicks(before.*source->Member);
            const std::optional<CivilTime> local = volume.Converter.ToLocal(ticks);
            // The source's value was held by this very file system; only its local form is needed.
            if (!local)
                return std::nullopt;
            AskedStamps asked;
            for (size_t i = 0; i < std::size(kStampFields); ++i)
                if (targets.Contains(kStampFields[i].Which))
                    asked[i] = Asked{ticks, *local};
            return asked;
        };
        return WriteAsked(at, ask, volume.Converter);
    });
}

std::optional<uint64_t> FileStamping::ShiftedStamp(const std::wstring& path, uint64_t ticks,
                                                   const DateShift& shift) const {
    const std::optional<Asked> moved = Shifted(ClockOf(path), ticks, shift);
    return moved ? std::optional(moved->Ticks) : std::nullopt;
}

std::optional<FileStamping::Asked> FileStamping::Shifted(FolderClock& volume, uint64_t ticks,
                                                         const DateShift& shift) {
    const std::optional<CivilTime> local = volume.Converter.ToLocal(ticks);
    if (!local)
        return std::nullopt;
    // Whole days move on the calendar and keep the clock time shown; the clock part then moves the
    // instant by that much elapsed time, so that near a change of offset no stamp is moved twice
    // or not at all, and two stamps an hour apart stay an hour apart.
    Asked moved{ticks, *local};
    if (shift.Days != 0) {
        const std::optional<CivilTime> day = ShiftLocal(*local, DateShift{shift.Backward, shift.Days});
        const std::optional<uint64_t> stamp =
            day ? HoldableStamp(volume.Clock, volume.Converter, *day) : std::nullopt;
        if (!stamp)
            return std::nullopt;
        // A FAT volume keeps no part of a second; others keep what the clock shown leaves out.
        const uint64_t belowMillisecond = volume.Clock == StampClock::Local ? 0 : ticks % 10'000;
        moved = Asked{*stamp + belowMillisecond, *day, true};
    }
    const uint64_t elapsed =
        static_cast<uint64_t>(shift.Hours * 3600 + shift.Minutes * 60 + shift.Seconds) * kTicksPerSecond;
    if (elapsed == 0)
        return moved;
    if (shift.Backward ? moved.Ticks < elapsed : moved.Ticks > UINT64_MAX - elapsed)
        return std::nullopt;
    const uint64_t instant = shift.Backward ? moved.Ticks - elapsed : moved.Ticks + elapsed;
    const std::optional<CivilTime> shown = volume.Converter.ToLocal(instant);
    if (!shown || shown->Year > 9999 || (volume.Clock == StampClock::Local && !ReduceToFat(*shown)))
        return std::nullopt;
    return Asked{instant, *shown};
}

FileOutcome FileStamping::WriteAsked(const std::wstring& path, const AskedStamps& asked,
                                     LocalTimeConverter& converter) const {
    return WriteAsked(
        path, [&asked](const FileStamps&) { return std::optional(asked); }, converter);
}

FileOutcome FileStamping::WriteAsked(const std::wstring& path, const Ask& ask,
                                     LocalTimeConverter& converter) const {
    if (!writer_ || !opener_)
        return FileOutcome::Failed(Failure::Other, L"aucune écriture des dates");
    FileStamps before;
    std::optional<AskedStamps> made;
    {
        // One handle for reading and writing, shared with nobody: no other program can change the
        // stamps between the two, and a file another program holds open is left alone.
        // A symbolic link is dated itself, as the list shows it: through it, the stamps would
        // land on its target, maybe outside the folder, and the journal would not know them.
        const std::wstring apiPath = ApiPath(path);
        FileHandle file(opener_(apiPath, FILE_FLAG_OPEN_REPARSE_POINT));
        if (!file) {
            // A folder is asked about only once a file's open failed, which costs a file nothing.
            const DWORD error = ::GetLastError();
            const DWORD attributes = ::GetFileAttributesW(apiPath.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
                return FailureOfSystemError(error);
            file = FileHandle(opener_(apiPath, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS));
            if (!file)
                return FailureOfLastError();
        }
        FILE_BASIC_INFO basic{};
        if (!::GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &basic, sizeof(basic)))
            return FailureOfLastError();
        before = FileStamps{FileTimeOfTicks(static_cast<uint64_t>(basic.CreationTime.QuadPart)),
                            FileTimeOfTicks(static_cast<uint64_t>(basic.LastAccessTime.QuadPart)),
                            FileTimeOfTicks(static_cast<uint64_t>(basic.LastWriteTime.QuadPart))};
        made = ask(before);
        if (!made)
            return FileOutcome::Failed(Failure::DateOutOfRange);
        FileStamps written = before;
        for (size_t i = 0; i < std::size(kStampFields); ++i)
            if ((*made)[i])
                written.*kStampFields[i].Member = FileTimeOfTicks((*made)[i]->Ticks);
        ::SetLastError(ERROR_SUCCESS);
        if (!writer_(file.Get(), written.Creation, written.LastAccess, written.LastWrite)) {
            const DWORD error = ::GetLastError();
            // What the platform answers for a time its file system has no form for.
            return error == ERROR_INVALID_PARAMETER ? FileOutcome::Failed(Failure::DateOutOfRange)
                                                    : FailureOfSystemError(error);
        }
        KeepAttributes(file.Get(), basic.FileAttributes);
    }
    const AskedStamps& asked = *made;
    // Read once the handle is closed: what the file system kept, not what the handle remembers.
    FileOutcome outcome;
    const std::optional<FileStamps> read = reader_ ? reader_(path) : std::nullopt;
    if (!read) {
        outcome.AddRemark(L"dates non relues après l'écriture");
        return outcome;
    }
    outcome.SetKept(
        {FileTimeTicks(read->Creation), FileTimeTicks(read->LastAccess), FileTimeTicks(read->LastWrite)});
    AddClockTimeRemark(outcome, asked, converter);
    for (size_t i = 0; i < std::size(kStampFields); ++i) {
        if (!asked[i])
            continue;
        const StampField& field = kStampFields[i];
        const uint64_t kept = FileTimeTicks((*read).*field.Member);
        const std::optional<CivilTime> keptLocal = converter.ToLocal(kept);
        const ReadBack how = CompareReadBack(field.Kind, asked[i]->Ticks, FileTimeTicks(before.*field.Member),
                                             kept, asked[i]->Local, keptLocal.value_or(CivilTime{}));
        if (how != ReadBack::AsAsked)
            outcome.AddRemark(ReadBackRemark(field.Kind, how, keptLocal));
    }
    return outcome;
}

void FileStamping::AddClockTimeRemark(FileOutcome& outcome, const AskedStamps& asked,
                                      LocalTimeConverter& converter) {
    // The stamps made of one clock time share it: told once.
    for (const std::optional<Asked>& stamp : asked) {
        if (!stamp || !stamp->FromClock)
            continue;
        const std::wstring remark =
            ClockTimeRemark(converter.KindOf(stamp->Local), stamp->Local, converter.ToLocal(stamp->Ticks));
        if (!remark.empty())
            outcome.AddRemark(remark);
        return;
    }
}

FileOutcome FileSetDateTime(const std::wstring& path, const CivilTime& local, StampSet stamps) {
    return BatchStamping().FileSetDateTime(path, local, stamps);
}

FileOutcome FileTimeZero(const std::wstring& path) {
    return BatchStamping().FileTimeZero(path);
}

ScopedFileTimeWriter::ScopedFileTimeWriter(FileTimeWriter writer, FileTimeReader reader)
    : previousWriter_(std::move(g_batchWriter)), previousReader_(std::move(g_batchReader)) {
    g_batchWriter = std::move(writer);
    g_batchReader = std::move(reader);
}

ScopedFileTimeWriter::~ScopedFileTimeWriter() {
    g_batchWriter = std::move(previousWriter_);
    g_batchReader = std::move(previousReader_);
}
