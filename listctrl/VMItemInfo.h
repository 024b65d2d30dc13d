// What the virtual list asks of its owner for one cell, and where the owner writes its answer.
// Platform-free so that the owner's formatting can be tested without a window.
#pragma once

#include "listctrl/ListViewTypes.h"
#include "listctrl/TextBuffer.h"

#include <cstdint>

struct TVMItemInfo {
    int Item = 0;
    int SubItem = 0; // 0 = the row's caption column, k = the k-th further column
    TLVVMMaskItems Mask;
    int Image = 0;
    uint16_t OverlayImage = 0;
    uint16_t StateImage = 0;
    intptr_t Param = 0;
    uint32_t State = 0;
    uint32_t StateMask = 0;
    int Indent = 0;
    TextBuffer Text; // writes straight into the list's own buffer, cut to fit
};
