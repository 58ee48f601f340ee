#pragma once
// The colour button's drop-down palette: a small window without a caption bar showing 4 x 5 colour
// cells, an "other" cell and the "&Other" button that runs the colour dialog. A click or Enter
// chooses a cell's colour; any close (click, Enter, Escape, another window activated) reports back.
#include "controls/CBtnForm_core.h"
#include "controls/ClrBtn.h"
#include "win/Forms.h"

#include <functional>
#include <string>

class TColorButtonPalette : public TForm {
  public:
    explicit TColorButtonPalette(HWND ownerWnd);
    ~TColorButtonPalette() override;
    std::string ClassName() const override { return "TColorButtonPalette"; }

    TColorArrayClass& PaletteColors() { return palette_; }
    TColorArrayClass& CustomColors() { return custom_; }
    TColor OtherColor() const { return otherColor_; }
    void SetOtherColor(TColor color);
    TColor SelectedColor() const { return selectedColor_; }
    // Highlights the first cell (column by column) whose colour is `color`; without one, `color`
    // becomes the other colour.
    void SetSelectedColor(TColor color);
    cbtnform::TCell Highlighted() const { return highlighted_; }
    // Paints the highlighted cell plain and `cell` highlighted; nothing for the same or an invalid cell.
    void HighlightCell(cbtnform::TCell cell);
    cbtnform::TCell CellAtCursor() const;
    void SetShowHints(bool show);
    bool ShowHints() const { return showHints_; }
    void SetOtherCaption(const std::string& caption) { btnOther->SetCaption(caption); }
    // The colour of a valid cell: its palette colour, or the other colour.
    TColor CellColor(cbtnform::TCell cell) const;
    // A cell's tool tip: "RGB = rrr ggg bbb", then whatever the hint text event makes of it.
    std::string GetColorHintText(cbtnform::TCell cell);
    bool ClosedByKey() const { return closedByKey_; }

    // Draws the whole window into `dc`, as a paint does.
    void PaintTo(HDC dc) { Paint(dc); }

    TButton* btnOther = nullptr;
    // The button's callbacks: a chosen colour (with the is-other flag), and the close.
    std::function<void(TColorButtonPalette*, bool isOther, TColor color)> ColorChosen;
    std::function<void(TColorButtonPalette*, TCloseAction)> PaletteClosed;
    TColorHintTextEvent OnGetColorHintText;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;
    virtual void DoGetColorHintText(TColor color, int x, int y, std::string& hint);

  private:
    void PaintCell(HDC dc, cbtnform::TCell cell, bool highlighted, TColor color) const;
    void HighlightCellOn(HDC dc, cbtnform::TCell cell);
    void ChooseCell(cbtnform::TCell cell);
    void FormKeyDown(WPARAM key);
    void FormKeyPress(char key);
    void btnOtherClick();
    void UpdateHintTools();

    TColorArrayClass palette_{clrbtn::kPaletteColumns, clrbtn::kPaletteRows};
    TColorArrayClass custom_{clrbtn::kCustomColumns, clrbtn::kCustomRows};
    TColor otherColor_ = clBtnFace;
    TColor selectedColor_ = clBlack;
    cbtnform::TCell highlighted_ = cbtnform::kNoCell;
    bool inColorDialog_ = false;
    bool closedByKey_ = false;
    bool showHints_ = true;
    bool mouseDown_ = false;
    // Set once the window has closed: later activation changes close nothing more.
    bool closed_ = false;
    std::string hintText_;
};
