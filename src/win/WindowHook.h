#pragma once
// A hook on a control's window procedure: BeforeMessage runs before the control's own handling (and may
// answer the message itself), AfterMessage after it, for every message of the window.
#include <windows.h>

#include <functional>

class TWinControl;

struct TMessage {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool handled = false; // set by BeforeMessage: the control's own handling is skipped
};

class TWindowHook {
  public:
    TWindowHook() = default;
    ~TWindowHook() { SetWinControl(nullptr); }
    TWindowHook(const TWindowHook&) = delete;
    TWindowHook& operator=(const TWindowHook&) = delete;

    TWinControl* WinControl() const { return control_; }
    // Attaches to a control (detaching from the previous one); nullptr detaches.
    void SetWinControl(TWinControl* control);

    std::function<void(TMessage&)> BeforeMessage;
    std::function<void(TMessage&)> AfterMessage;

  private:
    friend class TWinControl;
    TWinControl* control_ = nullptr;
};
