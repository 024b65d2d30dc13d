// The report list view of the file list, first layer: a sort column and direction changed by
// clicks on the column headers, an owner-drawn header that shows a sort arrow in the sort
// column, the columns themselves, and the stored layout's sizes, sort state and view style.
#pragma once

#include "listctrl/EnhLVSaveSettings.h"
#include "listctrl/HeaderControl.h"
#include "listctrl/ListViewTypes.h"
#include "base/Handles.h"
#include "base/RegistrySection.h"
#include "ui/Window.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TCustomEnhListView : public Window {
public:
    ~TCustomEnhListView() override;

    // Creates the list view with the columns and properties set so far, then does what follows
    // the loading of a form: sorting becomes possible, the stored settings are read when
    // AutoSave is on, and the header's owner drawing is applied once the window settles.
    bool Create(HWND parent, int x, int y, int width, int height, int id = 0);

    // The header's private message that re-applies the owner-drawn header after start-up.
    static constexpr UINT kReapplyHeaderMessage = WM_USER + 143;

    // Columns, by index (the index keeps its meaning wherever the column is shown).
    int AddColumn(const std::wstring& caption, int width, TCaptionAlignment alignment = caLeft);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    std::wstring ColumnCaption(int column) const;
    TCaptionAlignment ColumnAlignment(int column) const;
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    // Display position of a column, and the column at a display position (-1 for none).
    virtual int ColumnPosition(int column) const;
    virtual int ColumnAtPosition(int position) const;

    // Rows as the platform list holds them.
    int ItemCount() const;
    int SelectedCount() const;
    bool IsSelected(int index) const;
    bool IsFocused(int index) const;
    void ClearSelection();
    void ClearFocus();
    void ClearItems();

    // Window properties; set before Create or at any time after.
    TViewStyle ViewStyle() const;
    void SetViewStyle(TViewStyle style);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool on);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    HIMAGELIST SmallImages() const { return smallImages_; }
    void SetSmallImages(HIMAGELIST images);
    HIMAGELIST LargeImages() const { return largeImages_; }
    void SetLargeImages(HIMAGELIST images);

    // Sorting. The list sorts nothing itself in virtual mode: the owner orders its data in
    // OnColumnClick and the control keeps the sort column, the direction and the arrow.
    TAutoColumnSort AutoColumnSort() const { return autoColumnSort_; }
    void SetAutoColumnSort(TAutoColumnSort value);
    bool AutoSortAscending() const { return autoSortAscending_; }
    void SetAutoSortAscending(bool ascending);
    bool SortAscending() const { return sortAscending_; }
    void SetSortAscending(bool ascending);
    int SortColumnIndex() const { return sortColumnIndex_; }
    void SetSortColumnIndex(int column);
    bool SortPending() const { return sortPending_; }
    int UpdateDepth() const { return updateDepth_; }
    // True while BeginItemUpdate holds the drawing.
    bool RedrawPaused() const { return redrawLocks_ > 0; }
    virtual void SortByColumn(int column, bool ascending);
    virtual void Resort();
    virtual void BeginItemUpdate();
    virtual void EndItemUpdate();

    // Header.
    bool ShowSortArrows() const { return showSortArrows_; }
    void SetShowSortArrows(bool on);
    bool ReverseSortArrows() const { return reverseSortArrows_; }
    void SetReverseSortArrows(bool on);
    bool NoColumnResize() const { return noColumnResize_; }
    void SetNoColumnResize(bool on) { noColumnResize_ = on; }
    HWND HeaderHandle() const { return header_.Handle(); }
    bool HeaderOwnerDrawn() const { return headerOwnerDrawn_; }
    // The arrow bitmaps (owned by the control) and their side; none while arrows are off or the
    // font is too small for them.
    HBITMAP AscendingArrow() const { return static_cast<HBITMAP>(ascendingArrow_.Get()); }
    HBITMAP DescendingArrow() const { return static_cast<HBITMAP>(descendingArrow_.Get()); }
    int SortArrowBitmapSize() const { return arrowSize_; }
    virtual void InvalidateColumnHeader(int column);
    virtual void SetHeaderOwnerDraw(bool on);
    virtual void CreateSortArrowBitmaps();

    // Stored layout (see TdfsEnhLVSaveSettings). Registry failures raise RegistryError.
    TdfsEnhLVSaveSettings& SaveSettings() { return *saveSettings_; }
    virtual bool WriteColumnSettings();
    virtual bool ReadColumnSettings();
    bool AutoWriteColumnSettings();
    bool AutoReadColumnSettings();

    // Events.
    std::function<void(TCustomEnhListView& sender, int column)> OnColumnClick;
    std::function<void(TCustomEnhListView& sender, int column, bool ascending)> OnSortBegin;
    std::function<void(TCustomEnhListView& sender, int column, bool ascending)> OnSortFinished;
    std::function<void(TCustomEnhListView& sender, HDC dc, int column, const RECT& rect, bool selected,
                       bool& defaultDrawing)>
        OnDrawHeader;
    std::function<void(TCustomEnhListView& sender)> OnClick;
    std::function<void(TCustomEnhListView& sender)> OnDblClick;
    std::function<void(TCustomEnhListView& sender, TMouseButton button, WPARAM keys, int x, int y)>
        OnMouseDown;

