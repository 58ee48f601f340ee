// The platform's floor for an animation: a window that repaints a gauge-sized area from a plain
// window timer at the busy gauge's rate, eighteen times a second, and does nothing else.
#include <windows.h>

namespace {
constexpr int kGaugeWidth = 128, kGaugeHeight = 20;
constexpr UINT kIntervalMs = 55;

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        static int frame = 0;
        ++frame;
        HDC dc = GetDC(wnd);
        PatBlt(dc, 10, 10, kGaugeWidth, kGaugeHeight, frame % 2 ? BLACKNESS : WHITENESS);
        ReleaseDC(wnd, dc);
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TimerWindow";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowA("TimerWindow", "Timer window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                             300, 150, nullptr, nullptr, instance, nullptr);
    ShowWindow(wnd, SW_SHOW);
    SetTimer(wnd, 1, kIntervalMs, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
