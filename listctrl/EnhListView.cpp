// Creation, columns, rows, view properties and the sort state of the list.
#include "listctrl/EnhListView.h"

#include "ui/ExceptionDisplay.h"

#include <commctrl.h>

#include <stdexcept>

namespace {

int PlatformFormat(TCaptionAlignment alignment) {
    switch (alignment) {
    case caRight:
        return LVCFMT_RIGHT;
    case caCenter:
        return LVCFMT_CENTER;
    case caLeft:
        break;
    }
    return LVCFMT_LEFT;
}

DWORD ViewStyleBits(TViewStyle style) {
    switch (style) {
    case vsIcon:
        return LVS_ICON;
    case vsSmallIcon:
        return LVS_SMALLICON;
    case vsList:
        return LVS_LIST;
    case vsReport:
        return LVS_REPORT;
    }
    return LVS_ICON;
}

} // namespace

TCustomEnhListView::TCustomEnhListView(std::unique_ptr<TdfsEnhLVSaveSettings> settings)
    : saveSettings_(std::move(settings)) {
    header_.OnMessage = [this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        return HeaderMessage(msg, wp, lp, result);
    };
}

TCustomEnhListView::~TCustomEnhListView() {
    // The settings are written on WM_DESTROY, which must still reach this class.
    Destroy();
}

bool TCustomEnhListView::Create(HWND parent, int x, int y, int width, int height, int id) {
    if (!CreateHandle(parent, x, y, width, height, id))
        return false;
    Loaded();
    return true;
}

bool TCustomEnhListView::CreateHandle(HWND parent, int x, int y, int width, int height, int id) {
    if (!CreateControl(WC_LISTVIEWW, L"", WindowStyle(), WS_EX_CLIENTEDGE, x, y, width, height, parent, id))
        return false;
    for (int c = 0; c < ColumnCount(); ++c)
        InsertPlatformColumn(c);
    CreateWnd();
    return true;
}

void TCustomEnhListView::Loaded() {
    updateDepth_ = 0;
    if (!AutoReadColumnSettings() && ColumnCount() > 0)
        SetSortColumnIndex(0);
    Resort();
    ::PostMessageW(Handle(), kReapplyHeaderMessage, 0, 0);
}

void TCustomEnhListView::CreateWnd() {
    if (smallImages_)
        Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_));
    if (largeImages_)
        Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(largeImages_));
    HookHeader();
    if (showSortArrows_)
        CreateSortArrowBitmaps();
    SetHeaderOwnerDraw(WantsOwnerDrawnHeader());
}

void TCustomEnhListView::RecreateWnd() {
    if (!HandleAllocated())
        return;
    HWND parent = ::GetParent(Handle());
    const RECT bounds = WindowRectInParent();
    const int id = ::GetDlgCtrlID(Handle());
    for (int c = 0; c < ColumnCount(); ++c)
        columns_[static_cast<size_t>(c)].width = ColumnWidth(c);
    viewStyle_ = ViewStyle();
    BeforeRecreate();
    Destroy();
    CreateHandle(parent, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, id);
}

DWORD TCustomEnhListView::WindowStyle() const {
    // The image lists are never the list's own (the main window gives it the system's): the
    // platform must not destroy them with the window.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_SHAREIMAGELISTS | ViewStyleBits(viewStyle_) |
                  ExtraCreationStyle();
    if (!multiSelect_)
        style |= LVS_SINGLESEL;
    if (!hideSelection_)
        style |= LVS_SHOWSELALWAYS;
    if (!readOnly_)
        style |= LVS_EDITLABELS;
    return style;
}

void TCustomEnhListView::SetStyleBit(DWORD bit, bool on) {
    if (!HandleAllocated())
        return;
    const LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
    ::SetWindowLongPtrW(Handle(), GWL_STYLE, on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit)));
}

// Columns ------------------------------------------------------------------------------------

int TCustomEnhListView::AddColumn(const std::wstring& caption, int width, TCaptionAlignment alignment) {
    columns_.push_back({caption, width, alignment});
    const int index = ColumnCount() - 1;
    if (HandleAllocated()) {
        InsertPlatformColumn(index);
        HookHeader();
        ReapplyHeaderOwnerDraw();
    }
    return index;
}

void TCustomEnhListView::InsertPlatformColumn(int index) {
    const Column& column = columns_[static_cast<size_t>(index)];
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    lvc.fmt = PlatformFormat(column.alignment);
    lvc.cx = column.width;
    lvc.pszText = const_cast<wchar_t*>(column.caption.c_str());
    lvc.iSubItem = index;
    Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&lvc));
}

std::wstring TCustomEnhListView::ColumnCaption(int column) const {
    if (column < 0 || column >= ColumnCount())
        return {};
    return columns_[static_cast<size_t>(column)].caption;
}

TCaptionAlignment TCustomEnhListView::ColumnAlignment(int column) const {
    if (column < 0 || column >= ColumnCount())
        return caLeft;
    return columns_[static_cast<size_t>(column)].alignment;
}

