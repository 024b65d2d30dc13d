// A clickable web link: blue text, hand cursor; a click hands "http://" and the address to the
// shell, which opens the user's browser without taking the focus from the program.
#pragma once

#include "ui/Label.h"

#include <functional>
#include <string>

class LinkLabel : public Label {
public:
    bool Create(HWND parent, const std::wstring& address, int x, int y, int width, int height,
                const std::wstring& fontFace = L"Verdana", int fontHeight = -11);

    const std::wstring& Address() const { return address_; }
    std::wstring Url() const { return L"http://" + address_; }
    void Click();

    // How a URL reaches the shell; tests replace it to see what would be opened.
    using Opener = std::function<void(const std::wstring& url)>;
    static void SetOpener(Opener opener);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    std::wstring address_;
};
