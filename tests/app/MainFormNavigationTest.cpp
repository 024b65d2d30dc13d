// The main window moving through real folders: the re-list and what it keeps in step, the mask
// box, the address box, sorting from the headers and commands, and the file operations applied to
// the selected rows or to the whole folder.
#include "app/MainForm.h"
#include "MainFormFixture.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TempFolder.h"
#include "ui/ExceptionDisplay.h"
#include "ui/MessageBox.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class MainFormNavigation : public ::testing::Test {
protected:
    void SetUp() override {
        SetExceptionSink([this](const std::wstring& text) { errors += text; });
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            boxes.push_back(request.text);
            return IDOK;
        });
        folder.MakeFile(L"beta.txt", "12345");
        folder.MakeFile(L"Alpha.doc", "1");
        folder.MakeFile(L"gamma.txt", "123");
        folder.MakeFolder(L"sub");
        form = std::make_unique<TMainForm>(key.Path());
        ::ShowWindow(form->Handle(), SW_SHOWNORMAL);
        form->Settings.FirstMaj = false; // no confirmation dialog in these tests
        form->Settings.KOctet = false;
        form->DirTree->SelectPath(folder.Path());
        RelistNow(*form);
    }
    void TearDown() override {
        form.reset();
        SetMessageBoxAnswerer({});
        SetExceptionSink({});
        EXPECT_EQ(errors, L"");
    }

    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (size_t i = 0; i < form->Listing->Count(); ++i)
            names.emplace_back((*form->Listing)[i].Name);
        return names;
    }
    std::wstring Cell(int row, int column) {
        wchar_t buffer[260] = {};
        TVMItemInfo info;
        info.Item = row;
        info.SubItem = column;
        info.Mask = {lvifText};
        info.Text = TextBuffer(buffer, 260);
        form->FileListVMGetItemInfo(info);
        return buffer;
    }
    void SelectRow(int row) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        ::SendMessageW(form->FileList->Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    bool Exists(const std::wstring& name) const {
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
    std::vector<std::wstring> boxes;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(MainFormNavigation, ListingShowsTheFolderCaptionAndStatus) {
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
    EXPECT_EQ(form->FileList->ItemCount(), 3);
    EXPECT_EQ(form->StatusBar.PanelText(0), L"3 fichiers");
    EXPECT_EQ(form->StatusBar.PanelText(1), L"9 octets");
    EXPECT_EQ(form->Text(), L"Kavet24 - " + form->EditDirName.Text());
    EXPECT_EQ(form->FileList->SelectedCount(), 0);
    EXPECT_TRUE(form->Standard.ButtonEnabled(L"BtnParent"));
    EXPECT_EQ(Cell(1, 0), L"beta.txt");
    EXPECT_EQ(Cell(1, 6), L"32");
}

TEST_F(MainFormNavigation, ChangedMaskRelistsOnlyMatchingFiles) {
    form->EditMask.SetText(L"*.TXT");
    form->EditMaskEnter();
    Application::ProcessMessages();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"beta.txt", L"gamma.txt"}));
    EXPECT_EQ(form->StatusBar.PanelText(0), L"2 fichiers");
}

TEST_F(MainFormNavigation, UnchangedMaskDoesNotRelist) {
    folder.MakeFile(L"delta.txt");
    form->FolderMonitor->SetActive(false); // only the mask box may re-list here
    form->EditMaskEnter();
    Application::ProcessMessages();
    EXPECT_EQ(form->Listing->Count(), 3u);
}

TEST_F(MainFormNavigation, SameFolderTypedOtherwiseChangesNothing) {
    const std::wstring current = form->DirTree->GetSelectedPath();
    folder.MakeFile(L"delta.txt");
    form->FolderMonitor->SetActive(false); // only the address box may re-list here
    form->EditDirName.SetText(L"  " + CurrentLocale().ToLower(current) + L"\\  ");
    form->EditDirNameEnter();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(form->DirTree->GetSelectedPath(), current);
    EXPECT_EQ(form->Listing->Count(), 3u);
}

