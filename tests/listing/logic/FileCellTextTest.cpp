// The file list's cell texts under each display option, in a pinned French locale.
#include "listing/FileCellText.h"
#include "base/FixedLocale.h"

#include <gtest/gtest.h>

namespace {

FixedLocale french;
const std::wstring nbsp = L"\u00A0";

class FileCellTextTest : public testing::Test {
protected:
    std::wstring Cell(int column) {
        FileCellText(entry, column, options, french, text);
        return text;
    }
    TFileObject entry;
    TDisplayOptions options;
    std::wstring text;
};

TEST_F(FileCellTextTest, SizeInBytesOrRoundedUpKilobytes) {
    entry.Size = 1025;
    EXPECT_EQ(Cell(1), L"1" + nbsp + L"025");
    options.SizeKo = true;
    EXPECT_EQ(Cell(1), L"2 Ko");
    entry.Size = 0;
    EXPECT_EQ(Cell(1), L"0 Ko");
    entry.Size = 1;
    EXPECT_EQ(Cell(1), L"1 Ko");
    entry.Size = 1024;
    EXPECT_EQ(Cell(1), L"1 Ko");
}

TEST_F(FileCellTextTest, MidnightShowsItsTimeOnlyWithTimeZero) {
    entry.Modified = *EncodeDateTime({2021, 3, 5, 0, 0, 0});
    EXPECT_EQ(Cell(3), L"05/03/2021 00:00:00");
    options.TimeZero = false;
    EXPECT_EQ(Cell(3), L"05/03/2021");
    options.FullYear = false;
    EXPECT_EQ(Cell(3), L"05/03/21");
    entry.Modified = *EncodeDateTime({2021, 3, 5, 0, 0, 2});
    EXPECT_EQ(Cell(3), L"05/03/21 00:00:02");
}

TEST_F(FileCellTextTest, CreatedFollowsTheSameFormats) {
    entry.Created = *EncodeDateTime({2009, 12, 31, 23, 59, 58});
    options.FullYear = false;
    EXPECT_EQ(Cell(2), L"31/12/09 23:59:58");
}

TEST_F(FileCellTextTest, AccessShowsNoTime) {
    entry.Accessed = *EncodeDateTime({2021, 3, 5, 14, 30, 0});
    EXPECT_EQ(Cell(4), L"05/03/2021");
    options.FullYear = false;
    EXPECT_EQ(Cell(4), L"05/03/21");
}

TEST_F(FileCellTextTest, ZeroDateShowsZeros) {
    entry.Modified = kZeroDate;
    EXPECT_EQ(Cell(3), L"00/00/0000 00:00:00");
    options.TimeZero = false;
    options.FullYear = false;
    EXPECT_EQ(Cell(3), L"00/00/00");
}

TEST_F(FileCellTextTest, NameNormalisedOnlyWithoutNameMaj) {
    entry.Name = L"RAPPORT ANNUEL.txt";
    EXPECT_EQ(Cell(0), L"RAPPORT ANNUEL.txt");
    options.NameMaj = false;
    EXPECT_EQ(Cell(0), L"Rapport annuel.txt");
    entry.Name = L"ÉTÉ.TXT";
    EXPECT_EQ(Cell(0), L"ÉtÉ.txt"); // only the letters A to Z change
}

TEST_F(FileCellTextTest, ShortNameAttributesAndType) {
    entry.DosName = L"rappor~1.txt";
    entry.Attributes = 32;
    entry.TypeName = L"Document texte";
    EXPECT_EQ(Cell(5), L"RAPPOR~1.TXT");
    EXPECT_EQ(Cell(6), L"32");
    EXPECT_EQ(Cell(7), L"Document texte");
    EXPECT_EQ(Cell(8), L"");
}

} // namespace
