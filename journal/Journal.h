// The undo journal's records and its text: what each batch changed, written a line at a time
// before each file is touched, so that after a crash every whole line can still be read back.
// docs/journal-format.md describes the lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One file of a batch: enough to put its name, attributes and stamps back. Stamps are UTC 100-ns
// ticks; a stamp the batch did not change has its new value equal to the old one.
struct JournalFile {
    std::wstring OldName;
    // Equal to OldName when only stamps change.
    std::wstring NewName;
    uint32_t OldAttributes = 0;
    uint64_t OldCreation = 0;
    uint64_t OldAccess = 0;
    uint64_t OldWrite = 0;
    uint64_t NewCreation = 0;
    uint64_t NewAccess = 0;
    uint64_t NewWrite = 0;
    // For a change of letter case: the name, in the file's folder, that the file bears between the
    // two moves where the platform needs two; empty otherwise. Noted before the first move, so
    // that a file a crash leaves there is found.
    std::wstring TemporaryName;

    bool operator==(const JournalFile&) const = default;
};

struct JournalBatch {
    uint64_t Id = 0;
    // The command's name as shown ("Date-Heure", "Majuscules").
    std::wstring Operation;
    // The folder the file names are in; empty for a batch over several drives, whose names are
    // then full paths.
    std::wstring Folder;
    // UTC 100-ns ticks.
    uint64_t Started = 0;
    // False when the batch's end line is missing: the program stopped during the batch.
    bool Finished = false;
    std::vector<JournalFile> Files;
    // The id of the batch this one undoes; 0 when it is not an undo.
    uint64_t Undoes = 0;

    bool operator==(const JournalBatch&) const = default;
};

// What a batch's file names are relative to: its folder with a final separator, or nothing when
// the folder is empty and the names are full paths.
std::wstring JournalNameRoot(const std::wstring& folder);
// The folder as the undo list and the command line show it.
std::wstring JournalFolderText(const std::wstring& folder);

struct JournalProblem {
    // From 1.
    size_t Line = 0;
    std::wstring Message;
};

struct JournalContents {
    // False for bytes that are not a journal of this version: they must be left as they are.
    // Empty bytes are a journal with nothing in it.
    bool Recognised = false;
    std::vector<JournalBatch> Batches;
    std::vector<JournalProblem> Problems;
};

constexpr size_t kJournalBatchesKept = 20;
// Dropped batches leave the file only once this many more have gathered, so that not every batch
// of a full journal rewrites the whole file; they are never read back meanwhile.
constexpr size_t kJournalBatchesSlack = 10;
// Past this many, the problems end with one line counting the others.
constexpr size_t kJournalProblemsListed = 50;

// Each returns one whole line, ending with "\n", in UTF-8. A new journal starts with the header
// line; a batch is its begin line, one line per file, then its end line once the batch is over.
// Before appending to bytes that do not end with "\n" (a line cut short), write "\n" first so the
// cut line stays apart.
std::string JournalHeaderLine();
// Files is not written here.
std::string JournalBeginLine(const JournalBatch& batch);
std::string JournalFileLine(uint64_t batchId, const JournalFile& file);
std::string JournalEndLine(uint64_t batchId);
// The batch's begin line, its file lines and, when it finished, its end line.
std::string JournalBatchLines(const JournalBatch& batch);

// Reads every whole, undamaged line and says which lines were passed over and why; no input makes
// it throw.
JournalContents ParseJournal(std::string_view bytes);

// One line of the journal after its header, without its line end.
struct JournalLine {
    // From 1, the header being line 1.
    size_t Number = 0;
    // Where the line starts in the file.
    uint64_t Offset = 0;
    std::string_view Text;
    // False for a last line cut short of its LF.
    bool Whole = true;
};

class JournalLineSink {
public:
    virtual ~JournalLineSink() = default;
    // False to read no further.
    virtual bool OnLine(const JournalLine& line) = 0;
};

// Cuts a journal given a piece at a time into its lines, so that a file of any size is read with
// one piece and one line in memory: the header checked, then each later line handed to the sink.
// A line longer than any the writer makes is kept only in part (and so fails its check).
class JournalLineSplitter {
public:
    // From the file's first byte.
    explicit JournalLineSplitter(JournalLineSink& sink);
    // From the start of a line past the header, already checked: `number` is that line's.
    JournalLineSplitter(JournalLineSink& sink, uint64_t offset, size_t number);

