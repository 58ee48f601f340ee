#pragma once
// The busy gauge: a progress bar with its percentage, or a waiting animation in which a colour band
// slides back and forth, driven by a thread timer. A graphic control painted on its parent.
#include "controls/BusyCtrl_core.h"
#include "controls/ThreadTmr.h"
#include "win/GraphicControl.h"
#include "win/StdCtrls.h"

class TWebGauge : public TGraphicControl {
  public:
    TWebGauge(TComponent* owner, TWinControl* parent, const TBounds& bounds = {0, 0, 200, 20});
    ~TWebGauge() override;
    std::string ClassName() const override { return "TWebGauge"; }

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut bevel);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);
    int Bevelwidth() const { return bevelWidth_; }
    void SetBevelwidth(int width);
    bool ShowText() const { return showText_; }
    void SetShowText(bool show);
    TColor ForeColor() const { return foreColor_; }
    void SetForeColor(TColor color);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color);
    std::int32_t MinValue() const { return range_.MinValue(); }
    void SetMinValue(std::int32_t value);
    std::int32_t MaxValue() const { return range_.MaxValue(); }
    void SetMaxValue(std::int32_t value);
    std::int32_t Progress() const { return range_.Progress(); }
    void SetProgress(std::int32_t value);
    bool Waiting() const { return waiting_; }
    void SetWaiting(bool waiting);
    int PercentDone() const { return range_.PercentDone(); }

    int AnimOffset() const { return anim_.offset; }
    bool AnimForward() const { return anim_.forward; }
    const busyctrl::TShades& Shades() const { return shades_; }
    TThreadTimer* Timer() const { return timer_; }

    // The timer's tick: the band moves a pixel and the gauge is repainted at once.
    void AnimationStep(TComponent* sender);
    void Paint(HDC dc) override;

  protected:
    bool Opaque() const override { return true; }
    void ShowingChanged() override;

  private:
    void BuildShades();
    // The timer ticks while waiting and in sight: a hidden gauge has nothing to animate.
    void UpdateTimer();
    void PaintWaiting(HDC dc, int left, int top, int width, int height) const;
    void PaintBar(HDC dc, int width, int height) const;
    // The outer and inner bevel, where they are not none.
    std::vector<busyctrl::TBevel> Bevels() const;
    void PaintBevels(HDC dc, int width, int height) const;

    TBevelCut bevelInner_ = TBevelCut::bvNone;
    TBevelCut bevelOuter_ = TBevelCut::bvNone;
    int bevelWidth_ = 1;
    bool showText_ = true;
    TColor foreColor_ = clWindowText;
    TColor backColor_ = clBtnFace;
    bool waiting_ = false;
    busyctrl::TGaugeRange range_;
    busyctrl::TAnimation anim_;
    busyctrl::TShades shades_{};
    TThreadTimer* timer_;
    TOffscreen offscreen_;
};
