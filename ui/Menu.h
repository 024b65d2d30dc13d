// A menu bar or a pop-up menu built from a description; it owns its items and the platform menu.
// Items are found by name. A form hands the commands of any menu to its items (MenuItem).
#pragma once

#include "base/Handles.h"
#include "ui/MenuItem.h"

#include <memory>
#include <vector>

class Menu {
public:
    enum class Kind { Bar, Popup };
    Menu(Kind kind, const std::vector<MenuItemDesc>& items);
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    HMENU Handle() const { return menu_.Get(); }
    // Gives up ownership of the platform menu to a window that destroys it with itself (a menu bar).
    HMENU ReleaseToWindow() { return menu_.Release(); }

    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    // The item of that name anywhere in the menu, or null.
    MenuItem* Find(const std::wstring& name) const;
    // The item of that name; throws std::out_of_range when there is none.
    MenuItem& Item(const std::wstring& name) const;
    // Every item, depth first, in menu order.
    std::vector<MenuItem*> AllItems() const;

    // Shows a pop-up menu at a screen point; the chosen command reaches the owner form.
    void Popup(HWND owner, int x, int y) const;

private:
    MenuHandle menu_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};
