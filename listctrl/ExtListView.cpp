// Virtual mode, extended styles, column order and column formats of the file list control.
#include "listctrl/ExtListView.h"

#include "listctrl/ColumnList.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <utility>

namespace {

// Up to this many rows change selection one by one: more are repainted or deselected as a whole.
constexpr int kRowsChangedOneByOne = 200;

} // namespace

TCustomExtListView::TCustomExtListView() : TCustomEnhListView(std::make_unique<TdfsExtLVSaveSettings>()) {}

TCustomExtListView::~TCustomExtListView() {
    // WM_DESTROY writes the settings through this class's overrides.
    Destroy();
}

void TCustomExtListView::CreateWnd() {
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(ExtendedStyleBits(extendedStyles_)));
    if (hoverTime_ != -1)
        Send(LVM_SETHOVERTIME, 0, hoverTime_);
    if (stateImages_)
        Send(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(stateImages_));
    ApplyCallbackMask();
    selection_.Reset(virtualMode_ ? virtualCount_ : 0);
    if (virtualMode_ && virtualCount_ > 0)
        Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(virtualCount_), VirtualCountFlagBits(virtualFlags_));
    if (!columnOrder_.empty() && IsColumnPermutation(columnOrder_, ColumnCount()))
        Send(LVM_SETCOLUMNORDERARRAY, columnOrder_.size(), reinterpret_cast<LPARAM>(columnOrder_.data()));
    ApplyColumnFormats();
    TCustomEnhListView::CreateWnd();
}

void TCustomExtListView::BeforeRecreate() {
    // Both reads refresh the remembered copies that CreateWnd sends to the new window.
    extendedStyles_ = ExtendedStyles();
    std::vector<int> order;
    if (ColumnCount() > 0)
        CurrentColumnOrder(ColumnCount(), order);
}

void TCustomExtListView::ApplyCallbackMask() {
    // Overlays, and state images when there is a list for them, always come from the owner.
    UINT mask = LVIS_OVERLAYMASK;
    if (stateImages_)
        mask |= LVIS_STATEIMAGEMASK;
    Send(LVM_SETCALLBACKMASK, mask);
}

// Virtual mode ---------------------------------------------------------------------------------

void TCustomExtListView::SetVirtualMode(bool on) {
    if (on == virtualMode_)
        return;
    virtualMode_ = on;
    if (HandleAllocated()) {
        ClearItems();
        virtualCount_ = 0;
        RecreateWnd();
    }
}

void TCustomExtListView::SetVirtualItemCount(int count, TVirtualCountFlags flags) {
    virtualCount_ = count;
    virtualFlags_ = flags;
    Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), VirtualCountFlagBits(flags));
    // The control keeps the selected rows that remain.
    selection_.Resize(count);
}

void TCustomExtListView::ForEachSelectedRow(const std::function<void(int)>& visit) const {
    if (!HandleAllocated())
        return;
    if (virtualMode_ && selection_.Rows() == ItemCount() && selection_.Count() == SelectedCount()) {
        selection_.ForEach(visit);
        return;
    }
    for (int i = NextItemIndex(-1, sdAll, {isSelected}); i >= 0; i = NextItemIndex(i, sdAll, {isSelected}))
        visit(i);
}

void TCustomExtListView::KeepSelection(const NMHDR& header) {
    if (!virtualMode_)
        return;
    bool changed = false;
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        changed = (change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED);
        const bool selected = (change.uNewState & LVIS_SELECTED) != 0;
        if (changed && change.iItem < 0)
            selection_.SetAll(selected);
        else if (changed)
            selection_.Set(change.iItem, change.iItem, selected);
    } else if (header.code == LVN_ODSTATECHANGED) {
        const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
        changed = ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0;
        if (changed)
            selection_.Set(change.iFrom, change.iTo, (change.uNewState & LVIS_SELECTED) != 0);
    } else if (header.code == LVN_DELETEALLITEMS) {
        changed = selection_.Count() > 0;
        selection_.Reset(0);
    }
    if (changed && userInput_ > 0)
        userChangedSelection_ = true;
}

