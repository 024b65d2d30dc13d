// Writing and reading the undo journal's lines. Each line ends with the CRC-32 of the bytes before
// its last tab, so one damaged line is passed over without losing the lines around it.
#include "operations/Journal.h"

#include "operations/Utf8Text.h"

#include <array>
#include <charconv>
#include <unordered_map>

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

// Reads the lines after the header. Several copies of the program may write batches at once, so
// every batch stays open from its begin line to its end line and the lines of open batches may
// come in any order; each line finds its batch by id.
class JournalReader {
public:
    explicit JournalReader(JournalContents& contents) : contents_(contents) {}

    void Read(size_t lineNumber, std::string_view line) {
        if (line.empty())
            return;
        const auto fields = CheckedFields(line);
        if (!fields) {
            Problem(lineNumber, L" illisible, ignorée");
            return;
        }
        const std::string_view tag = (*fields)[0];
        // The id as a plain value beside its presence: an optional here upsets some compilers'
        // flow analysis.
        const std::optional<uint64_t> parsedId =
            fields->size() > 1 ? ParseDecimal((*fields)[1]) : std::nullopt;
        const bool hasId = parsedId.has_value();
        const uint64_t id = parsedId.value_or(0);
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
            } else {
                Problem(lineNumber, L" : fin d'une opération non commencée, ignorée");
            }
        } else {
            Problem(lineNumber, L" d'un type inconnu, ignorée");
        }
    }

    void Problem(size_t lineNumber, std::wstring_view what) {
        if (contents_.Problems.size() < kJournalProblemsListed)
            contents_.Problems.push_back(
                {lineNumber, L"ligne " + std::to_wstring(lineNumber) + std::wstring(what)});
        else
            ++unlisted_;
    }

    void Finish(size_t lastLine) {
        if (unlisted_ > 0)
            contents_.Problems.push_back({lastLine, std::to_wstring(unlisted_) + L" autres lignes ignorées"});
    }

private:
    // The batch begun and not yet ended with this id, if any.
    JournalBatch* Open(uint64_t id) {
        const auto found = indexOf_.find(id);
        if (found == indexOf_.end())
            return nullptr;
        JournalBatch& batch = contents_.Batches[found->second];
        return batch.Finished ? nullptr : &batch;
    }

    JournalContents& contents_;
    std::unordered_map<uint64_t, size_t> indexOf_;
    size_t unlisted_ = 0;
};

} // namespace

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

struct HeaderCheck {
    bool Recognised = false;
    // Why not, when the header is not this version's.
    std::wstring Problem;
    size_t LastLine = 0;
};

// Calls onLine(number, line, whole) for each line after the header, without its line end; `whole`
// is false for a last line cut short of its LF.
template <typename OnLine> HeaderCheck ForEachLine(std::string_view bytes, OnLine&& onLine) {
    HeaderCheck check;
    if (bytes.empty()) {
        check.Recognised = true;
        return check;
    }
    // A byte-order mark, in case an editor saved the file.
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    size_t& lineNumber = check.LastLine;
    while (!bytes.empty()) {
        ++lineNumber;
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        // Tolerates an editor's CRLF: a CR inside a field is always escaped.
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (lineNumber > 1) {
            onLine(lineNumber, line, end != std::string_view::npos);
            continue;
        }
        // A header cut short of its line end still says what the file is.
        if (line == kHeader) {
            check.Recognised = true;
            continue;
        }
        check.Problem = L"ce fichier n'est pas un journal de Kavet24";
        const std::string_view version = line.starts_with(kMagic) ? line.substr(kMagic.size()) : "";
        if (!version.empty() && version.size() <= 9 &&
            version.find_first_not_of("0123456789") == std::string_view::npos)
            check.Problem = L"journal de version " + std::wstring(version.begin(), version.end()) +
                            L" inconnue de cette version de Kavet24";
        return check;
    }
    return check;
}

} // namespace

JournalContents ParseJournal(std::string_view bytes) {
    JournalContents contents;
    JournalReader reader(contents);
    const HeaderCheck header =
        ForEachLine(bytes, [&reader](size_t number, std::string_view line, bool whole) {
            if (!whole)
                reader.Problem(number, L" incomplète, ignorée");
            else
                reader.Read(number, line);
        });
    contents.Recognised = header.Recognised;
    if (!header.Recognised) {
        contents = JournalContents{};
        if (!header.Problem.empty())
            contents.Problems.push_back({1, header.Problem});
        return contents;
    }
    reader.Finish(header.LastLine);
    return contents;
}

JournalSummary SummarizeJournal(std::string_view bytes) {
    JournalSummary summary;
    std::unordered_map<uint64_t, size_t> indexOf;
    const HeaderCheck header = ForEachLine(bytes, [&](size_t, std::string_view line, bool whole) {
        // The file lines, nearly all of the journal, tell nothing of a batch's id, undo or end.
        const bool begin = line.starts_with("lot\t");
        if (!whole || (!begin && !line.starts_with("fin\t")))
            return;
        const auto fields = CheckedFields(line);
        if (!fields)
            return;
        if (begin) {
            const auto batch = ParseBegin(*fields);
            if (batch && indexOf.emplace(batch->Id, summary.Batches.size()).second)
                summary.Batches.push_back({batch->Id, batch->Undoes, false});
            return;
        }
        const auto id = fields->size() == 2 ? ParseDecimal((*fields)[1]) : std::nullopt;
        const auto found = id ? indexOf.find(*id) : indexOf.end();
        if (found != indexOf.end())
            summary.Batches[found->second].Finished = true;
    });
    summary.Recognised = header.Recognised;
    summary.Problem = header.Problem;
    if (!summary.Recognised)
        summary.Batches.clear();
    return summary;
}

std::optional<std::string> KeepLastBatches(std::string_view bytes, size_t count) {
    const JournalContents contents = ParseJournal(bytes);
    if (!contents.Recognised)
        return std::nullopt;
    std::string kept = JournalHeaderLine();
    const size_t first = contents.Batches.size() > count ? contents.Batches.size() - count : 0;
    for (size_t i = first; i < contents.Batches.size(); ++i)
        kept += JournalBatchLines(contents.Batches[i]);
    return kept;
}
