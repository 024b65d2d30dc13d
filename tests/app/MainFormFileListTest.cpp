// The main window's file list on the real platform: sorting from real header clicks with the arrow
// painted by the header, the column layout kept between runs, in-place label editing that renames
// nothing, and the grid item that only works in the Details view.
#include "app/MainForm.h"
#include "base/TextHelpers.h"
#include "settings/SettingsStore.h"
#include "WindowProbe.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TempFolder.h"
#include "ui/ExceptionDisplay.h"
#include "ui/MessageBox.h"

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

class MainFormFileList : public ::testing::Test {
protected:
    void SetUp() override {
        SetExceptionSink([this](const std::wstring& text) { errors += text; });
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            errors += L"unexpected box: " + request.text;
            return IDOK;
        });
        folder.MakeFile(L"beta.txt", "12345");
        folder.MakeFile(L"Alpha.doc", "1");
        folder.MakeFile(L"gamma.txt", "123");
    }
    void TearDown() override {
        form.reset();
        SetMessageBoxAnswerer({});
        SetExceptionSink({});
        EXPECT_EQ(errors, L"");
    }

    // Stores the options a previous run would have left: the test folder as the last folder.
    void StoreOptions(bool saveColumn) {
        SettingsRecord settings;
        settings.Directory = folder.Path();
        settings.SaveColumn = saveColumn;
        SettingsStore(key.Path()).StoreOptions(settings);
    }
    void OpenForm() {
        form = std::make_unique<TMainForm>(key.Path());
        ::ShowWindow(form->Handle(), SW_SHOWNORMAL);
        ::UpdateWindow(form->Handle());
        Pump();
    }
    static void Pump() { PumpMessages(); }

    HWND List() const { return form->FileList->Handle(); }
    HWND Header() const { return form->FileList->HeaderHandle(); }

    // The names as the list itself shows them, row by row (asked of the list, which asks the owner).
    Names Shown() const { return ListNames(List()); }
    std::wstring ItemText(int row, int column) const { return ListItemText(List(), row, column); }

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

    // Which arrow the header paints in a column's item: +1 up, -1 down, 0 none.
    int PaintedArrow(int column) {
        const int size = form->FileList->SortArrowBitmapSize();
        if (size == 0)
            return 0;
        const Picture up = BitmapPicture(form->FileList->AscendingArrow(), size);
        const Picture down = BitmapPicture(form->FileList->DescendingArrow(), size);
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
        for (int c = 0; c < form->FileList->ColumnCount(); ++c)
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

    MenuItem& Item(const wchar_t* name) { return form->MainMenu->Item(name); }
    MenuItem& Pop(const wchar_t* name) { return form->PopupAffichage->Item(name); }

    bool ExistsExactly(const std::wstring& name) const {
        WIN32_FIND_DATAW data{};
        HANDLE find = ::FindFirstFileW((folder / name).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        ::FindClose(find);
        return name == data.cFileName;
    }

    TempFolder folder;
    ScratchRegistryKey key;
    std::wstring errors;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(MainFormFileList, HeaderClicksSortTheRowsAndMoveThePaintedArrow) {
    StoreOptions(false);
    OpenForm();
    ASSERT_NE(Header(), nullptr);
    ASSERT_GT(form->FileList->SortArrowBitmapSize(), 0);
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, 1)) << "the list starts sorted by name, ascending";
    for (int c = 0; c < 8; ++c)
        EXPECT_TRUE(HeaderFormat(c) & HDF_OWNERDRAW) << c;

    ClickHeader(1); // "Taille": a new column starts ascending
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    EXPECT_EQ(form->FileList->SortColumnIndex(), 1);
    EXPECT_TRUE(form->FileList->SortAscending());
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, 1));

    ClickHeader(1); // the same column again turns the direction over
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"gamma.txt", L"Alpha.doc"}));
    EXPECT_FALSE(form->FileList->SortAscending());
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, -1));

    ClickHeader(1);
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, 1));

    ClickHeader(1);
    ClickHeader(0); // another column starts ascending, whatever the previous direction
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
    EXPECT_EQ(form->FileList->SortColumnIndex(), 0);
    EXPECT_TRUE(form->FileList->SortAscending());
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, 1));
    EXPECT_EQ(form->FileList->SelectedCount(), 0);

    ClickHeader(0);
    EXPECT_EQ(Shown(), (Names{L"gamma.txt", L"beta.txt", L"Alpha.doc"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, -1));
    form->AffichageActualiserClick(); // a new listing keeps the order and the arrow
    EXPECT_EQ(Shown(), (Names{L"gamma.txt", L"beta.txt", L"Alpha.doc"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, -1));
}

TEST_F(MainFormFileList, HeaderClickOnAMovedColumnSortsByThatColumn) {
    StoreOptions(false);
    OpenForm();
    ASSERT_TRUE(form->FileList->ApplyColumnOrder({1, 0, 2, 3, 4, 5, 6, 7}));
    ClickHeader(1); // "Taille", now shown first
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, 1));
    EXPECT_EQ(ItemText(1, 1), L"3") << "a moved column keeps its meaning";
}

