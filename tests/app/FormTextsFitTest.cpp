// Every text of every window of the program shows whole in the font it is drawn with: the About
// box, the Options dialog, the date-time dialog, the four confirmation dialogs and the main
// window, in both faces a form can have, at 96 DPI and as built for 144 DPI. The operations'
// dialogs are also built with their preview button, and no two controls of a dialog share an
// access key.
#include "MainFormFixture.h"
#include "app/Propos.h"
#include "operations/dialogs/ConfirmationForm.h"
#include "operations/dialogs/CameraClockForm.h"
#include "operations/dialogs/CopyStampForm.h"
#include "operations/dialogs/StampChoiceForm.h"
#include "operations/dialogs/NameDateForm.h"
#include "operations/dialogs/ShiftForm.h"
#include "operations/dialogs/UndoForm.h"
#include "operations/dialogs/DateHeureForm.h"
#include "settings/optionsdialog/ParametresForm.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TextFit.h"
#include "ui/Dpi.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <functional>
#include <memory>
#include <map>
#include <ostream>
#include <vector>

namespace {

// The access key of a control's text: the letter after a single "&", upper-cased.
BOOL CALLBACK CollectAccessKey(HWND child, LPARAM keys) {
    const int length = ::GetWindowTextLengthW(child);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(child, text.data(), length + 1)));
    for (size_t at = text.find(L'&'); at != std::wstring::npos && at + 1 < text.size();
         at = text.find(L'&', at + 2)) {
        if (text[at + 1] == L'&')
            continue;
        (*reinterpret_cast<std::map<wchar_t, std::vector<std::wstring>>*>(keys))[::towupper(text[at + 1])]
            .push_back(text);
        break;
    }
    return TRUE;
}

// One line per access key that more than one control of `root` gives.
std::vector<std::wstring> SharedAccessKeys(HWND root) {
    std::map<wchar_t, std::vector<std::wstring>> keys;
    ::EnumChildWindows(root, CollectAccessKey, reinterpret_cast<LPARAM>(&keys));
    std::vector<std::wstring> shared;
    for (const auto& [key, texts] : keys)
        if (texts.size() > 1)
            shared.push_back(std::wstring(1, key) + L": " + texts.front() + L" / " + texts.back());
    return shared;
}

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
        for (const std::wstring& shared : SharedAccessKeys(form->Handle()))
            ADD_FAILURE() << shared;
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
    ExpectAllTextsFit([&] {
        return std::make_unique<TDateHeure>(nullptr, Face(), settings, [](HWND, const DateTimeChoice&) {});
    });
}

TEST_P(FormTextsFitTest, ShiftCopyAndUndoDialogs) {
    ExpectAllTextsFit([&] { return std::make_unique<ShiftForm>(nullptr, Face(), settings); });
    ExpectAllTextsFit([&] { return std::make_unique<CopyStampForm>(nullptr, Face()); });
    ExpectAllTextsFit([&] {
        return std::make_unique<ShiftForm>(nullptr, Face(), settings, [](HWND, const ShiftChoice&) {});
    });
    ExpectAllTextsFit([&] {
        return std::make_unique<CopyStampForm>(nullptr, Face(), [](HWND, const CopyStampChoice&) {});
    });
    // The longest texts the two operations give it.
    const StampChoiceTexts photo{
        L"Date de prise de vue",
        L"Les dates cochées de chaque photo ou vidéo (JPEG, TIFF, HEIC, MP4, MOV...) prendront "
        L"la date de sa prise de vue, lue dans le fichier. Un fichier sans cette date est "
        L"laissé tel quel.",
        {L"Date de modification : 28/10/2026 23:59:59", L"Date de modification : 28/10/2026 23:59:59",
         L"Date de dernier accès : 28/10/2026 23:59:59"}};
    ExpectAllTextsFit([&] { return std::make_unique<StampChoiceForm>(nullptr, Face(), photo); });
    ExpectAllTextsFit([&] {
        return std::make_unique<NameDateForm>(nullptr, Face(), settings, [](HWND, const NameDateChoice&) {});
    });
    ExpectAllTextsFit(
        [&] { return std::make_unique<StampChoiceForm>(nullptr, Face(), photo, [](HWND, StampSet) {}); });
    const std::vector<UndoRow> rows;
    ExpectAllTextsFit([&] { return std::make_unique<UndoForm>(nullptr, Face(), rows, std::nullopt); });
    const CameraClockPhoto camera{
        L"IMG_20260828_235959_BURST001.JPG", L"NIKON CORPORATION NIKON D7500", {2026, 10, 28, 23, 59, 59, 0}};
    ExpectAllTextsFit([&] {
        return std::make_unique<CameraClockForm>(nullptr, Face(), camera,
                                                 [](HWND, const CameraClockChoice&) {});
    });
}

TEST_P(FormTextsFitTest, ConfirmationDialogs) {
    for (const ConfirmationText* text : {&kHeureZeroText, &kNameMajText, &kNameMinText, &kNameMajMinText}) {
        SCOPED_TRACE(::testing::Message() << text->Caption);
        ExpectAllTextsFit([&] { return std::make_unique<ConfirmationForm>(nullptr, Face(), *text); });
        ExpectAllTextsFit(
            [&] { return std::make_unique<ConfirmationForm>(nullptr, Face(), *text, [](HWND) {}); });
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
