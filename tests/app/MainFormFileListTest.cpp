// The main window's file list on the real platform: sorting from real header clicks with the arrow
// painted by the header, the column layout kept between runs, in-place label editing that renames
// nothing, and the grid item that only works in the Details view.
#include "MainFormFixture.h"

#include "base/TextHelpers.h"
#include "listctrl/HeaderLayout.h"
#include "listctrl/SortArrowBitmap.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The pixels of a bitmap or of a rendered window, as 0x00RRGGBB words, row by row from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)] & 0xFFFFFFu; }
};

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

Picture BitmapPicture(HBITMAP bitmap, int size) {
    Picture picture{size, size, std::vector<uint32_t>(static_cast<size_t>(size * size))};
    BITMAPINFO info = TopDown32(size, size);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(size), picture.pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return picture;
}

// What the header paints, asked of the header itself into a memory surface.
Picture RenderWindow(HWND hwnd) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    Picture picture{client.right, client.bottom, {}};
    BITMAPINFO info = TopDown32(picture.width, picture.height);
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, dib);
    ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::GdiFlush();
    const auto* words = static_cast<const uint32_t*>(bits);
    picture.pixels.assign(words, words + picture.width * picture.height);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(dib);
    return picture;
}

// Whether `pattern` appears anywhere inside `area` of `picture`.
bool Contains(const Picture& picture, const RECT& area, const Picture& pattern) {
    for (int y = area.top; y + pattern.height <= area.bottom && y + pattern.height <= picture.height; ++y) {
        for (int x = area.left; x + pattern.width <= area.right && x + pattern.width <= picture.width; ++x) {
            bool same = true;
            for (int py = 0; same && py < pattern.height; ++py)
                for (int px = 0; same && px < pattern.width; ++px)
                    same = picture.At(x + px, y + py) == pattern.At(px, py);
            if (same)
                return true;
        }
    }
    return false;
}

