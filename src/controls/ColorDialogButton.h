#pragma once
// The output window's background colour button: a bar in its colour beside a small down arrow.
// Pressing it lets the user pick a colour in the platform's colour dialog, with sixteen custom
// colours (all white at first) kept from one use to the next; a new colour fires OnColorChange.
#include "base/TypInfo_core.h"
#include "win/StdCtrls.h"

#include <array>

class TColorDialogButton : public TButton, public IPublished {
  public:
    TColorDialogButton(TComponent* owner, TWinControl* parent, const TBounds& bounds);
    std::string ClassName() const override { return "TColorButton"; }
    // Color, as the settings storage keeps it.
    const TClassDesc& PublishedClass() const override;

    // The chosen colour (Color()); setting a different one repaints and fires OnColorChange.
    void SetColor(TColor color) override;
    std::array<TColor, 16>& CustomColors() { return customColors_; }
    // Runs the colour dialog on the current colour; a confirmed choice becomes the colour.
    void ChooseColor();

    TNotifyEvent OnColorChange;

  protected:
    void CommandNotify(WORD code) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;

  private:
    std::array<TColor, 16> customColors_;
    BitmapHandle arrow_;
    BitmapHandle arrowDisabled_;
};
