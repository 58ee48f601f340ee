#pragma once
// A popup menu: a list of commands shown at a screen position; the chosen one's handler runs.
#include "win/Controls.h"

#include <string>
#include <vector>

struct TMenuItem {
    std::string caption;
    TNotifyEvent onClick;
};

class TPopupMenu : public TComponent {
  public:
    explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "TPopupMenu"; }

    void Add(TMenuItem item) { items_.push_back(std::move(item)); }
    int Count() const { return static_cast<int>(items_.size()); }
    // Whether controls show the menu by themselves on a right click.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    // The component the menu was last shown for.
    TComponent* PopupComponent() const { return popupComponent_; }

    // Shows the menu at a screen position, owned by `owner`, and runs the chosen item's handler.
    void Popup(int x, int y, TComponent* popupComponent, HWND owner);

  private:
    std::vector<TMenuItem> items_;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};
