// Dates in names: the known forms are patterns of the user's own kind, tried at each position of
// the name; the user's pattern is matched against the whole name by a bounded backtracking walk.
#include "readers/NameDate.h"

#include <array>
#include <string>

namespace {

using Part = NamePattern::Part;

// A `*` may be tried at every length: the walk gives up after this many steps rather than take
// time exponential in the number of stars.
constexpr int kMostSteps = 200000;

int DigitCount(Part part) {
    return part == Part::Year ? 4 : 2;
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

wchar_t Folded(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c;
}

// The fields as a match fills them in, indexed by Part; the time defaults to midnight.
struct Fields {
    std::array<int, 8> Value{};
    size_t Begin = std::wstring_view::npos; // of the first digit matched
    size_t End = 0;                         // past the last one
    int Millisecond = 0;

    std::optional<CivilTime> Time() const {
        const CivilTime time{Value[size_t(Part::Year)],
                             Value[size_t(Part::Month)],
                             Value[size_t(Part::Day)],
                             Value[size_t(Part::Hour)],
                             Value[size_t(Part::Minute)],
                             Value[size_t(Part::Second)],
                             Millisecond};
        if (!EncodeDateTime(time))
            return std::nullopt;
        return time;
    }
};

// The digits of `part` at name[pos...], or none.
std::optional<int> DigitsAt(std::wstring_view name, size_t pos, Part part) {
    const size_t count = static_cast<size_t>(DigitCount(part));
    if (pos > name.size() || name.size() - pos < count)
        return std::nullopt;
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (!IsDigit(name[i]))
            return std::nullopt;
        value = value * 10 + (name[i] - L'0');
    }
    return value;
}

class Matcher {
public:
    Matcher(const std::vector<NamePattern::Element>& elements, std::wstring_view name)
        : elements_(elements), name_(name) {}

    // Whether the elements from `element` on match name[pos...] to the end (or anywhere when
    // `whole` is false), with a valid date.
    bool Match(size_t element, size_t pos, bool whole) {
        if (++steps_ > kMostSteps)
            return false;
        if (element == elements_.size()) {
            end_ = pos;
            return (!whole || pos == name_.size()) && fields_.Time().has_value();
        }
        const NamePattern::Element& e = elements_[element];
        switch (e.What) {
        case Part::Literal:
            return pos < name_.size() && Folded(name_[pos]) == Folded(e.Char) &&
                   Match(element + 1, pos + 1, whole);
        case Part::Any:
            for (size_t at = pos; at <= name_.size(); ++at)
                if (Match(element + 1, at, whole))
                    return true;
            return false;
        default: {
            const std::optional<int> value = DigitsAt(name_, pos, e.What);
            if (!value)
                return false;
            const Fields before = fields_;
            fields_.Value[size_t(e.What)] = *value;
            fields_.Begin = std::min(fields_.Begin, pos);
            fields_.End = std::max(fields_.End, pos + DigitCount(e.What));
            if (Match(element + 1, pos + DigitCount(e.What), whole))
                return true;
            fields_ = before;
            return false;
        }
        }
    }

