// The Options dialog on real windows, played through the modal runner seam.
#include "settings/optionsdialog/EditOptions.h"
#include "settings/optionsdialog/ParametresForm.h"
#include "ui/ModalRunner.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const std::wstring kFont = L"Tahoma";

class ParametresFormTest : public ::testing::Test {
protected:
    // Runs the dialog with a runner that plays the user on it; returns EditOptions' answer.
    bool Edit(const std::function<void(TParametres&)>& play) {
        ScopedModalRunner runner([&](Form& form) { play(dynamic_cast<TParametres&>(form)); });
        return EditOptions(nullptr, kFont, settings, [this] { ++relists; });
    }

    SettingsRecord settings;
    int relists = 0;
};

} // namespace

TEST_F(ParametresFormTest, DefaultsShowAllSevenBoxesChecked) {
    TParametres dialog(nullptr, kFont, settings, {});
    for (const CheckBox* box : {&dialog.CheckCtrlSizeKo, &dialog.CheckCtrlKOctet, &dialog.CheckCtrlNameMaj,
                                &dialog.CheckCtrlFullYear, &dialog.CheckCtrlTimeZero, &dialog.CheckSaveColumn,
                                &dialog.CheckCtrlSaveDate})
        EXPECT_TRUE(box->Checked()) << box->Text();
}

TEST_F(ParametresFormTest, BoxesFollowTheirFieldsTheFirstTwoInverted) {
    settings.SizeKo = true;
    settings.KOctet = false;
    settings.NameMaj = false;
    settings.SaveDate = false;
    TParametres dialog(nullptr, kFont, settings, {});
    EXPECT_FALSE(dialog.CheckCtrlSizeKo.Checked());
    EXPECT_TRUE(dialog.CheckCtrlKOctet.Checked());
    EXPECT_FALSE(dialog.CheckCtrlNameMaj.Checked());
    EXPECT_TRUE(dialog.CheckCtrlFullYear.Checked());
    EXPECT_FALSE(dialog.CheckCtrlSaveDate.Checked());
}

TEST_F(ParametresFormTest, LayoutAndCaptions) {
    TParametres dialog(nullptr, kFont, settings, {});
    RECT client{};
    ::GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(client.right, 285);
    EXPECT_EQ(client.bottom, 242);
    EXPECT_EQ(dialog.Text(), L"Options");
    EXPECT_EQ(dialog.FontName(), kFont);
    EXPECT_EQ(dialog.BoxParametres.Text(), L" Paramètres ");
    EXPECT_EQ(dialog.CheckCtrlSizeKo.Text(), L" Afficher le poids des fichiers en octets");
    EXPECT_EQ(dialog.CheckCtrlSaveDate.Text(), L" Mémoriser le réglage d'horodatage");
    EXPECT_EQ(dialog.BtnDialogue.Text(), L"Réafficher les dialogues d'avertissement");
    EXPECT_EQ(dialog.BtnApercu.Text(), L"Aperç&u");
    // Tab order: the seven boxes, buttons out of it.
    EXPECT_EQ(::GetNextDlgTabItem(dialog.Handle(), dialog.CheckCtrlSizeKo.Handle(), FALSE),
              dialog.CheckCtrlKOctet.Handle());
    EXPECT_EQ(::GetNextDlgTabItem(dialog.Handle(), dialog.CheckCtrlSaveDate.Handle(), FALSE),
              dialog.CheckCtrlSizeKo.Handle());
}

TEST_F(ParametresFormTest, PreviewAppliesAndRelistsWhileTheDialogStaysOpen) {
    bool sizeKoDuringPreview = false;
    bool stillOpen = false;
    int relistsDuringPreview = 0;
    const bool accepted = Edit([&](TParametres& dialog) {
        dialog.CheckCtrlSizeKo.Click();
        dialog.BtnApercu.Click();
        sizeKoDuringPreview = settings.SizeKo;
        relistsDuringPreview = relists;
        stillOpen = dialog.GetModalResult() == mrNone;
        dialog.BtnCancel.Click();
    });
    EXPECT_FALSE(accepted);
    EXPECT_TRUE(sizeKoDuringPreview);
    EXPECT_EQ(relistsDuringPreview, 1);
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(settings.SizeKo);
    EXPECT_EQ(relists, 2);
}

