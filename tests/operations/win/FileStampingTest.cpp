// Date-time stamping and time zero on real files in a temporary folder; the values handed to the
// platform are recorded too, since not every file system keeps the creation time.
#include "operations/FileStamping.h"

#include "support/win/OperationFiles.h"
#include "support/win/TempFolder.h"
#include "base/FileTimeTicks.h"
#include "base/Handles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct WriteCall {
    FILETIME Creation;
    FILETIME LastAccess;
    FILETIME LastWrite;
};

// Records every write and passes it on to the platform.
class RecordingWriter {
public:
    FileTimeWriter Writer() {
        return [this](HANDLE file, const FILETIME& creation, const FILETIME& lastAccess,
                      const FILETIME& lastWrite) {
            calls.push_back({creation, lastAccess, lastWrite});
            return PlatformFileTimeWriter(file, creation, lastAccess, lastWrite);
        };
    }
    std::vector<WriteCall> calls;
};

const FILETIME kOldCreation = UtcFileTime(2001, 2, 3, 4, 5, 6);
const FILETIME kOldAccess = UtcFileTime(2002, 3, 4, 5, 6, 7);
const FILETIME kOldWrite = UtcFileTime(2003, 4, 5, 6, 7, 8);

// 15 June 2015 10:00 in Paris is summer time, two hours ahead of UTC.
const CivilTime kSummerLocal{2015, 6, 15, 10, 0, 0, 0};
const FILETIME kSummerUtc = UtcFileTime(2015, 6, 15, 8, 0, 0);

class FileStampingTest : public testing::Test {
protected:
    std::wstring MakeStampedFile(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        const std::wstring path = folder_.MakeFile(name, "contents");
        EXPECT_TRUE(WriteStamps(path, kOldCreation, kOldAccess, kOldWrite));
        if (attributes != FILE_ATTRIBUTE_NORMAL) {
            EXPECT_TRUE(::SetFileAttributesW(path.c_str(), attributes));
        }
        return path;
    }

    TempFolder folder_;
    RecordingWriter recorder_;
};

class ActionMasks : public FileStampingTest, public testing::WithParamInterface<StampSet> {};

TEST_P(ActionMasks, ChosenStampsGetTheDateAndTheOthersKeepExactlyTheirValues) {
    const StampSet mask = GetParam();
    const std::wstring path = MakeStampedFile(L"stamp.txt");
    const std::optional<DiskStamps> before = ReadStamps(path);
    ASSERT_TRUE(before);

    ASSERT_TRUE(FileStamping(recorder_.Writer()).FileSetDateTime(path, kSummerLocal, mask));

    ASSERT_EQ(recorder_.calls.size(), 1u);
    const WriteCall& call = recorder_.calls[0];
    EXPECT_TRUE(SameTime(call.Creation, mask.Contains(Stamp::Creation) ? kSummerUtc : before->Creation));
    EXPECT_TRUE(SameTime(call.LastWrite, mask.Contains(Stamp::LastWrite) ? kSummerUtc : kOldWrite));
    EXPECT_TRUE(SameTime(call.LastAccess, mask.Contains(Stamp::LastAccess) ? kSummerUtc : kOldAccess));

    const std::optional<DiskStamps> after = ReadStamps(path);
    ASSERT_TRUE(after);
    EXPECT_TRUE(SameTime(after->LastWrite, mask.Contains(Stamp::LastWrite) ? kSummerUtc : kOldWrite));
    EXPECT_TRUE(SameTime(after->LastAccess, mask.Contains(Stamp::LastAccess) ? kSummerUtc : kOldAccess));
    EXPECT_EQ(ReadContents(path), "contents");
}

INSTANTIATE_TEST_SUITE_P(AllMasks, ActionMasks,
                         testing::Values(StampSet{Stamp::Creation}, StampSet{Stamp::LastWrite},
                                         StampSet{Stamp::Creation, Stamp::LastWrite},
                                         StampSet{Stamp::LastAccess},
                                         StampSet{Stamp::Creation, Stamp::LastAccess},
                                         StampSet{Stamp::LastWrite, Stamp::LastAccess}, kAllStamps));

