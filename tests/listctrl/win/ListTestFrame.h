// A real top-level window holding a real file list control, as the main window builds it, for
// the list's tests.
#pragma once

#include "listctrl/ExtListView.h"
#include "listctrl/FileListColumns.h"
#include "ui/Window.h"
#include "support/win/MessagePump.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

class ListTestFrame : public Window {
public:
    ListTestFrame() {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        CreateWindowOfClass(RegisterClassOnce(L"KavetListTestFrame"), L"Liste",
                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 900, 400, nullptr);
    }
    ~ListTestFrame() override { Destroy(); }

    // Sends a notification from the list to this frame, the way the list view itself does.
    template <typename T> LRESULT Notify(const Window& from, UINT code, T& record) {
        auto& hdr = reinterpret_cast<NMHDR&>(record);
        hdr.hwndFrom = from.Handle();
        hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(from.Handle()));
        hdr.code = code;
        return Send(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&record));
    }
};

// The eight columns of the file list, in report view, virtual.
inline void ConfigureFileList(TdfsExtListView& list) {
    for (const ColumnDesign& c : kFileListColumns)
        list.AddColumn(c.caption, c.width, c.alignment);
    list.SetExtendedStyles({lvxHeaderDragDrop, lvxFullRowSelect});
    list.SetVirtualMode(true);
    list.SetShowSortArrows(true);
    list.SetAutoColumnSort(acsSortToggle);
    list.SetMultiSelect(true);
    list.SetHideSelection(false);
    list.SetReadOnly(false);
    list.SetViewStyle(vsReport);
}
