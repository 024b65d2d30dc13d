// One item of a menu built by Menu: its name, caption, Tag, radio group, check mark and enabled
// state, kept in step with the platform menu, and its OnClick event. Every item has a command
// identifier of its own, so that a form can hand any menu command to the item it belongs to.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class MenuItem;

// How a menu item is described: "-" as the caption makes a separator; Items make a submenu.
struct MenuItemDesc {
    std::wstring Caption;
    std::wstring Name;
    // When given, pointed at the item once it is made: the owner keeps a typed member instead of
    // looking the item up by name.
    MenuItem** Made = nullptr;
    int Tag = 0;
    int RadioGroup = 0; // items of one submenu with the same non-zero group check one at a time
    bool Checked = false;
    bool Enabled = true;
    std::wstring ShortCut; // shown after the caption, and a keyboard shortcut of the form ("F5")
    std::function<void(MenuItem&)> OnClick;
    std::vector<MenuItemDesc> Items;
};

class MenuItem {
public:
    MenuItem(const MenuItemDesc& desc, MenuItem* parent);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::wstring& Name() const { return name_; }
    const std::wstring& Caption() const { return caption_; }
    const std::wstring& ShortCut() const { return shortCut_; }
    int Tag() const { return tag_; }
    int RadioGroup() const { return radioGroup_; }
    bool IsSeparator() const { return caption_ == L"-"; }
    UINT Id() const { return id_; }
    MenuItem* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    HMENU SubMenu() const { return subMenu_; }

    bool Checked() const { return checked_; }
    // Checking an item of a radio group unchecks the others of its group.
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // What choosing the item does: its OnClick.
    void Click();

    std::function<void(MenuItem&)> OnClick;

    // Hands a menu or shortcut command to its item; false when no item has that identifier.
    static bool DispatchCommand(UINT id);

private:
    friend class Menu;
    // Adds this item (and its submenu) to a platform menu at the given position.
    void Build(HMENU menu, UINT position);
    void Update() const;

    std::wstring caption_;
    std::wstring name_;
    std::wstring shortCut_;
    int tag_ = 0;
    int radioGroup_ = 0;
    bool checked_ = false;
    bool enabled_ = true;
    UINT id_ = 0;
    MenuItem* parent_ = nullptr;
    const std::vector<std::unique_ptr<MenuItem>>* siblings_ = nullptr; // the list this item is in
    HMENU owner_ = nullptr; // the platform menu this item sits in, destroyed by Menu
    UINT position_ = 0;
    HMENU subMenu_ = nullptr; // owned by owner_ once inserted
    std::vector<std::unique_ptr<MenuItem>> items_;
};