// Moving the selection with the keys, or clicking a row, deselects the rows selected before and
// selects a Shift range; the control repaints each row on its own, which on tens of thousands of
// rows takes seconds. With drawing paused, the list is painted once afterwards. Small changes draw
// as usual (painting the whole list would cost more; turning drawing back on alone costs about
// 20 ms), as do keys and clicks that may open a window (Enter, F2, a double click), clicks beside
// the rows (a drag rectangle) and the page keys handled here for a few selected rows.
bool TCustomExtListView::PausesRedrawFor(UINT msg, WPARAM wp, LPARAM lp) const {
    const bool manySelected = selection_.Count() > kRowsChangedOneByOne;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    switch (msg) {
    case WM_KEYDOWN:
        switch (wp) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME: // these scroll: all is drawn anyway
            return manySelected || RowAloneSelectedBy(msg, wp) < 0;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_SPACE:
            return manySelected || shift;
        default:
            return false;
        }
    case WM_CHAR:
        return wp >= L' ' && manySelected;
    case WM_LBUTTONDOWN: {
        LVHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        const int row = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (row < 0 || !(hit.flags & LVHT_ONITEM))
            return false;
        const int mark = static_cast<int>(Send(LVM_GETSELECTIONMARK));
        return manySelected || ((wp & MK_SHIFT) && (mark < 0 || std::abs(row - mark) > kRowsChangedOneByOne));
    }
    default:
        return false;
    }
}

LRESULT TCustomExtListView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const bool input = msg == WM_KEYDOWN || msg == WM_CHAR || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP ||
                       msg == WM_LBUTTONDBLCLK;
    if (!virtualMode_ || !input)
        return TCustomEnhListView::HandleMessage(msg, wp, lp);
    struct Pause {
        TCustomExtListView& list;
        bool on;
        ~Pause() {
            --list.userInput_;
            if (!on)
                return;
            list.Send(WM_SETREDRAW, TRUE);
            ::InvalidateRect(list.Handle(), nullptr, FALSE);
        }
    } pause{*this, !RedrawPaused() && PausesRedrawFor(msg, wp, lp)};
    if (userInput_++ == 0)
        userChangedSelection_ = false;
    if (pause.on)
        Send(WM_SETREDRAW, FALSE);
    const int alone = RowAloneSelectedBy(msg, wp);
    LRESULT result = 0;
    if (alone >= 0)
        SelectAlone(alone);
    else
        result = TCustomEnhListView::HandleMessage(msg, wp, lp);
    if (userInput_ == 1 && std::exchange(userChangedSelection_, false) && OnSelectionChangedByUser)
        OnSelectionChangedByUser(*this);
    return result;
}

// End, Home, and in the details view Page Down and Page Up, on their own leave one row alone
// selected and focused: the last, the first, the bottom or top row of the page, or one page on
// when the focus is there already. The control's own handling deselects a virtual list row by row,
// about 100 ms on 100,000 rows; the kept selection names the few rows that need it. -1: the key is
// left to the control.
int TCustomExtListView::RowAloneSelectedBy(UINT msg, WPARAM wp) const {
    if (msg != WM_KEYDOWN || (wp != VK_END && wp != VK_HOME && wp != VK_NEXT && wp != VK_PRIOR))
        return -1;
    if (::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0)
        return -1;
    const int rows = ItemCount();
    if (rows <= 0 || selection_.Rows() != rows)
        return -1;
    if (wp == VK_END)
        return rows - 1;
    if (wp == VK_HOME)
        return 0;
    if (ViewStyle() != vsReport)
        return -1;
    const int top = static_cast<int>(Send(LVM_GETTOPINDEX));
    const int page = std::max(1, static_cast<int>(Send(LVM_GETCOUNTPERPAGE)));
    const int focused = NextItemIndex(-1, sdAll, {isFocused});
    if (wp == VK_NEXT) {
        const int bottom = top + page - 1;
        return std::min(focused >= bottom ? focused + page : bottom, rows - 1);
    }
    return std::max(focused >= 0 && focused <= top ? focused - page : top, 0);
}

void TCustomExtListView::SelectAlone(int row) {
    const auto setState = [this](int index, UINT state, UINT mask) {
        LVITEMW item{};
        item.state = state;
        item.stateMask = mask;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    };
    // Each change comes back as a notification that updates the kept selection: the rows to
    // deselect are noted first.
    if (selection_.Count() == SelectedCount() && selection_.Count() <= kRowsChangedOneByOne) {
        std::vector<int> selected;
        selection_.ForEach([&](int r) {
            if (r != row)
                selected.push_back(r);
        });
        for (int r : selected)
            setState(r, 0, LVIS_SELECTED);
    } else {
        ClearSelection();
    }
    setState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    // The anchor of the next Shift range, as the control's own handling leaves it.
    Send(LVM_SETSELECTIONMARK, 0, row);
    Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int TCustomExtListView::NextItemIndex(int start, TSearchDirection direction, TItemStates states) const {
    if (!HandleAllocated())
        return -1;
    return static_cast<int>(
        Send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(NextItemFlags(direction, states), 0)));
}

