#include "controls/TbCtls.h"

#include "win/Forms.h"
#include "win/StdCtrls.h"

#include <map>
#include <utility>

namespace {
UINT_PTR hoverTimer = 0;

void CALLBACK HoverTimerProc(HWND, UINT, UINT_PTR, DWORD) noexcept {
    try {
        tbctls::TButtonLogic::HoverTimerFired();
    } catch (...) {
        ShowCurrentException();
    }
}

struct ImageSize {
    int width;
    int height;
};
ImageSize ImageSizeOf(HBITMAP strip, int numGlyphs) {
    BITMAP info{};
    GetObjectA(strip, sizeof info, &info);
    return {info.bmWidth / numGlyphs, info.bmHeight};
}

// A 32-bit picture in the face colour, with its pixels at hand.
BitmapHandle FaceBitmap(int width, int height, COLORREF face, std::uint32_t** pixels) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    *pixels = static_cast<std::uint32_t*>(bits);
    const std::uint32_t value = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    for (int i = 0; bits && i < width * height; ++i)
        (*pixels)[i] = value;
    return bitmap;
}

std::uint32_t Pixel(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

BitmapHandle MakeDisabledGlyph(HBITMAP strip, int numGlyphs, const TDisabledColors& colors) {
    const ImageSize size = ImageSizeOf(strip, numGlyphs);
    std::uint32_t* pixels = nullptr;
    BitmapHandle picture = FaceBitmap(size.width + 1, size.height + 1, colors.face, &pixels);
    if (!pixels)
        return picture;
    MemoryDc dc(CreateCompatibleDC(nullptr));
    SelectionScope select(dc.get(), picture.get());
    if (numGlyphs < 2) {
        // Transparent, white and silver pixels are background; the rest is the shape.
        const BitmapHandle mask =
            GlyphMask(strip, 0, 0, size.width, size.height, {RGB(255, 255, 255), RGB(192, 192, 192)});
        DrawEmbossedMask(dc.get(), mask.get(), size.width, size.height, 0, 0, colors.highlight,
                         colors.shadow);
        return picture;
    }
    DrawTransparentBitmap(dc.get(), strip, size.width, 0, size.width, size.height, 0, 0);
    GdiFlush();
    for (int i = 0; i < (size.width + 1) * (size.height + 1); ++i) {
        if (pixels[i] == 0xFFFFFF)
            pixels[i] = Pixel(colors.highlight);
        else if (pixels[i] == 0x808080)
            pixels[i] = Pixel(colors.shadow);
    }
    return picture;
}

// The disabled pictures of all buttons, by glyph strip.
struct DisabledCache {
    TDisabledColors colors;
    std::map<std::pair<HBITMAP, int>, BitmapHandle> pictures;
};
DisabledCache& Cache() {
    static DisabledCache cache;
    return cache;
}

void ForgetGlyph(HBITMAP strip) {
    std::erase_if(Cache().pictures, [&](const auto& entry) { return entry.first.first == strip; });
}

// The 8 x 8 checker of face and highlight that fills an exclusive button, made again when either
// colour changed.
HBRUSH CheckerBrush() {
    static BrushHandle brush;
    static COLORREF face = CLR_INVALID, highlight = CLR_INVALID;
    const COLORREF nowFace = GetSysColor(COLOR_BTNFACE), nowHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    if (!brush || face != nowFace || highlight != nowHighlight) {
        std::uint32_t* pixels = nullptr;
        BitmapHandle pattern = FaceBitmap(8, 8, nowFace, &pixels);
        for (int i = 0; pixels && i < 64; ++i)
            if ((i / 8 + i % 8) % 2)
                pixels[i] = Pixel(nowHighlight);
        brush.reset(CreatePatternBrush(pattern.get()));
        face = nowFace;
        highlight = nowHighlight;
    }
    return brush.get();
}
} // namespace

TDisabledColors SystemDisabledColors() {
    return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
}

HBITMAP DisabledGlyph(HBITMAP strip, int numGlyphs, const TDisabledColors& colors) {
    DisabledCache& cache = Cache();
    if (!(cache.colors == colors)) {
        cache.pictures.clear();
        cache.colors = colors;
    }
    BitmapHandle& picture = cache.pictures[{strip, numGlyphs}];
    if (!picture)
        picture = MakeDisabledGlyph(strip, numGlyphs, colors);
    return picture.get();
}

TToolbarButton::TToolbarButton(TComponent* owner, TToolbar* toolbar, const TBounds& bounds)
    : TToolbarItem(owner, toolbar, bounds) {}

TToolbarButton::~TToolbarButton() {
    DropHot();
    if (Toolbar())
        Toolbar()->CancelPress(this);
    ForgetGlyph(glyph_.get());
}

void TToolbarButton::SetGlyph(const char* resourceName) {
    SetGlyph(LoadBitmapResource(resourceName));
}

void TToolbarButton::SetGlyph(BitmapHandle glyph) {
    ForgetGlyph(glyph_.get());
    glyph_ = std::move(glyph);
    BITMAP info{};
    if (glyph_)
        GetObjectA(glyph_.get(), sizeof info, &info);
    numGlyphs_ = tbctls::NumGlyphsForGlyph(info.bmWidth, info.bmHeight);
    Invalidate();
}

void TToolbarButton::SetNumGlyphs(int count) {
    numGlyphs_ = tbctls::ClampNumGlyphs(count);
    Invalidate();
}

void TToolbarButton::SetFlat(bool flat) {
    flat_ = flat;
    Invalidate();
}

