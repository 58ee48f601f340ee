#include "controls/ToolEdit_core.h"

#include <algorithm>
#include <exception>

namespace tooledit {

namespace {

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

} // namespace

std::string FirstToken(std::string_view text) {
    const std::size_t end = std::min(text.find('\0'), text.size());
    std::size_t i = 0;
    for (;;) {
        while (i < end && Byte(text[i]) <= ' ')
            ++i;
        if (i + 1 < end && text[i] == '"' && text[i + 1] == '"')
            i += 2;
        else
            break;
    }
    std::string token;
    while (i < end && Byte(text[i]) > ' ') {
        if (text[i] == '"') {
            ++i;
            while (i < end && text[i] != '"')
                token.push_back(text[i++]);
            if (i < end)
                ++i;
        } else {
            token.push_back(text[i++]);
        }
    }
    return token;
}

std::string NameFromText(std::string_view text, const PathExists& fileExists) {
    std::string whole(text);
    if (!whole.empty() && fileExists(whole))
        return whole;
    return FirstToken(text);
}

std::string QuotedForm(std::string_view name) {
    if (name.find(' ') != std::string_view::npos && (name.empty() || name.front() != '"'))
        return "\"" + std::string(name) + "\"";
    return std::string(name);
}

bool IsValidFileName(std::string_view name) {
    return !name.empty() && name.find_first_of("<>\"[]|") == std::string_view::npos;
}

std::string DroppedName(std::string_view name) {
    if (name.size() > kDroppedNameCapacity)
        throw EComboEditError(rtl::Format(rtl::SInvalidFileName, name));
    return std::string(name);
}

std::string TextForFileName(std::string_view value, const PathExists& fileExists) {
    if (value.empty())
        return {};
    std::string text = QuotedForm(value);
    // The quotes added for a blank change how the text reads back ("a.pas |b" would pass as "a.pas"),
    // so the name the edit will hand out is checked as well.
    if (!IsValidFileName(NameFromText(value, fileExists)) || !IsValidFileName(NameFromText(text, fileExists)))
        throw EComboEditError(rtl::Format(rtl::SInvalidFileName, value));
    return text;
}

DialogSeed SeedDialog(std::string_view name, const PathExists& dirExists) {
    DialogSeed seed;
    if (!IsValidFileName(name))
        return seed;
    const std::string folder = rtl::ExtractFilePath(name);
    try {
        if (!folder.empty() && dirExists(folder))
            seed.initialDir = folder;
    } catch (const std::exception&) {
        // A folder that cannot be examined (a missing drive, say) only means the dialog is not seeded.
        return {};
    }
    const std::string filePart = rtl::ExtractFileName(name);
    seed.dialogFileName = IsValidFileName(filePart) ? std::string(name) : std::string();
    return seed;
}

DialogOutcome AfterDialog(std::string_view name, std::string_view dialogFileName) {
    return {QuotedForm(name), rtl::ExtractFilePath(dialogFileName)};
}

int NaturalButtonWidth(TGlyphKind kind, bool hasGlyph, int glyphWidth, int glyphCount, int vScrollBarWidth) {
    if (kind == TGlyphKind::gkDefault && hasGlyph)
        return DefaultGlyphButtonWidth(glyphWidth, glyphCount, kDefaultButtonWidth);
    if (kind == TGlyphKind::gkDropDown)
        return vScrollBarWidth;
    return kDefaultButtonWidth;
}

int DefaultGlyphButtonWidth(int glyphWidth, int glyphCount, int currentWidth) {
    return std::max(glyphWidth / std::max(glyphCount, 1) + 6, currentWidth);
}

EllipsisGlyph EllipsisGlyphFor(int buttonWidth) {
    const int width = std::max(1, buttonWidth - 6);
    const int gap = std::clamp((width - 6) / 2, 1, 3);
    const int first = (width - 6 - 2 * gap) / 2;
    return {width, 4, {first, first + 2 + gap, first + 2 * (2 + gap)}, 1, 2};
}

Placement ButtonContainerPlacement(int editWidth, int editHeight, int buttonWidth, bool newWindowStyle,
                                   bool singleBorder, bool ctl3D) {
    if (newWindowStyle && singleBorder && ctl3D)
        return {editWidth - buttonWidth - 4, 0, buttonWidth, editHeight - 4};
    if (singleBorder && !ctl3D)
        return {editWidth - buttonWidth - 2, 2, buttonWidth, editHeight - 4};
    return {editWidth - buttonWidth, 0, buttonWidth, editHeight};
}

TRect FormattingRect(int clientWidth, int clientHeight, int containerWidth) {
    return {0, 0, clientWidth - containerWidth - 2, clientHeight + 1};
}

int MinimumEditHeight(int systemFontHeight, int editFontHeight, int borderHeight) {
    return std::min(systemFontHeight, editFontHeight) + 4 * borderHeight + 1;
}

TShortCut ShortCutOf(std::uint16_t virtualKey, KeyShift shift) {
    if (virtualKey > 0xFF)
        return 0;
    TShortCut result = virtualKey;
    if (shift.shift)
        result |= scShift;
    if (shift.ctrl)
        result |= scCtrl;
    if (shift.alt)
        result |= scAlt;
    return result;
}

bool PressesButton(std::uint16_t virtualKey, KeyShift shift, TShortCut clickKey, int buttonWidth) {
    return clickKey != 0 && buttonWidth > 0 && ShortCutOf(virtualKey, shift) == clickKey;
}

} // namespace tooledit
