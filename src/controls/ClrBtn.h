#pragma once
// A push button that shows a colour instead of a caption: a framed colour bar, a thin separator and
// a small down arrow. Pressing it drops down a palette of 20 colours and an "other" cell (made on
// first use and freed when it closes); the chosen colour becomes Color and fires OnColorChange.
#include "controls/ClrBtn_core.h"
#include "base/TypInfo_core.h"
#include "win/StdCtrls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TColorButtonPalette;

enum class TButtonStyle { bsAutoDetect, bsWin31, bsNew };

// May change the tool tip of a palette cell.
using TColorHintTextEvent =
    std::function<void(TComponent* sender, TColor color, int x, int y, std::string& hintStr)>;

// The solid pens a 16-colour screen offers, in the order the platform lists them (at most 20);
// empty on any other screen.
std::vector<TColor> DefaultPenColors();

class TColorButton : public TButton, public IPublished {
  public:
    TColorButton(TComponent* owner, TWinControl* parent, const TBounds& bounds);
    ~TColorButton() override;
    std::string ClassName() const override { return "TColorButton"; }
    const TClassDesc& PublishedClass() const override;

    std::string Version() const { return "TColorButton v1.0"; }

    // A colour different from Color is stored, selects its palette index, repaints and fires
    // OnColorChange.
    void SetColor(TColor color) override;
    // Selects palette entry `index` (linear), or OtherColor for 0; out-of-range indices are ignored.
    void SelectPaletteIndex(int index);
    int PaletteIndex() const { return paletteIndex_; }

    const TColorArrayClass& PaletteColors() const { return paletteColors_; }
    void SetPaletteColors(const TColorArrayClass& colors) { paletteColors_.Assign(colors); }
    const TColorArrayClass& CustomColors() const { return customColors_; }
    void SetCustomColors(const TColorArrayClass& colors) { customColors_.Assign(colors); }
    TColor OtherColor() const { return otherColor_; }
    void SetOtherColor(TColor color) { otherColor_ = color; }
    const std::string& OtherBtnCaption() const { return otherBtnCaption_; }
    void SetOtherBtnCaption(std::string caption) { otherBtnCaption_ = std::move(caption); }
    bool CycleColors() const { return cycleColors_; }
    void SetCycleColors(bool cycle) { cycleColors_ = cycle; }
    bool ShowColorHints() const { return showColorHints_; }
    void SetShowColorHints(bool show) { showColorHints_ = show; }
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle style);
    const std::string& CustomColorsKey() const { return customColorsKey_; }
    void SetCustomColorsKey(std::string key) { customColorsKey_ = std::move(key); }

    // Called once the owner has set the button's properties: loads the custom colours (once).
    void Loaded();

    // The open drop-down palette, or null.
    TColorButtonPalette* Palette() const { return palette_.get(); }
    // What a press does: cycles, or drops the palette down.
    void Press();

    TNotifyEvent OnColorChange;
    TColorHintTextEvent OnGetColorHintText;

    virtual void SetDefaultColors();
    virtual std::string CustomColorsValueName() const;
    // Writes the custom colours under CustomColorsKey; the button's owner calls it before the button
    // goes (a destructor does not write the registry).
    virtual void SaveCustomColors();
    virtual void LoadCustomColors();
    virtual void ColorChanged();

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CommandNotify(WORD code) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;

  private:
    void DropDown();
    void GiveFocusBack();
    void PaletteClosed(TColorButtonPalette* palette, bool closedByKey);
    void TrackMouse();
    bool CursorInside() const;
    HWND FlashTarget() const;
    void DrawBackground(HDC dc, RECT rc, bool pressed, UINT frameFlags) const;
    void DrawBar(HDC dc, const clrbtn::TRect& bar, bool enabled) const;

    TColorArrayClass paletteColors_{clrbtn::kPaletteColumns, clrbtn::kPaletteRows};
    TColorArrayClass customColors_{clrbtn::kCustomColumns, clrbtn::kCustomRows};
    TColor otherColor_ = clBtnFace;
    std::string otherBtnCaption_ = "&Other";
    std::string customColorsKey_;
    TButtonStyle style_ = TButtonStyle::bsAutoDetect;
    int paletteIndex_ = 0;
    HWND focusBefore_ = nullptr;
    bool cycleColors_ = false;
    bool showColorHints_ = true;
    bool flat_ = false;
    bool paletteShown_ = false;
    bool ignoreNextClick_ = false;
    bool mouseInside_ = false;
    bool trackingMouse_ = false;
    bool customColorsLoaded_ = false;
    std::unique_ptr<TColorButtonPalette> palette_;
    // A closed palette, freed once the message that closed it has been handled.
    std::unique_ptr<TColorButtonPalette> closedPalette_;
    BitmapHandle arrow_;
    BitmapHandle arrowDisabled_;
};
