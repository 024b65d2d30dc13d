// The virtual list: what the owner is asked for each cell and how its answer reaches the list
// view, the owner-data notifications, extended styles and the column order, on a real list view
// in a real window.
#include "ListTestFrame.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

class ExtListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ConfigureFileList(list);
        ASSERT_TRUE(list.Create(frame.Handle(), 0, 0, 880, 360, 101));
    }

    LRESULT DisplayInfo(NMLVDISPINFOW& info) { return frame.Notify(list, LVN_GETDISPINFOW, info); }

    ListTestFrame frame;
    TdfsExtListView list;
};

} // namespace

TEST_F(ExtListViewTest, OwnerTextReachesTheListView) {
    list.OnVMGetItemInfo = [](TCustomExtListView&, TVMItemInfo& info) {
        info.Text.Assign(L"ligne " + std::to_wstring(info.Item) + L" col " + std::to_wstring(info.SubItem));
    };
    list.SetVirtualItemCount(3, {vcfNoScroll});
    EXPECT_EQ(list.ItemCount(), 3);
    std::array<wchar_t, 64> text{};
    LVITEMW item{};
    item.iSubItem = 2;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    list.Send(LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::wstring(text.data()), L"ligne 1 col 2");
}

TEST_F(ExtListViewTest, RequestForRowMinusOneChangesNothing) {
    bool called = false;
    list.OnVMGetItemInfo = [&](TCustomExtListView&, TVMItemInfo& info) {
        called = true;
        info.Text.Assign(L"x");
        info.Image = 9;
    };
    std::array<wchar_t, 16> text{L'o', L'l', L'd'};
    NMLVDISPINFOW info{};
    info.item.mask = LVIF_TEXT | LVIF_IMAGE;
    info.item.iItem = -1;
    info.item.iImage = 3;
    info.item.pszText = text.data();
    info.item.cchTextMax = static_cast<int>(text.size());
    EXPECT_EQ(DisplayInfo(info), 0);
    EXPECT_FALSE(called);
    EXPECT_EQ(std::wstring(text.data()), L"old");
    EXPECT_EQ(info.item.iImage, 3);
    EXPECT_EQ(info.item.mask, static_cast<UINT>(LVIF_TEXT | LVIF_IMAGE));
}

TEST_F(ExtListViewTest, TextLongerThanTheBufferIsCutToCapacityLessOne) {
    list.OnVMGetItemInfo = [](TCustomExtListView&, TVMItemInfo& info) { info.Text.Assign(L"Document.txt"); };
    std::array<wchar_t, 6> text{};
    text.fill(L'#');
    NMLVDISPINFOW info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = 0;
    info.item.pszText = text.data();
    info.item.cchTextMax = static_cast<int>(text.size());
    DisplayInfo(info);
    EXPECT_EQ(std::wstring(text.data()), L"Docum");
}

TEST_F(ExtListViewTest, WithoutAHandlerTheRecordIsLeftUnchanged) {
    std::array<wchar_t, 16> text{L'a', L'b'};
    NMLVDISPINFOW info{};
    info.item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE | LVIF_INDENT | 0x1000;
    info.item.iItem = 4;
    info.item.iImage = 7;
    info.item.iIndent = 2;
    info.item.state = 0x1234;
    info.item.stateMask = 0xFF00;
    info.item.pszText = text.data();
    info.item.cchTextMax = static_cast<int>(text.size());
    const NMLVDISPINFOW before = info;
    DisplayInfo(info);
    EXPECT_EQ(std::wstring(text.data()), L"ab");
    EXPECT_EQ(info.item.mask, before.item.mask);
    EXPECT_EQ(info.item.iImage, 7);
    EXPECT_EQ(info.item.iIndent, 2);
    EXPECT_EQ(info.item.state, 0x1234u);
    EXPECT_EQ(info.item.stateMask, 0xFF00u);
}

