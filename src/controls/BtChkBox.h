#pragma once
// A check box that draws its box from bitmaps, one glyph per state, each optionally holding a second
// image for the disabled look.
#include "controls/BtChkBox_core.h"
#include "base/TypInfo_core.h"
#include "win/Controls.h"

class TBitCheckBox : public TWinControl, public IPublished {
  public:
    TBitCheckBox(TComponent* owner, TWinControl* parent, const TBounds& bounds, const std::string& caption);
    std::string ClassName() const override { return "TBitCheckBox"; }
    // Checked, as the settings storage keeps it.
    const TClassDesc& PublishedClass() const override;

    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
    void SetChecked(bool checked) {
        SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
    }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow) { allowGrayed_ = allow; }
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight alignment);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool ctl3D);

    // Assigning a glyph copies it; an absent bitmap brings back the built-in image of that state.
    void SetGlyph(TCheckBoxState state, HBITMAP bitmap);
    void SetNumGlyphs(TCheckBoxState state, int count);
    int NumGlyphs(TCheckBoxState state) const { return numGlyphs_[Index(state)]; }
    HBITMAP Glyph(TCheckBoxState state) const { return glyphs_[Index(state)].get(); }

    virtual void AdvanceState();
    bool DialogChar(char ch) override;

    // Paints the whole control into a device context (used for WM_PAINT and WM_PRINTCLIENT).
    void Paint(HDC dc) override;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    static int Index(TCheckBoxState state) { return static_cast<int>(state); }
    void Click();

    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    bool allowGrayed_ = false;
    bool pressed_ = false; // the left button went down over the box and has not come up since
    TLeftRight alignment_ = TLeftRight::taRightJustify;
    bool ctl3D_ = true;
    BitmapHandle glyphs_[3];
    int numGlyphs_[3] = {1, 1, 1};
};

// The built-in glyph of a state as a bitmap made from its pixel table.
BitmapHandle BuiltInCheckBoxGlyph(TCheckBoxState state);