    Fields& Found() { return fields_; }
    size_t End() const { return end_; }

private:
    const std::vector<NamePattern::Element>& elements_;
    std::wstring_view name_;
    Fields fields_;
    size_t end_ = 0;
    int steps_ = 0;
};

struct KnownForm {
    const wchar_t* Pattern;
    bool MayHaveMilliseconds = false;
    bool TwelveHourClock = false; // the time follows the pattern, as TwelveHourClock reads it
};

// Longer forms first, so that "AAAA-MM-JJ-hh-mm-ss" is not read as "AAAA-MM-JJ-hhmmss" cut short,
// and the 12-hour clock before the 24-hour one, so that 12.30.00 AM is not read as noon.
constexpr KnownForm kKnownForms[] = {
    {L"AAAA-MM-JJ at ", false, true}, {L"AAAA-MM-JJ at hh.mm.ss"},
    {L"AAAA-MM-JJ hh.mm.ss"},         {L"AAAA-MM-JJ hh-mm-ss"},
    {L"AAAA-MM-JJ_hh-mm-ss"},         {L"AAAA-MM-JJ-hh-mm-ss"},
    {L"AAAA-MM-JJ-hhmmss"},           {L"AAAAMMJJ_hhmmss", true},
    {L"AAAAMMJJ-hhmmss", true},       {L"AAAAMMJJ-WA"},
};

// "h.mm.ss PM" or "hh.mm.ss AM" at name[pos...], as macOS and WhatsApp write the time with a
// 12-hour clock; the space before AM or PM may be a narrow no-break one. Where it ends.
std::optional<size_t> TwelveHourClock(std::wstring_view name, size_t pos, Fields& fields) {
    size_t at = pos;
    int hour = 0;
    for (; at < name.size() && at - pos < 2 && IsDigit(name[at]); ++at)
        hour = hour * 10 + (name[at] - L'0');
    if (at == pos || name.size() - at < 9 || name[at] != L'.' || name[at + 3] != L'.')
        return std::nullopt;
    const std::optional<int> minute = DigitsAt(name, at + 1, Part::Minute);
    const std::optional<int> second = DigitsAt(name, at + 4, Part::Second);
    at += 6;
    const wchar_t half = Folded(name[at + 1]);
    if (!minute || !second || (name[at] != L' ' && name[at] != L'\u202F') || (half != L'a' && half != L'p') ||
        Folded(name[at + 2]) != L'm' || hour < 1 || hour > 12)
        return std::nullopt;
    fields.Value[size_t(Part::Hour)] = hour % 12 + (half == L'p' ? 12 : 0);
    fields.Value[size_t(Part::Minute)] = *minute;
    fields.Value[size_t(Part::Second)] = *second;
    return at + 3;
}

const std::vector<NamePattern>& KnownPatterns() {
    static const std::vector<NamePattern> patterns = [] {
        std::vector<NamePattern> all;
        for (const KnownForm& form : kKnownForms)
            all.push_back(*ParseNamePattern(form.Pattern));
        return all;
    }();
    return patterns;
}

struct Found {
    NameDate Date;
    size_t Begin = 0, End = 0;
};

// The first known form at or after `from` with a valid date, not within a longer run of digits.
std::optional<Found> FindFrom(std::wstring_view name, size_t from) {
    const std::vector<NamePattern>& patterns = KnownPatterns();
    for (size_t pos = from; pos < name.size(); ++pos) {
        if (pos > 0 && IsDigit(name[pos - 1]))
            continue;
        for (size_t i = 0; i < patterns.size(); ++i) {
            Matcher matcher(patterns[i].Elements, name);
            if (!matcher.Match(0, pos, false))
                continue;
            size_t end = matcher.End();
            Fields& fields = matcher.Found();
            if (kKnownForms[i].TwelveHourClock) {
                const std::optional<size_t> clockEnd = TwelveHourClock(name, end, fields);
                if (!clockEnd || !fields.Time())
                    continue;
                end = *clockEnd;
            }
            if (kKnownForms[i].MayHaveMilliseconds && end + 3 <= name.size() && IsDigit(name[end]) &&
                IsDigit(name[end + 1]) && IsDigit(name[end + 2]) &&
                (end + 3 == name.size() || !IsDigit(name[end + 3]))) {
                fields.Millisecond =
                    (name[end] - L'0') * 100 + (name[end + 1] - L'0') * 10 + (name[end + 2] - L'0');
                end += 3;
            }
            const bool endsWithDigits = patterns[i].Elements.back().What != Part::Literal;
            if (endsWithDigits && end < name.size() && IsDigit(name[end]))
                continue;
            // Pixel phones name their photos and videos by the UTC time they were taken.
            const bool utc = pos >= 4 && Folded(name[pos - 4]) == L'p' && Folded(name[pos - 3]) == L'x' &&
                             Folded(name[pos - 2]) == L'l' && name[pos - 1] == L'_';
            return Found{NameDate{*fields.Time(), utc, false}, pos, end};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<NameDate> FindNameDate(std::wstring_view name) {
    std::optional<Found> first = FindFrom(name, 0);
    if (!first)
        return std::nullopt;
    first->Date.SecondDate = FindFrom(name, first->End).has_value();
    return first->Date;
}

std::optional<NamePattern> ParseNamePattern(std::wstring_view text) {
    constexpr struct {
        std::wstring_view Token;
        Part What;
    } kTokens[] = {{L"AAAA", Part::Year}, {L"MM", Part::Month},  {L"JJ", Part::Day},
                   {L"hh", Part::Hour},   {L"mm", Part::Minute}, {L"ss", Part::Second}};
    NamePattern pattern;
    std::array<int, 8> seen{};
    for (size_t pos = 0; pos < text.size();) {
        bool token = false;
        for (const auto& [name, what] : kTokens) {
            if (text.substr(pos).starts_with(name)) {
                if (++seen[size_t(what)] > 1)
                    return std::nullopt;
                pattern.Elements.push_back({what, 0});
                pos += name.size();
                token = true;
                break;
            }
        }
        if (token)
            continue;
        // Stars in a row are one: the walk would only try the same lengths again.
        if (text[pos] != L'*' || pattern.Elements.empty() || pattern.Elements.back().What != Part::Any)
            pattern.Elements.push_back({text[pos] == L'*' ? Part::Any : Part::Literal, text[pos]});
        ++pos;
    }
    if (!seen[size_t(Part::Year)] || !seen[size_t(Part::Month)] || !seen[size_t(Part::Day)])
        return std::nullopt;
    return pattern;
}

std::optional<NameDate> MatchNamePattern(const NamePattern& pattern, std::wstring_view name) {
    Matcher matcher(pattern.Elements, name);
    if (!matcher.Match(0, 0, true))
        return std::nullopt;
    const Fields& fields = matcher.Found();
    NameDate date{*fields.Time(), false, false};
    // Another date is one of a known form lying wholly outside the digits the pattern used.
    for (size_t from = 0; !date.SecondDate;) {
        const std::optional<Found> other = FindFrom(name, from);
        if (!other)
            break;
        date.SecondDate = other->End <= fields.Begin || other->Begin >= fields.End;
        from = other->Begin + 1;
    }
    return date;
}
