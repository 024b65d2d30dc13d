// A flag raised for one scope and put back as it was when the scope ends, however it ends: the
// program's guard against re-entry while a message box or a control's own notification runs.
#pragma once

class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = before_; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
    bool before_;
};