class MainFormFileList : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        folder.MakeFile(L"beta.txt", "12345");
        folder.MakeFile(L"Alpha.doc", "1");
        folder.MakeFile(L"gamma.txt", "123");
    }
    // Opens the window on the test folder, keeping the column layout between runs or not.
    void OpenForm(bool saveColumn) {
        SettingsRecord settings;
        settings.SaveColumn = saveColumn;
        OpenWindow(settings);
    }
    static void Pump() { PumpMessages(); }

    HWND Header() const { return ListHeader(List()); }
    std::wstring ItemText(int row, int column) const { return ListItemText(List(), row, column); }
    // The icon a row shows, as the list asks its owner for it (-1: none fetched yet).
    int ItemImage(int row) const {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ::SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }
    std::vector<int> ColumnOrder() const {
        std::vector<int> order(8);
        ::SendMessageW(List(), LVM_GETCOLUMNORDERARRAY, 8, reinterpret_cast<LPARAM>(order.data()));
        return order;
    }
    bool SetColumnOrder(std::vector<int> order) {
        return ::SendMessageW(List(), LVM_SETCOLUMNORDERARRAY, order.size(),
                              reinterpret_cast<LPARAM>(order.data())) != 0;
    }
    bool Grid() const { return (ListExtendedStyle(List()) & LVS_EX_GRIDLINES) != 0; }
    HMENU Popup() const { return form->ViewStyleMenuHandle(); }

    // A left click on a column's header item, as the mouse gives it.
    void ClickHeader(int column) {
        RECT r{};
        ASSERT_TRUE(::SendMessageW(Header(), HDM_GETITEMRECT, static_cast<WPARAM>(column),
                                   reinterpret_cast<LPARAM>(&r)));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::SendMessageW(Header(), WM_MOUSEMOVE, 0, at);
        ::SendMessageW(Header(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(Header(), WM_LBUTTONUP, 0, at);
        Pump();
    }

    // The arrows the list paints, made as the list makes them for the font its header shows.
    int ArrowSize() const {
        HDC dc = ::GetDC(List());
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(List(), WM_GETFONT, 0, 0)));
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, L"Wy", 2, &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(List(), dc);
        return SortArrowSize(extent.cy);
    }

    // Which arrow the header paints in a column's item: +1 up, -1 down, 0 none.
    int PaintedArrow(int column) {
        const int size = ArrowSize();
        if (size == 0)
            return 0;
        const GdiObject upBitmap = CreateSortArrowBitmap(size, false);
        const GdiObject downBitmap = CreateSortArrowBitmap(size, true);
        const Picture up = BitmapPicture(static_cast<HBITMAP>(upBitmap.Get()), size);
        const Picture down = BitmapPicture(static_cast<HBITMAP>(downBitmap.Get()), size);
        const Picture header = RenderWindow(Header());
        RECT r{};
        ::SendMessageW(Header(), HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
        const bool hasUp = Contains(header, r, up);
        const bool hasDown = Contains(header, r, down);
        if (hasUp == hasDown)
            return 0;
        return hasUp ? 1 : -1;
    }
    // Every column's painted arrow, in column order.
    std::vector<int> PaintedArrows() {
        std::vector<int> arrows;
        const int columns = static_cast<int>(::SendMessageW(Header(), HDM_GETITEMCOUNT, 0, 0));
        for (int c = 0; c < columns; ++c)
            arrows.push_back(PaintedArrow(c));
        return arrows;
    }
    static std::vector<int> ArrowAt(int column, int direction) {
        std::vector<int> arrows(8, 0);
        arrows[static_cast<size_t>(column)] = direction;
        return arrows;
    }

    int HeaderFormat(int column) const {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        ::SendMessageW(Header(), HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        return item.fmt;
    }

    bool ExistsExactly(const std::wstring& name) const {
        WIN32_FIND_DATAW data{};
        HANDLE find = ::FindFirstFileW((folder / name).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        ::FindClose(find);
        return name == data.cFileName;
    }
    int64_t SizeOnDisk(const std::wstring& name) const {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ::GetFileAttributesExW((folder / name).c_str(), GetFileExInfoStandard, &data);
        return static_cast<int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    }
};

} // namespace

TEST_F(MainFormFileList, HeaderClicksSortTheRowsAndMoveThePaintedArrow) {
    OpenForm(false);
    ASSERT_NE(Header(), nullptr);
    ASSERT_GT(ArrowSize(), 0);
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, 1)) << "the list starts sorted by name, ascending";
    for (int c = 0; c < 8; ++c)
        EXPECT_TRUE(HeaderFormat(c) & HDF_OWNERDRAW) << c;

    ClickHeader(1); // "Taille": a new column starts ascending
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, 1));

    ClickHeader(1); // the same column again turns the direction over
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"gamma.txt", L"Alpha.doc"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, -1));

    ClickHeader(1);
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, 1));

    ClickHeader(1);
    ClickHeader(0); // another column starts ascending, whatever the previous direction
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, 1));
    EXPECT_EQ(ListSelectedCount(List()), 0);

    ClickHeader(0);
    EXPECT_EQ(Shown(), (Names{L"gamma.txt", L"beta.txt", L"Alpha.doc"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, -1));
    RelistNow(); // a new listing keeps the order and the arrow
    EXPECT_EQ(Shown(), (Names{L"gamma.txt", L"beta.txt", L"Alpha.doc"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, -1));
}

TEST_F(MainFormFileList, HeaderClickOnAMovedColumnSortsByThatColumn) {
    OpenForm(false);
    ASSERT_TRUE(SetColumnOrder({1, 0, 2, 3, 4, 5, 6, 7}));
    ClickHeader(1); // "Taille", now shown first
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, 1));
    EXPECT_EQ(ItemText(1, 1), L"3") << "a moved column keeps its meaning";
}

TEST_F(MainFormFileList, StoredLayoutIsRestoredAtStartWhenColumnsAreKept) {
    ScratchRegistryKey::PutText(key / L"Columns", L"Order", L"1,0,2,3,4,5,6,7");
    ScratchRegistryKey::PutText(key / L"Columns", L"Sizes", L"70,150,121,122,101,123,51,301");
    ScratchRegistryKey::PutText(key / L"Sort", L"SortCol", L"1");
    ScratchRegistryKey::PutText(key / L"Sort", L"Ascending", L"0");
    ScratchRegistryKey::PutText(key / L"ViewStyle", L"ViewStyle", L"2");
    OpenForm(true);

    EXPECT_EQ(ColumnOrder(), (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ListColumnWidth(List(), 1), 70) << "widths follow the display positions";
    EXPECT_EQ(ListColumnWidth(List(), 0), 150);
    EXPECT_EQ(ListColumnWidth(List(), 7), 301);
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"gamma.txt", L"Alpha.doc"}))
        << "the rows follow the restored sort";

    EXPECT_EQ(ListViewStyle(List()), static_cast<DWORD>(LVS_LIST));
    EXPECT_TRUE(Checked(L"Liste"));
    EXPECT_TRUE(MenuItemChecked(Popup(), L"Liste"));
    EXPECT_FALSE(Checked(L"Détails"));
    EXPECT_FALSE(MenuItemChecked(Popup(), L"Détail"));
    EXPECT_FALSE(MenuEnabled(Window(), L"Afficher la grille"));

    Click(L"Affichage"); // steps on from the restored style
    EXPECT_EQ(ListViewStyle(List()), static_cast<DWORD>(LVS_REPORT));
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, -1)) << "the restored sort";
    EXPECT_TRUE(Checked(L"Détails"));
    EXPECT_TRUE(MenuEnabled(Window(), L"Afficher la grille"));
    ClickHeader(1); // the same column as the restored sort: the direction turns over
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, 1));
}

