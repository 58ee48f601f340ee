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

struct GlobalMemoryTraits {
    using handle_type = HGLOBAL;
    static HGLOBAL invalid() { return nullptr; }
    static bool valid(HGLOBAL memory) { return memory != nullptr; }
    static void close(HGLOBAL memory) { GlobalFree(memory); }
};
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;
} // namespace

bool SetText(HWND owner, std::string_view text) {
    ClipboardScope clipboard(owner);
    if (!clipboard.Open())
        return false;
    EmptyClipboard();
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    auto* target = memory ? static_cast<char*>(GlobalLock(memory.get())) : nullptr;
    if (!target)
        return false;
    std::memcpy(target, text.data(), text.size());
    target[text.size()] = '\0';
    GlobalUnlock(memory.get());
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