TEST_F(MainFormFileList, StoredLayoutIsRestoredAtStartWhenColumnsAreKept) {
    StoreOptions(true);
    ScratchRegistryKey::PutText(key / L"Columns", L"Order", L"1,0,2,3,4,5,6,7");
    ScratchRegistryKey::PutText(key / L"Columns", L"Sizes", L"70,150,121,122,101,123,51,301");
    ScratchRegistryKey::PutText(key / L"Sort", L"SortCol", L"1");
    ScratchRegistryKey::PutText(key / L"Sort", L"Ascending", L"0");
    ScratchRegistryKey::PutText(key / L"ViewStyle", L"ViewStyle", L"2");
    OpenForm();

    std::vector<int> order;
    ASSERT_TRUE(form->FileList->CurrentColumnOrder(8, order));
    EXPECT_EQ(order, (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(form->FileList->ColumnWidth(1), 70) << "widths follow the display positions";
    EXPECT_EQ(form->FileList->ColumnWidth(0), 150);
    EXPECT_EQ(form->FileList->ColumnWidth(7), 301);
    EXPECT_EQ(form->FileList->SortColumnIndex(), 1);
    EXPECT_FALSE(form->FileList->SortAscending());
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"gamma.txt", L"Alpha.doc"}))
        << "the rows follow the restored sort";

    EXPECT_EQ(form->FileList->ViewStyle(), vsList);
    EXPECT_EQ(form->ViewStyleTag(), TMainForm::vsList);
    EXPECT_TRUE(Item(L"AffichageListe").Checked());
    EXPECT_TRUE(Pop(L"PopListe").Checked());
    EXPECT_FALSE(Item(L"AffichageDetail").Checked());
    EXPECT_FALSE(Pop(L"PopDetail").Checked());
    EXPECT_FALSE(Item(L"AffichageGrille").Enabled());

    form->Standard.ClickButton(L"BtnAffichage"); // steps on from the restored style
    EXPECT_EQ(form->FileList->ViewStyle(), vsReport);
    EXPECT_TRUE(Item(L"AffichageDetail").Checked());
    EXPECT_TRUE(Item(L"AffichageGrille").Enabled());
    ClickHeader(1); // the same column as the restored sort: the direction turns over
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, 1));
}

TEST_F(MainFormFileList, StoredLayoutIsIgnoredAndKeptWhenColumnsAreNotKept) {
    StoreOptions(false);
    ScratchRegistryKey::PutText(key / L"Columns", L"Order", L"1,0,2,3,4,5,6,7");
    ScratchRegistryKey::PutText(key / L"Columns", L"Sizes", L"70,150,121,122,101,123,51,301");
    ScratchRegistryKey::PutText(key / L"Sort", L"SortCol", L"1");
    ScratchRegistryKey::PutText(key / L"ViewStyle", L"ViewStyle", L"2");
    OpenForm();

    std::vector<int> order;
    ASSERT_TRUE(form->FileList->CurrentColumnOrder(8, order));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(form->FileList->ColumnWidth(0), 120);
    EXPECT_EQ(form->FileList->ColumnWidth(1), 60);
    EXPECT_EQ(form->FileList->SortColumnIndex(), 0);
    EXPECT_EQ(form->FileList->ViewStyle(), vsReport);
    EXPECT_TRUE(Item(L"AffichageDetail").Checked());
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));

    ClickHeader(2);
    form->SelectViewStyle(TMainForm::vsSmallIcon);
    form.reset(); // nothing is written back at the end of the run
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Columns", L"Sizes"), L"70,150,121,122,101,123,51,301");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Sort", L"SortCol"), L"1");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"ViewStyle", L"ViewStyle"), L"2");
}

