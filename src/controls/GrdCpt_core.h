#pragma once
// The gradient caption's rules apart from any window: the bands of a gradient fill, the caption bar's
// rectangle and the caption buttons left to the system, and the layout of the caption pieces.
#include "base/Types.h"

#include <string>
#include <vector>

namespace grdcpt {

enum class TFillDirection { fdLeftToRight, fdRightToLeft, fdTopToBottom, fdBottomToTop };

// One band of a gradient along its axis: [from, to) in pixels and its colour (plain RGB).
struct TBand {
    int from = 0;
    int to = 0;
    TColor color = 0;
    friend bool operator==(const TBand&, const TBand&) = default;
};

// The bands filling `extent` pixels from `origin` (start and end colours plain RGB, `steps` a byte:
// 0 acts as 1). An empty extent gives no bands.
std::vector<TBand> GradientBands(int origin, int extent, TColor start, TColor end, TFillDirection direction,
                                 unsigned char steps);

enum class TCaptionBorder { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TCaptionButton : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };

// The caption buttons the system shows for a border style and the form's chosen buttons.
unsigned EffectiveButtons(TCaptionBorder border, unsigned borderIcons);
// Button slots they take: one per button, plus one when only one of minimize and maximize shows.
int ButtonSlots(unsigned buttons);

using ::TRect;

// The system metrics the caption bar's rectangle is made from.
struct TCaptionMetrics {
    int cxFrame = 0, cyFrame = 0;       // sizeable borders
    int cxDlgFrame = 0, cyDlgFrame = 0; // single, dialog and tool-window borders
    int cyCaption = 0, cxSize = 0;      // caption height and button width
    int cySmCaption = 0, cxSmSize = 0;  // the same for tool windows
};

// The bar inside `window` (screen coordinates) left of the caption buttons.
TRect CaptionRect(const TRect& window, TCaptionBorder border, unsigned borderIcons, const TCaptionMetrics& m);

// Whether the window icon is drawn: system menu shown and a single or sizeable border.
bool ShowsIcon(TCaptionBorder border, unsigned buttons);

// Text widths in the font of a piece (an index) or in the caption's own font (kCaptionFont).
inline constexpr int kCaptionFont = -1;
class TPieceMeasurer {
  public:
    virtual ~TPieceMeasurer() = default;
    virtual int TextWidth(int font, const std::string& text) const = 0;
};

// The text itself when it fits `width`; else its longest start followed by "..." that fits (dropping
// at least two characters); "..." when none does.
std::string ShortenWithEllipsis(const std::string& text, int width, int font, const TPieceMeasurer& measure);

enum class THideDirection { hdLeftToRight, hdRightToLeft };

struct TPieceInfo {
    std::string caption;
    bool visible = true;
    bool glueNext = false;
};

// One text drawn on the bar: at x, in the font of a piece (or kCaptionFont), coloured as the font
// `colorOf` names (the font's own colour when it equals `font`).
struct TDrawnText {
    int x = 0;
    std::string text;
    int font = kCaptionFont;
    int colorOf = kCaptionFont;
    friend bool operator==(const TDrawnText&, const TDrawnText&) = default;
};

// The texts drawn in the strip [x, right): the pieces, then `formCaption` in the caption's font.
std::vector<TDrawnText> LayoutPieces(const std::vector<TPieceInfo>& pieces, const std::string& formCaption,
                                     int x, int right, THideDirection direction,
                                     const TPieceMeasurer& measure);

} // namespace grdcpt
