// The shell's context menus of the main window on the real platform: right clicks in the file
// list and in the tree open the shell's menu with its hidden owner window, the highlighted
// command's texts go to the hint, and nothing is left behind once the menu has closed.
#include "MainFormFixture.h"

#include "app/ShellContextMenu.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr const wchar_t* kHelperClass = L"ItemPropMenuCallbackHelper";
constexpr const wchar_t* kHelperTitle = L"ItemPropCallbackProcessor";

// A window of this thread by class and, when given, title (other test programs may share the
// display and show their own).
struct WindowSearch {
    const wchar_t* className;
    const wchar_t* title;
    bool mustBeShown;
    HWND found = nullptr;
};

BOOL CALLBACK FindThreadWindow(HWND hwnd, LPARAM lp) {
    auto& search = *reinterpret_cast<WindowSearch*>(lp);
    wchar_t name[64] = {};
    wchar_t title[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    ::GetWindowTextW(hwnd, title, 64);
    if (std::wstring(name) == search.className && (!search.title || std::wstring(title) == search.title) &&
        (!search.mustBeShown || ::IsWindowVisible(hwnd))) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND ThreadWindow(const wchar_t* className, const wchar_t* title, bool mustBeShown) {
    WindowSearch search{className, title, mustBeShown};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The hidden window that owns the shell's menu while it is shown.
HWND HelperWindow() {
    return ThreadWindow(kHelperClass, kHelperTitle, false);
}

// The pop-up menu window of this thread that is showing, if any.
HWND OpenMenuWindow() {
    return ThreadWindow(L"#32768", nullptr, true);
}

// A menu is modal: its own loop runs until it closes. The steps run one per timer tick inside
// that loop, so they can look at the open menu and then close it.
class MenuDriver {
public:
    explicit MenuDriver(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 150, &MenuDriver::Tick);
    }
    ~MenuDriver() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;

    size_t StepsRun() const { return next_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuDriver* self = current_;
        if (self && self->next_ < self->steps_.size())
            self->steps_[self->next_++]();
    }

    static inline MenuDriver* current_ = nullptr;
    std::vector<std::function<void()>> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
};

// What a step saw while the menu was open.
struct OpenState {
    bool seen = false;
    HWND helper = nullptr;
    bool helperVisible = true;
    bool menuShown = false;
    std::wstring hint;
};

class MainFormContextMenu : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        folder.MakeFile(L"beta.txt", "12345");
        folder.MakeFile(L"Alpha.doc", "1");
        folder.MakeFolder(L"sub");
        OpenWindow();
        ::SetForegroundWindow(Window());
        Pump();
        Application::SetHint(L"");
    }

    static void Pump() { PumpMessages(); }

    // Looks at the open menu, highlights its first command, reads the hint, then closes it.
    std::vector<std::function<void()>> LookThenClose(OpenState& state, const std::function<void()>& look = {},
                                                     const std::function<void()>& afterClose = {}) {
        return {[this, &state, look] {
                    state.seen = true;
                    state.helper = HelperWindow();
                    state.helperVisible = state.helper && ::IsWindowVisible(state.helper);
                    state.menuShown = OpenMenuWindow() != nullptr;
                    if (look)
                        look();
                    ::PostMessageW(Window(), WM_KEYDOWN, VK_DOWN, 0);
                },
                [&state, afterClose] {
                    state.hint = Application::Hint();
                    ::EndMenu();
                    if (afterClose)
                        afterClose();
                }};
    }
    void ExpectMenuWasOpenWithItsHiddenOwner(const OpenState& state) {
        ASSERT_TRUE(state.seen) << "no menu was shown";
        EXPECT_NE(state.helper, nullptr);
        EXPECT_FALSE(state.helperVisible);
        EXPECT_TRUE(state.menuShown);
        const size_t bar = state.hint.find(L'|');
        EXPECT_NE(bar, std::wstring::npos) << "hint: " << std::string(state.hint.begin(), state.hint.end());
        EXPECT_GT(bar, 0u) << "the highlighted command's verb comes first";
    }
    void ExpectNothingLeftBehind() {
        EXPECT_EQ(HelperWindow(), nullptr);
        EXPECT_EQ(OpenMenuWindow(), nullptr);
        EXPECT_EQ(Application::Hint(), L"");
    }

    Names Listed() const { return Shown(); }
    std::wstring Caption() const { return WindowText(Window()); }
    int FocusedRow() const {
        return static_cast<int>(
            ::SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    }
    HTREEITEM TreeNodeAt(POINT at) const {
        TVHITTESTINFO hit{};
        hit.pt = at;
        ::SendMessageW(Tree(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        return (hit.flags & TVHT_ONITEM) ? hit.hItem : nullptr;
    }
    // Picking up a change re-lists: the tree's switch is back on and the monitor watches.
    void ExpectANewFileShows(const wchar_t* name) {
        const int before = ListCount(List());
        folder.MakeFile(name);
        EXPECT_TRUE(PumpUntil([&] { return ListCount(List()) == before + 1; }))
            << "the monitor no longer re-lists";
    }
    POINT ToScreen(HWND hwnd, POINT client) const {
        ::ClientToScreen(hwnd, &client);
        return client;
    }
};

} // namespace

TEST_F(MainFormContextMenu, RightClickOnAFileShowsItsMenuAndLeavesNothingBehind) {
    ASSERT_EQ(Listed(), (Names{L"Alpha.doc", L"beta.txt"}));
    RECT row{};
    row.left = LVIR_LABEL;
    ASSERT_TRUE(::SendMessageW(List(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
    const POINT at{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    const POINT screen = ToScreen(List(), at);
    ::SetCursorPos(screen.x, screen.y);

    OpenState state;
    int focusedWhileOpen = -1;
    {
        MenuDriver driver(LookThenClose(state, [&] { focusedWhileOpen = FocusedRow(); }));
        // The list follows the button until it is released; the release is already waiting.
        ::PostMessageW(List(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(List(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    }
    Pump();
    ExpectMenuWasOpenWithItsHiddenOwner(state);
    EXPECT_EQ(focusedWhileOpen, 1) << "the menu is for the row under the mouse";
    EXPECT_EQ(state.hint.substr(0, 5), L"open|") << "the first command of a file's menu opens it";
    ExpectNothingLeftBehind();
    EXPECT_EQ(Listed(), (Names{L"Alpha.doc", L"beta.txt"}));
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW((folder / L"beta.txt").c_str(), &data);
    EXPECT_NE(find, INVALID_HANDLE_VALUE) << "closing the menu runs no command";
    if (find != INVALID_HANDLE_VALUE)
        ::FindClose(find);
}

TEST_F(MainFormContextMenu, RightClickInTheTreeSelectsTheFolderOnlyWhileItsMenuIsOpen) {
    HTREEITEM shown = TreeSelected(Tree());
    ASSERT_NE(shown, nullptr);
    const std::wstring shownText = TreeText(Tree(), shown);
    HTREEITEM other = TreeParent(Tree(), shown);
    ASSERT_NE(other, nullptr);
    ::SendMessageW(Tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(other));
    RECT item{};
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), other, &item, TRUE));
    const POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    const POINT screen = ToScreen(Tree(), at);
    ::SetCursorPos(screen.x, screen.y);
    const std::wstring caption = Caption();
    const Names listed = Listed();
    const std::wstring status = Status(0);

    OpenState state;
    HTREEITEM selectedWhileOpen = nullptr;
    std::wstring captionWhileOpen;
    Names listedWhileOpen;
    {
        MenuDriver driver(LookThenClose(
            state,
            [&] {
                selectedWhileOpen = TreeSelected(Tree());
                captionWhileOpen = Caption();
                listedWhileOpen = Listed();
            },
            // The tree follows the button after its owner's handler, until the release.
            [&] { ::PostMessageW(Tree(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y)); }));
        ::SendMessageW(Tree(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    }
    Pump();
    ExpectMenuWasOpenWithItsHiddenOwner(state);
    EXPECT_EQ(selectedWhileOpen, other) << "the right-clicked folder is selected while its menu is open";
    EXPECT_EQ(captionWhileOpen, caption) << "no listing runs for it";
    EXPECT_EQ(listedWhileOpen, listed);

    EXPECT_EQ(TreeSelected(Tree()), shown);
    EXPECT_EQ(TreeText(Tree(), TreeSelected(Tree())), shownText);
    EXPECT_EQ(Caption(), caption);
    EXPECT_EQ(Listed(), listed);
    EXPECT_EQ(Status(0), status);
    ExpectNothingLeftBehind();
    ExpectANewFileShows(L"later.txt");
}

TEST_F(MainFormContextMenu, DriveRootHasAMenuToo) {
    OpenState state;
    bool shown = false;
    {
        MenuDriver driver(LookThenClose(state));
        shown = ShowShellContextMenu(L"C:", Window(), POINT{200, 200});
    }
    EXPECT_TRUE(shown);
    ExpectMenuWasOpenWithItsHiddenOwner(state);
    ExpectNothingLeftBehind();
}

TEST_F(MainFormContextMenu, PathWithoutAMenuShowsNothingAndLeavesNothingBehind) {
    const HCURSOR cursor = ::GetCursor();
    OpenState state;
    bool shown = true;
    {
        MenuDriver driver(LookThenClose(state));
        shown = ShowShellContextMenu(folder / L"missing.txt", Window(), POINT{200, 200});
        Pump();
    }
    EXPECT_FALSE(shown);
    EXPECT_FALSE(state.seen && state.menuShown);
    EXPECT_EQ(::GetCursor(), cursor) << "the wait cursor goes away";
    ExpectNothingLeftBehind();
    EXPECT_EQ(Listed(), (Names{L"Alpha.doc", L"beta.txt"}));
}

TEST_F(MainFormContextMenu, RightClickOnTheListOutsideAnyRowShowsNoMenu) {
    LVITEMW unfocus{};
    unfocus.stateMask = LVIS_FOCUSED;
    ::SendMessageW(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&unfocus));
    RECT client{};
    ::GetClientRect(List(), &client);
    const POINT at{client.right / 2, client.bottom - 5}; // below the two rows
    OpenState state;
    {
        MenuDriver driver(LookThenClose(state));
        ::PostMessageW(List(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(List(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        Pump();
    }
    EXPECT_FALSE(state.seen && state.menuShown);
    ExpectNothingLeftBehind();
}

TEST_F(MainFormContextMenu, RightClickInTheTreeAwayFromAnyFolderShowsNoMenuAndKeepsTheSelection) {
    HTREEITEM shown = TreeSelected(Tree());
    RECT client{};
    ::GetClientRect(Tree(), &client);
    POINT at{client.right / 2, client.bottom - 3};
    if (TreeNodeAt(at)) {
        // Other tests' folders beside this one can fill the tree: a window as tall as the screen
        // leaves room below the last folder.
        ::MoveWindow(Window(), 0, 0, 900, ::GetSystemMetrics(SM_CYSCREEN), TRUE);
        Pump();
        ::GetClientRect(Tree(), &client);
        at = POINT{client.right / 2, client.bottom - 3};
    }
    if (TreeNodeAt(at))
        GTEST_SKIP() << "the tree reaches its bottom edge: no place away from every folder";
    const std::wstring caption = Caption();
    OpenState state;
    {
        MenuDriver driver(LookThenClose(state));
        ::PostMessageW(Tree(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(Tree(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        Pump();
    }
    EXPECT_FALSE(state.seen && state.menuShown);
    EXPECT_EQ(TreeSelected(Tree()), shown);
    EXPECT_EQ(Caption(), caption);
    ExpectNothingLeftBehind();
    ExpectANewFileShows(L"later.txt");
}

TEST_F(MainFormContextMenu, FileAddedWhileTheTreeMenuIsOpenShowsWhenItCloses) {
    const HTREEITEM shown = TreeSelected(Tree());
    RECT item{};
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), shown, &item, TRUE));
    const POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    const POINT screen = ToScreen(Tree(), at);
    ::SetCursorPos(screen.x, screen.y);
    Names listedWhileOpen;
    // As a file pasted from the menu: made while it is open, then some time for the monitor.
    std::vector<std::function<void()>> steps{[&] { folder.MakeFile(L"pasted.txt"); }};
    steps.resize(8, [] {});
    steps.push_back([&] {
        listedWhileOpen = Listed();
        ::EndMenu();
        ::PostMessageW(Tree(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    });
    {
        MenuDriver driver(steps);
        ::SendMessageW(Tree(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    }
    Pump();
    EXPECT_EQ(listedWhileOpen, (Names{L"Alpha.doc", L"beta.txt"})) << "no re-list while the menu is open";
    EXPECT_EQ(Listed(), (Names{L"Alpha.doc", L"beta.txt", L"pasted.txt"}));
    EXPECT_EQ(TreeSelected(Tree()), shown);
    ExpectANewFileShows(L"later.txt");
}