TEST_F(MainFormFileList, StoredLayoutIsIgnoredAndKeptWhenColumnsAreNotKept) {
    ScratchRegistryKey::PutText(key / L"Columns", L"Order", L"1,0,2,3,4,5,6,7");
    ScratchRegistryKey::PutText(key / L"Columns", L"Sizes", L"70,150,121,122,101,123,51,301");
    ScratchRegistryKey::PutText(key / L"Sort", L"SortCol", L"1");
    ScratchRegistryKey::PutText(key / L"ViewStyle", L"ViewStyle", L"2");
    OpenForm(false);

    EXPECT_EQ(ColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ListColumnWidth(List(), 0), 120);
    EXPECT_EQ(ListColumnWidth(List(), 1), 60);
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, 1));
    EXPECT_EQ(ListViewStyle(List()), static_cast<DWORD>(LVS_REPORT));
    EXPECT_TRUE(Checked(L"Détails"));
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));

    ClickHeader(2);
    Choose(L"Petites icônes");
    form.reset(); // nothing is written back at the end of the run
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Columns", L"Sizes"), L"70,150,121,122,101,123,51,301");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Sort", L"SortCol"), L"1");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"ViewStyle", L"ViewStyle"), L"2");
}

TEST_F(MainFormFileList, LayoutLeftByOneRunComesBackInTheNext) {
    OpenForm(true);
    ASSERT_TRUE(SetColumnOrder({0, 2, 1, 3, 4, 5, 6, 7}));
    ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 2, 140);
    ClickHeader(1);
    ClickHeader(1); // "Taille", descending
    ChooseMenuItem(Window(), Popup(), L"Petites icônes");
    form->Close();
    ASSERT_FALSE(form->HandleAllocated());
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Columns", L"Order"), L"0,2,1,3,4,5,6,7");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Columns", L"Sizes"), L"120,140,60,120,100,120,50,300");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Sort", L"SortCol"), L"1");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Sort", L"Ascending"), L"0");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"ViewStyle", L"ViewStyle"), L"1");

    OpenWindowOnStoredSettings();
    EXPECT_EQ(ColumnOrder(), (std::vector<int>{0, 2, 1, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ListColumnWidth(List(), 2), 140);
    EXPECT_EQ(ListColumnWidth(List(), 1), 60);
    EXPECT_EQ(ListViewStyle(List()), static_cast<DWORD>(LVS_SMALLICON));
    EXPECT_TRUE(Checked(L"Petites icônes"));
    EXPECT_TRUE(MenuItemChecked(Popup(), L"Petites icônes"));
    EXPECT_FALSE(MenuEnabled(Window(), L"Afficher la grille"));
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"gamma.txt", L"Alpha.doc"}));
    Choose(L"Détails");
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, -1)) << "the restored sort";
}

TEST_F(MainFormFileList, EditingARowLabelInPlaceRenamesNothing) {
    OpenForm(false);
    ASSERT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
    ::SetFocus(List());
    HWND edit = reinterpret_cast<HWND>(::SendMessageW(List(), LVM_EDITLABELW, 1, 0));
    ASSERT_NE(edit, nullptr) << "the list lets the user edit a label";
    EXPECT_EQ(edit, reinterpret_cast<HWND>(::SendMessageW(List(), LVM_GETEDITCONTROL, 0, 0)));
    wchar_t start[64] = {};
    ::GetWindowTextW(edit, start, 64);
    EXPECT_STREQ(start, L"beta.txt");
    ::SetWindowTextW(edit, L"renamed.txt");
    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(::SendMessageW(List(), LVM_GETEDITCONTROL, 0, 0), 0) << "the edit has ended";

    EXPECT_TRUE(ExistsExactly(L"beta.txt"));
    EXPECT_FALSE(ExistsExactly(L"renamed.txt"));
    EXPECT_EQ(ItemText(1, 0), L"beta.txt");
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
}

