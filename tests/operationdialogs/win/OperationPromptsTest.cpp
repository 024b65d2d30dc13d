// The confirmations before time zero and the name case operations, on real windows.
#include "operations/dialogs/ConfirmationForm.h"
#include "operations/dialogs/OperationPrompts.h"
#include "ui/ModalRunner.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const std::wstring kFont = L"Tahoma";

using Confirmation = bool (*)(HWND, const std::wstring&, SettingsRecord&, const ConfirmationPreview&);

struct PromptCase {
    Confirmation confirm;
    bool SettingsRecord::*flag;
    const wchar_t* caption;
};

class OperationPromptsTest : public ::testing::TestWithParam<PromptCase> {
protected:
    // Shows the confirmation with a runner that may tick the box and presses a button; returns
    // whether the operation should run, and how many dialogs appeared.
    bool Run(bool tick, bool accept) {
        ScopedModalRunner runner([&](Form& form) {
            ++shown;
            caption = form.Text();
            auto& dialog = dynamic_cast<ConfirmationForm&>(form);
            uncheckedAtOpen = !dialog.CheckFirst.Checked();
            if (tick)
                dialog.CheckFirst.Click();
            (accept ? dialog.BtnOk : dialog.BtnCancel).Click();
        });
        return GetParam().confirm(nullptr, kFont, settings, {});
    }

    SettingsRecord settings;
    int shown = 0;
    std::wstring caption;
    bool uncheckedAtOpen = false;
};

} // namespace

TEST_P(OperationPromptsTest, FirstUseShowsTheDialogAndCancelStopsTheOperation) {
    EXPECT_FALSE(Run(false, false));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(caption, GetParam().caption);
    EXPECT_TRUE(uncheckedAtOpen);
    EXPECT_TRUE(settings.*GetParam().flag);
    EXPECT_FALSE(Run(false, false));
    EXPECT_EQ(shown, 2);
}

TEST_P(OperationPromptsTest, AcceptRunsTheOperation) {
    EXPECT_TRUE(Run(false, true));
    EXPECT_TRUE(settings.*GetParam().flag);
}

TEST_P(OperationPromptsTest, TickedThenCancelledSkipsTheDialogNextTime) {
    EXPECT_FALSE(Run(true, false));
    EXPECT_FALSE(settings.*GetParam().flag);
    EXPECT_TRUE(Run(false, false));
    EXPECT_EQ(shown, 1);
}

TEST_P(OperationPromptsTest, TickedThenAcceptedRunsAndSkipsTheDialogNextTime) {
    EXPECT_TRUE(Run(true, true));
    EXPECT_FALSE(settings.*GetParam().flag);
    EXPECT_TRUE(Run(true, false));
    EXPECT_EQ(shown, 1);
}

TEST_P(OperationPromptsTest, ClosingWithTheTitleBarButtonCancels) {
    ScopedModalRunner runner([&](Form& form) {
        dynamic_cast<ConfirmationForm&>(form).CheckFirst.Click();
        form.Close();
    });
    EXPECT_FALSE(GetParam().confirm(nullptr, kFont, settings, {}));
    EXPECT_FALSE(settings.*GetParam().flag);
}

TEST_P(OperationPromptsTest, PreviewButtonOnlyWithAHookShowsItOverTheDialogThatStaysOpen) {
    bool buttonWithoutHook = true;
    {
        ScopedModalRunner runner([&](Form& form) {
            buttonWithoutHook = dynamic_cast<ConfirmationForm&>(form).BtnPreview.HandleAllocated();
            form.Close();
        });
        GetParam().confirm(nullptr, kFont, settings, {});
    }
    EXPECT_FALSE(buttonWithoutHook);

    HWND dialogWindow = nullptr;
    std::vector<HWND> previewOwners;
    bool stillOpen = false;
    ScopedModalRunner runner([&](Form& form) {
        auto& dialog = dynamic_cast<ConfirmationForm&>(form);
        dialogWindow = dialog.Handle();
        EXPECT_EQ(dialog.BtnPreview.Text(), L"Ap&erçu...");
        dialog.BtnPreview.Click();
        stillOpen = dialog.IsModal() && dialog.GetModalResult() == mrNone;
        dialog.BtnOk.Click();
    });
    EXPECT_TRUE(
        GetParam().confirm(nullptr, kFont, settings, [&](HWND owner) { previewOwners.push_back(owner); }));
    EXPECT_EQ(previewOwners, std::vector<HWND>{dialogWindow});
    EXPECT_TRUE(stillOpen);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, OperationPromptsTest,
    ::testing::Values(PromptCase{&ConfirmTimeZero, &SettingsRecord::FirstZero, L"Horodatage"},
                      PromptCase{&ConfirmUpperCase, &SettingsRecord::FirstMaj, L"Majuscules"},
                      PromptCase{&ConfirmLowerCase, &SettingsRecord::FirstMin, L"Minuscules"},
                      PromptCase{&ConfirmFirstUpper, &SettingsRecord::FirstMajMin, L"Majuscule-minuscules"}));

TEST(ConfirmationFormTest, TimeZeroLayoutAndTexts) {
    THeureZero dialog(nullptr, kFont);
    RECT client{};
    ::GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(client.right, 520);
    EXPECT_EQ(client.bottom, 135);
    EXPECT_EQ(dialog.FontName(), kFont);
    EXPECT_EQ(
        dialog.Label1.Text(),
        L"Cette option permet de régler les heures des fichiers sélectionnés à 00:00:00. La date sera "
        L"également réglée sur la date courante. Si aucun fichier n'est sélectionné, tous les fichiers du "
        L"dossier en cours seront réglés. L'horodatage intervient sur les 3 dates.");
    EXPECT_EQ(dialog.CheckFirst.Text(),
              L"Ne plus faire apparaître ce message et horodater directement les fichiers...");
    EXPECT_EQ(dialog.BtnOk.Text(), L"&Régler");
    EXPECT_EQ(dialog.BtnCancel.Text(), L"&Annuler");
    // The buttons' panel sits at the bottom right.
    RECT panel{};
    ::GetWindowRect(dialog.ButtonPanel.Handle(), &panel);
    ::MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&panel), 2);
    EXPECT_GT(panel.left, 520 / 2);
    EXPECT_LE(panel.right, 520);
    EXPECT_LE(panel.bottom, 135);
    EXPECT_GT(panel.top, 135 / 2);
}

TEST(ConfirmationFormTest, NameCaseTexts) {
    TNameMaj upper(nullptr, kFont);
    EXPECT_EQ(upper.Text(), L"Majuscules");
    EXPECT_NE(upper.Label1.Text().find(L"(exemple : FICHIER.TXT)"), std::wstring::npos);
    EXPECT_EQ(upper.CheckFirst.Text(),
              L"Ne plus faire apparaître ce message et modifier directement les fichiers");
    TNameMin lower(nullptr, kFont);
    EXPECT_EQ(lower.Text(), L"Minuscules");
    EXPECT_NE(lower.Label1.Text().find(L"(exemple : fichier.txt)"), std::wstring::npos);
    TNameMajMin first(nullptr, kFont);
    EXPECT_EQ(first.Text(), L"Majuscule-minuscules");
    EXPECT_EQ(
        first.Label1.Text(),
        L"Cette option permet de modifier la casse des fichiers sélectionnés avec la 1ère lettre en "
        L"majuscule et le reste en minuscules (exemple : Fichier.txt). Si aucun fichier n'est sélectionné, "
        L"tous les fichiers du dossier en cours seront réglés.");
}
