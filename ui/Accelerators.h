// The keyboard shortcuts of a form, made from the shortcut texts of its menu items ("F5",
// "Ctrl+A"), so that the shortcut shown in the menu and the key that runs it never differ.
#pragma once

#include "base/Handles.h"

#include <optional>
#include <string>
#include <vector>

class Menu;

struct ShortCutKey {
    BYTE flags = FVIRTKEY; // FVIRTKEY with FCONTROL, FSHIFT, FALT as needed
    WORD key = 0;          // virtual-key code
};

// The key of a shortcut text: "F1" to "F24", optionally after "Ctrl+", "Maj+"/"Shift+", "Alt+",
// and a letter, digit, "Suppr"/"Del", "Inser"/"Ins", "Entrée"/"Enter" or "Echap"/"Esc". Nothing
// for any other text.
std::optional<ShortCutKey> ParseShortCut(const std::wstring& text);

struct AcceleratorTableTraits {
    using Type = HACCEL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyAcceleratorTable(h); }
};

class Accelerators {
public:
    // The shortcuts of every item of the menus that has one.
    explicit Accelerators(const std::vector<const Menu*>& menus);

    size_t Count() const { return count_; }
    bool Translate(HWND form, MSG& msg) const;

private:
    UniqueResource<AcceleratorTableTraits> table_;
    size_t count_ = 0;
};
