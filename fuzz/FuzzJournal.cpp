// Fuzz target: reading any bytes as an undo journal must never misbehave, its quick summary must
// agree with the full reading, and whatever it reads must come back the same when written again and
// read again, batch after batch or with the lines
// of every batch interleaved as running copies of the program write them.
#include "journal/Journal.h"
#include "tests/support/logic/Crc32Oracle.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Input starting with "!" has its lines sealed here, bit by bit, so that the fields behind the
// check are reached, and the check is compared with one computed apart from the reader's table.
std::string SealedLines(std::string_view input) {
    std::string out;
    while (!input.empty()) {
        const size_t end = input.find('\n');
        const std::string_view line = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        out += std::string(line) + (out.empty() ? "" : "\t" + Crc32Hex(line)) + "\n";
    }
    return out;
}

// Every begin line, then the batches' file lines taking turns, then the end lines.
std::string Interleaved(const std::vector<JournalBatch>& batches) {
    std::string out = JournalHeaderLine();
    size_t longest = 0;
    for (const JournalBatch& batch : batches) {
        out += JournalBeginLine(batch);
        longest = std::max(longest, batch.Files.size());
    }
    for (size_t i = 0; i < longest; ++i)
        for (const JournalBatch& batch : batches)
            if (i < batch.Files.size())
                out += JournalFileLine(batch.Id, batch.Files[i]);
    for (const JournalBatch& batch : batches)
        if (batch.Finished)
            out += JournalEndLine(batch.Id);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string sealed;
    if (bytes.starts_with('!')) {
        sealed = SealedLines(bytes.substr(1));
        bytes = sealed;
    }
    const JournalContents contents = ParseJournal(bytes);
    if (!contents.Recognised && !contents.Batches.empty())
        std::abort();
    if (contents.Problems.size() > kJournalProblemsListed + 1)
        std::abort();

    // Read in pieces, the bytes read as they do whole.
    {
        JournalContents pieces;
        JournalParser parser(pieces);
        JournalLineSplitter splitter(parser);
        const size_t cut = bytes.size() / 3;
        splitter.Feed(bytes.substr(0, cut));
        splitter.Feed(bytes.substr(cut));
        splitter.End();
        parser.Finish(splitter.LastLine());
        if (splitter.Recognised() != contents.Recognised ||
            (contents.Recognised &&
             (pieces.Batches != contents.Batches || pieces.Problems.size() != contents.Problems.size())))
            std::abort();
    }

    // The summary, which skips the file lines, tells the same of every batch.
    const JournalSummary summary = SummarizeJournal(bytes);
    if (summary.Recognised != contents.Recognised || summary.Batches.size() != contents.Batches.size())
        std::abort();
    for (size_t i = 0; i < summary.Batches.size(); ++i) {
        const JournalBatch& batch = contents.Batches[i];
        const JournalBatchSummary& told = summary.Batches[i];
        if (told.Id != batch.Id || told.Undoes != batch.Undoes || told.Finished != batch.Finished ||
            told.Started != batch.Started || told.Operation != batch.Operation || told.Folder != batch.Folder)
            std::abort();
    }

    std::string written = JournalHeaderLine();
    for (const JournalBatch& batch : contents.Batches)
        written += JournalBatchLines(batch);
    const JournalContents again = ParseJournal(written);
    if (!again.Recognised || !again.Problems.empty() || again.Batches != contents.Batches)
        std::abort();
    const JournalContents mixed = ParseJournal(Interleaved(contents.Batches));
    if (!mixed.Problems.empty() || mixed.Batches != contents.Batches)
        std::abort();

    const auto kept = KeepLastBatches(bytes, 2);
    if (kept.has_value() != contents.Recognised)
        std::abort();
    if (kept) {
        const JournalContents last = ParseJournal(*kept);
        const size_t first = contents.Batches.size() > 2 ? contents.Batches.size() - 2 : 0;
        if (!last.Problems.empty() ||
            !std::equal(last.Batches.begin(), last.Batches.end(),
                        contents.Batches.begin() + static_cast<std::ptrdiff_t>(first),
                        contents.Batches.end()))
            std::abort();
    }
    return 0;
}
