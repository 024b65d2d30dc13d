// The list view's header child, subclassed so that the list can decide the sizing cursor over
// its dividers. The list owns this wrapper; the header window itself belongs to the list view.
#pragma once

#include "ui/Window.h"

#include <functional>

class HeaderControl : public Window {
public:
    // Every message of the header first; return true (and set result) to handle it.
    std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)> OnMessage;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};
