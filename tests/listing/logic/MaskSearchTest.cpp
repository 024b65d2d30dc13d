// The mask matcher, with its deliberate habits: a literal after a star binds to its first
// occurrence, a blank after ";" is part of the next pattern, names without extension get a dot.
#include "base/FixedLocale.h"
#include "listing/MaskSearch.h"

#include <gtest/gtest.h>

namespace {

FixedLocale french;

bool Matches(const wchar_t* mask, const wchar_t* name) {
    return MatchesMask(name, ParseMask(mask, french), french);
}

struct MaskCase {
    const wchar_t* mask;
    const wchar_t* name;
    bool expected;
};

void PrintTo(const MaskCase& c, std::ostream* os) {
    *os << testing::PrintToString(std::wstring(c.mask)) << " "
        << testing::PrintToString(std::wstring(c.name));
}

class MaskMatching : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskMatching, GivesTheExpectedAnswer) {
    const MaskCase& c = GetParam();
    EXPECT_EQ(Matches(c.mask, c.name), c.expected)
        << "mask " << testing::PrintToString(std::wstring(c.mask)) << " name "
        << testing::PrintToString(std::wstring(c.name));
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, MaskMatching,
    testing::Values(
        // Everything.
        MaskCase{L"", L"readme", true}, MaskCase{L"", L"a.txt", true}, MaskCase{L"*", L"readme", true},
        MaskCase{L"*.*", L"readme", true}, MaskCase{L"*.*", L"a.b.c", true},
        // An extension, without regard to case.
        MaskCase{L"*.TXT", L"Notes.txt", true}, MaskCase{L"*.TXT", L"NOTES.TXT", true},
        MaskCase{L"*.TXT", L"notes.txt.bak", false},
        // No extension.
        MaskCase{L"*.", L"readme", true}, MaskCase{L"*.", L"readme.txt", false},
        MaskCase{L"README", L"readme", false}, MaskCase{L"README.", L"readme", true},
        // Several patterns; a blank after ";" belongs to the next one.
        MaskCase{L"*.TXT;*.DOC", L"a.doc", true}, MaskCase{L"*.TXT;*.DOC", L"a.txt", true},
        MaskCase{L"*.TXT; *.DOC", L"a.doc", false}, MaskCase{L"*.TXT; *.DOC", L"a.txt", true},
        // First occurrence binding.
        MaskCase{L"*N?.TXT", L"banana.txt", false}, MaskCase{L"*AN*.TXT", L"banana.txt", true},
        MaskCase{L"A*B*C", L"axb.c", true}, MaskCase{L"A*B*C", L"abc", false},
        MaskCase{L"A*B*C", L"axbyc", false},
        // Exactly one character per "?".
        MaskCase{L"??.TXT", L"ab.txt", true}, MaskCase{L"??.TXT", L"a.txt", false},
        MaskCase{L"??.TXT", L"abc.txt", false},
        // An empty pattern matches nothing, the others still do.
        MaskCase{L"A.;;B.", L"a", true}, MaskCase{L"A.;;B.", L"b", true}, MaskCase{L"A.;;B.", L"c", false},
        // Accented letters.
        MaskCase{L"ÉTÉ*.DOC", L"été 2010.doc", true}, MaskCase{L"*.ΤΧΤ", L"αβγ.τχτ", true},
        // A star then "?" keeps the star pending.
        MaskCase{L"*?.TXT", L"a.txt", true}, MaskCase{L"?", L"a", false}));

TEST(ParseMask, LowersSortsAndDropsDuplicates) {
    const TMaskList list = ParseMask(L"*.TXT;*.doc;*.txt;", french);
    EXPECT_EQ(list, (TMaskList{L"*.doc", L"*.txt"}));
}

TEST(ParseMask, KeepsBlanksAndEmptyPatterns) {
    const TMaskList list = ParseMask(L" a ;;b", french);
    EXPECT_EQ(list, (TMaskList{L"", L" a ", L"b"}));
}

TEST(MatchesMask, AnEmptyListMatchesEverything) {
    EXPECT_TRUE(MatchesMask(L"x", TMaskList{}, french));
}

} // namespace