void TCustomExtListView::ProvideDisplayInfo(LVITEMW& item) {
    if (item.iItem == -1 || !OnVMGetItemInfo)
        return;
    TVMItemInfo info;
    info.Item = item.iItem;
    info.SubItem = item.iSubItem;
    info.Mask = TLVVMMaskItems::FromOrdinalBits(item.mask & 0x1F);
    info.Image = item.iImage;
    info.Param = item.lParam;
    info.Indent = item.iIndent;
    info.State = item.state;
    info.StateMask = item.stateMask;
    // The text goes straight into the list's buffer, and only when the list asked for text
    // (otherwise the buffer pointer means nothing).
    if (item.mask & LVIF_TEXT) {
        info.Text = TextBuffer(item.pszText, item.cchTextMax > 0 ? static_cast<size_t>(item.cchTextMax) : 0);
        info.Text.Clear();
    }
    OnVMGetItemInfo(*this, info);
    item.iImage = info.Image;
    item.lParam = info.Param;
    item.iIndent = info.Indent;
    item.state =
        (info.State & ~0xFF00u) | ((info.OverlayImage & 0xFu) << 8) | ((info.StateImage & 0xFu) << 12);
    item.mask = info.Mask.OrdinalBits();
    item.stateMask = info.StateMask;
}

TTransientItem TCustomExtListView::FillTransientItem(int index) {
    TTransientItem row;
    std::array<wchar_t, 1024> buffer{};
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
    item.iItem = index;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    ProvideDisplayInfo(item);
    row.Caption = buffer.data();
    row.ImageIndex = item.iImage;
    row.Data = item.lParam;
    row.Indent = item.iIndent;
    for (int k = 1; k < ColumnCount(); ++k) {
        buffer[0] = L'\0';
        LVITEMW sub{};
        sub.mask = LVIF_TEXT;
        sub.iItem = index;
        sub.iSubItem = k;
        sub.pszText = buffer.data();
        sub.cchTextMax = static_cast<int>(buffer.size());
        ProvideDisplayInfo(sub);
        row.SubItems.emplace_back(buffer.data());
    }
    row.Selected = IsSelected(index);
    row.Focused = IsFocused(index);
    return row;
}

bool TCustomExtListView::HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->hwndFrom == Handle()) {
        switch (reinterpret_cast<NMHDR*>(lp)->code) {
        case LVN_GETDISPINFOW:
            if (!virtualMode_)
                break;
            ProvideDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(lp)->item);
            result = 0;
            return true;
        case LVN_ODCACHEHINT:
            if (OnVMCacheHint)
                OnVMCacheHint(*this, *reinterpret_cast<NMLVCACHEHINT*>(lp));
            result = 0;
            return true;
        case LVN_ODFINDITEMW: {
            int found = -1;
            if (OnVMFindItem)
                OnVMFindItem(*this, *reinterpret_cast<NMLVFINDITEMW*>(lp), found);
            result = found;
            return true;
        }
        case LVN_ITEMCHANGED:
        case LVN_DELETEALLITEMS:
            KeepSelection(*reinterpret_cast<NMHDR*>(lp));
            break;
        case LVN_ODSTATECHANGED:
            KeepSelection(*reinterpret_cast<NMHDR*>(lp));
            if (OnVMStateChanged)
                OnVMStateChanged(*this, *reinterpret_cast<NMLVODSTATECHANGE*>(lp));
            result = 0;
            return true;
        case LVN_ENDLABELEDITW: {
            if (!virtualMode_)
                break;
            const LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lp)->item;
            const bool canceled = item.pszText == nullptr;
            if (OnVMCaptionEdited)
                OnVMCaptionEdited(*this, item.iItem, canceled,
                                  canceled ? std::wstring() : std::wstring(item.pszText));
            result = 0; // the owner's text stays what the row shows
            return true;
        }
        case LVN_ITEMACTIVATE:
            if (OnItemActivate)
                OnItemActivate(*this);
            result = 0;
            return true;
        default:
            break;
        }
    }
    return TCustomEnhListView::HandleReflected(msg, wp, lp, result);
}

// Extended styles ------------------------------------------------------------------------------

TLVExtendedStyles TCustomExtListView::ExtendedStyles() const {
    if (HandleAllocated())
        extendedStyles_ = ExtendedStylesFromBits(static_cast<uint32_t>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)));
    return extendedStyles_;
}