TEST_F(FileStampingTest, NoStampChosenTouchesNothing) {
    const std::wstring path = MakeStampedFile(L"mask.txt", FILE_ATTRIBUTE_READONLY);
    const FileStamping stamping(recorder_.Writer());
    EXPECT_FALSE(stamping.FileSetDateTime(path, kSummerLocal, StampSet{}));
    EXPECT_TRUE(recorder_.calls.empty());
    EXPECT_EQ(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
}

TEST_F(FileStampingTest, ImpossibleDateTimeIsRefused) {
    const std::wstring path = MakeStampedFile(L"date.txt");
    const FileStamping stamping(recorder_.Writer());
    EXPECT_EQ(stamping.FileSetDateTime(path, CivilTime{2015, 2, 30, 10, 0, 0, 0}, kAllStamps).Why(),
              Failure::DateOutOfRange);
    EXPECT_FALSE(stamping.FileSetDateTime(path, CivilTime{1500, 1, 1, 0, 0, 0, 0}, kAllStamps));
    EXPECT_FALSE(stamping.FileSetDateTime(path, CivilTime{2015, 1, 1, 25, 0, 0, 0}, kAllStamps));
    EXPECT_TRUE(recorder_.calls.empty());
    EXPECT_TRUE(SameTime(ReadStamps(path)->LastWrite, kOldWrite));
}

TEST_F(FileStampingTest, DateBeforeWhatAFatVolumeHoldsIsRefusedThere) {
    const std::wstring path = MakeStampedFile(L"fat.txt");
    const FileStamping stamping(recorder_.Writer());
    const CivilTime before1980{1979, 12, 31, 23, 0, 0, 0};
    {
        ScopedVolumeStampClock fat(StampClock::Local);
        EXPECT_EQ(stamping.FileSetDateTime(path, before1980, kAllStamps).Why(), Failure::DateOutOfRange);
    }
    EXPECT_TRUE(recorder_.calls.empty());
    EXPECT_TRUE(FileStamping(recorder_.Writer()).FileSetDateTime(path, before1980, kAllStamps))
        << "other volumes hold it";
}

TEST_F(FileStampingTest, StampsKeptOtherwiseThanAskedAreDoneWithRemarks) {
    const std::wstring path = MakeStampedFile(L"kept.txt");
    // What a FAT volume keeps: the write time to 2 seconds, the access time to the day.
    const FileTimeReader fatLike = [](const std::wstring& file) {
        std::optional<FileStamps> stamps = PlatformFileTimeReader(file);
        stamps->LastWrite = UtcFileTime(2015, 6, 15, 8, 0, 1);
        stamps->LastAccess = UtcFileTime(2015, 6, 14, 22, 0, 0); // local midnight
        return stamps;
    };
    const FileStamping stamping(recorder_.Writer(), PlatformLocalClock, fatLike);
    const FileOutcome outcome =
        stamping.FileSetDateTime(path, kSummerLocal, StampSet{Stamp::LastWrite, Stamp::LastAccess});
    EXPECT_TRUE(outcome.Done());
    EXPECT_EQ(outcome.Remarks(),
              (std::vector<std::wstring>{
                  L"date de modification arrondie à 2 secondes près par le système de "
                  L"fichiers (relue : 15/06/2015 10:00:01)",
                  L"date de dernier accès conservée au jour près par le système de fichiers"}));
    EXPECT_TRUE(
        FileStamping(recorder_.Writer()).FileSetDateTime(path, kSummerLocal, kAllStamps).Remarks().empty());
}

TEST_F(FileStampingTest, SummerAndWinterDatesReadBackAtTheClockTimeWritten) {
    const std::wstring summer = MakeStampedFile(L"summer.txt");
    const std::wstring winter = MakeStampedFile(L"winter.txt");

    ASSERT_TRUE(FileSetDateTime(summer, kSummerLocal, StampSet{Stamp::LastWrite}));
    ASSERT_TRUE(FileSetDateTime(winter, CivilTime{2015, 1, 15, 10, 0, 0, 0}, StampSet{Stamp::LastWrite}));

    const FILETIME summerWrite = ReadStamps(summer)->LastWrite;
    const FILETIME winterWrite = ReadStamps(winter)->LastWrite;
    // Each date uses its own offset: two hours in summer, one in winter.
    EXPECT_TRUE(SameTime(summerWrite, kSummerUtc));
    EXPECT_TRUE(SameTime(winterWrite, UtcFileTime(2015, 1, 15, 9, 0, 0)));
    for (const FILETIME& stamp : {summerWrite, winterWrite}) {
        const SYSTEMTIME local = LocalOf(stamp);
        EXPECT_EQ(local.wHour, 10);
        EXPECT_EQ(local.wMinute, 0);
        EXPECT_EQ(local.wSecond, 0);
    }
}

TEST_F(FileStampingTest, ReadOnlyFileIsStampedAndReadOnlyAgain) {
    const std::wstring path = MakeStampedFile(L"readonly.txt", FILE_ATTRIBUTE_READONLY);
    const DWORD before = ::GetFileAttributesW(path.c_str());

    ASSERT_TRUE(FileSetDateTime(path, kSummerLocal, kAllStamps));

    EXPECT_TRUE(SameTime(ReadStamps(path)->LastWrite, kSummerUtc));
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), before);
    EXPECT_NE(before & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(FileStampingTest, HiddenFileKeepsItsAttributes) {
    const std::wstring path = MakeStampedFile(L"hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    const DWORD before = ::GetFileAttributesW(path.c_str());
    ASSERT_NE(before & FILE_ATTRIBUTE_HIDDEN, 0u);

    ASSERT_TRUE(FileTimeZero(path));

    EXPECT_EQ(::GetFileAttributesW(path.c_str()), before);
}

// A platform that sets an attribute of its own as the stamps are written (Windows' backup mark
// on some file systems): the file gets its attributes back all the same, through the open handle.
TEST_F(FileStampingTest, AnAttributeTheWriteSetIsPutBack) {
    const std::wstring path = MakeStampedFile(L"plain.txt");
    const DWORD before = ::GetFileAttributesW(path.c_str());
    ASSERT_EQ(before & FILE_ATTRIBUTE_HIDDEN, 0u);
    const FileTimeWriter marking = [before](HANDLE file, const FILETIME& creation, const FILETIME& access,
                                            const FILETIME& write) {
        FILE_BASIC_INFO marked{};
        marked.FileAttributes = before | FILE_ATTRIBUTE_HIDDEN;
        return ::SetFileInformationByHandle(file, FileBasicInfo, &marked, sizeof(marked)) &&
               PlatformFileTimeWriter(file, creation, access, write);
    };

    ASSERT_TRUE(FileStamping(marking).FileSetDateTime(path, kSummerLocal, kAllStamps));

    EXPECT_TRUE(SameTime(ReadStamps(path)->LastWrite, kSummerUtc));
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), before);
}

