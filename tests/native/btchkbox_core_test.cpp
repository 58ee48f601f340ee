#include "controls/BtChkBox_core.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace btchkbox;

namespace {

// A font of fixed-width characters: every character 6 pixels, "&" 7, lines 13 high.
class FixedMeasurer : public TTextMeasurer {
  public:
    int TextWidth(const std::string& text) const override {
        int width = 0;
        for (char c : text)
            width += c == '&' ? 7 : 6;
        return width;
    }
    int TextHeight(const std::string&) const override { return 13; }
};

TCheckBoxPaintInput PreferencesBox() {
    TCheckBoxPaintInput input;
    input.clientWidth = 97;
    input.clientHeight = 17;
    input.caption = "&Build all units.";
    input.glyphWidth = 19;
    input.glyphHeight = 14;
    return input;
}

} // namespace

TEST(BitCheckBoxState, AdvanceWithoutGrayedToggles) {
    EXPECT_EQ(NextState(TCheckBoxState::cbUnchecked, false), TCheckBoxState::cbChecked);
    EXPECT_EQ(NextState(TCheckBoxState::cbChecked, false), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(NextState(TCheckBoxState::cbGrayed, false), TCheckBoxState::cbChecked);
}

TEST(BitCheckBoxState, AdvanceWithGrayedCycles) {
    TCheckBoxState state = TCheckBoxState::cbUnchecked;
    state = NextState(state, true);
    EXPECT_EQ(state, TCheckBoxState::cbGrayed);
    state = NextState(state, true);
    EXPECT_EQ(state, TCheckBoxState::cbChecked);
    state = NextState(state, true);
    EXPECT_EQ(state, TCheckBoxState::cbUnchecked);
}

TEST(BitCheckBoxGlyphs, ImageCountsAreClampedToOneOrTwo) {
    EXPECT_EQ(ClampNumGlyphs(-3), 1);
    EXPECT_EQ(ClampNumGlyphs(0), 1);
    EXPECT_EQ(ClampNumGlyphs(1), 1);
    EXPECT_EQ(ClampNumGlyphs(2), 2);
    EXPECT_EQ(ClampNumGlyphs(3), 2);
}

TEST(BitCheckBoxGlyphs, AssignedGlyphImpliesItsImageCount) {
    EXPECT_EQ(NumGlyphsForGlyph(28, 14), 2);
    EXPECT_EQ(NumGlyphsForGlyph(14, 14), 1);
    EXPECT_EQ(NumGlyphsForGlyph(42, 14), 2);
    EXPECT_EQ(NumGlyphsForGlyph(0, 14), 1);
    EXPECT_EQ(NumGlyphsForGlyph(38, 14), std::nullopt);
    EXPECT_EQ(NumGlyphsForGlyph(19, 14), std::nullopt);
    EXPECT_EQ(NumGlyphsForGlyph(19, 0), std::nullopt);
    EXPECT_EQ(NumGlyphsForGlyph(0, 0), std::nullopt);
}

TEST(BitCheckBoxLayout, PreferencesWindowBox) {
    const TCheckBoxLayout layout = LayoutCheckBox(PreferencesBox(), FixedMeasurer{});
    EXPECT_EQ(layout.imageWidth, 19);
    // 23 + 96 would pass the right edge of the 97-pixel box.
    EXPECT_EQ(layout.captionRect, (TRect{23, 0, 97, 16}));
    EXPECT_EQ(layout.glyphRect, (TRect{0, 1, 19, 15}));
    EXPECT_EQ(layout.sourceLeft, 0);
}

TEST(BitCheckBoxLayout, CaptionIsOneAmpersandNarrowerThanTheMeasuredText) {
    TCheckBoxPaintInput input = PreferencesBox();
    input.clientWidth = 300;
    // 16 characters of 6 pixels and one "&" of 7, less that "&".
    EXPECT_EQ(LayoutCheckBox(input, FixedMeasurer{}).captionRect.right, 23 + 96);
    input.caption = "Build all units.";
    EXPECT_EQ(LayoutCheckBox(input, FixedMeasurer{}).captionRect.right, 23 + 96);
}

TEST(BitCheckBoxLayout, CaptionAtTheLeftPutsTheGlyphAtTheRightEdge) {
    TCheckBoxPaintInput input = PreferencesBox();
    input.alignment = TLeftRight::taLeftJustify;
    input.caption = "Plain";
    input.clientWidth = 200;
    const TCheckBoxLayout layout = LayoutCheckBox(input, FixedMeasurer{});
    EXPECT_EQ(layout.captionRect, (TRect{1, 0, 31, 16}));
    EXPECT_EQ(layout.glyphRect, (TRect{181, 1, 200, 15}));
}

TEST(BitCheckBoxLayout, CaptionIsClippedToTheClientArea) {
    TCheckBoxPaintInput input = PreferencesBox();
    input.clientWidth = 60;
    input.clientHeight = 10;
    const TCheckBoxLayout layout = LayoutCheckBox(input, FixedMeasurer{});
    // Unclipped it would run from y = −3 (toward zero: −3 div 2 = −1, less 2) to 13.
    EXPECT_EQ(layout.captionRect, (TRect{23, 0, 60, 10}));
    EXPECT_EQ(layout.glyphRect, (TRect{0, -2, 19, 12}));
}

TEST(BitCheckBoxLayout, DisabledShowsTheSecondImageOnlyWhenThereIsOne) {
    TCheckBoxPaintInput input = PreferencesBox();
    input.glyphWidth = 28;
    input.numGlyphs = 2;
    input.enabled = false;
    TCheckBoxLayout layout = LayoutCheckBox(input, FixedMeasurer{});
    EXPECT_EQ(layout.imageWidth, 14);
    EXPECT_EQ(layout.sourceLeft, 14);
    EXPECT_EQ(layout.glyphRect, (TRect{0, 1, 14, 15}));
    input.enabled = true;
    EXPECT_EQ(LayoutCheckBox(input, FixedMeasurer{}).sourceLeft, 0);
    input.numGlyphs = 1;
    input.glyphWidth = 19;
    input.enabled = false;
    layout = LayoutCheckBox(input, FixedMeasurer{});
    EXPECT_EQ(layout.sourceLeft, 0);
    EXPECT_EQ(layout.imageWidth, 19);
}

TEST(BitCheckBoxLayout, OutOfRangeImageCountNeverDividesByZero) {
    TCheckBoxPaintInput input = PreferencesBox();
    input.numGlyphs = 0;
    EXPECT_EQ(LayoutCheckBox(input, FixedMeasurer{}).imageWidth, 19);
}

TEST(BitCheckBoxAccelerator, LetterAfterTheSingleAmpersandIgnoringCase) {
    EXPECT_EQ(AcceleratorOf("&Build all units."), 'B');
    EXPECT_TRUE(IsAccelerator('b', "&Build all units."));
    EXPECT_TRUE(IsAccelerator('B', "&Build all units."));
    EXPECT_FALSE(IsAccelerator('u', "&Build all units."));
    EXPECT_FALSE(IsAccelerator('d', "Detailed &Mapfile and &Debug"));
    EXPECT_TRUE(IsAccelerator('m', "Detailed &Mapfile and &Debug"));
}

TEST(BitCheckBoxAccelerator, DoubledAmpersandIsLiteral) {
    EXPECT_EQ(AcceleratorOf("Tom && Jerry"), std::nullopt);
    EXPECT_EQ(AcceleratorOf("Tom && &Jerry"), 'J');
    EXPECT_EQ(AcceleratorOf("&&&x"), 'x');
    EXPECT_EQ(AcceleratorOf("trailing &"), std::nullopt);
    EXPECT_EQ(AcceleratorOf(""), std::nullopt);
    EXPECT_FALSE(IsAccelerator('&', "Tom && Jerry"));
}

TEST(BitCheckBoxAccelerator, AnsiLettersMatchTheirOtherCase) {
    EXPECT_TRUE(IsAccelerator('\xFC', "&\xDC"
                                      "bersetzen")); // ü, Ü
    EXPECT_TRUE(IsAccelerator('\x8A', "&\x9A"));     // Š, š
    EXPECT_TRUE(IsAccelerator('\x9F', "&\xFF"));     // Ÿ, ÿ
    EXPECT_FALSE(IsAccelerator('\xD7', "&\xF7"));    // × and ÷ are not letters
}

TEST(BitCheckBoxGlyphs, BuiltInTablesAreWellFormed) {
    for (const TGlyphRows* rows : {&uncheckedGlyph, &checkedGlyph, &grayedGlyph}) {
        for (const char* row : *rows) {
            EXPECT_EQ(std::strlen(row), static_cast<std::size_t>(glyphWidth)) << row;
            EXPECT_EQ(std::strspn(row, "0123456789ABCDEF"), std::strlen(row)) << row;
        }
        // The bottom-left pixel is olive: the transparent colour.
        EXPECT_EQ((*rows)[glyphHeight - 1][0], '3');
    }
    EXPECT_EQ(standardPalette[3], 0x808000u);
    EXPECT_EQ(standardPalette[7], 0xC0C0C0u);
    EXPECT_EQ(standardPalette[13], 0xFF00FFu);
}
