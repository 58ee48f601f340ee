#include "controls/ClrBtn_core.h"

#include <algorithm>
#include <cstdio>

TColorArrayClass::TColorArrayClass(int xSize, int ySize) {
    Resize(xSize, ySize);
}

void TColorArrayClass::Resize(int xSize, int ySize) {
    xSize_ = std::max(xSize, 0);
    ySize_ = std::max(ySize, 0);
    cells_.assign(static_cast<std::size_t>(xSize_) * static_cast<std::size_t>(ySize_), clBlack);
}

void TColorArrayClass::SetXSize(int xSize) {
    if (xSize != xSize_)
        Resize(xSize, ySize_);
}

void TColorArrayClass::SetYSize(int ySize) {
    if (ySize != ySize_)
        Resize(xSize_, ySize);
}

std::size_t TColorArrayClass::Position(int x, int y) const {
    if (x < 1 || x > xSize_ || y < 1 || y > ySize_)
        throw EColorArrayIndexError();
    return static_cast<std::size_t>(y - 1) * static_cast<std::size_t>(xSize_) +
           static_cast<std::size_t>(x - 1);
}

TColor TColorArrayClass::Get(int x, int y) const {
    return cells_[Position(x, y)];
}

void TColorArrayClass::Set(int x, int y, TColor color) {
    cells_[Position(x, y)] = color;
}

TColor TColorArrayClass::Item(int index) const {
    if (index < 1 || index > Count())
        throw EColorArrayIndexError();
    return cells_[static_cast<std::size_t>(index - 1)];
}

void TColorArrayClass::Assign(const TColorArrayClass& source) {
    xSize_ = source.xSize_;
    ySize_ = source.ySize_;
    cells_ = source.cells_;
}

void TColorArrayClass::CopyCellsFrom(const TColorArrayClass& source) {
    for (int y = 1; y <= std::min(ySize_, source.ySize_); ++y)
        for (int x = 1; x <= std::min(xSize_, source.xSize_); ++x)
            Set(x, y, source.Get(x, y));
}

bool operator==(const TColorArrayClass& a, const TColorArrayClass& b) {
    return &a == &b || (a.xSize_ == b.xSize_ && a.ySize_ == b.ySize_ && a.cells_ == b.cells_);
}

std::vector<std::int32_t> TColorArrayClass::StoredColors() const {
    std::vector<std::int32_t> colors;
    colors.reserve(cells_.size());
    for (int x = 1; x <= xSize_; ++x)
        for (int y = 1; y <= ySize_; ++y)
            colors.push_back(Get(x, y));
    return colors;
}

void TColorArrayClass::LoadStoredColors(const std::vector<std::int32_t>& colors) {
    std::size_t next = 0;
    for (int x = 1; x <= xSize_; ++x)
        for (int y = 1; y <= ySize_ && next < colors.size(); ++y)
            Set(x, y, colors[next++]);
}

