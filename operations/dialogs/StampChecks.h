// The three boxes that choose stamps (creation, last write, last access), as every stamping dialog
// shows them: one group, read and set as a StampSet, so that no dialog spells the stamps itself.
#pragma once

#include "operations/Stamp.h"
#include "ui/CheckBox.h"

#include <array>
#include <string>

class StampChecks {
public:
    // The boxes' texts, in the order creation, last write, last access.
    using Texts = std::array<std::wstring, 3>;
    static const Texts kDateTexts;

    // Makes the three boxes one after the other (so in this tab order), the first at (x, y) and
    // each next one `step` lower, all `width` wide.
    void Create(HWND parent, int x, int y, int width, int step, const Texts& texts = kDateTexts);

    StampSet Checked() const;
    void SetChecked(StampSet stamps);

    CheckBox CheckCreation;
    CheckBox CheckModification;
    CheckBox CheckAcces;
};