TEST_F(ExtListViewTest, OwnerAnswerFillsImageStateAndOverlayBits) {
    list.OnVMGetItemInfo = [](TCustomExtListView&, TVMItemInfo& info) {
        EXPECT_EQ(info.Item, 5);
        EXPECT_EQ(info.SubItem, 0);
        EXPECT_TRUE(info.Mask.Contains(lvifImage));
        EXPECT_FALSE(info.Mask.Contains(lvifText));
        info.Image = 12;
        info.OverlayImage = 2;
        info.StateImage = 1;
        info.State |= LVIS_SELECTED;
        info.Mask.Include(lvifState);
        info.StateMask = LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK | LVIS_SELECTED;
    };
    NMLVDISPINFOW info{};
    info.item.mask = LVIF_IMAGE;
    info.item.iItem = 5;
    info.item.state = 0xFF00;
    DisplayInfo(info);
    EXPECT_EQ(info.item.iImage, 12);
    EXPECT_EQ(info.item.state, static_cast<UINT>(0x0200 | 0x1000 | LVIS_SELECTED));
    EXPECT_EQ(info.item.mask, static_cast<UINT>(LVIF_IMAGE | LVIF_STATE));
    EXPECT_EQ(info.item.stateMask, static_cast<UINT>(LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK | LVIS_SELECTED));
}

TEST_F(ExtListViewTest, WithoutAFindHandlerTheAnswerIsNoMatch) {
    list.SetVirtualItemCount(10);
    NMLVFINDITEMW find{};
    find.iStart = 0;
    find.lvfi.flags = LVFI_STRING;
    find.lvfi.psz = L"abc";
    EXPECT_EQ(frame.Notify(list, LVN_ODFINDITEMW, find), -1);
    LVFINDINFOW info{};
    info.flags = LVFI_STRING;
    info.psz = L"abc";
    EXPECT_EQ(list.Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)), -1);
}

TEST_F(ExtListViewTest, FindHandlerAnswersTheSearch) {
    list.OnVMFindItem = [](TCustomExtListView&, NMLVFINDITEMW& find, int& found) {
        EXPECT_EQ(found, -1);
        if (find.lvfi.psz && std::wstring(find.lvfi.psz) == L"b")
            found = 1;
    };
    NMLVFINDITEMW find{};
    find.lvfi.flags = LVFI_STRING;
    find.lvfi.psz = L"b";
    EXPECT_EQ(frame.Notify(list, LVN_ODFINDITEMW, find), 1);
}

TEST_F(ExtListViewTest, CacheHintReachesTheOwnerUnchanged) {
    int from = -1;
    int to = -1;
    list.OnVMCacheHint = [&](TCustomExtListView&, NMLVCACHEHINT& hint) {
        from = hint.iFrom;
        to = hint.iTo;
    };
    NMLVCACHEHINT hint{};
    hint.iFrom = 3;
    hint.iTo = 17;
    frame.Notify(list, LVN_ODCACHEHINT, hint);
    EXPECT_EQ(from, 3);
    EXPECT_EQ(to, 17);
}

TEST_F(ExtListViewTest, EditedCaptionGoesToTheCaptionEventOnly) {
    int editedItem = -1;
    bool wasCanceled = true;
    std::wstring editedText;
    list.OnVMCaptionEdited = [&](TCustomExtListView&, int item, bool canceled, const std::wstring& text) {
        editedItem = item;
        wasCanceled = canceled;
        editedText = text;
    };
    wchar_t typed[] = L"NOUVEAU.TXT";
    NMLVDISPINFOW info{};
    info.item.iItem = 2;
    info.item.pszText = typed;
    EXPECT_EQ(frame.Notify(list, LVN_ENDLABELEDITW, info), 0);
    EXPECT_EQ(editedItem, 2);
    EXPECT_FALSE(wasCanceled);
    EXPECT_EQ(editedText, L"NOUVEAU.TXT");

    info.item.pszText = nullptr;
    frame.Notify(list, LVN_ENDLABELEDITW, info);
    EXPECT_TRUE(wasCanceled);
    EXPECT_EQ(editedText, L"");
}