namespace clrbtn {

namespace {
// The fixed palette, row by row.
constexpr TColor kDefaultPalette[kPaletteRows][kPaletteColumns] = {
    {RGBColor(255, 255, 255), RGBColor(0, 0, 0), RGBColor(191, 191, 191), RGBColor(127, 127, 127)},
    {RGBColor(255, 0, 0), RGBColor(127, 0, 0), RGBColor(255, 255, 0), RGBColor(127, 127, 0)},
    {RGBColor(0, 255, 0), RGBColor(0, 127, 0), RGBColor(0, 255, 255), RGBColor(0, 127, 127)},
    {RGBColor(0, 0, 255), RGBColor(0, 0, 127), RGBColor(255, 0, 255), RGBColor(127, 0, 127)},
    {RGBColor(191, 215, 191), RGBColor(159, 191, 239), RGBColor(255, 247, 239), RGBColor(159, 159, 159)},
};

// The 16 custom cells in the order the registry text keeps them: x outer, y inner.
template <class Visit> void ForEachCustomCell(Visit visit) {
    for (int x = 1; x <= kCustomColumns; ++x)
        for (int y = 1; y <= kCustomRows; ++y)
            visit(x, y);
}
} // namespace

void FillDefaultPalette(TColorArrayClass& grid, const std::vector<TColor>& penColors) {
    std::size_t pen = 0;
    for (int x = 1; x <= kPaletteColumns; ++x)
        for (int y = 1; y <= kPaletteRows; ++y) {
            if (penColors.empty())
                grid.Set(x, y, kDefaultPalette[y - 1][x - 1]);
            else
                grid.Set(x, y, pen < penColors.size() ? penColors[pen++] : clBlack);
        }
}

int PaletteIndexOf(const TColorArrayClass& grid, TColor color) {
    for (int i = 1; i <= grid.Count(); ++i)
        if (grid.Item(i) == color)
            return i;
    return 0;
}

int NextCycleIndex(int index, int count) {
    return index + 1 > count ? 0 : index + 1;
}

bool InColourPart(int clientX, int width) {
    return clientX <= width - 13;
}

TPoint DropDownPosition(TPoint below, TPoint buttonTop, int width, int height, const TRect& workArea) {
    TPoint at = below;
    if (workArea.bottom < at.y + height)
        at = {buttonTop.x, buttonTop.y - kPaletteRise};
    if (at.x < workArea.left)
        at.x = workArea.left;
    else if (at.x + width > workArea.right)
        at.x = workArea.right - 78;
    return at;
}

std::string CustomColorsText(const TColorArrayClass& custom) {
    std::string text;
    ForEachCustomCell([&](int x, int y) {
        char field[16];
        std::snprintf(field, sizeof field, "$%.8X", static_cast<unsigned>(custom.Get(x, y)));
        if (!text.empty())
            text += ',';
        text += field;
    });
    return text;
}

void LoadCustomColorsText(const std::string& text, TColorArrayClass& custom) {
    if (text.find(',') == std::string::npos)
        return;
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    std::size_t next = 0;
    ForEachCustomCell([&](int x, int y) {
        const TColor color = next < fields.size() ? rtl::StrToIntDef(fields[next], clWhite) : clWhite;
        custom.Set(x, y, color);
        ++next;
    });
}

std::vector<std::string> CustomColorEntries(const TColorArrayClass& custom) {
    std::vector<std::string> entries;
    for (int y = 1; y <= kCustomRows; ++y)
        for (int x = 1; x <= kCustomColumns; ++x) {
            char entry[24];
            std::snprintf(entry, sizeof entry, "Color%c=%.8X", 'A' + x - 1 + kCustomColumns * (y - 1),
                          static_cast<unsigned>(custom.Get(x, y)));
            entries.emplace_back(entry);
        }
    return entries;
}

void ReadCustomColorEntries(const std::vector<std::string>& entries, TColorArrayClass& custom) {
    for (const std::string& entry : entries) {
        const std::size_t equals = entry.find('=');
        if (equals == std::string::npos || equals == 0)
            continue;
        const int letter = entry[equals - 1] - 'A';
        if (letter < 0 || letter >= kCustomColumns * kCustomRows)
            continue;
        std::string hex(1, '$');
        hex.append(entry, equals + 1, 9);
        const TColor color = rtl::StrToIntDef(hex, clWhite);
        custom.Set(letter % kCustomColumns + 1, letter / kCustomColumns + 1, color);
    }
}

std::string ColorHintText(std::uint32_t rgb) {
    char text[32];
    std::snprintf(text, sizeof text, "RGB = %.3u %.3u %.3u", rgb & 0xFFu, (rgb >> 8) & 0xFFu,
                  (rgb >> 16) & 0xFFu);
    return text;
}

} // namespace clrbtn

namespace clrbtn {

TButtonLayout ButtonLayout(int width, int height, bool pressed, int arrowHeight) {
    const int shift = pressed ? 1 : 0;
    TButtonLayout layout{};
    layout.focus = {shift + 3, shift + 3, width + shift - 3, height + shift - 3};
    const TRect& f = layout.focus;
    layout.bar = {f.left + 3, f.top + 2, f.right - 3 - 10, f.bottom - 2};
    layout.shadowX = layout.bar.right + 3;
    layout.highlightX = layout.bar.right + 4;
    const int barHeight = layout.bar.bottom - layout.bar.top;
    layout.arrow = {layout.bar.right + 5, layout.bar.top + barHeight / 2 - arrowHeight / 2};
    return layout;
}

} // namespace clrbtn