    // False once nothing more is wanted: the sink stopped, or the header is not this version's.
    bool Feed(std::string_view piece);
    // The last line, when the bytes do not end with LF.
    void End();

    // Empty bytes are a journal with nothing in it.
    bool Recognised() const { return recognised_ || (number_ == 0 && !stopped_); }
    // Why the bytes are not a journal of this version, when they are not.
    const std::wstring& Problem() const { return problem_; }
    size_t LastLine() const { return number_; }

private:
    bool Emit(std::string_view text, bool whole);

    JournalLineSink& sink_;
    uint64_t offset_ = 0;
    size_t number_ = 0;
    bool headerDone_ = false;
    bool recognised_ = false;
    bool stopped_ = false;
    std::wstring problem_;
    // The start of a line not yet ended; `lineOffset_` is where it starts.
    std::string partial_;
    uint64_t lineOffset_ = 0;
    bool partialTooLong_ = false;
};

// Reads the journal's lines into contents: every batch or, given an id, only that batch, read from
// its begin line on and no further than its end line. A damaged line is named among the problems
// whichever batch it belonged to.
class JournalParser : public JournalLineSink {
public:
    explicit JournalParser(JournalContents& contents, std::optional<uint64_t> only = std::nullopt);
    bool OnLine(const JournalLine& line) override;
    // After the last line: counts the problems not listed.
    void Finish(size_t lastLine);

private:
    void Read(size_t lineNumber, std::string_view line);
    void Problem(size_t lineNumber, std::wstring_view what);
    JournalBatch* Open(uint64_t id);

    JournalContents& contents_;
    std::optional<uint64_t> only_;
    std::unordered_map<uint64_t, size_t> indexOf_;
    size_t unlisted_ = 0;
    bool done_ = false;
};

// A batch as its begin and end lines tell it, and where its begin line is.
struct JournalBatchSummary {
    uint64_t Id = 0;
    uint64_t Undoes = 0;
    bool Finished = false;
    // UTC 100-ns ticks.
    uint64_t Started = 0;
    std::wstring Operation;
    std::wstring Folder;
    // The files its lines name, each once however many lines it has; counted only when asked.
    size_t Files = 0;
    // Where its begin line is: the byte it starts at and its number.
    uint64_t Offset = 0;
    size_t Line = 0;

    bool operator==(const JournalBatchSummary&) const = default;
};

struct JournalSummary {
    bool Recognised = false;
    // Why the bytes are not a journal of this version, when they are not.
    std::wstring Problem;
    std::vector<JournalBatchSummary> Batches;
};

// What ParseJournal tells of each batch but its files, read from the begin and end lines alone:
// many times faster on a journal of many files. Counting the files costs a look at each file line.
class JournalSummarizer : public JournalLineSink {
public:
    JournalSummarizer(JournalSummary& summary, bool countFiles);
    ~JournalSummarizer() override;
    bool OnLine(const JournalLine& line) override;
    // After the last line: the files of the batches still open.
    void Finish();

private:
    struct Counting;
    JournalSummary& summary_;
    std::unique_ptr<Counting> counting_;
};

JournalSummary SummarizeJournal(std::string_view bytes, bool countFiles = false);

// The ids of the batches a trim keeps: the last `count` in the order of their begin lines, and
// every one of `running` (open batches whose copy of the program still runs), however old.
std::vector<uint64_t> BatchesToKeep(const std::vector<JournalBatchSummary>& batches, size_t count,
                                    const std::vector<uint64_t>& running = {});

// Which lines a trim copies: the whole, undamaged lines of the kept batches, from each one's begin
// line to its end line, in the order they were written.
class JournalTrimmer {
public:
    explicit JournalTrimmer(std::vector<uint64_t> kept);
    bool Keeps(const JournalLine& line);
    // From now on, a batch begun is kept too: for lines written after the batches to keep were
    // chosen.
    void KeepBatchesBegunFromNow() { keepNew_ = true; }

private:
    std::vector<uint64_t> kept_;
    std::vector<uint64_t> begun_;
    std::vector<uint64_t> open_;
    bool keepNew_ = false;
};

// The journal rewritten with only the batches BatchesToKeep names, without damaged lines; none when
// the bytes are not a journal of this version.
std::optional<std::string> KeepLastBatches(std::string_view bytes, size_t count = kJournalBatchesKept,
                                           const std::vector<uint64_t>& running = {});
