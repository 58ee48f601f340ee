#pragma once
// The toolbar: a window docked in a dock that holds a row of items. Buttons and separators are not
// windows of their own (every child window costs at start-up): the toolbar paints them, routes the
// mouse to them and shows their tool tips through its form's one tool-tip window. Windowed controls
// placed on the toolbar (the colour button) take their place in the row as well.
#include "controls/TbDock.h"
#include "controls/TbTlbr_core.h"
#include "win/Controls.h"

#include <vector>

class TToolbarItem;
class TToolbarButton;

class TToolbar : public TWinControl {
  public:
    TToolbar(TComponent* owner, TDock* dock);
    ~TToolbar() override;
    std::string ClassName() const override { return "TToolbar"; }

    TDock* DockedTo() const { return dock_; }
    bool FullSize() const { return fullSize_; }
    void SetFullSize(bool fullSize);
    bool DragHandle() const { return dragHandle_; }
    void SetDragHandle(bool dragHandle) { dragHandle_ = dragHandle; }
    int DockPos() const { return dockPos_; }
    void SetDockPos(int pos) { dockPos_ = pos; }
    int DockRow() const { return dockRow_; }
    void SetDockRow(int row) { dockRow_ = row; }

    // Takes a windowed control made with this toolbar as its parent into the row, at the place its
    // left position gives.
    void InsertControl(TWinControl* control);

    // Places the items along the row in their order; runs whenever an item is added, removed, shown,
    // hidden or resized.
    void ArrangeControls();
    int RowHeight() const { return rowHeight_; }
    // The window's height when docked: the row and the border above and below it.
    int DockedHeight() const { return tbtlbr::DockedHeight(rowHeight_); }
    // The windowless item at a point of the client area, or nullptr.
    TToolbarItem* ItemAt(int x, int y) const;
    const std::vector<TToolbarItem*>& Items() const { return items_; }

    // Paints the whole window (frame, background, windowless items) into a device context whose
    // origin is the window's top-left corner.
    void PaintWindow(HDC dc);

  protected:
    void Paint(HDC dc) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TDock;
    friend class TToolbarItem;
    friend class TToolbarButton;
    struct WindowedItem {
        TWinControl* control;
        int storedLeft;
    };
    void InsertItem(TToolbarItem* item);
    void RemoveItem(TToolbarItem* item);
    void UpdateToolTip(TToolbarItem* item, bool remove = false);
    void EnsureToolTips();
    void PaintFrame(HDC dc, int width, int height);
    bool RouteMouse(UINT msg, LPARAM lParam);
    LRESULT AnswerQuery(int left) const;
    // A press ends without a click (the button was disabled, or another window took the mouse).
    void CancelPress(const TToolbarButton* button);
    TToolbarButton* ButtonAt(int x, int y) const;

    TDock* dock_;
    bool fullSize_ = false;
    bool dragHandle_ = true;
    int dockPos_ = -1;
    int dockRow_ = 0;
    int rowHeight_ = tbtlbr::kMinRowHeight;
    bool toolTipsReady_ = false;
    bool trackingLeave_ = false;
    TToolbarButton* pressed_ = nullptr;
    std::vector<TToolbarItem*> items_;
    std::vector<WindowedItem> windowed_;
};

// A control without a window of its own, painted by its toolbar in the toolbar's client area.
class TToolbarItem : public TComponent {
  public:
    ~TToolbarItem() override;
    TToolbar* Toolbar() const { return toolbar_; }

    const TBounds& Bounds() const { return bounds_; }
    int Left() const { return bounds_.left; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);

    void Invalidate() const;
    // Paints the item with its top-left corner at (x, y) of the device context.
    virtual void PaintAt(HDC dc, int x, int y) = 0;

  protected:
    TToolbarItem(TComponent* owner, TToolbar* toolbar, const TBounds& bounds);
    virtual tbtlbr::TItem LayoutItem() const;

  private:
    friend class TToolbar;
    TToolbar* toolbar_;
    TBounds bounds_;
    int storedLeft_;
    bool visible_ = true;
    bool showHint_ = false;
    std::string hint_;
};

// Space between groups of buttons, with an etched line down its middle unless blank.
class TToolbarSep : public TToolbarItem {
  public:
    // `parent` must be a toolbar.
    TToolbarSep(TComponent* owner, TWinControl* parent, int left,
                int sizeHorz = tbtlbr::kDefaultSeparatorSize);
    std::string ClassName() const override { return "TToolbarSep"; }

    bool Blank() const { return blank_; }
    void SetBlank(bool blank);
    int SizeHorz() const { return sizeHorz_; }
    void SetSizeHorz(int size);
    int SizeVert() const { return sizeVert_; }
    void SetSizeVert(int size) { sizeVert_ = size; }

    void PaintAt(HDC dc, int x, int y) override;

  protected:
    tbtlbr::TItem LayoutItem() const override;

  private:
    int sizeHorz_;
    int sizeVert_ = tbtlbr::kDefaultSeparatorSize;
    bool blank_ = false;
};
