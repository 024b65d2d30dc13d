// The three letter-case forms of a file name, with the pinned French locale's case mapping.
#include "operations/NameCase.h"

#include "base/FixedLocale.h"

#include <gtest/gtest.h>

namespace {

struct Example {
    std::wstring Name;
    std::wstring Upper;
    std::wstring Lower;
    std::wstring FirstUpper;
};

class NameCaseExamples : public testing::TestWithParam<Example> {
protected:
    FixedLocale locale_;
};

TEST_P(NameCaseExamples, UpperLowerAndFirstUpperFormsOfTheWholeName) {
    const Example& e = GetParam();
    EXPECT_EQ(ConvertNameCase(e.Name, NameCase::Upper, locale_), e.Upper);
    EXPECT_EQ(ConvertNameCase(e.Name, NameCase::Lower, locale_), e.Lower);
    EXPECT_EQ(ConvertNameCase(e.Name, NameCase::FirstUpper, locale_), e.FirstUpper);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameCaseExamples,
    testing::Values(Example{L"mon FICHIER.Txt", L"MON FICHIER.TXT", L"mon fichier.txt", L"Mon fichier.txt"},
                    Example{L"\u00e9t\u00e9 2010.DOC", L"\u00c9T\u00c9 2010.DOC", L"\u00e9t\u00e9 2010.doc",
                            L"\u00c9t\u00e9 2010.doc"},
                    Example{L"1er essai.TXT", L"1ER ESSAI.TXT", L"1er essai.txt", L"1er essai.txt"},
                    Example{L"aBC.TXT", L"ABC.TXT", L"abc.txt", L"Abc.txt"},
                    Example{L"\u03b1\u03b2\u03b3.txt", L"\u0391\u0392\u0393.TXT", L"\u03b1\u03b2\u03b3.txt",
                            L"\u0391\u03b2\u03b3.txt"},
                    Example{L"\u65e5\u672c\u8a9e.TXT", L"\u65e5\u672c\u8a9e.TXT", L"\u65e5\u672c\u8a9e.txt",
                            L"\u65e5\u672c\u8a9e.txt"}));

TEST(NameCase, FirstUpperDoesNotCapitaliseAfterSpacesDotsOrDashes) {
    FixedLocale locale;
    EXPECT_EQ(ConvertNameCase(L"jean-PAUL le.ROI.txt", NameCase::FirstUpper, locale),
              L"Jean-paul le.roi.txt");
}

TEST(NameCase, FirstCharacterOutsideTheBasicPlaneStaysWholeAndTheRestIsLowered) {
    // A surrogate pair handed to the mapping in halves would be broken.
    std::wstring seenFirst;
    const auto upper = [&](std::wstring_view text) {
        if (seenFirst.empty())
            seenFirst = std::wstring(text);
        return std::wstring(text);
    };
    const std::wstring name = L"\U0001F600 F\u00caTE.TXT";
    const std::wstring result =
        ConvertNameCase(name, NameCase::FirstUpper, upper,
                        [](std::wstring_view text) { return FixedLocale().ToLower(text); });
    EXPECT_EQ(seenFirst, L"\U0001F600");
    EXPECT_EQ(result, L"\U0001F600 f\u00eate.txt");
}

TEST(NameCase, EmptyNameStaysEmpty) {
    FixedLocale locale;
    EXPECT_EQ(ConvertNameCase(L"", NameCase::FirstUpper, locale), L"");
    EXPECT_EQ(ConvertNameCase(L"", NameCase::Upper, locale), L"");
}

} // namespace
