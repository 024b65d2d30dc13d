// The one set-up every main-window suite shares: the window's reports caught, a temporary folder,
// a scratch registry key, and the window opened on that folder as a previous run left it.
#pragma once

#include "WindowProbe.h"

#include "app/MainForm.h"
#include "settings/SettingsStore.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TempFolder.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class MainFormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetExceptionSink([this](const std::wstring& text) { errors += text; });
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            if (boxAnswer == 0) {
                errors += L"unexpected box: " + request.text;
                return IDOK;
            }
            boxes.push_back(request.text);
            return boxAnswer;
        });
    }
    void TearDown() override {
        form.reset();
        SetMessageBoxAnswerer({});
        SetExceptionSink({});
        EXPECT_EQ(errors, L"");
    }

    // Stores `settings` as a previous run would have left them (on the test folder unless they
    // name another), then opens the window on them and lets it settle.
    void OpenWindow(SettingsRecord settings = {}, std::shared_ptr<DriveSystem> drives = nullptr) {
        if (settings.Directory.empty())
            settings.Directory = folder.Path();
        SettingsStore(key.Path()).StoreOptions(settings);
        OpenWindowOnStoredSettings(std::move(drives));
    }
    // Opens the window on what the registry holds (what the last window stored at its close).
    void OpenWindowOnStoredSettings(std::shared_ptr<DriveSystem> drives = nullptr) {
        form = journalFolder.empty()
                   ? std::make_unique<TMainForm>(key.Path(), std::move(drives))
                   : std::make_unique<TMainForm>(key.Path(), std::move(drives), journalFolder);
        ASSERT_TRUE(form->HandleAllocated());
        ::ShowWindow(form->Handle(), SW_SHOWNORMAL);
        ::UpdateWindow(form->Handle());
        PumpMessages();
    }
    // Closes the window as its close box does, then opens it again on what it stored.
    void RestartWindow() {
        form->Close();
        ASSERT_FALSE(form->HandleAllocated());
        OpenWindowOnStoredSettings();
    }
    // The same, with the stored options changed in between, as the options dialog would.
    void RestartWindowWith(const std::function<void(SettingsRecord&)>& change) {
        form->Close();
        ASSERT_FALSE(form->HandleAllocated());
        SettingsRecord settings = StoredSettings();
        change(settings);
        SettingsStore(key.Path()).StoreOptions(settings);
        OpenWindowOnStoredSettings();
    }
    // The options the window stored at its close.
    SettingsRecord StoredSettings() const {
        SettingsRecord stored;
        SettingsStore(key.Path()).LoadOptions(stored);
        return stored;
    }

    // "Actualiser", and the posted re-list taken up as the message loop would.
    void RelistNow() {
        ChooseMenu(Window(), L"Actualiser");
        Application::ProcessMessages();
    }
    // Goes to a folder through the address box, and lets the re-list run.
    void GoTo(const std::wstring& path) {
        TypeAndEnter(AddressBox(Window()), path);
        Application::ProcessMessages();
    }

    HWND Window() const { return form->Handle(); }
    HWND List() const { return form->FileListHandle(); }
    HWND Tree() const { return form->TreeHandle(); }
    Names Shown() const { return ListNames(List()); }
    int RowOf(const std::wstring& name) const { return ListRowOf(List(), name); }
    std::wstring Status(int part) const { return StatusText(Window(), part); }
    bool Choose(const std::wstring& item) const { return ChooseMenu(Window(), item); }
    bool Checked(const std::wstring& item) const { return MenuChecked(Window(), item); }
    bool Click(const std::wstring& toolTip) const { return ClickToolButton(Window(), toolTip); }

    // A folder beside the listed one, for what must stay outside it; it outlives the listed folder.
    TempFolder outside;
    TempFolder folder;
    ScratchRegistryKey key;
    // Where the window keeps its undo journal; the system's place when left empty.
    std::wstring journalFolder;
    // How message boxes are answered; 0: none is expected, one counts as an error.
    int boxAnswer = 0;
    std::vector<std::wstring> boxes;
    std::wstring errors;
    std::unique_ptr<TMainForm> form;
};
