#include "win/Clipbrd.h"

#include "win/Handles.h"

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
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    {
        const GlobalLockScope<char> target(memory.get());
        if (!target.get())
            return false;
        std::memcpy(target.get(), text.data(), text.size());
        std::memset(target.get() + text.size(), 0, 1);
    }
    if (!SetClipboardData(CF_TEXT, memory.get()))
        return false;
    memory.release(); // the clipboard owns it now
    return true;
}

std::optional<std::string> Text(HWND owner) {
    ClipboardScope clipboard(owner);
    if (!clipboard.Open())
        return std::nullopt;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data)
        return std::nullopt;
    const GlobalLockScope<const char> source(data);
    if (!source.get())
        return std::nullopt;
    return std::string(source.get());
}

bool HasText() {
    return IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}
} // namespace clipbrd
