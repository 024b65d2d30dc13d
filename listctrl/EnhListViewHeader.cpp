// The list's header: subclassing, owner drawing with the sort arrow, and the resize rules.
//
// The list view rewrites its header items whenever a column changes (and then drops
// HDF_OWNERDRAW), so the owner-drawn format is put back after the header reports a change or the
// start of a track, and once after start-up through the private message. A guard keeps the
// re-application from running again on the change notifications it causes itself.
#include "listctrl/EnhListView.h"

#include "base/FlagGuard.h"
#include "listctrl/HeaderLayout.h"
#include "listctrl/SortArrowBitmap.h"

#include <commctrl.h>

namespace {

class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
    ~SavedDC() { ::RestoreDC(dc_, saved_); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

LayoutRect ToLayout(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

RECT ToRect(const LayoutRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

UINT AlignmentFlag(TCaptionAlignment alignment) {
    switch (alignment) {
    case caRight:
        return DT_RIGHT;
    case caCenter:
        return DT_CENTER;
    case caLeft:
        break;
    }
    return DT_LEFT;
}

HFONT FontOrDefault(HFONT font) {
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace

void TCustomEnhListView::HookHeader() {
    if (!HandleAllocated() || header_.HandleAllocated())
        return;
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    if (header)
        header_.Attach(header);
}

bool TCustomEnhListView::HeaderMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg != WM_SETCURSOR)
        return false;
    // No sizing cursor over a divider that may not be dragged.
    HDHITTESTINFO hit{};
    ::GetCursorPos(&hit.pt);
    ::ScreenToClient(header_.Handle(), &hit.pt);
    header_.Send(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (!(hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) || !ResizeForbidden(hit.iItem))
        return false;
    HCURSOR cursor = reinterpret_cast<HCURSOR>(::GetClassLongPtrW(header_.Handle(), GCLP_HCURSOR));
    ::SetCursor(cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW));
    result = TRUE;
    return true;
}

bool TCustomEnhListView::ResizeForbidden(int column) const {
    return noColumnResize_ || (column >= 0 && column < ColumnCount() && !AllowsColumnResize(column));
}

bool TCustomEnhListView::HeaderNotification(NMHDR& hdr, WPARAM wp, LPARAM lp, LRESULT& result) {
    // Only the HDN_ codes handled here carry an NMHEADER; others (NM_RCLICK...) are a bare NMHDR.
    const auto column = [&hdr] { return reinterpret_cast<NMHEADERW*>(&hdr)->iItem; };
    switch (hdr.code) {
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA:
        if (ResizeForbidden(column())) {
            result = TRUE;
            return true;
        }
        result = Window::HandleMessage(WM_NOTIFY, wp, lp);
        ReapplyHeaderOwnerDraw();
        return true;
    case HDN_TRACKW:
    case HDN_TRACKA:
        if (ResizeForbidden(column())) {
            result = TRUE;
            return true;
        }
        return false;
    case HDN_DIVIDERDBLCLICKW:
    case HDN_DIVIDERDBLCLICKA:
        if (ResizeForbidden(column())) {
            result = TRUE;
            return true;
        }
        return false;
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA:
        result = Window::HandleMessage(WM_NOTIFY, wp, lp);
        ReapplyHeaderOwnerDraw();
        return true;
    case HDN_ENDDRAG:
        // The header moves the column itself; the whole list repaints in the new order.
        Window::HandleMessage(WM_NOTIFY, wp, lp);
        ::InvalidateRect(Handle(), nullptr, TRUE);
        result = 0;
        return true;
    default:
        return false;
    }
}

void TCustomEnhListView::ReapplyHeaderOwnerDraw() {
    SetHeaderOwnerDraw(WantsOwnerDrawnHeader());
}

void TCustomEnhListView::SetHeaderOwnerDraw(bool on) {
    headerOwnerDrawn_ = on;
    if (!header_.HandleAllocated() || applyingOwnerDraw_)
        return;
    const FlagGuard applying(applyingOwnerDraw_);
    const int count = static_cast<int>(header_.Send(HDM_GETITEMCOUNT));
    for (int i = 0; i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        if (!header_.Send(HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
            continue;
        const int format = on ? (item.fmt | HDF_OWNERDRAW) : (item.fmt & ~HDF_OWNERDRAW);
        if (format == item.fmt)
            continue;
        item.fmt = format;
        header_.Send(HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void TCustomEnhListView::SetShowSortArrows(bool on) {
    if (on == showSortArrows_)
        return;
    showSortArrows_ = on;
    if (on) {
        CreateSortArrowBitmaps();
    } else {
        ascendingArrow_.Reset();
        descendingArrow_.Reset();
        arrowSize_ = 0;
    }
    if (HandleAllocated()) {
        SetHeaderOwnerDraw(WantsOwnerDrawnHeader());
        InvalidateColumnHeader(sortColumnIndex_);
    }
}

void TCustomEnhListView::SetReverseSortArrows(bool on) {
    if (on == reverseSortArrows_)
        return;
    reverseSortArrows_ = on;
    if (showSortArrows_) {
        CreateSortArrowBitmaps();
        InvalidateColumnHeader(sortColumnIndex_);
    }
}

void TCustomEnhListView::CreateSortArrowBitmaps() {
    ascendingArrow_.Reset();
    descendingArrow_.Reset();
    arrowSize_ = 0;
    if (!HandleAllocated())
        return; // built when the window is created
    WindowDC dc(Handle());
    if (!dc.Get())
        return;
    SIZE extent{};
    {
        SelectionGuard font(dc.Get(), FontOrDefault(Font()));
        ::GetTextExtentPoint32W(dc.Get(), L"Wy", 2, &extent);
    }
    const int size = SortArrowSize(extent.cy);
    if (size == 0)
        return;
    // Up for ascending, down for descending, unless reversed.
    ascendingArrow_ = CreateSortArrowBitmap(size, reverseSortArrows_);
    descendingArrow_ = CreateSortArrowBitmap(size, !reverseSortArrows_);
    if (ascendingArrow_ && descendingArrow_)
        arrowSize_ = size;
}

void TCustomEnhListView::InvalidateColumnHeader(int column) {
    if (!header_.HandleAllocated() || column < 0 || column >= ColumnCount())
        return;
    RECT r{};
    if (!header_.Send(HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r)))
        return;
    ::InflateRect(&r, -2, -2);
    ::InvalidateRect(header_.Handle(), &r, FALSE);
}

void TCustomEnhListView::DrawHeaderItem(const DRAWITEMSTRUCT& item) {
    SavedDC saved(item.hDC);
    ::SelectObject(item.hDC, FontOrDefault(Font()));
    ::SelectObject(item.hDC, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SetBkColor(item.hDC, ::GetSysColor(COLOR_BTNFACE));
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ::GetSysColor(COLOR_BTNTEXT));
    const int column = static_cast<int>(item.itemID);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    bool defaultDrawing = true;
    if (OnDrawHeader)
        OnDrawHeader(*this, item.hDC, column, item.rcItem, selected, defaultDrawing);
    if (defaultDrawing)
        DefaultDrawHeaderItem(item.hDC, column, item.rcItem, selected);
}

void TCustomEnhListView::DefaultDrawHeaderItem(HDC dc, int column, const RECT& rect, bool selected) {
    HeaderItemInput in;
    in.item = ToLayout(rect);
    in.pressed = selected;
    in.alignment = ColumnAlignment(column);
    const auto image = HeaderColumnImage(column);
    int imageWidth = 0;
    int imageHeight = 0;
    if (image && smallImages_ && image->index >= 0 && image->index < ImageList_GetImageCount(smallImages_) &&
        ImageList_GetIconSize(smallImages_, &imageWidth, &imageHeight)) {
        in.hasImage = true;
        in.imageWidth = imageWidth;
        in.imageHeight = imageHeight;
        in.imageAlignment = image->alignment;
    }
    const bool arrowShown =
        showSortArrows_ && column == sortColumnIndex_ && autoColumnSort_ != acsNoSort && arrowSize_ > 0;
    if (arrowShown) {
        in.hasArrow = true;
        in.arrowWidth = arrowSize_;
        in.arrowHeight = arrowSize_;
    }

    const std::wstring caption = ColumnCaption(column);
    const UINT flags =
        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | AlignmentFlag(in.alignment);
    const auto layout = LayoutHeaderItem(in, [&](const LayoutRect& area) {
        RECT measured = ToRect(area);
        ::DrawTextExW(dc, const_cast<wchar_t*>(caption.c_str()), static_cast<int>(caption.size()), &measured,
                      DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT, nullptr);
        return static_cast<int>(measured.right - measured.left);
    });

    const RECT fill = ToRect(layout.fill);
    ::FillRect(dc, &fill, ::GetSysColorBrush(COLOR_BTNFACE));
    if (column < 0 || column >= ColumnCount())
        return;
    RECT text = ToRect(layout.caption);
    ::DrawTextExW(dc, const_cast<wchar_t*>(caption.c_str()), static_cast<int>(caption.size()), &text, flags,
                  nullptr);
    if (layout.drawImage)
        ImageList_Draw(smallImages_, image->index, dc, layout.imageX, layout.imageY, ILD_NORMAL);
    if (layout.drawArrow) {
        HDC memory = ::CreateCompatibleDC(dc);
        if (memory) {
            {
                SelectionGuard bitmap(memory,
                                      sortAscending_ ? ascendingArrow_.Get() : descendingArrow_.Get());
                ::BitBlt(dc, layout.arrowX, layout.arrowY, arrowSize_, arrowSize_, memory, 0, 0, SRCCOPY);
            }
            ::DeleteDC(memory);
        }
    }
}
