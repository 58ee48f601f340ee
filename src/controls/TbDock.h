#pragma once
// The dock: a strip along one edge of its parent that holds toolbars in rows. The program's docks sit
// at the top with one toolbar each; a dock is as high as its row.
#include "win/Controls.h"

#include <vector>

class TToolbar;

enum class TDockPosition { dpTop, dpBottom, dpLeft, dpRight };

class TDock : public TWinControl {
  public:
    TDock(TComponent* owner, TWinControl* parent, TDockPosition position = TDockPosition::dpTop);
    ~TDock() override;
    std::string ClassName() const override { return "TDock"; }

    TDockPosition Position() const { return position_; }
    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool allow) { allowDrag_ = allow; }
    bool LimitToOneRow() const { return limitToOneRow_; }
    void SetLimitToOneRow(bool limit) { limitToOneRow_ = limit; }

    // Spans the parent's client width along its edge and takes the height of the docked row.
    void AlignToParent();
    // Lays the docked toolbars along the row (a full-size one across the whole dock).
    void ArrangeToolbars();

    TNotifyEvent OnResize;

  protected:
    void Paint(HDC dc) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    friend class TToolbar;
    void InsertToolbar(TToolbar* toolbar);
    void RemoveToolbar(TToolbar* toolbar);
    int RowHeight() const;

    TDockPosition position_;
    bool allowDrag_ = true;
    bool limitToOneRow_ = false;
    bool arranging_ = false;
    std::vector<TToolbar*> toolbars_;
};
