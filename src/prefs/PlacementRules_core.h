#pragma once
// The window placement values a form storage writes, and what reading them back asks of the window.
#include "base/Types.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class TPlacementOption { fpState, fpPosition, fpActiveControl };
// A set of placement options: bit i for the option with ordinal i.
using TPlacementOptions = std::uint32_t;
constexpr TPlacementOptions PlacementOptionBit(TPlacementOption o) {
    return 1u << static_cast<unsigned>(o);
}
constexpr bool HasOption(TPlacementOptions options, TPlacementOption o) {
    return (options & PlacementOptionBit(o)) != 0;
}
inline constexpr TPlacementOptions DefaultWindowOptions =
    PlacementOptionBit(TPlacementOption::fpState) | PlacementOptionBit(TPlacementOption::fpPosition);

namespace placement {

using ::TPoint;
using ::TRect;

// The platform's window placement record.
struct TPlacementRecord {
    int flags = 0;
    int showCmd = 0;
    TPoint ptMinPosition;
    TPoint ptMaxPosition;
    TRect rcNormalPosition;
    friend bool operator==(const TPlacementRecord&, const TPlacementRecord&) = default;
};

inline constexpr int SW_HIDE_VALUE = 0;
inline constexpr int SW_SHOWMINIMIZED_VALUE = 2;
inline constexpr int WPF_SETMINPOSITION_VALUE = 1;

// What the rules need to know of the window and the application at that moment.
struct TWindowFacts {
    bool isMainWindow = false;
    bool applicationMinimized = false;
    bool visible = false;
    bool sizeableBorder = true;
    bool screenCenter = false;    // the window is set to be centred on the screen
    bool defaultPosition = false; // the system chooses the window's position
    bool mdiFrame = false;
    bool mdiChild = false;
    TWindowState state = TWindowState::wsNormal;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string activeControl; // name of the active control; empty when none
};

struct TScreenFacts {
    int width = 1024;
    int height = 768;
    int pixelsPerInch = 96;
};

// "(1024x768)": the suffix of the position values saved for one screen size.
std::string ScreenSuffix(const TScreenFacts& screen);

using TNamedText = std::pair<std::string, std::string>;

// The values written, in writing order: Flags, ShowCmd, PixelsPerInch, MinMaxPos<suffix>, MinMaxPos,
// NormPos<suffix>, NormPos, ActiveControl (with fpActiveControl and an active control), Visible.
std::vector<TNamedText> PlacementValues(TPlacementRecord record, const TWindowFacts& window,
                                        const TScreenFacts& screen, TPlacementOptions options,
                                        bool destroying);

// Words between blanks and ","; runs of separators make no empty words.
std::vector<std::string> PositionWords(std::string_view text);
// "x,y,x,y": minimised then maximised position; a word that is missing or no number gives 0.
std::pair<TPoint, TPoint> MinMaxFromText(std::string_view text);
// "left,top,right,bottom", each word defaulting to the window's current bounds.
TRect NormalRectFromText(std::string_view text, const TWindowFacts& window);
// Show commands 1, 5, 9 give normal; 2, 6, 7 minimised; 3 maximised; others none.
std::optional<TWindowState> StateFromShowCmd(int showCmd);

// Reads a stored text by value name; the default when it is missing.
using TValueReader = std::function<std::string(const std::string& name, const std::string& def)>;

// What to do to the window after reading its stored placement.
struct TPlacementReading {
    bool applyPlacement = false;       // set `placement` on the window
    TPlacementRecord placement;        // the current record with the stored values read into it
    bool useDesignedPosition = false;  // stop centring the window (without recreating it) first
    std::optional<TWindowState> state; // the state to set (multi-document windows only record it)
    bool minimizeApplication = false;  // the main window stays normal; the application is minimised
};

// Reads "Flags", the position texts, "PixelsPerInch" and "ShowCmd" as `options` ask, through `read`.
TPlacementReading ReadPlacement(const TValueReader& read, TPlacementRecord current,
                                const TWindowFacts& window, const TScreenFacts& screen,
                                TPlacementOptions options);

// After a load: the maximised position becomes minus the window's frame size (0, 0 without border);
// a hidden window's record is applied with show command 0.
TPlacementRecord WithMaximisedAtFrame(TPlacementRecord record, TPoint frameSize, bool visible);

} // namespace placement
