// Header sorting and the owner-drawn header: the click sequence, the arrow bitmaps and their
// painting, the resize rules and the item update that holds sorting back.
#include "ListTestFrame.h"

#include "listctrl/HeaderLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class EnhListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ConfigureFileList(list);
        ASSERT_TRUE(list.Create(frame.Handle(), 0, 0, 880, 360, 101));
        PumpMessages();
    }

    // A click on a column header as the header reports it through the list.
    void ClickHeader(int column) {
        HWND header = list.HeaderHandle();
        ASSERT_TRUE(header);
        RECT r{};
        ::SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(header, WM_LBUTTONUP, 0, at);
    }

    bool ItemOwnerDrawn(int column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        ::SendMessageW(list.HeaderHandle(), HDM_GETITEMW, static_cast<WPARAM>(column),
                       reinterpret_cast<LPARAM>(&item));
        return (item.fmt & HDF_OWNERDRAW) != 0;
    }

    static int TextHeight(HFONT font) {
        HDC dc = ::GetDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, font);
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, L"Wy", 2, &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(nullptr, dc);
        return extent.cy;
    }

    ListTestFrame frame;
    TdfsExtListView list;
};

// The colour of one pixel of a bitmap.
COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return colour;
}

} // namespace

TEST_F(EnhListViewTest, StartsWithTheFirstColumnAscending) {
    EXPECT_EQ(list.SortColumnIndex(), 0);
    EXPECT_TRUE(list.SortAscending());
    EXPECT_EQ(list.UpdateDepth(), 0);
}

TEST_F(EnhListViewTest, ClickingTheSortColumnAgainReversesTheDirection) {
    ClickHeader(1);
    EXPECT_EQ(list.SortColumnIndex(), 1);
    EXPECT_TRUE(list.SortAscending());
    ClickHeader(1);
    EXPECT_EQ(list.SortColumnIndex(), 1);
    EXPECT_FALSE(list.SortAscending());
    ClickHeader(1);
    EXPECT_TRUE(list.SortAscending());
}

TEST_F(EnhListViewTest, ClickingAnotherColumnSortsItAscending) {
    ClickHeader(0);
    EXPECT_FALSE(list.SortAscending());
    ClickHeader(3);
    EXPECT_EQ(list.SortColumnIndex(), 3);
    EXPECT_TRUE(list.SortAscending());
}

TEST_F(EnhListViewTest, ColumnClickIsRaisedBetweenTheDirectionChangeAndTheSort) {
    std::vector<std::wstring> events;
    list.OnColumnClick = [&](TCustomEnhListView& sender, int column) {
        events.push_back(L"click " + std::to_wstring(column) + (sender.SortAscending() ? L" asc" : L" desc") +
                         L" sortcol " + std::to_wstring(sender.SortColumnIndex()));
    };
    list.OnSortBegin = [&](TCustomEnhListView&, int column, bool) {
        events.push_back(L"sort " + std::to_wstring(column));
    };
    ClickHeader(0);
    ClickHeader(2);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"click 0 desc sortcol 0", L"sort 0",
                                                 L"click 2 asc sortcol 0", L"sort 2"}));
}

TEST_F(EnhListViewTest, WithoutAutomaticSortAClickOnlyMovesTheSortColumn) {
    list.SetAutoColumnSort(acsNoSort);
    int sorts = 0;
    list.OnSortBegin = [&](TCustomEnhListView&, int, bool) { ++sorts; };
    ClickHeader(4);
    ClickHeader(4);
    EXPECT_EQ(list.SortColumnIndex(), 4);
    EXPECT_TRUE(list.SortAscending());
    EXPECT_EQ(sorts, 0);
}

TEST_F(EnhListViewTest, SortWaitsForTheEndOfAnItemUpdate) {
    int sorts = 0;
    list.OnSortBegin = [&](TCustomEnhListView&, int, bool) { ++sorts; };
    list.BeginItemUpdate();
    list.Resort();
    EXPECT_EQ(sorts, 0);
    EXPECT_TRUE(list.SortPending());
    list.EndItemUpdate();
    EXPECT_EQ(sorts, 1);
    EXPECT_FALSE(list.SortPending());
    list.EndItemUpdate(); // never below zero
    EXPECT_EQ(list.UpdateDepth(), 0);
}

TEST_F(EnhListViewTest, HeaderItemsAreOwnerDrawnAndStaySoAfterAColumnChange) {
    PumpMessages();
    for (int c = 0; c < 8; ++c)
        EXPECT_TRUE(ItemOwnerDrawn(c)) << c;
    // The list view rewrites the header item when a column changes.
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(L"Nom long");
    list.Send(LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    EXPECT_TRUE(ItemOwnerDrawn(0));
    list.SetShowSortArrows(false);
    EXPECT_FALSE(ItemOwnerDrawn(0));
}

TEST_F(EnhListViewTest, PrivateMessageReappliesTheOwnerDrawnHeader) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    item.fmt = HDF_STRING | HDF_LEFT;
    // Written behind the control's back, without the change notification.
    list.SetNoColumnResize(false);
    ::SendMessageW(list.HeaderHandle(), HDM_SETITEMW, 2, reinterpret_cast<LPARAM>(&item));
    list.Send(TCustomEnhListView::kReapplyHeaderMessage);
    EXPECT_TRUE(ItemOwnerDrawn(2));
}

