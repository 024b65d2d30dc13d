// Folders' own dates from the main window, on real folders: "Dates de ce dossier..." from the
// tree's own context menu, its undo, and the option "Inclure les dossiers eux-mêmes" kept across a
// restart.
#include "MainFormFixture.h"

#include "operations/dialogs/DateHeureForm.h"
#include "operations/dialogs/UndoForm.h"
#include "support/win/Days.h"
#include "support/win/FileStamps.h"
#include "support/win/TempFolder.h"
#include "ui/ModalRunner.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// A menu runs its own loop until it closes: the steps run there, one per timer tick.
class MenuSteps {
public:
    explicit MenuSteps(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 150, &MenuSteps::Tick);
    }
    ~MenuSteps() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    MenuSteps(const MenuSteps&) = delete;
    MenuSteps& operator=(const MenuSteps&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuSteps* self = current_;
        if (self && self->next_ < self->steps_.size())
            self->steps_[self->next_++]();
    }

    static inline MenuSteps* current_ = nullptr;
    std::vector<std::function<void()>> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
};

const FILETIME kOld = UtcOfLocal(2003, 4, 5, 6, 7, 8);

class MainFormFolders : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        journalFolder = journal.Path();
        folder.MakeFile(L"photo.jpg");
        folder.MakeFolder(L"sous");
        for (const std::wstring& path : {folder / L"photo.jpg", folder / L"sous", folder.Path()})
            ASSERT_TRUE(WriteStamps(path, kOld, kOld, kOld));
        OpenWindow();
        ::SetForegroundWindow(Window());
        PumpMessages();
    }
    FILETIME Written(const std::wstring& path) const {
        return ReadStamps(path).value_or(DiskStamps{}).LastWrite;
    }

    TempFolder journal;
};

} // namespace

// Disabled: under Wine this run does not come back from the tree menu yet.
TEST_F(MainFormFolders, DISABLED_DatesOfThisFolderFromTheTreeMenuSetTheFolderAloneAndUndoPutsItBack) {
    const HTREEITEM shown = TreeSelected(Tree());
    RECT item{};
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), shown, &item, TRUE));
    const POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    POINT screen = at;
    ::ClientToScreen(Tree(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    int dialogs = 0;
    {
        ScopedModalRunner runner([&](Form& form) {
            if (auto* dialog = dynamic_cast<TDateHeure*>(&form)) {
                ++dialogs;
                dialog->DatePicker.SetValue(Day(2015, 6, 15));
                dialog->TimePicker.SetValue(Day(2015, 6, 15, 10, 30, 0));
                dialog->Stamps.SetChecked(kAllStamps);
                dialog->BtnOk.Click();
            }
        });
        // The program's own command is the menu's first.
        // Typed as a user does; should the menu not take the keys, it is closed all the same.
        MenuSteps steps({[] {
                             for (const WORD key : {WORD{VK_DOWN}, WORD{VK_RETURN}}) {
                                 INPUT input[2] = {};
                                 input[0].type = input[1].type = INPUT_KEYBOARD;
                                 input[0].ki.wVk = input[1].ki.wVk = key;
                                 input[1].ki.dwFlags = KEYEVENTF_KEYUP;
                                 ::SendInput(2, input, sizeof(INPUT));
                             }
                         },
                         [] {}, [] {}, [] {}, [] { ::EndMenu(); }});
        ::PostMessageW(Tree(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(Tree(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        PumpMessages();
    }
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(SameTime(Written(folder.Path()), UtcOfLocal(2015, 6, 15, 10, 30, 0)));
    EXPECT_TRUE(SameTime(Written(folder / L"photo.jpg"), kOld));
    EXPECT_TRUE(SameTime(Written(folder / L"sous"), kOld));
    EXPECT_EQ(TreeSelected(Tree()), shown);

    {
        ScopedModalRunner runner([](Form& form) {
            if (auto* undo = dynamic_cast<UndoForm*>(&form))
                undo->BtnUndo.Click();
        });
        EXPECT_TRUE(Choose(L"Annuler la dernière opération"));
    }
    EXPECT_TRUE(SameTime(Written(folder.Path()), kOld));
}

TEST_F(MainFormFolders, IncludeTheFoldersThemselvesIsKeptForTheNextRun) {
    EXPECT_FALSE(Checked(L"Inclure les dossiers eux-mêmes"));
    EXPECT_TRUE(Choose(L"Inclure les dossiers eux-mêmes"));
    EXPECT_TRUE(Checked(L"Inclure les dossiers eux-mêmes"));
    RestartWindow();
    EXPECT_TRUE(Checked(L"Inclure les dossiers eux-mêmes"));
}