TEST_F(ParametresFormTest, CancelWithoutPreviewRestoresWithoutRelisting) {
    const SettingsRecord before = settings;
    EXPECT_FALSE(Edit([](TParametres& dialog) {
        dialog.CheckCtrlFullYear.Click();
        dialog.CheckCtrlKOctet.Click();
        dialog.BtnCancel.Click();
    }));
    EXPECT_EQ(settings, before);
    EXPECT_EQ(relists, 0);
}

TEST_F(ParametresFormTest, TitleBarCloseUndoesAPreviewLikeCancel) {
    EXPECT_FALSE(Edit([](TParametres& dialog) {
        dialog.CheckCtrlTimeZero.Click();
        dialog.BtnApercu.Click();
        dialog.Close();
    }));
    EXPECT_TRUE(settings.TimeZero);
    EXPECT_EQ(relists, 2);
}

TEST_F(ParametresFormTest, EscapeUndoesAPreviewLikeCancel) {
    EXPECT_FALSE(Edit([](TParametres& dialog) {
        dialog.CheckCtrlSizeKo.Click();
        dialog.BtnApercu.Click();
        // The key as the modal loop hands it on: the dialog keys turn it into IDCANCEL.
        MSG escape{dialog.CheckCtrlSizeKo.Handle(), WM_KEYDOWN, VK_ESCAPE, 0};
        ASSERT_TRUE(Form::PreTranslate(escape));
    }));
    EXPECT_FALSE(settings.SizeKo);
    EXPECT_EQ(relists, 2);
}

TEST_F(ParametresFormTest, ShowWarningsAgainSetsTheFourFlagsAndSurvivesCancel) {
    settings.FirstZero = false;
    settings.FirstMin = false;
    settings.FirstMaj = false;
    settings.FirstMajMin = false;
    bool disabled = false;
    EXPECT_FALSE(Edit([&](TParametres& dialog) {
        dialog.BtnDialogue.Click();
        disabled = !dialog.BtnDialogue.Enabled();
        dialog.BtnCancel.Click();
    }));
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(settings.FirstZero);
    EXPECT_TRUE(settings.FirstMin);
    EXPECT_TRUE(settings.FirstMaj);
    EXPECT_TRUE(settings.FirstMajMin);
}

TEST_F(ParametresFormTest, AcceptWithoutChangesReturnsTrueAndKeepsTheRecord) {
    const SettingsRecord before = settings;
    EXPECT_TRUE(Edit([](TParametres& dialog) { dialog.BtnOk.Click(); }));
    EXPECT_EQ(settings, before);
    EXPECT_EQ(relists, 0);
}

TEST_F(ParametresFormTest, AcceptStoresEveryBox) {
    EXPECT_TRUE(Edit([](TParametres& dialog) {
        for (CheckBox* box : {&dialog.CheckCtrlSizeKo, &dialog.CheckCtrlKOctet, &dialog.CheckCtrlNameMaj,
                              &dialog.CheckCtrlFullYear, &dialog.CheckCtrlTimeZero, &dialog.CheckSaveColumn,
                              &dialog.CheckCtrlSaveDate})
            box->Click();
        dialog.BtnOk.Click();
    }));
    EXPECT_TRUE(settings.SizeKo);
    EXPECT_TRUE(settings.KOctet);
    EXPECT_FALSE(settings.NameMaj);
    EXPECT_FALSE(settings.FullYear);
    EXPECT_FALSE(settings.TimeZero);
    EXPECT_FALSE(settings.SaveColumn);
    EXPECT_FALSE(settings.SaveDate);
}
