// Mapping of the control's sets to the documented list-view bit values.
#include "listctrl/ListViewTypes.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<TLVExtendedStyle, uint32_t>, 13> kExtendedStyleBits{{
    {lvxGridLines, 0x1},
    {lvxSubItemImages, 0x2},
    {lvxCheckboxes, 0x4},
    {lvxTrackSelect, 0x8},
    {lvxHeaderDragDrop, 0x10},
    {lvxFullRowSelect, 0x20},
    {lvxOneClickActivate, 0x40},
    {lvxTwoClickActivate, 0x80},
    {lvxFlatScrollBar, 0x100},
    {lvxInfoTip, 0x400},
    {lvxUnderlineHot, 0x800},
    {lvxUnderlineCold, 0x1000},
    {lvxLabelTip, 0x4000},
}};

} // namespace

TLVExtendedStyles WithImpliedStyles(TLVExtendedStyles styles) {
    if (styles.Contains(lvxUnderlineCold) && !styles.Contains(lvxOneClickActivate))
        styles.Include(lvxOneClickActivate);
    if (styles.Contains(lvxUnderlineHot) && !styles.Contains(lvxOneClickActivate) &&
        !styles.Contains(lvxTwoClickActivate))
        styles.Include(lvxOneClickActivate);
    return styles;
}

uint32_t ExtendedStyleBits(TLVExtendedStyles styles) {
    uint32_t bits = 0;
    for (const auto& [style, bit] : kExtendedStyleBits)
        if (styles.Contains(style))
            bits |= bit;
    return bits;
}

TLVExtendedStyles ExtendedStylesFromBits(uint32_t bits) {
    TLVExtendedStyles styles;
    for (const auto& [style, bit] : kExtendedStyleBits)
        if (bits & bit)
            styles.Include(style);
    return styles;
}

uint32_t NextItemFlags(TSearchDirection direction, TItemStates states) {
    uint32_t flags = 0;
    switch (direction) {
    case sdLeft:
        flags = 0x400;
        break;
    case sdRight:
        flags = 0x800;
        break;
    case sdAbove:
        flags = 0x100;
        break;
    case sdBelow:
        flags = 0x200;
        break;
    case sdAll:
        flags = 0;
        break;
    }
    if (states.Contains(isCut))
        flags |= 0x4;
    if (states.Contains(isDropHilited))
        flags |= 0x8;
    if (states.Contains(isFocused))
        flags |= 0x1;
    if (states.Contains(isSelected))
        flags |= 0x2;
    return flags;
}

uint32_t VirtualCountFlagBits(TVirtualCountFlags flags) {
    return (flags.Contains(vcfNoInvalidateAll) ? 0x1u : 0u) | (flags.Contains(vcfNoScroll) ? 0x2u : 0u);
}

bool ViewStyleFromNumber(int number, TViewStyle& style) {
    if (number < vsIcon || number > vsReport)
        return false;
    style = static_cast<TViewStyle>(number);
    return true;
}