TEST_F(MainFormFileList, LayoutLeftByOneRunComesBackInTheNext) {
    StoreOptions(true);
    OpenForm();
    ASSERT_TRUE(form->FileList->ApplyColumnOrder({0, 2, 1, 3, 4, 5, 6, 7}));
    form->FileList->SetColumnWidth(2, 140);
    ClickHeader(1);
    ClickHeader(1); // "Taille", descending
    form->PopupAffichage->Item(L"PopPicones").Click();
    form->Close();
    ASSERT_FALSE(form->HandleAllocated());
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Columns", L"Order"), L"0,2,1,3,4,5,6,7");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Columns", L"Sizes"), L"120,140,60,120,100,120,50,300");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Sort", L"SortCol"), L"1");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Sort", L"Ascending"), L"0");
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"ViewStyle", L"ViewStyle"), L"1");

    OpenForm();
    std::vector<int> order;
    ASSERT_TRUE(form->FileList->CurrentColumnOrder(8, order));
    EXPECT_EQ(order, (std::vector<int>{0, 2, 1, 3, 4, 5, 6, 7}));
    EXPECT_EQ(form->FileList->ColumnWidth(2), 140);
    EXPECT_EQ(form->FileList->ColumnWidth(1), 60);
    EXPECT_EQ(form->FileList->ViewStyle(), vsSmallIcon);
    EXPECT_TRUE(Item(L"AffichagePIcones").Checked());
    EXPECT_TRUE(Pop(L"PopPicones").Checked());
    EXPECT_FALSE(Item(L"AffichageGrille").Enabled());
    EXPECT_EQ(form->FileList->SortColumnIndex(), 1);
    EXPECT_FALSE(form->FileList->SortAscending());
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"gamma.txt", L"Alpha.doc"}));
}

TEST_F(MainFormFileList, EditingARowLabelInPlaceRenamesNothing) {
    StoreOptions(false);
    OpenForm();
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
    EXPECT_EQ((*form->Listing)[1].Name, L"beta.txt");
    EXPECT_EQ(ItemText(1, 0), L"beta.txt");
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
}

TEST_F(MainFormFileList, CancelledLabelEditChangesNothingEither) {
    StoreOptions(false);
    OpenForm();
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
    StoreOptions(false);
    OpenForm();
    const bool grid = form->Settings.ShowGrid;
    const std::pair<const wchar_t*, const wchar_t*> styles[] = {{L"PopGicones", L"AffichageGIcones"},
                                                                {L"PopPicones", L"AffichagePIcones"},
                                                                {L"PopListe", L"AffichageListe"}};
    for (const auto& [pop, main] : styles) {
        Pop(pop).Click();
        EXPECT_TRUE(Item(main).Checked()) << pop;
        EXPECT_FALSE(Item(L"AffichageGrille").Enabled()) << pop;
        Item(L"AffichageGrille").Click();
        EXPECT_EQ(form->Settings.ShowGrid, grid) << pop;
        Item(L"AffichageDetail").Click();
        EXPECT_TRUE(Pop(L"PopDetail").Checked());
        EXPECT_TRUE(Item(L"AffichageGrille").Enabled()) << pop;
    }
    Item(L"AffichageGrille").Click();
    EXPECT_NE(form->Settings.ShowGrid, grid);
    EXPECT_EQ(form->FileList->ExtendedStyles().Contains(lvxGridLines), !grid);
    EXPECT_EQ(Item(L"AffichageGrille").Checked(), !grid);
}

