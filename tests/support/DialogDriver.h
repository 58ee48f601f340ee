#pragma once
// Drives a modal dialog box that the test's own thread runs: a helper thread waits for a visible
// dialog of that thread, waits until the thread is back in the dialog's message loop, then acts on it.
// Every drive is bounded: a dialog still open when the bound has passed is cancelled, so that the
// test's thread returns from its modal call and the test fails instead of hanging.
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

namespace support {

class DialogDriver {
  public:
    explicit DialogDriver(std::function<void(HWND)> act, DWORD boundMs = 20000);
    ~DialogDriver() { Finish(); }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Call once the modal call has returned. True when a dialog appeared and was closed by the action
    // within the bound.
    bool Finish();

  private:
    void Run(const std::function<void(HWND)>& act);

    DWORD uiThread_;
    DWORD boundMs_;
    std::atomic<bool> done_{false};
    std::atomic<bool> acted_{false};
    std::atomic<bool> cancelled_{false};
    std::thread thread_;
};

} // namespace support
