#include "controls/BusyCtrl.h"

#include <cstdio>
#include <cstring>

TWebGauge::TWebGauge(TComponent* owner, TWinControl* parent, const TBounds& bounds)
    : TGraphicControl(owner, parent, bounds), timer_(new TThreadTimer(this)) {
    timer_->SetEnabled(false);
    timer_->SetInterval(55);
    timer_->SetThreadPriority(TThreadPriority::tpLower);
    timer_->SetOnTimer([this](TComponent* sender) { AnimationStep(sender); });
}

TWebGauge::~TWebGauge() {
    timer_->SetEnabled(false);
    delete timer_;
}

void TWebGauge::SetBevelInner(TBevelCut bevel) {
    bevelInner_ = bevel;
    Invalidate();
}

void TWebGauge::SetBevelOuter(TBevelCut bevel) {
    bevelOuter_ = bevel;
    Invalidate();
}

void TWebGauge::SetBevelwidth(int width) {
    bevelWidth_ = width;
    Invalidate();
}

void TWebGauge::SetShowText(bool show) {
    showText_ = show;
    Invalidate();
}

// The colours repaint at once but keep the shades: the band changes colour only when waiting restarts.
void TWebGauge::SetForeColor(TColor color) {
    foreColor_ = color;
    Repaint();
}

void TWebGauge::SetBackColor(TColor color) {
    backColor_ = color;
    Repaint();
}

void TWebGauge::SetMinValue(std::int32_t value) {
    if (range_.SetMinValue(value) == busyctrl::TRepaint::now)
        Repaint();
}

void TWebGauge::SetMaxValue(std::int32_t value) {
    if (range_.SetMaxValue(value) == busyctrl::TRepaint::now)
        Repaint();
}

void TWebGauge::SetProgress(std::int32_t value) {
    if (range_.SetProgress(value) == busyctrl::TRepaint::now)
        Repaint();
}

void TWebGauge::SetWaiting(bool waiting) {
    if (waiting_ == waiting)
        return;
    waiting_ = waiting;
    UpdateTimer();
    BuildShades();
    Invalidate();
}

void TWebGauge::BuildShades() {
    shades_ = busyctrl::BuildShades(static_cast<TColor>(ColorToRGB(backColor_)),
                                    static_cast<TColor>(ColorToRGB(foreColor_)));
}

void TWebGauge::ShowingChanged() {
    UpdateTimer();
}

void TWebGauge::UpdateTimer() {
    timer_->SetEnabled(waiting_ && Showing());
}

void TWebGauge::AnimationStep(TComponent*) {
    anim_.Step(Width());
    if (!waiting_) {
        Repaint();
        return;
    }
    // The frame fills the gauge's rectangle exactly, so it is drawn straight into the parent, without
    // the clipping and origin a general repaint sets up and takes down on every tick.
    if (const WindowDc dc = InPlaceDc(); dc.get())
        PaintWaiting(dc.get(), Left(), Top(), Width(), Height());
}

void TWebGauge::Paint(HDC dc) {
    const int width = Width();
    const int height = Height();
    if (width <= 0 || height <= 0)
        return;
    if (waiting_) {
        PaintWaiting(dc, 0, 0, width, height);
        return;
    }
    // The bar and its text are composed off screen and copied in one step; the off-screen bitmap
    // stays for the next picture.
    HDC memory = offscreen_.Prepare(dc, width, height);
    if (!memory)
        return;
    FillSolid(memory, {0, 0, width, height}, ColorToRGB(backColor_));
    PaintBar(memory, width, height);
    PaintBevels(memory, width, height);
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
}

// A frame of the animation, eighteen a second: composed in memory and drawn in a single call.
void TWebGauge::PaintWaiting(HDC dc, int left, int top, int width, int height) const {
    const std::vector<std::uint32_t> picture = busyctrl::WaitingPicture(
        width, height, static_cast<TColor>(ColorToRGB(backColor_)), shades_, anim_, Bevels(), bevelWidth_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), picture.data(), &info, DIB_RGB_COLORS);
}

void TWebGauge::PaintBar(HDC dc, int width, int height) const {
    const int percent = range_.PercentDone();
    const int bar = busyctrl::BarWidth(percent, width);
    // The bar keeps a one-pixel edge in the background colour, as a rectangle outlined in it.
    if (bar > 2)
        FillSolid(dc, {1, 1, bar - 1, height - 1}, ColorToRGB(foreColor_));

    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent);
    // The text, white on black, is combined by exclusive or: bar and background show inverted under it.
    MemoryDc textDc(CreateCompatibleDC(dc));
    BitmapHandle textBitmap(CreateCompatibleBitmap(dc, width, height));
    SelectionScope selectBitmap(textDc.get(), textBitmap.get());
    FillSolid(textDc.get(), {0, 0, width, height}, RGB(0, 0, 0));
    SelectionScope selectFont(textDc.get(), Font().Handle());
    SetTextColor(textDc.get(), RGB(255, 255, 255));
    SetBkMode(textDc.get(), TRANSPARENT);
    SIZE size{};
    GetTextExtentPoint32A(textDc.get(), text, static_cast<int>(std::strlen(text)), &size);
    RECT rc{5, (height - size.cy) / 2, width, height};
    DrawTextA(textDc.get(), text, -1, &rc, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    BitBlt(dc, 0, 0, width, height, textDc.get(), 0, 0, SRCINVERT);
}

std::vector<busyctrl::TBevel> TWebGauge::Bevels() const {
    std::vector<busyctrl::TBevel> bevels;
    for (TBevelCut cut : {bevelOuter_, bevelInner_}) {
        if (cut == TBevelCut::bvNone)
            continue;
        const auto highlight = static_cast<TColor>(ColorToRGB(clBtnHighlight));
        const auto shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
        bevels.push_back(cut == TBevelCut::bvLowered ? busyctrl::TBevel{shadow, highlight}
                                                     : busyctrl::TBevel{highlight, shadow});
    }
    return bevels;
}

void TWebGauge::PaintBevels(HDC dc, int width, int height) const {
    RECT rc{0, 0, width, height};
    for (const busyctrl::TBevel& bevel : Bevels())
        Frame3D(dc, rc, bevel.topLeft, bevel.bottomRight, bevelWidth_);
}