void TCustomExtListView::SetExtendedStyles(TLVExtendedStyles styles) {
    styles = WithImpliedStyles(styles);
    const bool subItemImagesChanged =
        styles.Contains(lvxSubItemImages) != ExtendedStyles().Contains(lvxSubItemImages);
    extendedStyles_ = styles;
    if (!HandleAllocated())
        return;
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(ExtendedStyleBits(styles)));
    if (subItemImagesChanged)
        ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TCustomExtListView::SetHoverTime(int milliseconds) {
    hoverTime_ = milliseconds;
    if (HandleAllocated() && milliseconds != -1)
        Send(LVM_SETHOVERTIME, 0, milliseconds);
}

void TCustomExtListView::SetStateImages(HIMAGELIST images) {
    stateImages_ = images;
    if (!HandleAllocated())
        return;
    Send(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(images));
    ApplyCallbackMask();
}

// Column order ---------------------------------------------------------------------------------

bool TCustomExtListView::CurrentColumnOrder(int count, std::vector<int>& order) const {
    if (count < 0)
        return false;
    if (!HandleAllocated()) {
        if (columnOrder_.empty())
            return false;
        order = columnOrder_;
        return true;
    }
    order.assign(static_cast<size_t>(count), 0);
    const bool ok = Send(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count),
                         reinterpret_cast<LPARAM>(order.data())) != 0;
    columnOrder_ = order;
    return ok;
}

bool TCustomExtListView::ApplyColumnOrder(const std::vector<int>& order) {
    // The platform list must never be given an order that names a column twice or not at all.
    if (!IsColumnPermutation(order, ColumnCount()))
        return false;
    columnOrder_ = order;
    if (HandleAllocated()) {
        Send(LVM_SETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
    return true;
}

int TCustomExtListView::ColumnPosition(int column) const {
    const int n = ColumnCount();
    if (column < 0 || column >= n)
        return 0;
    std::vector<int> order;
    if (!CurrentColumnOrder(n, order))
        return column;
    for (int p = 0; p < static_cast<int>(order.size()); ++p)
        if (order[static_cast<size_t>(p)] == column)
            return p;
    return 0;
}

int TCustomExtListView::ColumnAtPosition(int position) const {
    const int n = ColumnCount();
    if (position < 0 || position >= n)
        return -1;
    std::vector<int> order;
    if (!CurrentColumnOrder(n, order) || static_cast<size_t>(position) >= order.size())
        return position;
    const int column = order[static_cast<size_t>(position)];
    return column >= 0 && column < n ? column : -1;
}

// Column formats -------------------------------------------------------------------------------

void TCustomExtListView::SetColumnFormat(int column, const TdfsExtListColumn& format) {
    if (column < 0)
        return;
    if (static_cast<size_t>(column) >= columnsFormat_.size())
        columnsFormat_.resize(static_cast<size_t>(column) + 1);
    columnsFormat_[static_cast<size_t>(column)] = format;
    ApplyColumnFormats();
    InvalidateColumnHeader(column);
}

std::optional<TCustomEnhListView::ColumnImage> TCustomExtListView::HeaderColumnImage(int column) const {
    if (column < 0 || static_cast<size_t>(column) >= columnsFormat_.size())
        return std::nullopt;
    const TdfsExtListColumn& format = columnsFormat_[static_cast<size_t>(column)];
    if (format.ImageIndex < 0)
        return std::nullopt;
    return ColumnImage{format.ImageIndex, format.ImageAlignment};
}

bool TCustomExtListView::AllowsColumnResize(int column) const {
    return column < 0 || static_cast<size_t>(column) >= columnsFormat_.size() ||
           columnsFormat_[static_cast<size_t>(column)].AllowResize;
}

void TCustomExtListView::ApplyColumnFormats() {
    // An owner-drawn header paints the images itself.
    if (!HandleAllocated() || HeaderOwnerDrawn() || !SmallImages() ||
        ImageList_GetImageCount(SmallImages()) < 1)
        return;
    for (size_t c = 0; c < columnsFormat_.size() && c < static_cast<size_t>(ColumnCount()); ++c) {
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_FMT;
        if (!Send(LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&lvc)))
            continue;
        const TdfsExtListColumn& format = columnsFormat_[c];
        lvc.mask = LVCF_FMT | LVCF_IMAGE;
        lvc.fmt &= ~(LVCFMT_IMAGE | LVCFMT_BITMAP_ON_RIGHT);
        lvc.iImage = format.ImageIndex;
        if (format.ImageIndex >= 0) {
            lvc.fmt |= LVCFMT_IMAGE;
            if (format.ImageAlignment == ciaRightOfText)
                lvc.fmt |= LVCFMT_BITMAP_ON_RIGHT;
        }
        Send(LVM_SETCOLUMNW, c, reinterpret_cast<LPARAM>(&lvc));
    }
}
