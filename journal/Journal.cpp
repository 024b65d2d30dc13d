// Writing and reading the undo journal's lines. Each line ends with the CRC-32 of the bytes before
// its last tab, so one damaged line is passed over without losing the lines around it.
#include "journal/Journal.h"

#include "base/Utf8Text.h"

#include <array>
#include <charconv>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::string_view kMagic = "Kavet24 journal ";
constexpr std::string_view kHeader = "Kavet24 journal 1";
constexpr std::string_view kBeginTag = "lot";
constexpr std::string_view kFileTag = "fichier";
constexpr std::string_view kEndTag = "fin";
// The tag, the batch, two names, the attributes and six stamps; then the temporary name, written
// only when there is one, so that a line without it reads as before.
constexpr size_t kFileFields = 11;
constexpr size_t kFileFieldsWithTemporary = 12;

// CRC-32 as in zip and PNG (reflected polynomial 0xEDB88320).
uint32_t Crc32(std::string_view bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (const char b : bytes)
        crc = table[(crc ^ static_cast<unsigned char>(b)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void AppendHex(std::string& out, uint32_t value, int digits) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out.push_back(kDigits[(value >> shift) & 0xF]);
}

// Everything that could end a line for some reader, or that UTF-8 cannot carry, goes as an escape.
bool NeedsEscape(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || (c >= 0xD800 && c <= 0xDFFF);
}

void AppendField(std::string& out, std::wstring_view text) {
    out.push_back('\t');
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = NextWideCodePoint(text, pos);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (NeedsEscape(c)) {
            out += "\\u";
            AppendHex(out, c, 4);
        } else if (c > 0x10FFFF) {
            // Only where wchar_t is 32 bits wide, and never from a real file name.
            out += "\\U";
            AppendHex(out, c, 8);
        } else {
            AppendUtf8(out, c);
        }
    }
}

void AppendField(std::string& out, uint64_t value) {
    out.push_back('\t');
    out += std::to_string(value);
}

std::string Sealed(std::string line) {
    const uint32_t crc = Crc32(line);
    line.push_back('\t');
    AppendHex(line, crc, 8);
    line.push_back('\n');
    return line;
}

std::optional<uint64_t> ParseNumber(std::string_view text, int base, size_t maxDigits) {
    uint64_t value = 0;
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<uint64_t> ParseDecimal(std::string_view text) {
    return ParseNumber(text, 10, 20);
}

std::optional<std::wstring> ParseText(std::string_view field) {
    std::wstring out;
    for (size_t pos = 0; pos < field.size();) {
        if (field[pos] != '\\') {
            const auto c = NextUtf8CodePoint(field, pos);
            if (!c || !AppendWide(out, *c))
                return std::nullopt;
            continue;
        }
        if (++pos == field.size())
            return std::nullopt;
        const char kind = field[pos++];
        if (kind == '\\' || kind == 't' || kind == 'r' || kind == 'n') {
            out.push_back(kind == '\\' ? L'\\' : kind == 't' ? L'\t' : kind == 'r' ? L'\r' : L'\n');
            continue;
        }
        const size_t digits = kind == 'u' ? 4 : kind == 'U' ? 8 : 0;
        if (digits == 0 || field.size() - pos < digits)
            return std::nullopt;
        const auto value = ParseNumber(field.substr(pos, digits), 16, digits);
        if (!value)
            return std::nullopt;
        pos += digits;
        if (kind == 'u' || sizeof(wchar_t) == 4) {
            // Lone surrogates and other code units go back exactly as they were written.
            out.push_back(static_cast<wchar_t>(static_cast<uint32_t>(*value)));
        } else if (!AppendWide(out, static_cast<char32_t>(*value))) {
            return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// The line's fields without its check, or none when the check fails.
std::optional<std::vector<std::string_view>> CheckedFields(std::string_view line) {
    const size_t lastTab = line.rfind('\t');
    if (lastTab == std::string_view::npos)
        return std::nullopt;
    const auto crc = ParseNumber(line.substr(lastTab + 1), 16, 8);
    if (!crc || line.size() - lastTab - 1 != 8 || *crc != Crc32(line.substr(0, lastTab)))
        return std::nullopt;
    return SplitFields(line.substr(0, lastTab));
}

std::optional<JournalBatch> ParseBegin(const std::vector<std::string_view>& fields) {
    if (fields.size() != 6)
        return std::nullopt;
    JournalBatch batch;
    const auto id = ParseDecimal(fields[1]);
    const auto started = ParseDecimal(fields[2]);
    auto operation = ParseText(fields[3]);
    auto folder = ParseText(fields[4]);
    const auto undoes = ParseDecimal(fields[5]);
    if (!id || !started || !operation || !folder || !undoes)
        return std::nullopt;
    batch.Id = *id;
    batch.Started = *started;
    batch.Operation = std::move(*operation);
    batch.Folder = std::move(*folder);
    batch.Undoes = *undoes;
    return batch;
}

std::optional<JournalFile> ParseFile(const std::vector<std::string_view>& fields) {
    if (fields.size() != kFileFields && fields.size() != kFileFieldsWithTemporary)
        return std::nullopt;
    JournalFile file;
    auto oldName = ParseText(fields[2]);
    auto newName = ParseText(fields[3]);
    const auto attributes = ParseNumber(fields[4], 16, 8);
    if (!oldName || !newName || !attributes)
        return std::nullopt;
    file.OldName = std::move(*oldName);
    file.NewName = std::move(*newName);
    file.OldAttributes = static_cast<uint32_t>(*attributes);
    uint64_t* stamps[] = {&file.OldCreation, &file.OldAccess, &file.OldWrite,
                          &file.NewCreation, &file.NewAccess, &file.NewWrite};
    for (size_t i = 0; i < std::size(stamps); ++i) {
        const auto stamp = ParseDecimal(fields[5 + i]);
        if (!stamp)
            return std::nullopt;
        *stamps[i] = *stamp;
    }
    if (fields.size() == kFileFieldsWithTemporary) {
        auto temporary = ParseText(fields[kFileFields]);
        // Written only when there is one: an empty field is not a line this program wrote.
        if (!temporary || temporary->empty())
            return std::nullopt;
        file.TemporaryName = std::move(*temporary);
    }
    return file;
}

} // namespace

std::wstring JournalNameRoot(const std::wstring& folder) {
    if (folder.empty() || folder.back() == L'\\')
        return folder;
    return folder + L'\\';
}

std::wstring JournalFolderText(const std::wstring& folder) {
    return folder.empty() ? L"(plusieurs lecteurs)" : folder;
}

std::string JournalHeaderLine() {
    return std::string(kHeader) + "\n";
}

std::string JournalBeginLine(const JournalBatch& batch) {
    std::string line(kBeginTag);
    AppendField(line, batch.Id);
    AppendField(line, batch.Started);
    AppendField(line, batch.Operation);
    AppendField(line, batch.Folder);
    AppendField(line, batch.Undoes);
    return Sealed(std::move(line));
}

std::string JournalFileLine(uint64_t batchId, const JournalFile& file) {
    std::string line(kFileTag);
    AppendField(line, batchId);
    AppendField(line, file.OldName);
    AppendField(line, file.NewName);
    line.push_back('\t');
    AppendHex(line, file.OldAttributes, 8);
    for (const uint64_t stamp :
         {file.OldCreation, file.OldAccess, file.OldWrite, file.NewCreation, file.NewAccess, file.NewWrite})
        AppendField(line, stamp);
    if (!file.TemporaryName.empty())
        AppendField(line, file.TemporaryName);
    return Sealed(std::move(line));
}

std::string JournalEndLine(uint64_t batchId) {
    std::string line(kEndTag);
    AppendField(line, batchId);
    return Sealed(std::move(line));
}

std::string JournalBatchLines(const JournalBatch& batch) {
    std::string lines = JournalBeginLine(batch);
    for (const JournalFile& file : batch.Files)
        lines += JournalFileLine(batch.Id, file);
    if (batch.Finished)
        lines += JournalEndLine(batch.Id);
    return lines;
}

namespace {

// Far longer than any line the writer makes (two names of 32,767 wide characters, each escaped).
constexpr size_t kLongestLine = 1u << 20;

// The id of a "fichier" or "fin" line, read without its check: enough to pass over the lines of
// other batches quickly.
std::optional<uint64_t> IdOf(std::string_view line) {
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos)
        return std::nullopt;
    const size_t end = line.find('\t', tab + 1);
    return ParseDecimal(line.substr(tab + 1, end == std::string_view::npos ? end : end - tab - 1));
}

uint64_t Fnv1a(std::string_view bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (const char b : bytes) {
        hash ^= static_cast<unsigned char>(b);
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace

JournalLineSplitter::JournalLineSplitter(JournalLineSink& sink) : sink_(sink) {}

JournalLineSplitter::JournalLineSplitter(JournalLineSink& sink, uint64_t offset, size_t number)
    : sink_(sink), offset_(offset), number_(number - 1), headerDone_(true), recognised_(true),
      lineOffset_(offset) {}

bool JournalLineSplitter::Feed(std::string_view piece) {
    while (!stopped_ && !piece.empty()) {
        const size_t end = piece.find('\n');
        const std::string_view part = piece.substr(0, end);
        const uint64_t partOffset = offset_;
        const size_t used = end == std::string_view::npos ? piece.size() : end + 1;
        offset_ += used;
        piece.remove_prefix(used);
        if (end == std::string_view::npos) {
            // The line goes on in the next piece.
            if (partial_.empty() && !partialTooLong_)
                lineOffset_ = partOffset;
            const size_t room = kLongestLine - std::min(kLongestLine, partial_.size());
            partial_.append(part.substr(0, room));
            partialTooLong_ = partialTooLong_ || part.size() > room;
            break;
        }
        if (partial_.empty() && !partialTooLong_) {
            lineOffset_ = partOffset;
            Emit(part, true);
        } else {
            const size_t room = kLongestLine - std::min(kLongestLine, partial_.size());
            partial_.append(part.substr(0, room));
            Emit(partial_, true);
            partial_.clear();
            partialTooLong_ = false;
        }
    }
    return !stopped_;
}

void JournalLineSplitter::End() {
    if (!stopped_ && (!partial_.empty() || partialTooLong_))
        Emit(partial_, false);
    partial_.clear();
    partialTooLong_ = false;
}

bool JournalLineSplitter::Emit(std::string_view text, bool whole) {
    ++number_;
    // Tolerates an editor's CRLF: a CR inside a field is always escaped.
    if (text.ends_with('\r'))
        text.remove_suffix(1);
    if (!headerDone_) {
        headerDone_ = true;
        // A byte-order mark, in case an editor saved the file.
        if (text.starts_with("\xEF\xBB\xBF"))
            text.remove_prefix(3);
        // A header cut short of its line end still says what the file is.
        if (text == kHeader) {
            recognised_ = true;
            return true;
        }
        problem_ = L"ce fichier n'est pas un journal de Kavet24";
        const std::string_view version = text.starts_with(kMagic) ? text.substr(kMagic.size()) : "";
        if (!version.empty() && version.size() <= 9 &&
            version.find_first_not_of("0123456789") == std::string_view::npos)
            problem_ = L"journal de version " + std::wstring(version.begin(), version.end()) +
                       L" inconnue de cette version de Kavet24";
        stopped_ = true;
        return false;
    }
    if (!sink_.OnLine({number_, lineOffset_, text, whole}))
        stopped_ = true;
    return !stopped_;
}

// Several copies of the program may write batches at once, so every batch stays open from its
// begin line to its end line and the lines of open batches may come in any order; each line finds
// its batch by id.
JournalParser::JournalParser(JournalContents& contents, std::optional<uint64_t> only)
    : contents_(contents), only_(only) {}

bool JournalParser::OnLine(const JournalLine& line) {
    if (!line.Whole)
        Problem(line.Number, L" incomplète, ignorée");
    else
        Read(line.Number, line.Text);
    return !done_;
}

void JournalParser::Read(size_t lineNumber, std::string_view line) {
    if (line.empty())
        return;
    const auto fields = CheckedFields(line);
    if (!fields) {
        Problem(lineNumber, L" illisible, ignorée");
        return;
    }
    const std::string_view tag = (*fields)[0];
    // The id as a plain value beside its presence: an optional here upsets some compilers' flow
    // analysis.
    const std::optional<uint64_t> parsedId = fields->size() > 1 ? ParseDecimal((*fields)[1]) : std::nullopt;
    const bool hasId = parsedId.has_value();
    const uint64_t id = parsedId.value_or(0);
    // Reading one batch, the other batches' sound lines are none of its business.
    if (only_ && hasId && id != *only_ && (tag == kBeginTag || tag == kFileTag || tag == kEndTag))
        return;
    if (tag == kBeginTag) {
        auto batch = ParseBegin(*fields);
        if (!batch) {
            Problem(lineNumber, L" illisible, ignorée");
            return;
        }
        if (!indexOf_.emplace(batch->Id, contents_.Batches.size()).second) {
            Problem(lineNumber, L" : opération déjà commencée, ignorée");
            return;
        }
        contents_.Batches.push_back(std::move(*batch));
    } else if (tag == kFileTag) {
        auto file = ParseFile(*fields);
        if (!file || !hasId) {
            Problem(lineNumber, L" illisible, ignorée");
        } else if (JournalBatch* batch = Open(id)) {
            batch->Files.push_back(std::move(*file));
        } else {
            Problem(lineNumber, L" : fichier hors d'une opération, ignoré");
        }
    } else if (tag == kEndTag) {
        if (fields->size() != 2 || !hasId) {
            Problem(lineNumber, L" illisible, ignorée");
        } else if (JournalBatch* batch = Open(id)) {
            batch->Finished = true;
            done_ = only_.has_value();
        } else {
            Problem(lineNumber, L" : fin d'une opération non commencée, ignorée");
        }
    } else {
        Problem(lineNumber, L" d'un type inconnu, ignorée");
    }
}

void JournalParser::Problem(size_t lineNumber, std::wstring_view what) {
    if (contents_.Problems.size() < kJournalProblemsListed)
        contents_.Problems.push_back(
            {lineNumber, L"ligne " + std::to_wstring(lineNumber) + std::wstring(what)});
    else
        ++unlisted_;
}

void JournalParser::Finish(size_t lastLine) {
    if (unlisted_ > 0)
        contents_.Problems.push_back({lastLine, std::to_wstring(unlisted_) + L" autres lignes ignorées"});
    unlisted_ = 0;
}

JournalBatch* JournalParser::Open(uint64_t id) {
    const auto found = indexOf_.find(id);
    if (found == indexOf_.end())
        return nullptr;
    JournalBatch& batch = contents_.Batches[found->second];
    return batch.Finished ? nullptr : &batch;
}

JournalContents ParseJournal(std::string_view bytes) {
    JournalContents contents;
    JournalParser parser(contents);
    JournalLineSplitter splitter(parser);
    splitter.Feed(bytes);
    splitter.End();
    contents.Recognised = splitter.Recognised();
    if (!contents.Recognised) {
        contents = JournalContents{};
        if (!splitter.Problem().empty())
            contents.Problems.push_back({1, splitter.Problem()});
        return contents;
    }
    parser.Finish(splitter.LastLine());
    return contents;
}

// Each open batch's files as hashes of their old names: a few bytes per file, and only while the
// batch is open.
struct JournalSummarizer::Counting {
    std::unordered_map<uint64_t, size_t> indexOf;
    std::unordered_map<size_t, std::unordered_set<uint64_t>> open;
    bool countFiles = false;
};

JournalSummarizer::JournalSummarizer(JournalSummary& summary, bool countFiles)
    : summary_(summary), counting_(std::make_unique<Counting>()) {
    counting_->countFiles = countFiles;
}

JournalSummarizer::~JournalSummarizer() = default;

bool JournalSummarizer::OnLine(const JournalLine& line) {
    if (!line.Whole)
        return true;
    const std::string_view text = line.Text;
    Counting& counting = *counting_;
    if (text.starts_with("fichier\t")) {
        // The file lines, nearly all of the journal, tell nothing of a batch's id, undo or end.
        if (!counting.countFiles)
            return true;
        const auto id = IdOf(text);
        const auto found = id ? counting.indexOf.find(*id) : counting.indexOf.end();
        if (found == counting.indexOf.end())
            return true;
        const auto open = counting.open.find(found->second);
        if (open == counting.open.end())
            return true;
        const size_t nameStart = text.find('\t', text.find('\t') + 1) + 1;
        const size_t nameEnd = text.find('\t', nameStart);
        if (nameStart != 0 && nameEnd != std::string_view::npos)
            open->second.insert(Fnv1a(text.substr(nameStart, nameEnd - nameStart)));
        return true;
    }
    const bool begin = text.starts_with("lot\t");
    if (!begin && !text.starts_with("fin\t"))
        return true;
    const auto fields = CheckedFields(text);
    if (!fields)
        return true;
    if (begin) {
        auto batch = ParseBegin(*fields);
        if (batch && counting.indexOf.emplace(batch->Id, summary_.Batches.size()).second) {
            if (counting.countFiles)
                counting.open[summary_.Batches.size()];
            summary_.Batches.push_back({batch->Id, batch->Undoes, false, batch->Started,
                                        std::move(batch->Operation), std::move(batch->Folder), 0, line.Offset,
                                        line.Number});
        }
        return true;
    }
    const auto id = fields->size() == 2 ? ParseDecimal((*fields)[1]) : std::nullopt;
    const auto found = id ? counting.indexOf.find(*id) : counting.indexOf.end();
    if (found == counting.indexOf.end() || summary_.Batches[found->second].Finished)
        return true;
    summary_.Batches[found->second].Finished = true;
    if (const auto open = counting.open.find(found->second); open != counting.open.end()) {
        summary_.Batches[found->second].Files = open->second.size();
        counting.open.erase(open);
    }
    return true;
}

void JournalSummarizer::Finish() {
    for (const auto& [index, files] : counting_->open)
        summary_.Batches[index].Files = files.size();
    counting_->open.clear();
}

JournalSummary SummarizeJournal(std::string_view bytes, bool countFiles) {
    JournalSummary summary;
    JournalSummarizer summarizer(summary, countFiles);
    JournalLineSplitter splitter(summarizer);
    splitter.Feed(bytes);
    splitter.End();
    summarizer.Finish();
    summary.Recognised = splitter.Recognised();
    summary.Problem = splitter.Problem();
    if (!summary.Recognised)
        summary.Batches.clear();
    return summary;
}

std::vector<uint64_t> BatchesToKeep(const std::vector<JournalBatchSummary>& batches, size_t count,
                                    const std::vector<uint64_t>& running) {
    std::vector<uint64_t> kept;
    const size_t first = batches.size() > count ? batches.size() - count : 0;
    for (size_t i = 0; i < batches.size(); ++i)
        if (i >= first || (!batches[i].Finished &&
                           std::find(running.begin(), running.end(), batches[i].Id) != running.end()))
            kept.push_back(batches[i].Id);
    return kept;
}

JournalTrimmer::JournalTrimmer(std::vector<uint64_t> kept) : kept_(std::move(kept)) {}

bool JournalTrimmer::Keeps(const JournalLine& line) {
    if (!line.Whole)
        return false;
    const std::string_view text = line.Text;
    const bool begin = text.starts_with("lot\t");
    const bool end = text.starts_with("fin\t");
    if (!begin && !end && !text.starts_with("fichier\t"))
        return false;
    // The id first, so that the check is computed only for the lines kept.
    const auto id = IdOf(text);
    const auto has = [](const std::vector<uint64_t>& ids, uint64_t wanted) {
        return std::find(ids.begin(), ids.end(), wanted) != ids.end();
    };
    if (id && begin && keepNew_ && !has(begun_, *id) && !has(kept_, *id))
        kept_.push_back(*id);
    // A batch begins once, and its other lines count only while it is open, as the reader says.
    if (!id || !has(kept_, *id) || (begin ? has(begun_, *id) : !has(open_, *id)))
        return false;
    const auto fields = CheckedFields(text);
    if (!fields)
        return false;
    if (begin) {
        if (!ParseBegin(*fields))
            return false;
        begun_.push_back(*id);
        open_.push_back(*id);
    } else if (end) {
        if (fields->size() != 2)
            return false;
        open_.erase(std::find(open_.begin(), open_.end(), *id));
    } else if (!ParseFile(*fields)) {
        return false;
    }
    return true;
}

namespace {

class TrimmedCopy : public JournalLineSink {
public:
    TrimmedCopy(JournalTrimmer& trimmer, std::string& out) : trimmer_(trimmer), out_(out) {}
    bool OnLine(const JournalLine& line) override {
        if (trimmer_.Keeps(line)) {
            out_ += line.Text;
            out_ += '\n';
        }
        return true;
    }

private:
    JournalTrimmer& trimmer_;
    std::string& out_;
};

} // namespace

std::optional<std::string> KeepLastBatches(std::string_view bytes, size_t count,
                                           const std::vector<uint64_t>& running) {
    const JournalSummary summary = SummarizeJournal(bytes);
    if (!summary.Recognised)
        return std::nullopt;
    std::string kept = JournalHeaderLine();
    JournalTrimmer trimmer(BatchesToKeep(summary.Batches, count, running));
    TrimmedCopy copy(trimmer, kept);
    JournalLineSplitter splitter(copy);
    splitter.Feed(bytes);
    splitter.End();
    return kept;
}
