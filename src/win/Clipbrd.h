#pragma once
// The clipboard's text (CF_TEXT), each call opening and closing the clipboard.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace clipbrd {
// Puts the text on the clipboard in place of what it held; false when the clipboard stayed as it was.
bool SetText(HWND owner, std::string_view text);
// The clipboard's text up to its first NUL; none when it holds no text or cannot be opened.
std::optional<std::string> Text(HWND owner);
bool HasText();
} // namespace clipbrd