TEST_F(MainFormNavigation, MissingFolderWarnsAndKeepsTheFolder) {
    const std::wstring current = form->DirTree->GetSelectedPath();
    form->EditDirName.SetText(folder / L"nowhere");
    form->EditDirNameEnter();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"\r\nLe dossier spécifié n'existe pas. Veuillez vérifier le chemin saisi.");
    EXPECT_EQ(form->DirTree->GetSelectedPath(), current);
    EXPECT_EQ(form->Listing->Count(), 3u);
}

TEST_F(MainFormNavigation, BlankAddressWarnsLikeAMissingFolder) {
    const std::wstring current = form->DirTree->GetSelectedPath();
    form->EditDirName.SetText(L"   ");
    form->EditDirNameEnter();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"\r\nLe dossier spécifié n'existe pas. Veuillez vérifier le chemin saisi.");
    EXPECT_EQ(form->DirTree->GetSelectedPath(), current);
}

TEST_F(MainFormNavigation, WarningThatTakesTheFocusWarnsOnceAndSelectsTheWholeText) {
    const std::wstring typed = folder / L"nowhere";
    form->EditDirName.SetText(typed);
    ::SetFocus(form->EditDirName.Handle());
    SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
        boxes.push_back(request.text);
        ::SetFocus(form->FileList->Handle()); // as the box does: the address box is left
        return IDOK;
    });
    form->EditDirNameEnter();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(form->EditDirName.Selection(), std::make_pair(0, static_cast<int>(typed.size())));
}

TEST_F(MainFormNavigation, HeaderClicksThenCommandThenRefresh) {
    form->FileListColumnClick(1);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    form->FileListColumnClick(1);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"beta.txt", L"gamma.txt", L"Alpha.doc"}));
    MenuItem& byName = form->MainMenu->Item(L"ReorganiseNom");
    form->ReorganiseNomClick(byName);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
    form->AffichageActualiserClick(); // keeps the remembered descending direction
    Application::ProcessMessages();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"gamma.txt", L"beta.txt", L"Alpha.doc"}));
    EXPECT_EQ(form->FileList->SelectedCount(), 0);
}

TEST_F(MainFormNavigation, SelectionStatusCountsAndSums) {
    SelectRow(0);
    SelectRow(1);
    form->FileListClick();
    EXPECT_EQ(form->StatusBar.PanelText(0), L"2 fichiers sélectionnés");
    EXPECT_EQ(form->StatusBar.PanelText(1), L"6 octets");
}

TEST_F(MainFormNavigation, OperationAppliesToSelectedRowsOnly) {
    SelectRow(0); // Alpha.doc
    SelectRow(2); // gamma.txt
    form->BtnNameMajClick();
    EXPECT_TRUE(Exists(L"ALPHA.DOC"));
    EXPECT_TRUE(Exists(L"GAMMA.TXT"));
    EXPECT_TRUE(Exists(L"beta.txt"));
    EXPECT_EQ(form->FileList->SelectedCount(), 0); // re-listed
    EXPECT_EQ(form->Listing->Count(), 3u);
}

TEST_F(MainFormNavigation, OperationWithoutSelectionAppliesToTheWholeListing) {
    form->EditMask.SetText(L"*.TXT");
    form->EditMaskEnter();
    Application::ProcessMessages();
    form->BtnNameMajClick();
    EXPECT_TRUE(Exists(L"BETA.TXT"));
    EXPECT_TRUE(Exists(L"GAMMA.TXT"));
    EXPECT_TRUE(Exists(L"Alpha.doc")); // hidden by the mask, so untouched
    EXPECT_TRUE(Exists(L"sub"));
}

TEST_F(MainFormNavigation, ParentDisabledAtARoot) {
    form->DirTree->SelectPath(L"C:\\");
    RelistNow(*form);
    EXPECT_FALSE(form->Standard.ButtonEnabled(L"BtnParent"));
}
