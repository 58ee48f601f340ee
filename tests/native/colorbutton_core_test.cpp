// The colour grid, the colour button's rules and the drop-down palette's geometry and keys.
#include "controls/CBtnForm_core.h"
#include "controls/ClrBtn_core.h"

#include <gtest/gtest.h>

using namespace clrbtn;
using namespace cbtnform;

namespace {
// A 4 x 5 grid whose linear index i holds the colour i.
TColorArrayClass Numbered() {
    TColorArrayClass grid(4, 5);
    for (int y = 1; y <= 5; ++y)
        for (int x = 1; x <= 4; ++x)
            grid.Set(x, y, (y - 1) * 4 + x);
    return grid;
}
} // namespace

TEST(ColorArray, CellsAndLinearIndicesShareOneRowByRowOrderAndRefuseOutsideAccess) {
    const TColorArrayClass grid = Numbered();
    EXPECT_EQ(grid.Count(), 20);
    EXPECT_EQ(grid.Item(2), grid.Get(2, 1));
    EXPECT_EQ(grid.Item(5), grid.Get(1, 2));
    EXPECT_EQ(grid.Item(20), grid.Get(4, 5));
    const struct { int x, y; } outside[] = {{0, 1}, {5, 1}, {1, 0}, {1, 6}, {-1, -1}};
    for (const auto& c : outside) {
        EXPECT_THROW(grid.Get(c.x, c.y), EColorArrayIndexError) << c.x << "," << c.y;
        TColorArrayClass copy(4, 5);
        EXPECT_THROW(copy.Set(c.x, c.y, 0), EColorArrayIndexError);
    }
    for (int i : {0, 21, -3})
        EXPECT_THROW(grid.Item(i), EColorArrayIndexError) << i;
    try {
        grid.Item(0);
    } catch (const EColorArrayIndexError& e) {
        EXPECT_STREQ(e.what(), "Array index out of bounds");
    }
}

TEST(ColorArray, TheStoredListRunsColumnByColumnBothWays) {
    EXPECT_EQ(Numbered().StoredColors(), (std::vector<std::int32_t>{1, 5, 9,  13, 17, 2, 6, 10, 14, 18,
                                                                    3, 7, 11, 15, 19, 4, 8, 12, 16, 20}));
    TColorArrayClass grid(4, 5);
    std::vector<std::int32_t> list;
    for (int v = 1; v <= 20; ++v)
        list.push_back(v);
    grid.LoadStoredColors(list);
    for (int y = 1; y <= 5; ++y)
        EXPECT_EQ(grid.Get(1, y), y); // 1 to 5 down the first column
    EXPECT_EQ(grid.Get(2, 1), 6);
    // A short list fills what it reaches; a long one stops at the grid's end.
    TColorArrayClass shortList(4, 5);
    shortList.LoadStoredColors({7, 8});
    EXPECT_EQ(shortList.Get(1, 2), 8);
    EXPECT_EQ(shortList.Get(1, 3), 0);
    list.push_back(99);
    grid.LoadStoredColors(list);
    EXPECT_EQ(grid.Get(4, 5), 20);
}

TEST(ColorArray, ResizingDropsColoursAndAssignCopiesSizesAndCells) {
    TColorArrayClass grid = Numbered();
    grid.SetXSize(4); // unchanged: the colours stay
    EXPECT_EQ(grid.Get(3, 2), 7);
    grid.SetYSize(2);
    EXPECT_EQ(grid.Count(), 8);
    EXPECT_EQ(grid.Get(3, 2), 0);
    EXPECT_THROW(grid.Get(1, 3), EColorArrayIndexError);

    grid.Assign(Numbered());
    EXPECT_EQ(grid, Numbered());
    EXPECT_EQ(grid.YSize(), 5);
    TColorArrayClass other = Numbered();
    other.Set(4, 5, 0);
    EXPECT_FALSE(grid == other);
    EXPECT_FALSE(grid == TColorArrayClass(5, 4));

    TColorArrayClass small(2, 1);
    small.Set(2, 1, 42);
    grid.CopyCellsFrom(small); // only the cells both have
    EXPECT_EQ(grid.Get(2, 1), 42);
    EXPECT_EQ(grid.Get(3, 1), 3);
    EXPECT_EQ(grid.Count(), 20);
}

