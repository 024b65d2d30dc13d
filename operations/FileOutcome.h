// What became of one file of a batch: done as asked, done with remarks (the file system kept
// something other than what was asked, seen when the file was read back), or not done, and why.
// The texts are those of the report, in French.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A file's three stamps as read back after its change, in UTC 100-ns ticks.
struct KeptStamps {
    uint64_t Creation = 0;
    uint64_t Access = 0;
    uint64_t Write = 0;
};

// Why a file was left as it was.
enum class Failure {
    None,
    NotFound,
    InUse,
    AccessDenied,
    ReadOnlyMedium,
    // Another file's name equals the new one ignoring letter case.
    CaseTwin,
    // The file system kept the old letter case.
    CaseKept,
    // A date the file system cannot hold.
    DateOutOfRange,
    PathTooLong,
    // Undoing: the file was changed by someone else after the batch.
    ChangedSince,
    // The undo journal could not be written: nothing is changed without a way back.
    NotJournalled,
    // Any other platform error; its message is the detail.
    Other,
};

class FileOutcome {
public:
    // Done as asked.
    FileOutcome() = default;
    // Not done: `detail` completes the reason (the twin's name, the system's message).
    static FileOutcome Failed(Failure why, std::wstring detail = {});
    // Undoing: the file was already as before the batch, and was left untouched. It counts as
    // done, apart from the files changed.
    static FileOutcome AlreadyAsBefore();
    // The file already was as the batch asked: nothing to change. It counts as done, apart from
    // the files changed, so that a dry run and the real run count the same files alike.
    static FileOutcome AlreadyAsAsked();

    bool Done() const { return why_ == Failure::None; }
    bool WasAlreadyAsBefore() const { return alreadyAsBefore_; }
    bool WasAlreadyAsAsked() const { return alreadyAsAsked_; }
    explicit operator bool() const { return Done(); }
    Failure Why() const { return why_; }
    const std::wstring& Detail() const { return detail_; }

    // How the file differs from what was asked though it was changed.
    void AddRemark(std::wstring remark);
    const std::vector<std::wstring>& Remarks() const { return remarks_; }

    // Why the file was not done, or its remarks, in one line.
    std::wstring ReasonText() const;

    // All three stamps as the file system kept them, asked or not, when the work read them back:
    // the undo journal notes them, so that undo recognises the file as the batch left it.
    void SetKept(const KeptStamps& kept) { kept_ = kept; }
    const std::optional<KeptStamps>& Kept() const { return kept_; }

private:
    Failure why_ = Failure::None;
    std::wstring detail_;
    std::vector<std::wstring> remarks_;
    bool alreadyAsBefore_ = false;
    bool alreadyAsAsked_ = false;
    std::optional<KeptStamps> kept_;
};

// The reason alone, without detail.
std::wstring FailureText(Failure why);
// What the report says of a file already as before: "déjà comme avant".
inline constexpr const wchar_t* kAlreadyAsBeforeText = L"déjà comme avant";
// What the report says of a file already as the batch asked: "déjà comme demandé".
inline constexpr const wchar_t* kAlreadyAsAskedText = L"déjà comme demandé";