TEST_F(FileStampingTest, MissingFileFailsAndNothingIsCreated) {
    const std::wstring path = folder_ / L"absent.txt";
    EXPECT_EQ(FileSetDateTime(path, kSummerLocal, kAllStamps).Why(), Failure::NotFound);
    EXPECT_EQ(FileTimeZero(path).Why(), Failure::NotFound);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(NamesIn(folder_.Path()).empty());
}

TEST_F(FileStampingTest, FolderIsStampedAsAFileIs) {
    const std::wstring path = folder_.MakeFolder(L"sub");
    EXPECT_TRUE(FileStamping(recorder_.Writer()).FileSetDateTime(path, kSummerLocal, kAllStamps));
    ASSERT_EQ(recorder_.calls.size(), 1u);
    EXPECT_TRUE(SameTime(ReadStamps(path).value_or(DiskStamps{}).LastWrite, kSummerUtc));
}

TEST_F(FileStampingTest, FileHeldOpenWithoutSharingIsLeftUnchangedWithItsAttributes) {
    const std::wstring path = MakeStampedFile(L"locked.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    {
        FileHandle held(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(FileStamping(recorder_.Writer()).FileSetDateTime(path, kSummerLocal, kAllStamps).Why(),
                  Failure::InUse);
        EXPECT_FALSE(FileStamping(recorder_.Writer()).FileTimeZero(path));
        EXPECT_EQ(::GetFileAttributesW(path.c_str()), attributes);
    }
    EXPECT_TRUE(recorder_.calls.empty());
    const std::optional<DiskStamps> after = ReadStamps(path);
    ASSERT_TRUE(after);
    EXPECT_TRUE(SameTime(after->LastWrite, kOldWrite));
    EXPECT_TRUE(SameTime(after->LastAccess, kOldAccess));
}

TEST_F(FileStampingTest, TimeZeroGivesTodayAtMidnightInAllThreeStamps) {
    const std::wstring path = MakeStampedFile(L"zero.txt");
    SYSTEMTIME before{};
    ::GetLocalTime(&before);

    ASSERT_TRUE(FileStamping(recorder_.Writer()).FileTimeZero(path));

    SYSTEMTIME after{};
    ::GetLocalTime(&after);
    ASSERT_EQ(before.wDay, after.wDay) << "the test ran across midnight";
    ASSERT_EQ(recorder_.calls.size(), 1u);
    const WriteCall& call = recorder_.calls[0];
    EXPECT_TRUE(SameTime(call.Creation, call.LastWrite));
    EXPECT_TRUE(SameTime(call.LastAccess, call.LastWrite));
    const std::optional<DiskStamps> stamps = ReadStamps(path);
    ASSERT_TRUE(stamps);
    for (const FILETIME& stamp : {stamps->LastWrite, stamps->LastAccess}) {
        const SYSTEMTIME local = LocalOf(stamp);
        EXPECT_EQ(local.wYear, after.wYear);
        EXPECT_EQ(local.wMonth, after.wMonth);
        EXPECT_EQ(local.wDay, after.wDay);
        EXPECT_EQ(local.wHour, 0);
        EXPECT_EQ(local.wMinute, 0);
        EXPECT_EQ(local.wSecond, 0);
        EXPECT_EQ(local.wMilliseconds, 0);
    }
}

TEST_F(FileStampingTest, TimeZeroReadsTheDatePerFileSoABatchAcrossMidnightUsesTheNewDay) {
    const std::wstring first = MakeStampedFile(L"first.txt");
    const std::wstring second = MakeStampedFile(L"second.txt");
    std::vector<CivilTime> clock{{2026, 3, 5, 23, 59, 59, 900}, {2026, 3, 6, 0, 0, 0, 100}};
    size_t reads = 0;
    const FileStamping stamping(recorder_.Writer(), [&] { return clock.at(reads++); });

    ASSERT_TRUE(stamping.FileTimeZero(first));
    ASSERT_TRUE(stamping.FileTimeZero(second));

    // Paris is one hour ahead of UTC in March before the change to summer time.
    EXPECT_TRUE(SameTime(ReadStamps(first)->LastWrite, UtcFileTime(2026, 3, 4, 23, 0, 0)));
    EXPECT_TRUE(SameTime(ReadStamps(second)->LastWrite, UtcFileTime(2026, 3, 5, 23, 0, 0)));
    EXPECT_TRUE(SameTime(recorder_.calls.at(1).Creation, UtcFileTime(2026, 3, 5, 23, 0, 0)));
}

TEST_F(FileStampingTest, TimeZeroInSummerUsesTheSummerOffset) {
    const std::wstring path = MakeStampedFile(L"july.txt");
    const FileStamping stamping(recorder_.Writer(), [] { return CivilTime{2026, 7, 14, 14, 30, 0, 0}; });
    ASSERT_TRUE(stamping.FileTimeZero(path));
    EXPECT_TRUE(SameTime(ReadStamps(path)->LastAccess, UtcFileTime(2026, 7, 13, 22, 0, 0)));
}

TEST_F(FileStampingTest, NamesInAnyScriptAreStamped) {
    for (const std::wstring name :
         {L"\u0391\u0392\u0393.txt", L"\u65e5\u672c\u8a9e.TXT", L"\U0001F600 f\u00eate.txt"}) {
        const std::wstring path = MakeStampedFile(name);
        ASSERT_TRUE(FileSetDateTime(path, kSummerLocal, StampSet{Stamp::LastWrite})) << path.size();
        EXPECT_TRUE(SameTime(ReadStamps(path)->LastWrite, kSummerUtc));
    }
}

// Removes a folder tree through the extended form, which reaches beyond the old path limit.
struct LongTreeRemover {
    ~LongTreeRemover() { DeleteTree(L"\\\\?\\" + root); }
    std::wstring root;
};

TEST_F(FileStampingTest, FileBeyondTheOldPathLimitIsStamped) {
    const LongTreeRemover remover{folder_ / std::wstring(40, L'd')};
    std::wstring deep = folder_.Path();
    while (deep.size() < 300) {
        deep += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    const std::wstring path = deep + L"\\long FILE.txt";
    {
        FileHandle file(::CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
    }
    ASSERT_TRUE(WriteStamps(L"\\\\?\\" + path, kOldCreation, kOldAccess, kOldWrite));
    ASSERT_GT(path.size(), 260u);

    ASSERT_TRUE(FileSetDateTime(path, kSummerLocal, StampSet{Stamp::LastWrite}));

    const std::optional<DiskStamps> after = ReadStamps(L"\\\\?\\" + path);
    ASSERT_TRUE(after);
    EXPECT_TRUE(SameTime(after->LastWrite, kSummerUtc));
    EXPECT_TRUE(SameTime(after->LastAccess, kOldAccess));
}

} // namespace

namespace {

FILETIME Plus(FILETIME time, uint64_t ticks) {
    const uint64_t value = ((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) + ticks;
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

TEST_F(FileStampingTest, AShiftMovesEachChosenStampFromItsOwnValueAndWholeDaysKeepTheClockTime) {
    // 28 March 2026 10:00 in Paris is winter time; the next day at 10:00 is summer time.
    const std::wstring path = MakeStampedFile(L"shift.txt");
    ASSERT_TRUE(WriteStamps(path, kOldCreation, kOldAccess, Plus(UtcFileTime(2026, 3, 28, 9, 0, 0), 1234)));
    // The creation time as this file system gives it back, which may not be the one written.
    const FILETIME creation = ReadStamps(path)->Creation;
    const FileStamping stamping(recorder_.Writer());
    EXPECT_TRUE(stamping.FileShift(path, DateShift{false, 1}, StampSet{Stamp::LastWrite}));
    const auto after = ReadStamps(path);
    ASSERT_TRUE(after);
    EXPECT_TRUE(SameTime(after->LastWrite, Plus(UtcFileTime(2026, 3, 29, 8, 0, 0), 1234)))
        << "10:00 the next day, below the millisecond as it was";
    EXPECT_TRUE(SameTime(after->LastAccess, kOldAccess));
    ASSERT_EQ(recorder_.calls.size(), 1u);
    EXPECT_TRUE(SameTime(recorder_.calls[0].Creation, creation));

    EXPECT_TRUE(stamping.FileShift(path, DateShift{true, 0, 0, 0, 30}, StampSet{Stamp::LastAccess}));
    EXPECT_TRUE(SameTime(ReadStamps(path)->LastAccess, UtcFileTime(2002, 3, 4, 5, 5, 37)));

    // Back before what a FAT volume holds (1980): refused, nothing written.
    const ScopedVolumeStampClock fat(StampClock::Local);
    EXPECT_EQ(FileStamping(recorder_.Writer())
                  .FileShift(path, DateShift{true, 9000}, StampSet{Stamp::LastAccess})
                  .Why(),
              Failure::DateOutOfRange);
    EXPECT_EQ(recorder_.calls.size(), 2u);
}

TEST_F(FileStampingTest, ACopyGivesTheChosenStampsTheFilesOwnValueOfTheSource) {
    const std::wstring path = MakeStampedFile(L"copy.txt");
    const FileStamping stamping(recorder_.Writer());
    EXPECT_EQ(stamping.FileCopyStamp(path, Stamp::LastWrite, {Stamp::LastWrite}).Why(), Failure::Other)
        << "no target but the source itself";
    EXPECT_TRUE(stamping.FileCopyStamp(path, Stamp::LastWrite, kAllStamps));
    ASSERT_EQ(recorder_.calls.size(), 1u);
    EXPECT_TRUE(SameTime(recorder_.calls[0].Creation, kOldWrite));
    EXPECT_TRUE(SameTime(ReadStamps(path)->LastAccess, kOldWrite));
    EXPECT_TRUE(SameTime(ReadStamps(path)->LastWrite, kOldWrite));
}

TEST_F(FileStampingTest, EveryOperationOpensASymbolicLinkItselfNotItsTarget) {
    // Wine makes no symbolic link: the flags handed to the platform's open are what shows it.
    const std::wstring path = MakeStampedFile(L"lien.txt");
    std::vector<DWORD> flags;
    const FileStamping stamping(PlatformFileTimeWriter, PlatformLocalClock, PlatformFileTimeReader,
                                [&flags](const std::wstring& apiPath, DWORD given) {
                                    flags.push_back(given);
                                    return PlatformStampFileOpener(apiPath, given);
                                });
    EXPECT_TRUE(stamping.FileSetDateTime(path, kSummerLocal, StampSet{Stamp::LastWrite}));
    EXPECT_TRUE(stamping.FileTimeZero(path));
    EXPECT_TRUE(stamping.FileShift(path, DateShift{false, 1}, StampSet{Stamp::LastWrite}));
    EXPECT_TRUE(stamping.FileCopyStamp(path, Stamp::LastWrite, {Stamp::LastAccess}));
    EXPECT_TRUE(stamping.FileSetStamps(path, FileStamps{kOldCreation, kOldAccess, kOldWrite},
                                       StampSet{Stamp::LastWrite}));
    ASSERT_EQ(flags.size(), 5u);
    for (const DWORD given : flags)
        EXPECT_EQ(given & FILE_FLAG_OPEN_REPARSE_POINT, static_cast<DWORD>(FILE_FLAG_OPEN_REPARSE_POINT));
}

} // namespace

namespace {

TEST_F(FileStampingTest, NearAChangeOfOffsetTheClockPartOfAShiftMovesTheInstant) {
    // Paris: clocks go from 02:00 to 03:00 on 29 March 2026 and from 03:00 back to 02:00 on
    // 25 October 2026.
    struct Case {
        const char* what;
        FILETIME before;
        DateShift shift;
        FILETIME after;
    };
    const Case cases[] = {
        {"03:30 summer time less an hour is 01:30 winter time, not 03:30 again",
         UtcFileTime(2026, 3, 29, 1, 30, 0), DateShift{true, 0, 1}, UtcFileTime(2026, 3, 29, 0, 30, 0)},
        {"the first 02:30 of the fall-back day, plus an hour, is the second 02:30",
         UtcFileTime(2026, 10, 25, 0, 30, 0), DateShift{false, 0, 1}, UtcFileTime(2026, 10, 25, 1, 30, 0)},
        {"the second 02:30, plus an hour, is 03:30: an hour after the stamp above, not the same",
         UtcFileTime(2026, 10, 25, 1, 30, 0), DateShift{false, 0, 1}, UtcFileTime(2026, 10, 25, 2, 30, 0)},
        {"a day keeps 10:00 across the change, then the hour is elapsed time",
         UtcFileTime(2026, 3, 28, 9, 0, 0), DateShift{false, 1, 1}, UtcFileTime(2026, 3, 29, 9, 0, 0)},
    };
    const std::wstring path = MakeStampedFile(L"horloge.txt");
    const FileStamping stamping(recorder_.Writer());
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteStamps(path, kOldCreation, kOldAccess, c.before));
        EXPECT_TRUE(stamping.FileShift(path, c.shift, StampSet{Stamp::LastWrite})) << c.what;
        EXPECT_TRUE(SameTime(ReadStamps(path)->LastWrite, c.after)) << c.what;
        EXPECT_EQ(stamping.ShiftedStamp(path, FileTimeTicks(c.before), c.shift), FileTimeTicks(c.after))
            << c.what << ": the journal expects what is written";
    }
}

TEST_F(FileStampingTest, AClockTimeSkippedOrRepeatedThatDayIsWrittenByTheRuleAndTold) {
    const std::wstring path = MakeStampedFile(L"changement.txt");
    const FileStamping stamping(recorder_.Writer());

    const FileOutcome skipped =
        stamping.FileSetDateTime(path, CivilTime{2026, 3, 29, 2, 30}, StampSet{Stamp::LastWrite});
    EXPECT_TRUE(SameTime(ReadStamps(path)->LastWrite, UtcFileTime(2026, 3, 29, 1, 30, 0)))
        << "03:30 summer time";
    ASSERT_EQ(skipped.Remarks().size(), 1u);
    EXPECT_EQ(skipped.Remarks()[0],
              L"l'heure 02:30:00 n'existe pas ce jour-là (changement d'heure) : écrite 03:30:00");

    const FileOutcome repeated = stamping.FileSetDateTime(path, CivilTime{2026, 10, 25, 2, 30},
                                                          StampSet{Stamp::LastWrite, Stamp::LastAccess});
    EXPECT_TRUE(SameTime(ReadStamps(path)->LastWrite, UtcFileTime(2026, 10, 25, 0, 30, 0)))
        << "the first, in summer time";
    EXPECT_EQ(
        repeated.Remarks(),
        std::vector<std::wstring>{
            L"l'heure 02:30:00 existe deux fois ce jour-là (changement d'heure) : la première est écrite"})
        << "told once for both stamps";
    // An exact instant is no clock time to resolve, even in the repeated hour.
    EXPECT_TRUE(
        stamping.FileShift(path, DateShift{false, 0, 0, 0, 1}, StampSet{Stamp::LastWrite}).Remarks().empty());

    EXPECT_TRUE(stamping.FileSetDateTime(path, CivilTime{2026, 10, 25, 4, 30}, StampSet{Stamp::LastWrite})
                    .Remarks()
                    .empty());
}

} // namespace
