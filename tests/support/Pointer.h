#pragma once
// Moves the pointer for tests of controls that look where it is. Under Wine the move reaches the X
// server at once, but motion events of earlier moves may still be on their way back and put the old
// position in place again: wait, handling messages, until the pointer stays where it was put.
#include <windows.h>

namespace support {

inline bool MovePointer(int x, int y) {
    SetCursorPos(x, y);
    int steady = 0;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 2000;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        POINT at{};
        GetCursorPos(&at);
        if (at.x != x || at.y != y) {
            steady = 0;
            SetCursorPos(x, y);
        } else if (++steady == 3) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

} // namespace support
