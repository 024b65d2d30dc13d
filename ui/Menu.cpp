// Menu building and lookup.
#include "ui/Menu.h"

#include <stdexcept>

namespace {

void Collect(const std::vector<std::unique_ptr<MenuItem>>& items, std::vector<MenuItem*>& out) {
    for (const auto& item : items) {
        out.push_back(item.get());
        Collect(item->Items(), out);
    }
}

} // namespace

Menu::Menu(Kind kind, const std::vector<MenuItemDesc>& items)
    : menu_(kind == Kind::Bar ? ::CreateMenu() : ::CreatePopupMenu()) {
    UINT position = 0;
    for (const MenuItemDesc& desc : items) {
        items_.push_back(std::make_unique<MenuItem>(desc, nullptr));
        items_.back()->siblings_ = &items_;
        items_.back()->Build(menu_.Get(), position++);
    }
}

std::vector<MenuItem*> Menu::AllItems() const {
    std::vector<MenuItem*> all;
    Collect(items_, all);
    return all;
}

MenuItem* Menu::Find(const std::wstring& name) const {
    for (MenuItem* item : AllItems())
        if (item->Name() == name)
            return item;
    return nullptr;
}

MenuItem& Menu::Item(const std::wstring& name) const {
    if (MenuItem* item = Find(name))
        return *item;
    throw std::out_of_range("menu item not found");
}

void Menu::Popup(HWND owner, int x, int y) const {
    ::TrackPopupMenu(menu_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
}