int TCustomEnhListView::ColumnWidth(int column) const {
    if (column < 0 || column >= ColumnCount())
        return 0;
    // Through the column record: LVM_GETCOLUMNWIDTH answers the list view's column width outside
    // the report view, which would store the wrong widths.
    if (HandleAllocated()) {
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_WIDTH;
        if (Send(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc)))
            return lvc.cx;
    }
    return columns_[static_cast<size_t>(column)].width;
}

void TCustomEnhListView::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= ColumnCount())
        return;
    if (width < 0) {
        // The platform's automatic widths only make sense in the report view.
        Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
        return;
    }
    columns_[static_cast<size_t>(column)].width = width;
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_WIDTH;
    lvc.cx = width;
    Send(LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc));
}

int TCustomEnhListView::ColumnPosition(int column) const {
    return column;
}

int TCustomEnhListView::ColumnAtPosition(int position) const {
    return position >= 0 && position < ColumnCount() ? position : -1;
}

// Rows ---------------------------------------------------------------------------------------

int TCustomEnhListView::ItemCount() const {
    return static_cast<int>(Send(LVM_GETITEMCOUNT));
}

int TCustomEnhListView::SelectedCount() const {
    return static_cast<int>(Send(LVM_GETSELECTEDCOUNT));
}

bool TCustomEnhListView::IsSelected(int index) const {
    return (Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

bool TCustomEnhListView::IsFocused(int index) const {
    return (Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_FOCUSED) & LVIS_FOCUSED) != 0;
}

void TCustomEnhListView::ClearSelection() {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

void TCustomEnhListView::ClearFocus() {
    const int focused = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused < 0)
        return;
    LVITEMW item{};
    item.stateMask = LVIS_FOCUSED;
    item.state = 0;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&item));
}

void TCustomEnhListView::ClearItems() {
    Send(LVM_DELETEALLITEMS);
}

// View properties ----------------------------------------------------------------------------

TViewStyle TCustomEnhListView::ViewStyle() const {
    if (!HandleAllocated())
        return viewStyle_;
    switch (::GetWindowLongPtrW(Handle(), GWL_STYLE) & LVS_TYPEMASK) {
    case LVS_SMALLICON:
        return vsSmallIcon;
    case LVS_LIST:
        return vsList;
    case LVS_REPORT:
        return vsReport;
    default:
        return vsIcon;
    }
}

void TCustomEnhListView::SetViewStyle(TViewStyle style) {
    viewStyle_ = style;
    if (!HandleAllocated())
        return;
    const LONG_PTR old = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
    ::SetWindowLongPtrW(Handle(), GWL_STYLE,
                        (old & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | ViewStyleBits(style));
    // The header may only come into being with the report view.
    HookHeader();
    ReapplyHeaderOwnerDraw();
}

void TCustomEnhListView::SetMultiSelect(bool on) {
    multiSelect_ = on;
    SetStyleBit(LVS_SINGLESEL, !on);
}

void TCustomEnhListView::SetHideSelection(bool on) {
    hideSelection_ = on;
    SetStyleBit(LVS_SHOWSELALWAYS, !on);
}

void TCustomEnhListView::SetReadOnly(bool on) {
    readOnly_ = on;
    SetStyleBit(LVS_EDITLABELS, !on);
}

void TCustomEnhListView::SetSmallImages(HIMAGELIST images) {
    smallImages_ = images;
    if (!HandleAllocated())
        return;
    Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    ReapplyHeaderOwnerDraw();
}

void TCustomEnhListView::SetLargeImages(HIMAGELIST images) {
    largeImages_ = images;
    Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

// Sorting ------------------------------------------------------------------------------------

void TCustomEnhListView::SetAutoColumnSort(TAutoColumnSort value) {
    if (value == autoColumnSort_)
        return;
    autoColumnSort_ = value;
    if (value != acsNoSort)
        Resort();
}

void TCustomEnhListView::SetAutoSortAscending(bool ascending) {
    autoSortAscending_ = ascending;
    SetSortAscending(ascending);
}

void TCustomEnhListView::SetSortAscending(bool ascending) {
    if (ascending == sortAscending_)
        return;
    sortAscending_ = ascending;
    InvalidateColumnHeader(sortColumnIndex_);
}

void TCustomEnhListView::SetSortColumnIndex(int column) {
    if (column == sortColumnIndex_)
        return;
    const int previous = sortColumnIndex_;
    sortColumnIndex_ = column;
    if (showSortArrows_) {
        InvalidateColumnHeader(previous);
        InvalidateColumnHeader(column);
    }
}

void TCustomEnhListView::SortByColumn(int column, bool ascending) {
    sortPending_ = false;
    SetSortColumnIndex(column);
    if (OnSortBegin)
        OnSortBegin(*this, column, ascending);
    // Rows are the owner's in virtual mode; the platform has nothing to reorder.
    if (OnSortFinished)
        OnSortFinished(*this, column, ascending);
}

void TCustomEnhListView::Resort() {
    sortPending_ = true;
    const bool sortable =
        autoColumnSort_ != acsNoSort && sortColumnIndex_ >= 0 && sortColumnIndex_ < ColumnCount();
    if (sortable && updateDepth_ <= 0)
        SortByColumn(sortColumnIndex_, sortAscending_);
}

void TCustomEnhListView::BeginItemUpdate() {
    if (redrawLocks_++ == 0 && HandleAllocated())
        Send(WM_SETREDRAW, FALSE);
    ++updateDepth_;
}

void TCustomEnhListView::EndItemUpdate() {
    if (updateDepth_ > 0)
        --updateDepth_;
    // The update is closed whatever the sort does.
    struct CloseUpdate {
        TCustomEnhListView& list;
        ~CloseUpdate() {
            if (list.redrawLocks_ > 0 && --list.redrawLocks_ == 0 && list.HandleAllocated()) {
                list.Send(WM_SETREDRAW, TRUE);
                ::InvalidateRect(list.Handle(), nullptr, TRUE);
            }
        }
    } close{*this};
    if (updateDepth_ == 0 && sortPending_)
        Resort();
}

void TCustomEnhListView::ColumnClick(int column) {
    if (autoColumnSort_ == acsSortToggle) {
        if (column == sortColumnIndex_)
            SetSortAscending(!sortAscending_);
        else
            SetSortAscending(autoSortAscending_);
    }
    if (OnColumnClick)
        OnColumnClick(*this, column);
    if (autoColumnSort_ != acsNoSort && column < ColumnCount())
        SortByColumn(column, sortAscending_);
    SetSortColumnIndex(column);
}

// Messages -----------------------------------------------------------------------------------

bool TCustomEnhListView::HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY)
        return false;
    const auto& hdr = *reinterpret_cast<NMHDR*>(lp);
    if (hdr.hwndFrom != Handle())
        return false;
    switch (hdr.code) {
    case LVN_COLUMNCLICK:
        ColumnClick(reinterpret_cast<NMLISTVIEW*>(lp)->iSubItem);
        result = 0;
        return true;
    case NM_CLICK:
        if (OnClick)
            OnClick(*this);
        result = 0;
        return true;
    case NM_DBLCLK:
        if (OnDblClick)
            OnDblClick(*this);
        result = 0;
        return true;
    default:
        return false;
    }
}

