#pragma once
// Tool records for the forms' tool-tip windows.
#include <windows.h>

#include <commctrl.h>

// A tool record of the size every version of the common controls accepts: the full record of today's
// headers is refused by the version a program gets without a visual-styles manifest.
inline TOOLINFOA ToolInfo(HWND owner, UINT_PTR id, UINT flags) {
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = flags;
    ti.hwnd = owner;
    ti.uId = id;
    return ti;
}
