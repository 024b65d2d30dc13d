// Owner-data list views.
#include "ui/OwnerDataList.h"

#include <commctrl.h>

#include <algorithm>

bool OwnerDataList::Create(HWND parent, int x, int y, int width, int height) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&classes);
    const DWORD style = WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
    if (!CreateChild(WC_LISTVIEWW, L"", style, WS_EX_CLIENTEDGE, parent, x, y, width, height))
        return false;
    const LPARAM extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    return true;
}

void OwnerDataList::AddColumn(const std::wstring& caption, int width) {
    std::wstring text = caption;
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    column.cx = Scaled(width);
    column.iSubItem = ColumnCount();
    Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column.iSubItem), reinterpret_cast<LPARAM>(&column));
}

int OwnerDataList::ColumnCount() const {
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    return header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void OwnerDataList::SetRowCount(int count) {
    Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}

int OwnerDataList::RowCount() const {
    return static_cast<int>(Send(LVM_GETITEMCOUNT));
}

std::wstring OwnerDataList::CellText(int row, int column) const {
    // The control copies at most the buffer's room; a text that fills it may have been cut.
    std::wstring buffer(256, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<size_t>(
            Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool OwnerDataList::HandleReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY)
        return false;
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lp);
    if (info->hdr.code != LVN_GETDISPINFOW)
        return false;
    LVITEMW& item = info->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        item.pszText[0] = L'\0';
        if (OnGetCellText) {
            const std::wstring& text = OnGetCellText(item.iItem, item.iSubItem);
            const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
            std::copy_n(text.data(), length, item.pszText);
            item.pszText[length] = L'\0';
        }
    }
    result = 0;
    return true;
}
