#pragma once
// The dog's-ear: a page corner drawn over a background, optionally with a second page edge, that
// reports clicks on it with a page count. A graphic control painted on its parent.
#include "controls/DogsEar_core.h"
#include "base/TypInfo_core.h"
#include "win/GraphicControl.h"

#include <functional>

using dogsear::TDogsEarAlign;
using dogsear::TDogsEarFrameStyle;

using TDogsEarClickEvent = std::function<void(TComponent* sender, int numPages)>;

class TDogsEar : public TGraphicControl, public IPublished {
  public:
    TDogsEar(TComponent* owner, TWinControl* parent, const TBounds& bounds = {0, 0, 30, 30});
    std::string ClassName() const override { return "TDogsEar"; }
    const TClassDesc& PublishedClass() const override;

    // Every setter stores the value and repaints.
    TDogsEarAlign AlignDogsEar() const { return align_; }
    void SetAlignDogsEar(TDogsEarAlign align);
    TColor ColorBackground() const { return colorBackground_; }
    void SetColorBackground(TColor color);
    TColor ColorDogsEar() const { return colorDogsEar_; }
    void SetColorDogsEar(TColor color);
    TColor ColorFrame() const { return colorFrame_; }
    void SetColorFrame(TColor color);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    TDogsEarFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TDogsEarFrameStyle style);
    bool MultiPage() const { return multiPage_; }
    void SetMultiPage(bool multiPage);
    int NumPages() const { return numPages_; }
    void SetNumPages(int numPages); // 1 … 2147483647

    TDogsEarClickEvent OnDogsEarClick;

    void Paint(HDC dc) override;
    bool MouseMessage(UINT msg, WPARAM keys, int x, int y) override;

  protected:
    bool Opaque() const override { return true; }

  private:
    template <class T> void Set(T& field, T value);
    void PaintShape(HDC dc, const dogsear::TShape& shape) const;
    // The page count a click at (x, y) reports, asked of the platform's polygon regions.
    std::optional<int> PagesAt(int x, int y) const;

    TDogsEarAlign align_ = TDogsEarAlign::adLeft;
    TColor colorBackground_ = clBtnFace;
    TColor colorDogsEar_ = clWindow;
    TColor colorFrame_ = clWindowFrame;
    bool enabled_ = true;
    TDogsEarFrameStyle frameStyle_ = TDogsEarFrameStyle::dfFrame;
    bool multiPage_ = false;
    int numPages_ = 1;
};
