// Paths reaching the open window from Explorer: the start's own, later starts' through
// WM_COPYDATA (joined while they come in a burst, refused when malformed), and files dropped on
// the list or a folder on the tree.
#include "MainFormFixture.h"

#include "app/PathHandOver.h"

#include <shellapi.h>

#include <cstring>

namespace {

void MakeFileIn(const std::wstring& folder, const std::wstring& name) {
    HANDLE file = ::CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
}

class MainFormExplorer : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"})
            folder.MakeFile(name);
        outside.MakeFile(L"far.txt");
        // Before the tree reads the folder: it finds no folder made after that.
        sub = folder.MakeFolder(L"sub");
        MakeFileIn(sub, L"inner.txt");
        OpenWindow();
    }

    std::wstring sub;

    std::vector<std::wstring> Selected() const {
        std::vector<std::wstring> names;
        for (int row = 0; row < ListCount(List()); ++row)
            if (ListRowSelected(List(), row))
                names.push_back(ListItemText(List(), row, 0));
        std::sort(names.begin(), names.end());
        return names;
    }

    LRESULT HandOver(uint64_t tag, const std::vector<uint8_t>& block, size_t size) {
        COPYDATASTRUCT copy{};
        copy.dwData = static_cast<ULONG_PTR>(tag);
        copy.cbData = static_cast<DWORD>(size);
        copy.lpData = const_cast<uint8_t*>(block.data());
        const LRESULT taken = ::SendMessageW(Window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
        Application::ProcessMessages();
        return taken;
    }
    LRESULT HandOver(const std::vector<std::wstring>& paths) {
        const std::vector<uint8_t> block = EncodePathHandOver(paths);
        return HandOver(kPathHandOverTag, block, block.size());
    }

    // A drop as the shell makes it, at a point of `target` (the list or the tree).
    void Drop(HWND target, const std::vector<std::wstring>& paths) {
        std::wstring list;
        for (const std::wstring& path : paths)
            list += path + L'\0';
        list += L'\0';
        HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
        auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        RECT r{};
        ::GetWindowRect(target, &r);
        POINT point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::ScreenToClient(Window(), &point);
        drop->pt = point;
        std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
                    list.size() * sizeof(wchar_t));
        ::GlobalUnlock(memory);
        ::SendMessageW(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
        Application::ProcessMessages();
    }
};

TEST_F(MainFormExplorer, StartsOneByOneGiveOneSelectionAndOtherFoldersAreCounted) {
    GoTo(outside.Path());
    form->ShowGivenPaths({folder / L"b.txt"});
    Application::ProcessMessages();
    EXPECT_EQ(ListCount(List()), 4);
    EXPECT_EQ(Selected(), (Names{L"b.txt"}));
    // Explorer's further starts, each with its file, through the real message.
    EXPECT_EQ(HandOver({folder / L"D.TXT"}), TRUE);
    EXPECT_EQ(HandOver({folder / L"a.txt", outside / L"far.txt"}), TRUE);
    EXPECT_EQ(Selected(), (Names{L"a.txt", L"b.txt", L"d.txt"}));
    EXPECT_EQ(Status(0), L"3 fichiers sélectionnés");
    EXPECT_EQ(Status(2), L"1 fichier d'un autre dossier laissé de côté");
    EXPECT_EQ(::GetFocus(), List());
}

TEST_F(MainFormExplorer, AFolderAloneIsOpenedWithNothingSelected) {
    EXPECT_EQ(HandOver({sub}), TRUE);
    EXPECT_EQ(Shown(), (Names{L"inner.txt"}));
    EXPECT_EQ(ListSelectedCount(List()), 0);
}

TEST_F(MainFormExplorer, MalformedHandOversAreRefusedAndChangeNothing) {
    GoTo(outside.Path());
    const std::vector<uint8_t> good = EncodePathHandOver({folder / L"a.txt"});
    EXPECT_EQ(HandOver(kPathHandOverTag ^ 1, good, good.size()), FALSE);
    EXPECT_EQ(HandOver(kPathHandOverTag, good, good.size() - 3), FALSE);
    EXPECT_EQ(HandOver(kPathHandOverTag, good, 0), FALSE);
    const std::vector<uint8_t> unended(good.begin(), good.end() - 4);
    EXPECT_EQ(HandOver(kPathHandOverTag, unended, unended.size()), FALSE);
    EXPECT_EQ(HandOver({}), FALSE);
    EXPECT_EQ(Shown(), (Names{L"far.txt"}));
}

TEST_F(MainFormExplorer, DropsOnTheListSelectAndAFolderOnTheTreeIsEntered) {
    GoTo(outside.Path());
    Drop(List(), {folder / L"c.txt", folder / L"a.txt", outside / L"far.txt"});
    EXPECT_EQ(Selected(), (Names{L"a.txt", L"c.txt"}));
    EXPECT_EQ(Status(2), L"1 fichier d'un autre dossier laissé de côté");
    // A later drop starts a selection of its own.
    Drop(List(), {folder / L"d.txt"});
    EXPECT_EQ(Selected(), (Names{L"d.txt"}));

    Drop(Tree(), {sub});
    EXPECT_EQ(Shown(), (Names{L"inner.txt"}));
}

} // namespace
