// The value types of the file list control (view styles, extended styles, masks, sort modes) and
// their mapping to the list view's bits. Platform-free: the bit values are the documented ones.
#pragma once

#include "base/EnumSet.h"

#include <cstdint>

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

enum TAutoColumnSort { acsNoSort, acsSort, acsSortToggle };

// Ordinal order; each stands for one LVS_EX_* bit (see ExtendedStyleBits).
enum TLVExtendedStyle {
    lvxGridLines,
    lvxSubItemImages,
    lvxCheckboxes,
    lvxTrackSelect,
    lvxHeaderDragDrop,
    lvxFullRowSelect,
    lvxOneClickActivate,
    lvxTwoClickActivate,
    lvxFlatScrollBar,
    lvxInfoTip,
    lvxUnderlineHot,
    lvxUnderlineCold,
    lvxLabelTip,
};
using TLVExtendedStyles = EnumSet<TLVExtendedStyle>;

// Ordinals equal the bit positions of LVIF_TEXT, LVIF_IMAGE, LVIF_PARAM, LVIF_STATE, LVIF_INDENT.
enum TLVVMMaskItem { lvifText, lvifImage, lvifParam, lvifState, lvifIndent };
using TLVVMMaskItems = EnumSet<TLVVMMaskItem>;

enum TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
enum TItemState { isCut, isDropHilited, isFocused, isSelected };
using TItemStates = EnumSet<TItemState>;

enum TVirtualCountFlag { vcfNoInvalidateAll, vcfNoScroll };
using TVirtualCountFlags = EnumSet<TVirtualCountFlag>;

// Adds the activation style that hot or cold underlining needs to work at all.
TLVExtendedStyles WithImpliedStyles(TLVExtendedStyles styles);

// LVS_EX_* bits of a set, and the set a platform bit word stands for (unknown bits dropped).
uint32_t ExtendedStyleBits(TLVExtendedStyles styles);
TLVExtendedStyles ExtendedStylesFromBits(uint32_t bits);

// LVNI_* flags for LVM_GETNEXTITEM.
uint32_t NextItemFlags(TSearchDirection direction, TItemStates states);

// LVSICF_* flags for LVM_SETITEMCOUNT.
uint32_t VirtualCountFlagBits(TVirtualCountFlags flags);

// The view style stored as a number (0 to 3); false for any other value.
bool ViewStyleFromNumber(int number, TViewStyle& style);

enum TColumnImageAlignment { ciaLeftOfText, ciaRightOfText };
enum TCaptionAlignment { caLeft, caRight, caCenter };

enum TMouseButton { mbLeft, mbRight, mbMiddle };
