// The list's stored layout settings with the display order of the columns added.
#pragma once

#include "listctrl/EnhLVSaveSettings.h"

struct TdfsExtLVSaveSettings : TdfsEnhLVSaveSettings {
    bool SaveColumnOrder = true;

    static constexpr const wchar_t* kOrderValue = L"Order";
};