TEST(ColorButtonRules, DefaultPaletteIndexAndCycling) {
    TColorArrayClass palette(4, 5);
    FillDefaultPalette(palette, {});
    // The output window's stored list is the default palette read column by column.
    const std::vector<std::int32_t> stored = {
        16777215, 255,   65280,    16711680, 12572607, 0,       127,   32512,   8323072, 15712159,
        12566463, 65535, 16776960, 16711935, 15726591, 8355711, 32639, 8355584, 8323199, 10461087};
    EXPECT_EQ(palette.StoredColors(), stored);
    TColorArrayClass pens(4, 5);
    FillDefaultPalette(pens, {11, 12, 13});
    EXPECT_EQ(pens.Get(1, 3), 13);
    EXPECT_EQ(pens.Get(2, 1), 0);

    EXPECT_EQ(PaletteIndexOf(palette, clRed), 5);
    EXPECT_EQ(PaletteIndexOf(palette, clWhite), 1);
    EXPECT_EQ(PaletteIndexOf(palette, clSilver), 0);
    EXPECT_EQ(NextCycleIndex(0, 20), 1);
    EXPECT_EQ(NextCycleIndex(19, 20), 20);
    EXPECT_EQ(NextCycleIndex(20, 20), 0);
    EXPECT_TRUE(InColourPart(32, 45));
    EXPECT_FALSE(InColourPart(33, 45));
}

TEST(ColorButtonRules, TheDropDownStaysInsideTheWorkArea) {
    const TRect work{0, 0, 800, 570};
    const struct {
        TPoint below, top, expected;
    } cases[] = {
        {{100, 200}, {100, 175}, {100, 200}}, // room below
        {{100, 500}, {100, 475}, {100, 354}}, // above: 121 over the button's top
        {{-20, 200}, {-20, 175}, {0, 200}},   // pulled in at the left
        {{750, 200}, {750, 175}, {722, 200}}, // 78 left of the right edge
    };
    for (const auto& c : cases)
        EXPECT_EQ(DropDownPosition(c.below, c.top, 78, 127, work), c.expected)
            << c.below.x << "," << c.below.y;
}

TEST(ColorButtonRules, CustomColoursRoundTripThroughTheRegistryTextAndTheDialogEntries) {
    TColorArrayClass custom(8, 2);
    for (int y = 1; y <= 2; ++y)
        for (int x = 1; x <= 8; ++x)
            custom.Set(x, y, x * 16 + y);
    const std::string text = CustomColorsText(custom);
    EXPECT_EQ(text.substr(0, 32), "$00000011,$00000012,$00000021,$0");
    EXPECT_EQ(text.size(), 16u * 10 - 1);
    TColorArrayClass back(8, 2);
    LoadCustomColorsText(text, back);
    EXPECT_EQ(back, custom);

    LoadCustomColorsText("no comma here", back); // nothing changes
    EXPECT_EQ(back, custom);
    LoadCustomColorsText("255,junk,$FF", back);
    EXPECT_EQ(back.Get(1, 1), 255);
    EXPECT_EQ(back.Get(1, 2), clWhite); // not a number
    EXPECT_EQ(back.Get(2, 1), 255);
    EXPECT_EQ(back.Get(8, 2), clWhite); // missing

    const std::vector<std::string> entries = CustomColorEntries(custom);
    ASSERT_EQ(entries.size(), 16u);
    EXPECT_EQ(entries[0], "ColorA=00000011");
    EXPECT_EQ(entries[7], "ColorH=00000081");
    EXPECT_EQ(entries[8], "ColorI=00000012");
    TColorArrayClass read(8, 2);
    ReadCustomColorEntries(entries, read);
    EXPECT_EQ(read, custom);
    ReadCustomColorEntries({"ColorB=zz", "ColorZ=000000FF", "=1", "garbage"}, read);
    EXPECT_EQ(read.Get(2, 1), clWhite);
    EXPECT_EQ(read.Get(1, 1), 0x11); // the rest untouched
}

