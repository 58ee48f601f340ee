#include "controls/BusyCtrl.h"

#include <cstdio>
#include <cstring>

namespace {
void FillSolid(HDC dc, const RECT& rc, COLORREF color) {
    SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, "", 0, nullptr);
}
} // namespace

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
    Repaint();
}

void TWebGauge::Paint(HDC dc) {
    const int width = Width();
    const int height = Height();
    if (width <= 0 || height <= 0)
        return;
    // The whole picture is composed off screen and copied in one step; the off-screen bitmap stays
    // for the next frame.
    HDC memory = offscreen_.Prepare(dc, width, height);
    if (!memory)
        return;
    FillSolid(memory, {0, 0, width, height}, ColorToRGB(backColor_));
    if (waiting_)
        PaintBand(memory, height);
    else
        PaintBar(memory, width, height);
    PaintBevels(memory, width, height);
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
}

void TWebGauge::PaintBand(HDC dc, int height) const {
    for (const busyctrl::TBandRun& run : busyctrl::BandRuns(anim_, Width()))
        FillSolid(dc, {run.left, 0, run.right, height},
                  static_cast<COLORREF>(shades_[static_cast<std::size_t>(run.shade)]));
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

void TWebGauge::PaintBevels(HDC dc, int width, int height) const {
    RECT rc{0, 0, width, height};
    auto frame = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone)
            return;
        const bool lowered = cut == TBevelCut::bvLowered;
        Frame3D(dc, rc, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow,
                bevelWidth_);
    };
    frame(bevelOuter_);
    frame(bevelInner_);
}