TEST_F(MainFormFileList, IconsAreFetchedOnlyForTheRowsShown) {
    for (int i = 0; i < 200; ++i)
        folder.MakeFile(L"row" + std::to_wstring(1000 + i) + L".txt");
    StoreOptions(false);
    OpenForm();
    ASSERT_EQ(form->Listing->Count(), 203u);
    const int perPage = static_cast<int>(::SendMessageW(List(), LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(perPage, 0);
    ASSERT_LT(perPage, 150);
    EXPECT_NE((*form->Listing)[0].IconIndex, -1);
    EXPECT_NE((*form->Listing)[static_cast<size_t>(perPage - 1)].IconIndex, -1);
    EXPECT_EQ((*form->Listing)[202].IconIndex, -1) << "a row never shown costs no icon";

    ::SendMessageW(List(), LVM_ENSUREVISIBLE, 202, FALSE);
    ::UpdateWindow(List());
    Pump();
    EXPECT_NE((*form->Listing)[202].IconIndex, -1);
    EXPECT_EQ((*form->Listing)[202].IconIndex, (*form->Listing)[2].IconIndex) << "one icon per file type";
}

TEST_F(MainFormFileList, GridOptionHoldsWhenTheRestoredViewIsNotDetails) {
    for (const bool grid : {true, false}) {
        SettingsRecord settings;
        settings.Directory = folder.Path();
        settings.ShowGrid = grid;
        SettingsStore(key.Path()).StoreOptions(settings);
        ScratchRegistryKey::PutText(key / L"ViewStyle", L"ViewStyle", L"2");
        OpenForm();
        EXPECT_FALSE(Item(L"AffichageGrille").Enabled());
        Item(L"AffichageDetail").Click();
        EXPECT_TRUE(Item(L"AffichageGrille").Enabled());
        EXPECT_EQ(Item(L"AffichageGrille").Checked(), grid);
        EXPECT_EQ(form->FileList->ExtendedStyles().Contains(lvxGridLines), grid);
        form.reset();
    }
}

TEST_F(MainFormFileList, MouseSelectionShowsCountAndSizeInTheStatusBar) {
    folder.MakeFile(L"delta.txt", std::string(2000, 'x'));
    {
        SettingsRecord settings;
        settings.Directory = folder.Path();
        settings.KOctet = false;
        SettingsStore(key.Path()).StoreOptions(settings);
    }
    OpenForm();
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
    EXPECT_EQ(form->StatusBar.PanelText(0), L"1 fichier sélectionné");
    EXPECT_EQ(form->StatusBar.PanelText(1), L"5 octets");
    click(2, MK_CONTROL);
    click(3, MK_CONTROL);
    EXPECT_EQ(form->FileList->SelectedCount(), 3);
    EXPECT_EQ(form->StatusBar.PanelText(0), L"3 fichiers sélectionnés");
    EXPECT_EQ(form->StatusBar.PanelText(1), SizeText(false, 5 + 2000 + 3)); // the locale's digit grouping
}

TEST_F(MainFormFileList, EveryKindOfSelectionChangeKeepsTheTotalsExact) {
    for (int i = 0; i < 40; ++i)
        folder.MakeFile(L"row " + std::to_wstring(100 + i) + L".dat",
                        std::string(static_cast<size_t>(i), 'x'));
    {
        SettingsRecord settings;
        settings.Directory = folder.Path();
        settings.KOctet = false;
        SettingsStore(key.Path()).StoreOptions(settings);
    }
    OpenForm();
    const int rows = form->FileList->ItemCount();
    ASSERT_EQ(rows, 43);
    // What the status bar must say: the rows the control itself holds selected, walked one by one.
    const auto expectExact = [&](const char* step) {
        int count = 0;
        int64_t total = 0;
        for (int i = 0; i < rows; ++i)
            if (form->FileList->IsSelected(i)) {
                ++count;
                total += (*form->Listing)[static_cast<size_t>(i)].Size;
            }
        EXPECT_EQ(form->StatusBar.PanelText(0), std::to_wstring(count) + PluralWord(L" fichier", count) +
                                                    PluralWord(L" sélectionné", count))
            << step;
        EXPECT_EQ(form->StatusBar.PanelText(1), SizeText(false, total)) << step;
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
    EXPECT_TRUE(form->FileList->IsSelected(rows - 1));
    EXPECT_EQ(expectExact("End"), 1);
    key(VK_HOME, true);
    EXPECT_EQ(expectExact("Shift+Home"), rows);
    key(VK_HOME, false);
    EXPECT_EQ(expectExact("Home"), 1);
    EXPECT_TRUE(form->FileList->IsSelected(0));
    click(0, 0);
    click(rows - 1, MK_SHIFT);
    EXPECT_EQ(expectExact("range from the first row to the last"), rows);
    // A sort empties the selection; the next click counts from there.
    form->FileListColumnClick(1);
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
    StoreOptions(false);
    OpenForm();
    form->ReorganiseNomClick(Item(L"ReorganiseTaille"));
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    EXPECT_EQ(PaintedArrows(), ArrowAt(0, 1)) << "the commands move no arrow";

    ClickHeader(1); // a column without the arrow starts ascending, as its arrow then shows
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, 1));
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    ClickHeader(1);
    EXPECT_EQ(PaintedArrows(), ArrowAt(1, -1));
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"gamma.txt", L"Alpha.doc"}));
}
