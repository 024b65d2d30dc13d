// Shortcut texts to accelerator tables.
#include "ui/Accelerators.h"

#include "ui/Menu.h"

#include <cwctype>

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

bool TakePrefix(std::wstring& text, const wchar_t* prefix) {
    const std::wstring p = prefix;
    if (text.size() > p.size() && text.compare(0, p.size(), p) == 0) {
        text.erase(0, p.size());
        return true;
    }
    return false;
}

} // namespace

std::optional<ShortCutKey> ParseShortCut(const std::wstring& original) {
    std::wstring text = Lower(original);
    ShortCutKey result;
    for (bool again = true; again;) {
        again = false;
        if (TakePrefix(text, L"ctrl+")) {
            result.flags |= FCONTROL;
            again = true;
        } else if (TakePrefix(text, L"maj+") || TakePrefix(text, L"shift+")) {
            result.flags |= FSHIFT;
            again = true;
        } else if (TakePrefix(text, L"alt+")) {
            result.flags |= FALT;
            again = true;
        }
    }
    if (text.size() == 1 && ((text[0] >= L'a' && text[0] <= L'z') || (text[0] >= L'0' && text[0] <= L'9'))) {
        result.key = static_cast<WORD>(std::towupper(text[0]));
        return result;
    }
    if (text.size() >= 2 && text.size() <= 3 && text[0] == L'f') {
        int n = 0;
        for (size_t i = 1; i < text.size(); ++i) {
            if (text[i] < L'0' || text[i] > L'9')
                return std::nullopt;
            n = n * 10 + (text[i] - L'0');
        }
        if (n < 1 || n > 24)
            return std::nullopt;
        result.key = static_cast<WORD>(VK_F1 + n - 1);
        return result;
    }
    if (text == L"suppr" || text == L"del")
        result.key = VK_DELETE;
    else if (text == L"inser" || text == L"ins")
        result.key = VK_INSERT;
    else if (text == L"entrée" || text == L"enter")
        result.key = VK_RETURN;
    else if (text == L"echap" || text == L"esc")
        result.key = VK_ESCAPE;
    else
        return std::nullopt;
    return result;
}

Accelerators::Accelerators(const std::vector<const Menu*>& menus) {
    std::vector<ACCEL> entries;
    for (const Menu* menu : menus) {
        for (MenuItem* item : menu->AllItems()) {
            if (item->ShortCut().empty())
                continue;
            if (auto key = ParseShortCut(item->ShortCut()))
                entries.push_back({key->flags, key->key, static_cast<WORD>(item->Id())});
        }
    }
    count_ = entries.size();
    if (!entries.empty())
        table_.Reset(::CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size())));
}

namespace {

// Ctrl with a letter an edit box acts on itself (undo, cut, copy, paste, select all): there the
// box keeps it, and the form's shortcut waits for the focus to be elsewhere.
bool IsEditingKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0)
        return false;
    wchar_t className[16]{};
    if (!::GetClassNameW(msg.hwnd, className, 16) || ::lstrcmpiW(className, L"Edit") != 0)
        return false;
    const WPARAM key = msg.wParam;
    return key == 'Z' || key == 'X' || key == 'C' || key == 'V' || key == 'A';
}

} // namespace

bool Accelerators::Translate(HWND form, MSG& msg) const {
    return table_ && !IsEditingKey(msg) && ::TranslateAcceleratorW(form, table_.Get(), &msg) != 0;
}
