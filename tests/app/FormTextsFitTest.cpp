// Every text of every window of the program shows whole in the font it is drawn with: the About
// box, the Options dialog, the date-time dialog, the four confirmation dialogs and the main
// window, in both faces a form can have, at 96 DPI and as built for 144 DPI.
#include "MainFormFixture.h"

#include "app/Propos.h"
#include "operations/dialogs/ConfirmationForm.h"
#include "operations/dialogs/CopyStampForm.h"
#include "operations/dialogs/StampChoiceForm.h"
#include "operations/dialogs/ShiftForm.h"
#include "operations/dialogs/UndoForm.h"
#include "operations/dialogs/DateHeureForm.h"
#include "settings/optionsdialog/ParametresForm.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TextFit.h"
#include "ui/Dpi.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

namespace {

struct Case {
    int dpi;
    const wchar_t* face;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.dpi << " DPI, " << (c.face[0] == L'V' ? "Verdana" : "MS Sans Serif");
}

class FormTextsFitTest : public ::testing::TestWithParam<Case> {
protected:
    void ExpectAllTextsFit(const std::function<std::unique_ptr<Form>()>& make) {
        const ScopedDpiOverride dpi(GetParam().dpi);
        const std::unique_ptr<Form> form = make();
        ASSERT_EQ(form->Dpi(), GetParam().dpi);
        for (const std::wstring& cut : CutTexts(form->Handle(), form->Dpi()))
            ADD_FAILURE() << cut; // one line per cut text
    }

    std::wstring Face() const { return GetParam().face; }
    SettingsRecord settings;
};

} // namespace

TEST_P(FormTextsFitTest, AboutBox) {
    ExpectAllTextsFit([&] { return std::make_unique<TPropos>(nullptr, Face()); });
}

TEST_P(FormTextsFitTest, OptionsDialog) {
    ExpectAllTextsFit([&] { return std::make_unique<TParametres>(nullptr, Face(), settings, nullptr); });
}

TEST_P(FormTextsFitTest, DateTimeDialog) {
    ExpectAllTextsFit([&] { return std::make_unique<TDateHeure>(nullptr, Face(), settings); });
}

TEST_P(FormTextsFitTest, ShiftCopyAndUndoDialogs) {
    ExpectAllTextsFit([&] { return std::make_unique<ShiftForm>(nullptr, Face(), settings); });
    ExpectAllTextsFit([&] { return std::make_unique<CopyStampForm>(nullptr, Face()); });
    // The longest texts the two operations give it.
    const StampChoiceTexts photo{
        L"Date de prise de vue",
        L"Les dates cochées de chaque photo JPEG ou TIFF prendront la date de sa prise de vue, "
        L"lue dans ses données Exif. Une photo sans cette date est laissée telle quelle.",
        {L"Date de modification : 28/10/2026 23:59:59", L"Date de modification : 28/10/2026 23:59:59",
         L"Date de dernier accès : 28/10/2026 23:59:59"}};
    ExpectAllTextsFit([&] { return std::make_unique<StampChoiceForm>(nullptr, Face(), photo); });
    const std::vector<UndoRow> rows;
    ExpectAllTextsFit([&] { return std::make_unique<UndoForm>(nullptr, Face(), rows, std::nullopt); });
}

TEST_P(FormTextsFitTest, ConfirmationDialogs) {
    for (const ConfirmationText* text : {&kHeureZeroText, &kNameMajText, &kNameMinText, &kNameMajMinText}) {
        SCOPED_TRACE(::testing::Message() << text->Caption);
        ExpectAllTextsFit([&] { return std::make_unique<ConfirmationForm>(nullptr, Face(), *text); });
    }
}

INSTANTIATE_TEST_SUITE_P(AtEachDpiInEachFace, FormTextsFitTest,
                         ::testing::Values(Case{96, L"Verdana"}, Case{96, L"MS Sans Serif"},
                                           Case{144, L"Verdana"}, Case{144, L"MS Sans Serif"}),
                         [](const auto& info) {
                             return std::to_string(info.param.dpi) +
                                    (info.param.face[0] == L'V' ? "Verdana" : "MsSansSerif");
                         });

// The main window chooses its face itself; its toolbar captions and pane heading are checked.
class MainWindowTextsFitTest : public MainFormFixture, public ::testing::WithParamInterface<int> {};

TEST_P(MainWindowTextsFitTest, WithCaptionsUnderTheGlyphs) {
    const ScopedDpiOverride dpi(GetParam());
    OpenWindow();
    ASSERT_EQ(form->Dpi(), GetParam());
    for (const std::wstring& cut : CutTexts(Window(), form->Dpi()))
        ADD_FAILURE() << cut;
}

INSTANTIATE_TEST_SUITE_P(AtEachDpi, MainWindowTextsFitTest, ::testing::Values(96, 144));
