#include "controls/BtChkBox_core.h"

#include <algorithm>

namespace btchkbox {

TCheckBoxState NextState(TCheckBoxState state, bool allowGrayed) {
    switch (state) {
    case TCheckBoxState::cbUnchecked:
        return allowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked;
    case TCheckBoxState::cbChecked:
        return TCheckBoxState::cbUnchecked;
    case TCheckBoxState::cbGrayed:
        return TCheckBoxState::cbChecked;
    }
    return TCheckBoxState::cbUnchecked;
}

int ClampNumGlyphs(int count) {
    return std::clamp(count, 1, 2);
}

std::optional<int> NumGlyphsForGlyph(int width, int height) {
    if (height <= 0 || width < 0 || width % height != 0)
        return std::nullopt;
    return ClampNumGlyphs(width / height);
}

namespace {

TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top)
        return {};
    return r;
}

} // namespace

TCheckBoxLayout LayoutCheckBox(const TCheckBoxPaintInput& input, const TTextMeasurer& measurer) {
    TCheckBoxLayout layout;
    const int numGlyphs = ClampNumGlyphs(input.numGlyphs);
    layout.imageWidth = input.glyphWidth / numGlyphs;
    const bool glyphAtLeft = input.alignment == TLeftRight::taRightJustify;

    const int textHeight = measurer.TextHeight(input.caption);
    TRect caption;
    caption.left = glyphAtLeft ? layout.imageWidth + 4 : 1;
    // The prefix "&" is measured but not drawn.
    caption.right = caption.left + measurer.TextWidth(input.caption) -
                    (input.caption.find('&') != std::string::npos ? measurer.TextWidth("&") : 0);
    caption.top = (input.clientHeight - textHeight) / 2 - 2;
    caption.bottom = caption.top + textHeight + 3;
    layout.captionRect = Intersect(caption, {0, 0, input.clientWidth, input.clientHeight});

    layout.glyphRect.left = glyphAtLeft ? 0 : input.clientWidth - layout.imageWidth;
    layout.glyphRect.top = (input.clientHeight - input.glyphHeight) / 2;
    layout.glyphRect.right = layout.glyphRect.left + layout.imageWidth;
    layout.glyphRect.bottom = layout.glyphRect.top + input.glyphHeight;

    layout.sourceLeft = !input.enabled && numGlyphs == 2 ? layout.imageWidth : 0;
    return layout;
}

std::optional<char> AcceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return caption[i + 1];
        ++i; // "&&" is a literal ampersand
    }
    return std::nullopt;
}

namespace {

// Upper case of a Windows-1252 letter; other characters stay.
unsigned char UpperAnsi(unsigned char c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: // š
    case 0x9C: // œ
    case 0x9E: // ž
        return static_cast<unsigned char>(c - 0x10);
    case 0xFF: // ÿ
        return 0x9F;
    default:
        return c;
    }
}

} // namespace

bool IsAccelerator(char typed, const std::string& caption) {
    const auto accel = AcceleratorOf(caption);
    return accel &&
           UpperAnsi(static_cast<unsigned char>(*accel)) == UpperAnsi(static_cast<unsigned char>(typed));
}

const TGlyphRows uncheckedGlyph = {
    "3333333333333333333", "FFFFFFFFFFFF8333333", "F777777777778333333", "F777777777778333333",
    "F777777777778333333", "F777777777778333333", "F777777777778333333", "F777777777778333333",
    "F777777777778333333", "F777777777778333333", "F777777777778333333", "F777777777778333333",
    "8888888888888333333", "3333333333333333333",
};

const TGlyphRows checkedGlyph = {
    "33333333333338C4333", "FFFFFFFFFFF8CC48333", "F777777777CC4833888", "F7C877777C488388888",
    "F74C8777C4878888833", "F78C888C48778883333", "F77CC8C487788833333", "F774CC4877888333333",
    "F778448878888333333", "F777488888878333333", "F777778888778333333", "F777777887778333333",
    "8888888888888333333", "3333333333333333333",
};

const TGlyphRows grayedGlyph = {
    "3333CCCC88833333333", "FFCC444CCC888333333", "FCC48887CC488333333", "FC4788777C478833333",
    "FC4788777C478833333", "F7777777CC488833333", "F777777CC4888333333", "F77777CC48888333333",
    "F7777CC488878333333", "F7777C4788778333333", "F7777C4788778333333", "F777777788778333333",
    "88888C4888888333333", "33333C4388333333333",
};

const std::array<std::uint32_t, 16> standardPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

} // namespace btchkbox
