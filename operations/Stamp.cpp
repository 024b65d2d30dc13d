#include "operations/Stamp.h"

#include <utility>

std::wstring StampNames(StampSet stamps) {
    std::wstring names;
    for (const auto& [stamp, name] :
         {std::pair{Stamp::Creation, L"Créé"}, std::pair{Stamp::LastWrite, L"Modifié"},
          std::pair{Stamp::LastAccess, L"Accédé"}})
        if (stamps.Contains(stamp))
            names += (names.empty() ? L"" : L", ") + std::wstring(name);
    return names;
}