TEST_F(MainFormFileList, CancelledLabelEditChangesNothingEither) {
    OpenForm(false);
    ::SetFocus(List());
    HWND edit = reinterpret_cast<HWND>(::SendMessageW(List(), LVM_EDITLABELW, 0, 0));
    ASSERT_NE(edit, nullptr);
    ::SetWindowTextW(edit, L"other.doc");
    ::SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_TRUE(ExistsExactly(L"Alpha.doc"));
    EXPECT_FALSE(ExistsExactly(L"other.doc"));
    EXPECT_EQ(ItemText(0, 0), L"Alpha.doc");
}

TEST_F(MainFormFileList, GridItemIsEnabledOnlyInTheDetailsViewOfEitherMenu) {
    OpenForm(false);
    const bool grid = Checked(L"Afficher la grille");
    EXPECT_EQ(Grid(), grid);
    for (const wchar_t* style : {L"Grandes icônes", L"Petites icônes", L"Liste"}) {
        ChooseMenuItem(Window(), Popup(), style);
        EXPECT_TRUE(Checked(style)) << style;
        EXPECT_FALSE(MenuEnabled(Window(), L"Afficher la grille")) << style;
        Choose(L"Afficher la grille");
        EXPECT_EQ(Checked(L"Afficher la grille"), grid);
        EXPECT_EQ(Grid(), grid);
        Choose(L"Détails");
        EXPECT_TRUE(MenuItemChecked(Popup(), L"Détail"));
        EXPECT_TRUE(MenuEnabled(Window(), L"Afficher la grille")) << style;
    }
    Choose(L"Afficher la grille");
    EXPECT_EQ(Grid(), !grid);
    EXPECT_EQ(Checked(L"Afficher la grille"), !grid);
    form->Close();
    EXPECT_EQ(StoredSettings().ShowGrid, !grid);
}