void TToolbarButton::SetNoBorder(bool noBorder) {
    noBorder_ = noBorder;
    Invalidate();
}

void TToolbarButton::SetEnabled(bool enabled) {
    TButtonLogic::SetEnabled(enabled);
}

bool TToolbarButton::PointerOver() const {
    if (!Toolbar() || !Toolbar()->Handle())
        return false;
    POINT pt;
    GetCursorPos(&pt);
    if (WindowFromPoint(pt) != Toolbar()->Handle())
        return false;
    ScreenToClient(Toolbar()->Handle(), &pt);
    return Toolbar()->ItemAt(pt.x, pt.y) == this;
}

bool TToolbarButton::ApplicationActive() const {
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    return process == GetCurrentProcessId();
}

bool TToolbarButton::RepaintsOnEnter() const {
    return flat_ || numGlyphs_ == tbctls::kMaxNumGlyphs;
}

void TToolbarButton::Repaint() {
    Invalidate();
}

void TToolbarButton::StartHoverTimer() {
    // One timer for all buttons, started again for each new hot button.
    if (hoverTimer)
        KillTimer(nullptr, hoverTimer);
    hoverTimer = SetTimer(nullptr, 0, tbctls::kHoverInterval, &HoverTimerProc);
}

void TToolbarButton::StopHoverTimer() {
    if (hoverTimer)
        KillTimer(nullptr, hoverTimer);
    hoverTimer = 0;
}

void TToolbarButton::ReleaseMouse() {
    if (Toolbar())
        Toolbar()->CancelPress(this);
}

void TToolbarButton::MouseEntered() {
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TToolbarButton::MouseExited() {
    if (OnMouseExit)
        OnMouseExit(this);
}

void TToolbarButton::Clicked() {
    if (modalResult_ != 0 && Toolbar())
        if (TForm* form = GetParentForm(Toolbar()))
            form->SetModalResult(modalResult_);
    if (OnClick)
        OnClick(this);
}

void TToolbarButton::DrawGlyph(HDC dc, int x, int y) {
    if (!glyph_)
        return;
    const ImageSize size = ImageSizeOf(glyph_.get(), numGlyphs_);
    const tbctls::TButtonLook look{Width(), Height(), flat_, noBorder_, State(), MouseInControl()};
    const tbctls::TPoint at = tbctls::GlyphOrigin(look, size.width, size.height);
    const int image = tbctls::ImageForState(State(), numGlyphs_);
    if (State() == tbctls::TButtonState::bsDisabled) {
        HBITMAP picture = DisabledGlyph(glyph_.get(), numGlyphs_, SystemDisabledColors());
        DrawTransparentBitmap(dc, picture, 0, 0, size.width + 1, size.height + 1, x + at.x, y + at.y);
    } else {
        DrawTransparentBitmap(dc, glyph_.get(), image * size.width, 0, size.width, size.height, x + at.x,
                              y + at.y);
    }
}

void TToolbarButton::PaintAt(HDC dc, int x, int y) {
    const tbctls::TButtonLook look{Width(), Height(), flat_, noBorder_, State(), MouseInControl()};
    // Drawn off-screen first and copied in one step, so the frame and glyph never flicker.
    MemoryDc memory(CreateCompatibleDC(dc));
    BitmapHandle canvas(CreateCompatibleBitmap(dc, Width(), Height()));
    SelectionScope select(memory.get(), canvas.get());
    HDC target = opaque_ ? memory.get() : dc;
    const int ox = opaque_ ? 0 : x, oy = opaque_ ? 0 : y;
    RECT rc{ox, oy, ox + Width(), oy + Height()};
    if (opaque_)
        FillRect(target, &rc, GetSysColorBrush(COLOR_BTNFACE));
    const tbctls::TBorder border = tbctls::BorderOf(look);
    if (border == tbctls::TBorder::raised)
        Frame3D(target, rc, clBtnHighlight, clBtnShadow, flat_ ? 1 : 2);
    else if (border == tbctls::TBorder::sunken)
        Frame3D(target, rc, clBtnShadow, clBtnHighlight, flat_ ? 1 : 2);
    if (State() == tbctls::TButtonState::bsExclusive && (!flat_ || !MouseInControl())) {
        RECT content{ox + 1, oy + 1, ox + Width() - 1, oy + Height() - 1};
        FillRect(target, &content, CheckerBrush());
    }
    DrawGlyph(target, ox, oy);
    if (opaque_)
        BitBlt(dc, x, y, Width(), Height(), memory.get(), 0, 0, SRCCOPY);
}

TDockedToolbar MakeDockedToolbar(TWinControl* window, bool dragHandle) {
    auto* dock = new TDock(window, window);
    dock->SetName("Dock1");
    dock->SetAllowDrag(false);
    auto* toolbar = new TToolbar(window, dock);
    toolbar->SetName("Toolbar1");
    toolbar->SetDockPos(0);
    toolbar->SetDragHandle(dragHandle);
    toolbar->SetFullSize(true);
    return {dock, toolbar};
}

TToolbarButton* MakeToolbarButton(TComponent* owner, TToolbar* toolbar, const char* name, int left,
                                  const char* glyph, const char* hint, TNotifyEvent onClick) {
    auto* button = new TToolbarButton(owner, toolbar, {left, 0, 25, 25});
    button->SetName(name);
    button->SetGlyph(glyph);
    button->SetHint(hint);
    button->SetShowHint(true);
    button->OnClick = std::move(onClick);
    return button;
}
