#pragma once
// The colour button's rules apart from any window: the colour grid with its stored form, the
// default palette, the palette index, cycling, where the drop-down goes, and the texts the custom
// colours are kept in (the registry value and the colour dialog's "ColorA=..." entries).
#include "base/SysUtils.h"
#include "base/Types.h"

#include <cstdint>
#include <string>
#include <vector>

class EColorArrayIndexError : public Exception {
  public:
    EColorArrayIndexError() : Exception("Array index out of bounds") {}
};

// Columns x rows of colours. Cell (x, y) counts from 1; linear index i (1 to Count) runs along the
// first row, then the second, and so on.
class TColorArrayClass {
  public:
    TColorArrayClass(int xSize, int ySize);

    int XSize() const { return xSize_; }
    int YSize() const { return ySize_; }
    int Count() const { return static_cast<int>(cells_.size()); }
    // A new size drops every colour: the cells are black until set.
    void SetXSize(int xSize);
    void SetYSize(int ySize);

    // EColorArrayIndexError outside 1..XSize, 1..YSize.
    TColor Get(int x, int y) const;
    void Set(int x, int y, TColor color);
    // EColorArrayIndexError outside 1..Count.
    TColor Item(int index) const;

    void Assign(const TColorArrayClass& source);
    // Copies the cells both grids have, keeping this grid's size (a window that always shows a fixed
    // number of cells reads only what it was given).
    void CopyCellsFrom(const TColorArrayClass& source);
    friend bool operator==(const TColorArrayClass& a, const TColorArrayClass& b);

    // The stored "Colors" list runs column by column: (1, 1), (1, 2) ... (1, YSize), (2, 1) ...
    std::vector<std::int32_t> StoredColors() const;
    // Takes list entries in that order until the list (or the grid) ends.
    void LoadStoredColors(const std::vector<std::int32_t>& colors);

  private:
    std::size_t Position(int x, int y) const;
    void Resize(int xSize, int ySize);

    int xSize_ = 0;
    int ySize_ = 0;
    std::vector<TColor> cells_;
};

namespace clrbtn {

inline constexpr int kPaletteColumns = 4;
inline constexpr int kPaletteRows = 5;
inline constexpr int kCustomColumns = 8;
inline constexpr int kCustomRows = 2;

// Fills a 4 x 5 grid with the default palette. `penColors` are the solid pens of a 16-colour screen
// (empty on any other screen): the n-th pen goes to the n-th cell column by column, cells without a
// pen are black. Without pens, the fixed 20 colours.
void FillDefaultPalette(TColorArrayClass& grid, const std::vector<TColor>& penColors);

// The first linear index whose colour equals `color` exactly, or 0.
int PaletteIndexOf(const TColorArrayClass& grid, TColor color);
// The index a cycling click selects after `index`: the next one, or 0 (the other colour) past the end.
int NextCycleIndex(int index, int count);
// A click at client x belongs to the colour part (cycles) rather than the arrow part.
bool InColourPart(int clientX, int width);

using ::TPoint;
using ::TRect;

// How far above the button's top the palette opens when there is no room below: its client height,
// so its frame overlaps the button's top edge.
inline constexpr int kPaletteRise = 121;
// Where the drop-down palette of size `width` x `height` goes: below the button (`below`, the screen
// point of its lower-left corner), or kPaletteRise above it (`buttonTop`, the screen point of its
// upper-left corner) when it would pass the work area's bottom; pulled in at the left edge, and at the
// right edge to 78 pixels left of it.
TPoint DropDownPosition(TPoint below, TPoint buttonTop, int width, int height, const TRect& workArea);

// The registry text of the custom colours: the 16 cells (1, 1), (1, 2), (2, 1) ... (8, 2), each as "$"
// and 8 upper-case hexadecimal digits, joined with ",".
std::string CustomColorsText(const TColorArrayClass& custom);
// Reads that text back into the 16 cells; a field that does not parse, or is missing, is white. A
// text without a comma changes nothing.
void LoadCustomColorsText(const std::string& text, TColorArrayClass& custom);

// The colour dialog's custom colour entries, "ColorA=00FFFFFF": cell (x, y) takes the letter
// number x + 8 (y - 1), so row 1 is A to H and row 2 I to P.
std::vector<std::string> CustomColorEntries(const TColorArrayClass& custom);
// Reads entries back: the text after "=" (up to 9 characters) as hexadecimal, white when it does not
// parse, stored at the cell the letter before "=" names. Entries naming no cell are skipped.
void ReadCustomColorEntries(const std::vector<std::string>& entries, TColorArrayClass& custom);

// "RGB = 255 000 000" for the red-green-blue value of a colour.
std::string ColorHintText(std::uint32_t rgb);

} // namespace clrbtn

namespace clrbtn {

// Where the button draws its parts in a client rectangle of `width` x `height`; a pressed button's
// parts move 1 pixel right and down.
struct TButtonLayout {
    TRect focus;    // the focus rectangle
    TRect bar;      // the colour bar with its frame
    int shadowX;    // the separator's dark line
    int highlightX; // and its light line
    TPoint arrow;   // the arrow bitmap's top-left corner
};
TButtonLayout ButtonLayout(int width, int height, bool pressed, int arrowHeight);

// The hatch of a disabled bar: an 8 x 8 monochrome pattern, black on the set bits.
inline constexpr std::uint8_t kDisabledHatch[8] = {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88};

} // namespace clrbtn
