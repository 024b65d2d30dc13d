// Menu items and the command identifiers that lead back to them.
#include "ui/MenuItem.h"

#include <unordered_map>

namespace {

std::unordered_map<UINT, MenuItem*>& Registry() {
    static std::unordered_map<UINT, MenuItem*> registry;
    return registry;
}

// Identifiers stay below 0x8000, where the platform keeps its own, and are never shared.
UINT NewId() {
    static UINT next = 0x1000;
    do {
        next = next >= 0x7FFF ? 0x1000 : next + 1;
    } while (Registry().count(next));
    return next;
}

} // namespace

MenuItem::MenuItem(const MenuItemDesc& desc, MenuItem* parent)
    : OnClick(desc.OnClick), caption_(desc.Caption), name_(desc.Name), shortCut_(desc.ShortCut),
      tag_(desc.Tag), radioGroup_(desc.RadioGroup), checked_(desc.Checked), enabled_(desc.Enabled),
      parent_(parent) {
    id_ = NewId();
    Registry()[id_] = this;
    if (desc.Made)
        *desc.Made = this;
    for (const MenuItemDesc& child : desc.Items)
        items_.push_back(std::make_unique<MenuItem>(child, this));
    for (auto& child : items_)
        child->siblings_ = &items_;
}

MenuItem::~MenuItem() {
    Registry().erase(id_);
}

bool MenuItem::DispatchCommand(UINT id) {
    auto found = Registry().find(id);
    if (found == Registry().end())
        return false;
    found->second->Click();
    return true;
}

void MenuItem::Click() {
    if (!enabled_ || IsSeparator() || !items_.empty())
        return;
    if (OnClick)
        OnClick(*this);
}

void MenuItem::SetChecked(bool checked) {
    if (checked && radioGroup_ != 0 && siblings_) {
        for (auto& sibling : *siblings_) {
            if (sibling.get() != this && sibling->radioGroup_ == radioGroup_ && sibling->checked_) {
                sibling->checked_ = false;
                sibling->Update();
            }
        }
    }
    checked_ = checked;
    Update();
}

void MenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void MenuItem::Build(HMENU menu, UINT position) {
    owner_ = menu;
    position_ = position;
    std::wstring text = caption_;
    if (!shortCut_.empty())
        text += L"\t" + shortCut_;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
    info.wID = id_;
    if (IsSeparator()) {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask |= MIIM_STRING;
        info.fType = radioGroup_ != 0 ? MFT_RADIOCHECK : MFT_STRING;
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
    }
    info.fState = (checked_ ? MFS_CHECKED : 0u) | (enabled_ ? 0u : MFS_DISABLED);
    if (!items_.empty()) {
        subMenu_ = ::CreatePopupMenu();
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = subMenu_;
        UINT childPosition = 0;
        for (auto& child : items_)
            child->Build(subMenu_, childPosition++);
    }
    ::InsertMenuItemW(menu, position, TRUE, &info);
}

void MenuItem::Update() const {
    if (!owner_)
        return;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    info.fState = (checked_ ? MFS_CHECKED : 0u) | (enabled_ ? 0u : MFS_DISABLED);
    ::SetMenuItemInfoW(owner_, position_, TRUE, &info);
}
