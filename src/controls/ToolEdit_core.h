#pragma once
// Platform-free rules of the file name edit: how its text reads as a file name and back, how the
// file dialog is seeded and read, and the geometry of its button.
#include "base/SysUtils.h"
#include "base/Types.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A file name the edit refuses.
class EComboEditError : public Exception {
    using Exception::Exception;
};

namespace tooledit {

using PathExists = std::function<bool(const std::string&)>;

// The first token of a command line, bytes taken unsigned: leading characters 1 to 32 and pairs of
// double quotes are skipped; a double quote opens a run copied up to the next one (blanks included,
// quotes dropped); outside a run a character below 33 ends the token. A zero byte ends the text.
// The token is never cut: a shortened name would name another file.
std::string FirstToken(std::string_view text);

// The text itself when a file of exactly that name exists, else its first token.
std::string NameFromText(std::string_view text, const PathExists& fileExists);

// A name holding a blank and not beginning with a double quote, enclosed in double quotes.
std::string QuotedForm(std::string_view name);

// Not empty and free of < > " [ ] |.
bool IsValidFileName(std::string_view name);

// The text to show when the file name is set to value: empty for an empty value, else the quoted
// form. Raises EComboEditError "Ungültiger Dateiname - <value>" when the name read from the value,
// or the name the new text will read back as, is not valid.
std::string TextForFileName(std::string_view value, const PathExists& fileExists);

// The longest dropped name the edit takes: the shell's names are fetched into 255 characters.
inline constexpr std::size_t kDroppedNameCapacity = 254;
// A dropped file's whole name; EComboEditError "Ungültiger Dateiname - <name>" when it is longer than
// the edit takes, as a cut name would name another file.
std::string DroppedName(std::string_view name);

// What the file dialog starts with; an empty optional leaves that setting as it was.
struct DialogSeed {
    std::optional<std::string> initialDir;
    std::optional<std::string> dialogFileName;
    friend bool operator==(const DialogSeed&, const DialogSeed&) = default;
};
// For a valid name: its folder when that is an existing directory, and the name itself as the
// dialog's file name, or "" when its file part is empty or not valid. An invalid name, or a failing
// directory test, seeds nothing.
DialogSeed SeedDialog(std::string_view name, const PathExists& dirExists);

// After a confirmed dialog: the edit's new text and the folder the next dialog opens in.
struct DialogOutcome {
    std::string text;
    std::string initialDir;
    friend bool operator==(const DialogOutcome&, const DialogOutcome&) = default;
};
DialogOutcome AfterDialog(std::string_view name, std::string_view dialogFileName);

// ---- Button geometry ----

enum class TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

inline constexpr int kDefaultButtonWidth = 21;
inline constexpr int kDefaultButtonHeight = 17;

// The width ButtonWidth has unless set otherwise (it is stored only when it differs).
int NaturalButtonWidth(TGlyphKind kind, bool hasGlyph, int glyphWidth, int glyphCount, int vScrollBarWidth);

// The button width after the default glyph is loaded: wide enough for one glyph image plus 6.
int DefaultGlyphButtonWidth(int glyphWidth, int glyphCount, int currentWidth);

// The generated "..." glyph: a monochrome bitmap with three black square dots.
struct EllipsisGlyph {
    int width;
    int height;
    std::array<int, 3> dotLeft;
    int dotTop;
    int dotSize;
    friend bool operator==(const EllipsisGlyph&, const EllipsisGlyph&) = default;
};
EllipsisGlyph EllipsisGlyphFor(int buttonWidth);

struct Placement {
    int left;
    int top;
    int width;
    int height;
    friend bool operator==(const Placement&, const Placement&) = default;
};
// Where the button's container sits at the edit's right end, for the edit's outer size.
Placement ButtonContainerPlacement(int editWidth, int editHeight, int buttonWidth, bool newWindowStyle,
                                   bool singleBorder, bool ctl3D);

// The edit's formatting rectangle, which keeps the text from running under the button.
TRect FormattingRect(int clientWidth, int clientHeight, int containerWidth);

// The lowest height the edit may take.
int MinimumEditHeight(int systemFontHeight, int editFontHeight, int borderHeight);

// ---- Click key ----

// A shortcut: the virtual key in the low byte, plus the shift bits.
using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut kDefaultClickKey = 32808; // Alt + cursor down (VK_DOWN 0x28)

struct KeyShift {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};
TShortCut ShortCutOf(std::uint16_t virtualKey, KeyShift shift);

// Whether a key press presses the button: it must match the click key and the button be visible.
bool PressesButton(std::uint16_t virtualKey, KeyShift shift, TShortCut clickKey, int buttonWidth);

} // namespace tooledit