TEST_F(ExtListViewTest, HotUnderlineStoresOneClickActivationToo) {
    list.SetExtendedStyles({lvxUnderlineHot});
    EXPECT_EQ(list.ExtendedStyles(), (TLVExtendedStyles{lvxUnderlineHot, lvxOneClickActivate}));
    EXPECT_EQ(list.Send(LVM_GETEXTENDEDLISTVIEWSTYLE) & (LVS_EX_UNDERLINEHOT | LVS_EX_ONECLICKACTIVATE),
              LVS_EX_UNDERLINEHOT | LVS_EX_ONECLICKACTIVATE);
}

TEST_F(ExtListViewTest, GridLinesToggleByReadingAndWritingTheSet) {
    auto styles = list.ExtendedStyles();
    EXPECT_EQ(styles, (TLVExtendedStyles{lvxHeaderDragDrop, lvxFullRowSelect}));
    list.SetExtendedStyles(styles.Include(lvxGridLines));
    EXPECT_TRUE(list.Send(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_GRIDLINES);
    list.SetExtendedStyles(list.ExtendedStyles().Exclude(lvxGridLines));
    EXPECT_FALSE(list.Send(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_GRIDLINES);
    EXPECT_TRUE(list.ExtendedStyles().Contains(lvxFullRowSelect));
}

TEST_F(ExtListViewTest, AppliedColumnOrderIsReadBack) {
    const std::vector<int> order{7, 0, 1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(list.ApplyColumnOrder(order));
    std::vector<int> read;
    ASSERT_TRUE(list.CurrentColumnOrder(8, read));
    EXPECT_EQ(read, order);
    EXPECT_EQ(list.ColumnAtPosition(0), 7);
    EXPECT_EQ(list.ColumnAtPosition(1), 0);
    EXPECT_EQ(list.ColumnPosition(7), 0);
    EXPECT_EQ(list.ColumnPosition(6), 7);
    EXPECT_EQ(list.ColumnAtPosition(8), -1);
    EXPECT_EQ(list.ColumnPosition(8), 0);
}

TEST_F(ExtListViewTest, AnOrderThatIsNotAPermutationIsRefused) {
    EXPECT_FALSE(list.ApplyColumnOrder({0, 0, 1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(list.ApplyColumnOrder({1, 0}));
    std::vector<int> read;
    ASSERT_TRUE(list.CurrentColumnOrder(8, read));
    EXPECT_EQ(read, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(ExtListViewTest, SelectionIsReadAndClearedThroughThePlatformList) {
    list.SetVirtualItemCount(10, {vcfNoScroll});
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    list.Send(LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&state));
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    list.Send(LVM_SETITEMSTATE, 6, reinterpret_cast<LPARAM>(&state));

    EXPECT_EQ(list.SelectedCount(), 2);
    EXPECT_TRUE(list.IsSelected(3));
    EXPECT_FALSE(list.IsSelected(4));
    EXPECT_EQ(list.NextItemIndex(-1, sdAll, {isFocused}), 3);
    EXPECT_EQ(list.NextItemIndex(-1, sdAll, {isSelected}), 3);
    EXPECT_EQ(list.NextItemIndex(3, sdAll, {isSelected}), 6);

    list.ClearSelection();
    list.ClearFocus();
    EXPECT_EQ(list.SelectedCount(), 0);
    EXPECT_EQ(list.NextItemIndex(-1, sdAll, {isFocused}), -1);
    EXPECT_EQ(list.ItemCount(), 10);
}

// End, Home and the page keys leave one row selected and focused, also after every row was
// selected (more than are deselected one by one), and that row anchors the next Shift range.
TEST_F(ExtListViewTest, PageKeysLeaveOneRowSelectedAndFocused) {
    list.SetVirtualItemCount(1000, {vcfNoScroll});
    const int page = static_cast<int>(list.Send(LVM_GETCOUNTPERPAGE));
    ASSERT_GT(page, 1);
    const auto key = [this](UINT vk, bool shift) {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(state);
        list.Send(WM_KEYDOWN, vk, 1);
        state[VK_SHIFT] = 0;
        ::SetKeyboardState(state);
    };
    const auto alone = [this](int row) {
        return list.SelectedCount() == 1 && list.IsSelected(row) &&
               list.NextItemIndex(-1, sdAll, {isFocused}) == row;
    };
    LVITEMW all{};
    all.stateMask = all.state = LVIS_SELECTED;
    list.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
    key(VK_END, false);
    EXPECT_TRUE(alone(999));
    key(VK_HOME, false);
    EXPECT_TRUE(alone(0));
    key(VK_NEXT, false); // to the bottom of the page, then one page on
    EXPECT_TRUE(alone(page - 1));
    key(VK_NEXT, false);
    EXPECT_TRUE(alone(2 * page - 1));
    key(VK_PRIOR, false); // to the top of the page, then one page back
    EXPECT_TRUE(alone(page));
    key(VK_PRIOR, false);
    EXPECT_TRUE(alone(0));
    key(VK_END, false);
    key(VK_HOME, true);
    EXPECT_EQ(list.SelectedCount(), 1000);
}

TEST_F(ExtListViewTest, TransientItemAsksTheOwnerOncePerColumn) {
    std::vector<int> subItems;
    list.OnVMGetItemInfo = [&](TCustomExtListView&, TVMItemInfo& info) {
        subItems.push_back(info.SubItem);
        if (info.SubItem == 0) {
            EXPECT_EQ(info.Text.Capacity(), 1024u);
            info.Image = 4;
            info.Param = 77;
        }
        info.Text.Assign(L"c" + std::to_wstring(info.SubItem));
    };
    list.SetVirtualItemCount(2);
    const TTransientItem row = list.FillTransientItem(1);
    EXPECT_EQ(subItems, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(row.Caption, L"c0");
    EXPECT_EQ(row.ImageIndex, 4);
    EXPECT_EQ(row.Data, 77);
    ASSERT_EQ(row.SubItems.size(), 7u);
    EXPECT_EQ(row.SubItems[6], L"c7");
    EXPECT_FALSE(row.Selected);
}

TEST_F(ExtListViewTest, ViewStyleIsReadAndSetOnTheWindow) {
    EXPECT_EQ(list.ViewStyle(), vsReport);
    list.SetViewStyle(vsList);
    EXPECT_EQ(::GetWindowLongW(list.Handle(), GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
    EXPECT_EQ(list.ViewStyle(), vsList);
    list.SetViewStyle(vsIcon);
    EXPECT_EQ(list.ViewStyle(), vsIcon);
}

TEST_F(ExtListViewTest, WindowIsCreatedInOwnerDataModeWithTheFileListStyles) {
    const LONG style = ::GetWindowLongW(list.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & LVS_OWNERDATA);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(style & LVS_EDITLABELS);
    EXPECT_FALSE(style & LVS_SINGLESEL);
    EXPECT_EQ(list.Send(LVM_GETCOLUMNWIDTH, 7), 300);
}

TEST_F(ExtListViewTest, LeavingVirtualModeCreatesTheWindowAgainWithItsLayout) {
    list.SetVirtualItemCount(5);
    ASSERT_TRUE(list.ApplyColumnOrder({1, 0, 2, 3, 4, 5, 6, 7}));
    list.SetColumnWidth(2, 77);
    list.SetExtendedStyles({lvxGridLines, lvxFullRowSelect});
    HWND before = list.Handle();
    list.SetVirtualMode(false);
    ASSERT_TRUE(list.HandleAllocated());
    EXPECT_FALSE(::IsWindow(before));
    EXPECT_FALSE(::GetWindowLongW(list.Handle(), GWL_STYLE) & LVS_OWNERDATA);
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(list.ColumnCount(), 8);
    EXPECT_EQ(list.ColumnWidth(2), 77);
    EXPECT_EQ(list.ColumnAtPosition(0), 1);
    EXPECT_EQ(list.ExtendedStyles(), (TLVExtendedStyles{lvxGridLines, lvxFullRowSelect}));
    EXPECT_NE(list.HeaderHandle(), nullptr);
}
