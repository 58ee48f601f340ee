#include "controls/DogsEar.h"

#include <algorithm>

namespace {

using TPoints = std::array<POINT, std::tuple_size_v<dogsear::TShape>>;

TPoints Points(const dogsear::TShape& shape) {
    TPoints points{};
    std::transform(shape.begin(), shape.end(), points.begin(), [](const dogsear::TPoint& p) {
        return POINT{p.x, p.y};
    });
    return points;
}

RegionHandle ShapeRegion(const dogsear::TShape& shape) {
    const TPoints points = Points(shape);
    return RegionHandle(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
}

const TEnumTypeDesc& AlignType() {
    static const TEnumTypeDesc type{"TDogsEarAlign", {"adLeft", "adRight"}};
    return type;
}

const TEnumTypeDesc& FrameStyleType() {
    static const TEnumTypeDesc type{"TDogsEarFrameStyle", {"dfFrame", "dfNoFrame"}};
    return type;
}
} // namespace

TDogsEar::TDogsEar(TComponent* owner, TWinControl* parent, const TBounds& bounds)
    : TGraphicControl(owner, parent, bounds) {}

const TClassDesc& TDogsEar::PublishedClass() const {
    using T = TDogsEar;
    auto color = [](std::string name, TColor (T::*get)() const, void (T::*set)(TColor)) {
        return published::Integer<T>(
            std::move(name), [get](const T& e) { return (e.*get)(); },
            [set](T& e, std::int64_t v) { (e.*set)(static_cast<TColor>(v)); });
    };
    static const TClassDesc desc(
        "TDogsEar", nullptr,
        {published::Enumeration<T>(
             "AlignDogsEar", AlignType(), [](const T& e) { return static_cast<int>(e.AlignDogsEar()); },
             [](T& e, std::int64_t v) { e.SetAlignDogsEar(static_cast<TDogsEarAlign>(v)); }),
         color("ColorBackground", &T::ColorBackground, &T::SetColorBackground),
         color("ColorDogsEar", &T::ColorDogsEar, &T::SetColorDogsEar),
         color("ColorFrame", &T::ColorFrame, &T::SetColorFrame),
         published::Boolean<T>(
             "Enabled", [](const T& e) { return e.Enabled(); }, [](T& e, bool v) { e.SetEnabled(v); }),
         published::Enumeration<T>(
             "FrameStyle", FrameStyleType(), [](const T& e) { return static_cast<int>(e.FrameStyle()); },
             [](T& e, std::int64_t v) { e.SetFrameStyle(static_cast<TDogsEarFrameStyle>(v)); }),
         published::Boolean<T>(
             "MultiPage", [](const T& e) { return e.MultiPage(); }, [](T& e, bool v) { e.SetMultiPage(v); }),
         published::Integer<T>(
             "NumPages", [](const T& e) { return e.NumPages(); },
             [](T& e, std::int64_t v) { e.SetNumPages(static_cast<int>(v)); }),
         published::Method("OnDogsEarClick"),
         published::Boolean<T>(
             "Visible", [](const T& e) { return e.Visible(); }, [](T& e, bool v) { e.SetVisible(v); })});
    return desc;
}

template <class T> void TDogsEar::Set(T& field, T value) {
    field = value;
    Invalidate();
}
void TDogsEar::SetAlignDogsEar(TDogsEarAlign align) {
    Set(align_, align);
}
void TDogsEar::SetColorBackground(TColor color) {
    Set(colorBackground_, color);
}
void TDogsEar::SetColorDogsEar(TColor color) {
    Set(colorDogsEar_, color);
}
void TDogsEar::SetColorFrame(TColor color) {
    Set(colorFrame_, color);
}
void TDogsEar::SetEnabled(bool enabled) {
    Set(enabled_, enabled);
}
void TDogsEar::SetFrameStyle(TDogsEarFrameStyle style) {
    Set(frameStyle_, style);
}
void TDogsEar::SetMultiPage(bool multiPage) {
    Set(multiPage_, multiPage);
}
void TDogsEar::SetNumPages(int numPages) {
    Set(numPages_, numPages < 1 ? 1 : numPages);
}

void TDogsEar::Paint(HDC dc) {
    const TColor outline = frameStyle_ == TDogsEarFrameStyle::dfFrame ? colorFrame_ : colorBackground_;
    {
        const BrushHandle brush(CreateSolidBrush(ColorToRGB(colorBackground_)));
        const PenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(outline)));
        SelectionScope selectBrush(dc, brush.get());
        SelectionScope selectPen(dc, pen.get());
        Rectangle(dc, 0, 0, Width(), Height());
    }
    PaintShape(dc, dogsear::PageShape(align_, Width(), Height()));
    if (multiPage_)
        PaintShape(dc, dogsear::SecondPageShape(align_, Width(), Height()));
}

void TDogsEar::PaintShape(HDC dc, const dogsear::TShape& shape) const {
    const BrushHandle brush(CreateSolidBrush(ColorToRGB(colorDogsEar_)));
    const PenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(colorFrame_)));
    SelectionScope selectBrush(dc, brush.get());
    SelectionScope selectPen(dc, pen.get());
    const TPoints points = Points(shape);
    Polygon(dc, points.data(), static_cast<int>(points.size()));
}

std::optional<int> TDogsEar::PagesAt(int x, int y) const {
    const RegionHandle page = ShapeRegion(dogsear::PageShape(align_, Width(), Height()));
    const RegionHandle second = ShapeRegion(dogsear::SecondPageShape(align_, Width(), Height()));
    if (!page || !second)
        return std::nullopt;
    return dogsear::ClickedPages(multiPage_, numPages_, PtInRegion(second.get(), x, y) != 0,
                                 PtInRegion(page.get(), x, y) != 0);
}

bool TDogsEar::MouseMessage(UINT msg, WPARAM, int x, int y) {
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                      msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    if (!down || !enabled_ || !OnDogsEarClick)
        return false;
    if (const std::optional<int> pages = PagesAt(x, y))
        OnDogsEarClick(this, *pages);
    return true;
}
