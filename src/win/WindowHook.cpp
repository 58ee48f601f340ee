#include "win/WindowHook.h"

#include "win/Controls.h"

#include <algorithm>
#include <vector>

void TWindowHook::SetWinControl(TWinControl* control) {
    if (control_ == control)
        return;
    if (control_)
        std::erase(control_->hooks_, this);
    control_ = control;
    if (control_)
        control_->hooks_.push_back(this);
}

LRESULT TWinControl::HookedWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam};
    // A copy: a handler may detach its hook.
    const std::vector<TWindowHook*> hooks = hooks_;
    for (TWindowHook* hook : hooks)
        if (hook->control_ == this && hook->BeforeMessage) {
            hook->BeforeMessage(message);
            if (message.handled)
                return message.result;
        }
    message.result = WndProc(message.msg, message.wParam, message.lParam);
    for (TWindowHook* hook : hooks)
        if (hook->control_ == this && hook->AfterMessage)
            hook->AfterMessage(message);
    return message.result;
}