TEST(ColorButtonRules, HintTextAndButtonLayout) {
    EXPECT_EQ(ColorHintText(0x0000FF), "RGB = 255 000 000");
    EXPECT_EQ(ColorHintText(0xC8C8C8), "RGB = 200 200 200");
    const TButtonLayout up = ButtonLayout(45, 25, false, 5);
    EXPECT_EQ(up.focus, (TRect{3, 3, 42, 22}));
    EXPECT_EQ(up.bar, (TRect{6, 5, 29, 20}));
    EXPECT_EQ(up.shadowX, 32);
    EXPECT_EQ(up.highlightX, 33);
    EXPECT_EQ(up.arrow, (TPoint{34, 10}));
    const TButtonLayout down = ButtonLayout(45, 25, true, 5);
    EXPECT_EQ(down.bar, (TRect{7, 6, 30, 21}));
    EXPECT_EQ(down.arrow, (TPoint{35, 11}));
}

TEST(PaletteGeometry, CellRectangles) {
    EXPECT_EQ(kClientHeight, 121);
    const struct {
        TCell cell;
        TRect rect;
    } cases[] = {
        {{1, 1}, {0, 0, 18, 18}},
        {{4, 5}, {54, 72, 72, 90}},
        {{2, 3}, {18, 36, 36, 54}},
        {{0, 0}, {53, 99, 71, 117}},
        {{3, 0}, {53, 99, 71, 117}},
        {{5, 1}, {}},
        {{1, 6}, {}},
        {{-1, -1}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CellRect(c.cell), c.rect) << c.cell.x << "," << c.cell.y;
}

TEST(PaletteGeometry, HitTests) {
    const struct {
        int cx, cy;
        TCell cell;
    } cases[] = {
        {0, 0, {1, 1}},     {17, 17, {1, 1}},   {18, 0, {2, 1}},    {71, 89, {4, 5}},  {53, 96, {0, 0}},
        {71, 113, {0, 0}},  {52, 100, kNoCell}, {60, 114, kNoCell}, {10, 95, kNoCell}, {72, 10, kNoCell},
        {10, 105, kNoCell}, {-5, 5, {1, 1}},    {5, -17, {1, 1}},   {-18, 5, kNoCell}, {5, -18, kNoCell},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CellAt(c.cx, c.cy), c.cell) << c.cx << "," << c.cy;
}

TEST(PaletteGeometry, CellFramesFromTheOutsideIn) {
    using enum TFrameColor;
    const TRect cell{18, 0, 36, 18};
    const auto plain = CellFrames(cell, false);
    EXPECT_EQ(plain[0].rect, cell);
    EXPECT_EQ(plain[0].topLeft, Window);
    EXPECT_EQ(plain[1].rect, (TRect{19, 1, 35, 17}));
    EXPECT_EQ(plain[1].topLeft, BtnShadow);
    EXPECT_EQ(plain[1].bottomRight, BtnHighlight);
    EXPECT_EQ(plain[2].topLeft, DkShadow3D);
    EXPECT_EQ(plain[2].bottomRight, Light3D);
    const auto lit = CellFrames(cell, true);
    EXPECT_EQ(lit[0].bottomRight, DkShadow3D);
    EXPECT_EQ(lit[1].topLeft, BtnHighlight);
    EXPECT_EQ(lit[2].rect, (TRect{20, 2, 34, 16}));
    EXPECT_EQ(CellFill(cell), (TRect{21, 3, 33, 15})); // 12 x 12
}

TEST(PaletteKeys, CursorKeysWrapWithinRowsAndRunThroughTheOtherCell) {
    using enum TPaletteKey;
    const struct {
        TCell from;
        TPaletteKey key;
        TCell to;
    } cases[] = {
        {kNoCell, Down, {1, 1}}, {{7, 9}, Left, {1, 1}}, {{1, 2}, Left, {4, 2}}, {{4, 2}, Right, {1, 2}},
        {{2, 2}, Right, {3, 2}}, {{2, 1}, Up, {2, 0}},   {{2, 0}, Up, {2, 5}},   {{3, 5}, Down, {3, 0}},
        {{3, 0}, Down, {3, 1}},  {{3, 0}, Left, {3, 0}}, {{0, 0}, Up, {0, 5}},   {{0, 0}, Right, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyTarget(c.from, c.key), c.to) << c.from.x << "," << c.from.y << " key " << int(c.key);
    EXPECT_FALSE(IsValidCell({0, 5})); // the mouse's other cell has no column: Up leaves the highlight
}
