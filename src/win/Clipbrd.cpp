#include "win/Clipbrd.h"

#include <cstring>

namespace clipbrd {
namespace {
// The clipboard, open for one scope.
class ClipboardScope {
  public:
    explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (open_)
            CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool Open() const { return open_; }

  private:
    bool open_;
};
} // namespace

bool SetText(HWND owner, std::string_view text) {
    ClipboardScope clipboard(owner);
    if (!clipboard.Open())
        return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory)
        return false;
    if (auto* target = static_cast<char*>(GlobalLock(memory))) {
        std::memcpy(target, text.data(), text.size());
        target[text.size()] = '\0';
        GlobalUnlock(memory);
        // From here the clipboard owns the memory.
        if (SetClipboardData(CF_TEXT, memory))
            return true;
    }
    GlobalFree(memory);
    return false;
}

std::optional<std::string> Text(HWND owner) {
    ClipboardScope clipboard(owner);
    if (!clipboard.Open())
        return std::nullopt;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data)
        return std::nullopt;
    const auto* source = static_cast<const char*>(GlobalLock(data));
    if (!source)
        return std::nullopt;
    std::string text = source;
    GlobalUnlock(data);
    return text;
}

bool HasText() {
    return IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}
} // namespace clipbrd
