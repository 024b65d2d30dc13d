// The three dates of a file that an operation sets, and a choice of them.
#pragma once

#include "base/EnumSet.h"

#include <string>

// In this order: a set's ordinal bits (1, 2, 4) are the number the shift dialog stores in the registry.
enum class Stamp { Creation, LastWrite, LastAccess };
using StampSet = EnumSet<Stamp>;

constexpr StampSet kAllStamps{Stamp::Creation, Stamp::LastWrite, Stamp::LastAccess};

// The stamps of a set as a batch's name in the journal gives them: "Créé, Modifié".
std::wstring StampNames(StampSet stamps);
