#include "win/Menus.h"

#include "win/Handles.h"

void TPopupMenu::Popup(int x, int y, TComponent* popupComponent, HWND owner) {
    popupComponent_ = popupComponent;
    MenuHandle menu(CreatePopupMenu());
    if (!menu.get())
        return;
    for (std::size_t i = 0; i < items_.size(); ++i)
        AppendMenuA(menu.get(), MF_STRING, i + 1, items_[i].caption.c_str());
    const auto chosen = static_cast<std::size_t>(
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    if (chosen >= 1 && chosen <= items_.size() && items_[chosen - 1].onClick)
        items_[chosen - 1].onClick(this);
}