TEST_F(EnhListViewTest, ArrowBitmapsTakeTheirSizeFromTheFont) {
    HFONT font = ::CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    list.SetFont(font);
    const int expected = SortArrowSize(TextHeight(font));
    ASSERT_GT(expected, 0);
    EXPECT_EQ(expected % 2, 0);
    EXPECT_EQ(list.SortArrowBitmapSize(), expected);
    BITMAP info{};
    ASSERT_TRUE(::GetObjectW(list.AscendingArrow(), sizeof(info), &info));
    EXPECT_EQ(info.bmWidth, expected);
    EXPECT_EQ(info.bmHeight, expected);
    ASSERT_TRUE(::GetObjectW(list.DescendingArrow(), sizeof(info), &info));
    EXPECT_EQ(info.bmWidth, expected);
    list.SetFont(nullptr);
    ::DeleteObject(font);
}

TEST_F(EnhListViewTest, TinyFontGivesNoArrows) {
    HFONT font = ::CreateFontW(-2, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    list.SetFont(font);
    if (TextHeight(font) > 6)
        GTEST_SKIP() << "the smallest font here is taller than 6 pixels";
    EXPECT_EQ(list.SortArrowBitmapSize(), 0);
    EXPECT_EQ(list.AscendingArrow(), nullptr);
    EXPECT_EQ(list.DescendingArrow(), nullptr);
    list.SetFont(nullptr);
    ::DeleteObject(font);
}

TEST_F(EnhListViewTest, ArrowShapesAreDrawnInTheButtonColours) {
    const int s = list.SortArrowBitmapSize();
    ASSERT_GE(s, 4);
    const int b = s / 2;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    // Descending points down: highlight along the top, shadow corner at the top right.
    EXPECT_EQ(PixelOf(list.DescendingArrow(), 0, 0), highlight);
    EXPECT_EQ(PixelOf(list.DescendingArrow(), s - 1, 0), shadow);
    EXPECT_EQ(PixelOf(list.DescendingArrow(), b - 1, s - 2), highlight);
    EXPECT_EQ(PixelOf(list.DescendingArrow(), 0, s - 1), face);
    // Ascending points up: shadow along the bottom, the tip left in the button face.
    EXPECT_EQ(PixelOf(list.AscendingArrow(), 0, s - 1), shadow);
    EXPECT_EQ(PixelOf(list.AscendingArrow(), s - 1, s - 1), shadow);
    EXPECT_EQ(PixelOf(list.AscendingArrow(), b, 0), face);
    EXPECT_EQ(PixelOf(list.AscendingArrow(), 0, 0), face);

    list.SetReverseSortArrows(true);
    EXPECT_EQ(PixelOf(list.AscendingArrow(), s - 1, 0), shadow);
    EXPECT_EQ(PixelOf(list.DescendingArrow(), 0, s - 1), shadow);
}

TEST_F(EnhListViewTest, ArrowIsPaintedInTheSortColumnOnly) {
    HWND header = list.HeaderHandle();
    RECT client{};
    ::GetClientRect(header, &client);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageW(header, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);

    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    auto shadowPixelsIn = [&](int column) {
        RECT r{};
        ::SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
        int count = 0;
        for (int y = r.top + 3; y < r.bottom - 3; ++y)
            for (int x = r.left + 3; x < r.right - 3; ++x)
                if (::GetPixel(dc, x, y) == shadow)
                    ++count;
        return count;
    };
    // The ascending arrow's bottom edge alone is a row of shadow pixels.
    EXPECT_GE(shadowPixelsIn(0), list.SortArrowBitmapSize());
    EXPECT_EQ(shadowPixelsIn(3), 0);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
}

TEST_F(EnhListViewTest, NoColumnResizeStopsATrackBeforeItBegins) {
    NMHEADERW track{};
    track.iItem = 1;
    list.SetNoColumnResize(true);
    track.hdr.hwndFrom = list.HeaderHandle();
    track.hdr.code = HDN_BEGINTRACKW;
    EXPECT_EQ(list.Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)), TRUE);
    track.hdr.code = HDN_DIVIDERDBLCLICKW;
    EXPECT_EQ(list.Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)), TRUE);
    list.SetNoColumnResize(false);
    track.hdr.code = HDN_BEGINTRACKW;
    EXPECT_EQ(list.Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)), FALSE);
}

TEST_F(EnhListViewTest, ColumnFormatCanLockOneColumnsWidth) {
    TdfsExtListColumn locked;
    locked.AllowResize = false;
    list.SetColumnFormat(2, locked);
    NMHEADERW track{};
    track.hdr.hwndFrom = list.HeaderHandle();
    track.hdr.code = HDN_BEGINTRACKW;
    track.iItem = 2;
    EXPECT_EQ(list.Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)), TRUE);
    track.iItem = 1;
    EXPECT_EQ(list.Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track)), FALSE);
}