LRESULT TCustomEnhListView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_DESTROY:
        // A failure to store the layout is shown, and the window still goes away cleanly.
        try {
            AutoWriteColumnSettings();
        } catch (...) {
            ReportCurrentException();
        }
        break;
    case WM_NOTIFY: {
        auto& hdr = *reinterpret_cast<NMHDR*>(lp);
        LRESULT result = 0;
        if (header_.HandleAllocated() && hdr.hwndFrom == header_.Handle() &&
            HeaderNotification(hdr, wp, lp, result))
            return result;
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (item.CtlType == ODT_HEADER && header_.HandleAllocated() && item.hwndItem == header_.Handle() &&
            headerOwnerDrawn_) {
            DrawHeaderItem(item);
            return TRUE;
        }
        break;
    }
    case WM_PARENTNOTIFY: {
        const LRESULT result = Window::HandleMessage(msg, wp, lp);
        if (LOWORD(wp) == WM_CREATE)
            HookHeader();
        return result;
    }
    case kReapplyHeaderMessage:
        SetHeaderOwnerDraw(WantsOwnerDrawnHeader());
        ::InvalidateRect(Handle(), nullptr, TRUE);
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETFONT: {
        const LRESULT result = Window::HandleMessage(msg, wp, lp);
        // The arrows take their size from the font and their colours from the system.
        if (showSortArrows_) {
            CreateSortArrowBitmaps();
            if (header_.HandleAllocated())
                ::InvalidateRect(header_.Handle(), nullptr, FALSE);
        }
        return result;
    }
    case WM_KEYDOWN:
        // Ctrl with the keypad's plus sizes every column to fit, which a fixed layout forbids.
        if (noColumnResize_ && wp == VK_ADD && (::GetKeyState(VK_CONTROL) & 0x8000))
            wp = VK_SUBTRACT;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        // After the platform's handling, so that the row under the mouse already has the focus.
        const LRESULT result = Window::HandleMessage(msg, wp, lp);
        if (OnMouseDown) {
            const TMouseButton button = msg == WM_LBUTTONDOWN   ? mbLeft
                                        : msg == WM_RBUTTONDOWN ? mbRight
                                                                : mbMiddle;
            OnMouseDown(*this, button, wp, static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        }
        return result;
    }
    default:
        break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

// Stored settings ------------------------------------------------------------------------------

bool TCustomEnhListView::AutoWriteColumnSettings() {
    if (!saveSettings_->AutoSave)
        return false;
    return WriteColumnSettings();
}

bool TCustomEnhListView::AutoReadColumnSettings() {
    if (!saveSettings_->AutoSave)
        return false;
    return ReadColumnSettings();
}