protected:
    explicit TCustomEnhListView(std::unique_ptr<TdfsEnhLVSaveSettings> settings);

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    // Window style bits a derived layer adds at creation (the owner-data style).
    virtual DWORD ExtraCreationStyle() const { return 0; }
    // Re-applies what the control remembers to a newly created window.
    virtual void CreateWnd();
    // Destroys and creates the window again, keeping columns, widths and order.
    void RecreateWnd();
    // Lets a derived layer keep what the platform holds before the window goes.
    virtual void BeforeRecreate() {}
    // One sub-key of the stored layout, under the settings' registry key.
    RegistrySection Section(const wchar_t* section, RegistrySection::Access access) const;

    virtual void DrawHeaderItem(const DRAWITEMSTRUCT& item);
    virtual void DefaultDrawHeaderItem(HDC dc, int column, const RECT& rect, bool selected);

    // The image a derived layer shows in a column's header, if any (an index into SmallImages).
    struct ColumnImage {
        int index = -1;
        TColumnImageAlignment alignment = ciaRightOfText;
    };
    virtual std::optional<ColumnImage> HeaderColumnImage(int column) const { return std::nullopt; }
    // Whether the user may resize a column (beyond NoColumnResize).
    virtual bool AllowsColumnResize(int column) const { return true; }

private:
    struct Column {
        std::wstring caption;
        int width = 0;
        TCaptionAlignment alignment = caLeft;
    };

    bool CreateHandle(HWND parent, int x, int y, int width, int height, int id);
    void InsertPlatformColumn(int index);
    DWORD WindowStyle() const;
    void SetStyleBit(DWORD bit, bool on);
    void Loaded();
    void HookHeader();
    bool HeaderMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    bool HeaderNotification(NMHDR& header, WPARAM wp, LPARAM lp, LRESULT& result);
    bool WantsOwnerDrawnHeader() const { return showSortArrows_ || static_cast<bool>(OnDrawHeader); }
    void ReapplyHeaderOwnerDraw();
    bool ResizeForbidden(int column) const;
    void ColumnClick(int column);

    std::unique_ptr<TdfsEnhLVSaveSettings> saveSettings_;
    std::vector<Column> columns_;
    HeaderControl header_;
    TViewStyle viewStyle_ = vsIcon;
    bool multiSelect_ = false;
    bool hideSelection_ = true;
    bool readOnly_ = true;
    HIMAGELIST smallImages_ = nullptr; // not owned
    HIMAGELIST largeImages_ = nullptr; // not owned

    TAutoColumnSort autoColumnSort_ = acsNoSort;
    bool autoSortAscending_ = true;
    bool sortAscending_ = true;
    int sortColumnIndex_ = -1;
    bool sortPending_ = false;
    int updateDepth_ = 1; // 1 until created: nothing sorts while the properties are set
    int redrawLocks_ = 0;

    bool showSortArrows_ = false;
    bool reverseSortArrows_ = false;
    bool noColumnResize_ = false;
    bool headerOwnerDrawn_ = false;
    bool applyingOwnerDraw_ = false;
    GdiObject ascendingArrow_;
    GdiObject descendingArrow_;
    int arrowSize_ = 0;
};
