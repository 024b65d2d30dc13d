// The file list control: the header-sorting list made virtual. It holds no rows, only a row
// count, and asks its owner for each cell it draws (OnVMGetItemInfo); it also keeps the
// extended styles, the display order of the columns and per-column header formats, and adds the
// display order to the stored layout.
#pragma once

#include "listctrl/EnhListView.h"
#include "listctrl/ExtLVSaveSettings.h"
#include "listctrl/RowSelection.h"
#include "listctrl/VMItemInfo.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

// Header image and resize lock of one column.
struct TdfsExtListColumn {
    int ImageIndex = -1; // into the small image list; -1 = none
    TColumnImageAlignment ImageAlignment = ciaRightOfText;
    bool AllowResize = true;
};

// A row of the virtual list as the owner describes it, made on request.
struct TTransientItem {
    std::wstring Caption;
    int ImageIndex = -1;
    intptr_t Data = 0;
    int Indent = 0;
    std::vector<std::wstring> SubItems;
    bool Selected = false;
    bool Focused = false;
};

class TCustomExtListView : public TCustomEnhListView {
public:
    ~TCustomExtListView() override;

    TdfsExtLVSaveSettings& SaveSettings() {
        return static_cast<TdfsExtLVSaveSettings&>(TCustomEnhListView::SaveSettings());
    }

    // Owner-data mode; changing it on a live window creates the window again with no rows.
    bool VirtualMode() const { return virtualMode_; }
    void SetVirtualMode(bool on);
    void SetVirtualItemCount(int count, TVirtualCountFlags flags = {});
    int VirtualItemCount() const { return virtualCount_; }

    // Row index from Start (-1 = before the first row) in a direction with the given states; -1
    // when there is none.
    int NextItemIndex(int start, TSearchDirection direction, TItemStates states) const;

    // Calls visit(row) for every selected row of the virtual list, first to last, without a
    // message per row; should the kept selection ever disagree with the control's count, the
    // control is walked instead, so the answer stays exact.
    void ForEachSelectedRow(const std::function<void(int)>& visit) const;

    // The owner's description of row index (one request for the caption, one per further column).
    TTransientItem FillTransientItem(int index);

    TLVExtendedStyles ExtendedStyles() const;
    void SetExtendedStyles(TLVExtendedStyles styles);
    int HoverTime() const { return hoverTime_; }
    void SetHoverTime(int milliseconds);
    HIMAGELIST StateImages() const { return stateImages_; }
    void SetStateImages(HIMAGELIST images);

    // order[p] is the column shown at display position p. Applying refuses (false) anything but a
    // permutation of the columns.
    bool CurrentColumnOrder(int count, std::vector<int>& order) const;
    bool ApplyColumnOrder(const std::vector<int>& order);
    int ColumnPosition(int column) const override;
    int ColumnAtPosition(int position) const override;

    // Per-column header formats, by column index.
    const std::vector<TdfsExtListColumn>& ColumnsFormat() const { return columnsFormat_; }
    void SetColumnFormat(int column, const TdfsExtListColumn& format);

    bool WriteColumnSettings() override;
    bool ReadColumnSettings() override;

    // Events of the virtual mode.
    std::function<void(TCustomExtListView& sender, TVMItemInfo& info)> OnVMGetItemInfo;
    std::function<void(TCustomExtListView& sender, NMLVCACHEHINT& hint)> OnVMCacheHint;
    std::function<void(TCustomExtListView& sender, NMLVFINDITEMW& find, int& found)> OnVMFindItem;
    std::function<void(TCustomExtListView& sender, NMLVODSTATECHANGE& change)> OnVMStateChanged;
    std::function<void(TCustomExtListView& sender, int item, bool canceled, const std::wstring& text)>
        OnVMCaptionEdited;
    std::function<void(TCustomExtListView& sender)> OnItemActivate;
    // After a key or a left click that changed which rows are selected (not after changes made
    // by the program).
    std::function<void(TCustomExtListView& sender)> OnSelectionChangedByUser;

protected:
    TCustomExtListView();

    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    DWORD ExtraCreationStyle() const override { return virtualMode_ ? LVS_OWNERDATA : 0; }
    void CreateWnd() override;
    void BeforeRecreate() override;
    std::optional<ColumnImage> HeaderColumnImage(int column) const override;
    bool AllowsColumnResize(int column) const override;

private:
    void ProvideDisplayInfo(LVITEMW& item);
    void ApplyCallbackMask();
    void ApplyColumnFormats();
    void KeepSelection(const NMHDR& header);
    bool PausesRedrawFor(UINT msg, WPARAM wp, LPARAM lp) const;
    int RowAloneSelectedBy(UINT msg, WPARAM wp) const;
    void SelectAlone(int row);

    bool virtualMode_ = false;
    int virtualCount_ = 0;
    TVirtualCountFlags virtualFlags_;
    mutable TLVExtendedStyles extendedStyles_{lvxInfoTip};
    int hoverTime_ = -1;
    HIMAGELIST stateImages_ = nullptr; // not owned
    mutable std::vector<int> columnOrder_;
    std::vector<TdfsExtListColumn> columnsFormat_;
    RowSelection selection_;
    int userInput_ = 0;                 // depth of key and click handling under way
    bool userChangedSelection_ = false; // a selection change came during it
};

// The control as the main window uses it.
class TdfsExtListView final : public TCustomExtListView {
public:
    TdfsExtListView() = default;
};
