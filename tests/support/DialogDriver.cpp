#include "support/DialogDriver.h"

#include <string>

namespace support {
namespace {

BOOL CALLBACK FindDialog(HWND wnd, LPARAM found) {
    char name[16] = {};
    GetClassNameA(wnd, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(wnd)) {
        *reinterpret_cast<HWND*>(found) = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND DialogOf(DWORD thread) {
    HWND dialog = nullptr;
    EnumThreadWindows(thread, &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

// A sent message is answered only from a message loop: once the dialog's thread answers, its
// initialisation is over and it waits in the dialog's loop.
bool InItsLoop(HWND dialog, DWORD timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
}

} // namespace

DialogDriver::DialogDriver(std::function<void(HWND)> act, DWORD boundMs)
    : uiThread_(GetCurrentThreadId()), boundMs_(boundMs),
      thread_([this, act = std::move(act)] { Run(act); }) {}

void DialogDriver::Run(const std::function<void(HWND)>& act) {
    const DWORD start = GetTickCount();
    auto withinBound = [&] { return GetTickCount() - start < boundMs_; };
    while (!done_ && withinBound()) {
        HWND dialog = DialogOf(uiThread_);
        if (!acted_ && dialog && InItsLoop(dialog, boundMs_)) {
            act(dialog);
            acted_ = true;
        }
        Sleep(10);
    }
    // Out of time with a dialog still open: cancel it so that the modal call returns.
    while (!done_) {
        if (HWND dialog = DialogOf(uiThread_)) {
            cancelled_ = true;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
        Sleep(50);
    }
}

bool DialogDriver::Finish() {
    done_ = true;
    if (thread_.joinable())
        thread_.join();
    return acted_ && !cancelled_;
}

} // namespace support
