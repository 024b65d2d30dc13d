// The stamp boxes.
#include "operations/dialogs/StampChecks.h"

const StampChecks::Texts StampChecks::kDateTexts = {L"Date de création", L"Date de modification",
                                                    L"Date de dernier accès"};

void StampChecks::Create(HWND parent, int x, int y, int width, int step, const Texts& texts) {
    CheckCreation.Create(parent, texts[0], x, y, width, 18);
    CheckModification.Create(parent, texts[1], x, y + step, width, 18);
    CheckAcces.Create(parent, texts[2], x, y + 2 * step, width, 18);
}

StampSet StampChecks::Checked() const {
    StampSet stamps;
    if (CheckCreation.Checked())
        stamps.Include(Stamp::Creation);
    if (CheckModification.Checked())
        stamps.Include(Stamp::LastWrite);
    if (CheckAcces.Checked())
        stamps.Include(Stamp::LastAccess);
    return stamps;
}

void StampChecks::SetChecked(StampSet stamps) {
    CheckCreation.SetChecked(stamps.Contains(Stamp::Creation));
    CheckModification.SetChecked(stamps.Contains(Stamp::LastWrite));
    CheckAcces.SetChecked(stamps.Contains(Stamp::LastAccess));
}