TEST_F(MainFormFileList, IconsAreFetchedOnlyForTheRowsShown) {
    for (int i = 0; i < 200; ++i)
        folder.MakeFile(L"row" + std::to_wstring(1000 + i) + L".txt");
    OpenForm(false);
    ASSERT_EQ(ListCount(List()), 203);
    const int perPage = static_cast<int>(::SendMessageW(List(), LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(perPage, 0);
    ASSERT_LT(perPage, 150);
    EXPECT_NE(ItemImage(0), -1);
    EXPECT_NE(ItemImage(perPage - 1), -1);
    EXPECT_EQ(ItemImage(202), -1) << "a row never shown costs no icon";

    ::SendMessageW(List(), LVM_ENSUREVISIBLE, 202, FALSE);
    ::UpdateWindow(List());
    Pump();
    EXPECT_NE(ItemImage(202), -1);
    EXPECT_EQ(ItemImage(202), ItemImage(2)) << "one icon per file type";
}

TEST_F(MainFormFileList, GridOptionHoldsWhenTheRestoredViewIsNotDetails) {
    for (const bool grid : {true, false}) {
        SettingsRecord settings;
        settings.ShowGrid = grid;
        ScratchRegistryKey::PutText(key / L"ViewStyle", L"ViewStyle", L"2");
        OpenWindow(settings);
        EXPECT_FALSE(MenuEnabled(Window(), L"Afficher la grille"));
        Choose(L"Détails");
        EXPECT_TRUE(MenuEnabled(Window(), L"Afficher la grille"));
        EXPECT_EQ(Checked(L"Afficher la grille"), grid);
        EXPECT_EQ(Grid(), grid);
        form.reset();
    }
}

TEST_F(MainFormFileList, MouseSelectionShowsCountAndSizeInTheStatusBar) {
    folder.MakeFile(L"delta.txt", std::string(2000, 'x'));
    {
        SettingsRecord settings;
        settings.KOctet = false;
        OpenWindow(settings);
    }
    ASSERT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"delta.txt", L"gamma.txt"}));
    const auto click = [this](int row, WPARAM keys) {
        RECT r{};
        r.left = LVIR_LABEL;
        ::SendMessageW(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
        ::SendMessageW(List(), WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
        ::SendMessageW(List(), WM_LBUTTONUP, keys, at);
        Pump();
    };
    click(1, 0);
    EXPECT_EQ(Status(0), L"1 fichier sélectionné");
    EXPECT_EQ(Status(1), L"5 octets");
    click(2, MK_CONTROL);
    click(3, MK_CONTROL);
    EXPECT_EQ(ListSelectedCount(List()), 3);
    EXPECT_EQ(Status(0), L"3 fichiers sélectionnés");
    EXPECT_EQ(Status(1), SizeText(false, 5 + 2000 + 3)); // the locale's digit grouping
}

TEST_F(MainFormFileList, EveryKindOfSelectionChangeKeepsTheTotalsExact) {
    for (int i = 0; i < 40; ++i)
        folder.MakeFile(L"row " + std::to_wstring(100 + i) + L".dat",
                        std::string(static_cast<size_t>(i), 'x'));
    {
        SettingsRecord settings;
        settings.KOctet = false;
        OpenWindow(settings);
    }
    const int rows = ListCount(List());
    ASSERT_EQ(rows, 43);
    // What the status bar must say: the rows the control itself holds selected, walked one by one.
    const auto expectExact = [&](const char* step) {
        int count = 0;
        int64_t total = 0;
        for (int i = 0; i < rows; ++i)
            if (ListRowSelected(List(), i)) {
                ++count;
                total += SizeOnDisk(ListItemText(List(), i, 0));
            }
        EXPECT_EQ(Status(0), std::to_wstring(count) + PluralWord(L" fichier", count) +
                                 PluralWord(L" sélectionné", count))
            << step;
        EXPECT_EQ(Status(1), SizeText(false, total)) << step;
        return count;
    };
    const auto click = [this](int row, WPARAM keys) {
        ::SendMessageW(List(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        RECT r{};
        r.left = LVIR_LABEL;
        ::SendMessageW(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = (keys & MK_SHIFT) ? 0x80 : 0;
        state[VK_CONTROL] = (keys & MK_CONTROL) ? 0x80 : 0;
        ::SetKeyboardState(state);
        ::SendMessageW(List(), WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
        ::SendMessageW(List(), WM_LBUTTONUP, keys, at);
        Pump();
    };
    const auto key = [this](UINT vk, bool shift) {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        state[VK_CONTROL] = 0;
        ::SetKeyboardState(state);
        ::SendMessageW(List(), WM_KEYDOWN, vk, 1);
        ::SendMessageW(List(), WM_KEYUP, vk, 0xC0000001);
        Pump();
    };
    click(5, 0);
    EXPECT_EQ(expectExact("click"), 1);
    click(20, MK_SHIFT);
    EXPECT_EQ(expectExact("Shift+click"), 16);
    click(30, MK_CONTROL);
    click(10, MK_CONTROL); // out of the range again
    EXPECT_EQ(expectExact("Ctrl+clicks"), 16);
    key(VK_NEXT, false);
    EXPECT_EQ(expectExact("Page Down"), 1);
    key(VK_END, false);
    EXPECT_TRUE(ListRowSelected(List(), rows - 1));
    EXPECT_EQ(expectExact("End"), 1);
    key(VK_HOME, true);
    EXPECT_EQ(expectExact("Shift+Home"), rows);
    key(VK_HOME, false);
    EXPECT_EQ(expectExact("Home"), 1);
    EXPECT_TRUE(ListRowSelected(List(), 0));
    click(0, 0);
    click(rows - 1, MK_SHIFT);
    EXPECT_EQ(expectExact("range from the first row to the last"), rows);
    // A sort empties the selection; the next click counts from there.
    ClickHeader(1);
    click(2, 0);
    EXPECT_EQ(expectExact("click after a sort"), 1);
    key(VK_DOWN, true);
    key(VK_DOWN, true);
    EXPECT_EQ(expectExact("Shift+Down twice"), 3);
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_SHIFT] = 0;
    ::SetKeyboardState(state);
}

TEST_F(MainFormFileList, HeaderClickAfterASortCommandShowsTheOrderOfItsArrow) {
    OpenForm(false);
    Choose(L"Par taille de fichiers");
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, 1)) << "the commands move no arrow";

    ClickHeader(1); // a column without the arrow starts ascending, as its arrow then shows
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, 1));
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    ClickHeader(1);
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, -1));
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"gamma.txt", L"Alpha.doc"}));
}
