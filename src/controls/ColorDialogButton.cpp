#include "controls/ColorDialogButton.h"

#include "win/Dialogs.h"

TColorDialogButton::TColorDialogButton(TComponent* owner, TWinControl* parent, const TBounds& bounds)
    : TButton(owner, parent, bounds, "") {
    customColors_.fill(clWhite);
    arrow_ = LoadBitmapResource("ARROW_BMP");
    arrowDisabled_ = LoadBitmapResource("ARROW_DISABLED_BMP");
    TWinControl::SetColor(clBlack);
}

const TClassDesc& TColorDialogButton::PublishedClass() const {
    static const TClassDesc desc(
        "TColorButton", nullptr,
        {published::Integer<TColorDialogButton>(
            "Color", [](const TColorDialogButton& b) { return b.Color(); },
            [](TColorDialogButton& b, std::int64_t v) { b.SetColor(static_cast<TColor>(v)); })});
    return desc;
}

void TColorDialogButton::SetColor(TColor color) {
    if (color == Color())
        return;
    TWinControl::SetColor(color);
    if (OnColorChange)
        OnColorChange(this);
}

void TColorDialogButton::ChooseColor() {
    TColorDialog dialog(nullptr);
    dialog.SetColor(Color());
    dialog.SetFullOpen(true);
    dialog.CustomColors() = customColors_;
    if (!dialog.Execute())
        return;
    customColors_ = dialog.CustomColors();
    SetColor(dialog.Color());
}

void TColorDialogButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED)
        ChooseColor();
}

bool TColorDialogButton::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    RECT frame = item.rcItem;
    DrawFrameControl(dc, &frame, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
    RECT inner = item.rcItem;
    if (pushed)
        OffsetRect(&inner, 1, 1);
    InflateRect(&inner, -3, -3);
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(dc, &inner);

    // The colour bar, with room for a separator and the arrow on its right.
    RECT bar = inner;
    InflateRect(&bar, -3, -2);
    bar.right -= 10;
    FrameRect(dc, &bar, GetSysColorBrush(COLOR_WINDOWFRAME));
    RECT fill = bar;
    InflateRect(&fill, -1, -1);
    BrushHandle colour(CreateSolidBrush(ColorToRGB(disabled ? clBtnFace : Color())));
    FillRect(dc, &fill, colour.get());

    RECT shadow{bar.right + 3, bar.top, bar.right + 4, bar.bottom};
    RECT light{bar.right + 4, bar.top, bar.right + 5, bar.bottom};
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));

    const BitmapHandle& arrow = disabled ? arrowDisabled_ : arrow_;
    if (arrow) {
        BITMAP info{};
        GetObjectA(arrow.get(), sizeof info, &info);
        const int y = bar.top + (bar.bottom - bar.top) / 2 - info.bmHeight / 2;
        DrawTransparentBitmap(dc, arrow.get(), 0, 0, info.bmWidth, info.bmHeight, bar.right + 5, y);
    }
    return true;
}
