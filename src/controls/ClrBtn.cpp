#include "controls/ClrBtn.h"

#include "controls/CBtnForm.h"

namespace {
// Posted to the button once a palette has closed: the palette is freed outside its own messages.
constexpr UINT kFreePalette = WM_APP + 0x31;

int CALLBACK CollectSolidPen(LPVOID object, LPARAM data) noexcept {
    auto* pens = reinterpret_cast<std::vector<TColor>*>(data);
    const auto* pen = static_cast<const LOGPEN*>(object);
    try {
        if (pen->lopnStyle == PS_SOLID)
            pens->push_back(static_cast<TColor>(pen->lopnColor));
    } catch (...) {
        return 0;
    }
    return pens->size() < clrbtn::kPaletteColumns * clrbtn::kPaletteRows ? 1 : 0;
}

const TEnumTypeDesc& ButtonStyleType() {
    static const TEnumTypeDesc type{"TButtonStyle", {"bsAutoDetect", "bsWin31", "bsNew"}};
    return type;
}

RECT ToRect(const clrbtn::TRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}
} // namespace

std::vector<TColor> DefaultPenColors() {
    std::vector<TColor> pens;
    WindowDc screen(nullptr);
    if (GetDeviceCaps(screen.get(), NUMCOLORS) == 16)
        EnumObjects(screen.get(), OBJ_PEN, &CollectSolidPen, reinterpret_cast<LPARAM>(&pens));
    return pens;
}

TColorButton::TColorButton(TComponent* owner, TWinControl* parent, const TBounds& bounds)
    : TButton(owner, parent, bounds, ""), arrow_(LoadBitmapResource("ARROW_BMP")),
      arrowDisabled_(LoadBitmapResource("ARROW_DISABLED_BMP")) {
    TColorButton::SetDefaultColors();
    // Black from the start, without a change to announce.
    TWinControl::SetColor(clBlack);
}

TColorButton::~TColorButton() {
    for (auto* palette : {palette_.get(), closedPalette_.get()})
        if (palette) {
            palette->PaletteClosed = nullptr;
            palette->ColorChosen = nullptr;
        }
    palette_.reset();
    closedPalette_.reset();
}

const TClassDesc& TColorButton::PublishedClass() const {
    using T = TColorButton;
    static const TClassDesc desc(
        "TColorButton", nullptr,
        {published::Boolean<T>(
             "CycleColors", [](const T& b) { return b.CycleColors(); },
             [](T& b, bool v) { b.SetCycleColors(v); }),
         published::Boolean<T>(
             "ShowColorHints", [](const T& b) { return b.ShowColorHints(); },
             [](T& b, bool v) { b.SetShowColorHints(v); }),
         published::Enumeration<T>(
             "Style", ButtonStyleType(), [](const T& b) { return static_cast<int>(b.Style()); },
             [](T& b, std::int64_t v) { b.SetStyle(static_cast<TButtonStyle>(v)); }),
         published::String<T>(
             "OtherBtnCaption", [](const T& b) { return b.OtherBtnCaption(); },
             [](T& b, const std::string& v) { b.SetOtherBtnCaption(v); }),
         published::Integer<T>(
             "OtherColor", [](const T& b) { return b.OtherColor(); },
             [](T& b, std::int64_t v) { b.SetOtherColor(static_cast<TColor>(v)); }),
         published::Integer<T>(
             "Color", [](const T& b) { return b.Color(); },
             [](T& b, std::int64_t v) { b.SetColor(static_cast<TColor>(v)); }),
         published::Boolean<T>(
             "Flat", [](const T& b) { return b.Flat(); }, [](T& b, bool v) { b.SetFlat(v); }),
         published::String<T>(
             "CustomColorsKey", [](const T& b) { return b.CustomColorsKey(); },
             [](T& b, const std::string& v) { b.SetCustomColorsKey(v); }),
         published::Method("OnColorChange"), published::Method("OnGetColorHintText")});
    return desc;
}

void TColorButton::SetColor(TColor color) {
    if (color == Color())
        return;
    TWinControl::SetColor(color);
    paletteIndex_ = clrbtn::PaletteIndexOf(paletteColors_, color);
    ColorChanged();
}

void TColorButton::ColorChanged() {
    if (OnColorChange)
        OnColorChange(this);
}

void TColorButton::SelectPaletteIndex(int index) {
    if (index == paletteIndex_ || index < 0 || index > paletteColors_.Count())
        return;
    paletteIndex_ = index;
    TWinControl::SetColor(index == 0 ? otherColor_ : paletteColors_.Item(index));
    ColorChanged();
}

void TColorButton::SetFlat(bool flat) {
    if (flat == flat_)
        return;
    flat_ = flat;
    Invalidate();
}

void TColorButton::SetStyle(TButtonStyle style) {
    if (style == style_)
        return;
    style_ = style;
    Invalidate();
}

void TColorButton::SetDefaultColors() {
    clrbtn::FillDefaultPalette(paletteColors_, DefaultPenColors());
    for (int y = 1; y <= customColors_.YSize(); ++y)
        for (int x = 1; x <= customColors_.XSize(); ++x)
            customColors_.Set(x, y, clWhite);
    otherColor_ = clBtnFace;
}

void TColorButton::Loaded() {
    if (!customColorsLoaded_)
        LoadCustomColors();
}

std::string TColorButton::CustomColorsValueName() const {
    return Parent() && !Parent()->Name().empty() ? Parent()->Name() + "." + Name() : Name();
}

void TColorButton::LoadCustomColors() {
    if (customColorsKey_.empty())
        return;
    customColorsLoaded_ = true;
    RegKey key;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (customColorsKey_ + "\\Colors").c_str(), 0, KEY_READ, &opened) !=
        ERROR_SUCCESS)
        return;
    key.reset(opened);
    char text[512] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    const std::string name = CustomColorsValueName();
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return;
    clrbtn::LoadCustomColorsText(text, customColors_);
}

void TColorButton::SaveCustomColors() {
    if (customColorsKey_.empty())
        return;
    std::string text;
    try {
        text = clrbtn::CustomColorsText(customColors_);
    } catch (const EColorArrayIndexError&) {
        return; // custom colours given a smaller grid than the 16 cells are not kept
    }
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, (customColorsKey_ + "\\Colors").c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &created, nullptr) != ERROR_SUCCESS)
        return;
    RegKey key(created);
    const std::string name = CustomColorsValueName();
    RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

// A button that is no tab stop (the output window's, on its toolbar) takes the focus only from the
// click that presses it, and hands it back to the control that had it, where the keys belong.
void TColorButton::GiveFocusBack() {
    if (!TabStop() && Focused() && focusBefore_ && IsChild(GetAncestor(Handle(), GA_ROOT), focusBefore_))
        ::SetFocus(focusBefore_);
}

void TColorButton::Press() {
    GiveFocusBack();
    if (ignoreNextClick_) {
        ignoreNextClick_ = false;
        return;
    }
    if (palette_) {
        // A press that reached the button while its palette stayed open (the palette was not active,
        // so the press did not close it) closes it and opens nothing.
        palette_->Close();
        ignoreNextClick_ = false;
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle(), &cursor);
    if (cycleColors_ && clrbtn::InColourPart(cursor.x, Width())) {
        SelectPaletteIndex(clrbtn::NextCycleIndex(paletteIndex_, paletteColors_.Count()));
        return;
    }
    DropDown();
}

HWND TColorButton::FlashTarget() const {
    // The window whose caption stays lit while its palette has the focus.
    return GetAncestor(Handle(), GA_ROOT);
}

void TColorButton::DropDown() {
    Loaded();
    closedPalette_.reset();
    palette_ = std::make_unique<TColorButtonPalette>(FlashTarget());
    TColorButtonPalette& palette = *palette_;
    RECT button{};
    GetWindowRect(Handle(), &button);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const clrbtn::TPoint at =
        clrbtn::DropDownPosition({button.left, button.bottom}, {button.left, button.top}, palette.Width(),
                                 palette.Height(), {work.left, work.top, work.right, work.bottom});
    palette.SetBounds(at.x, at.y, palette.Width(), palette.Height());

    // The grids go over first, so the selected colour is looked for among this button's colours.
    palette.PaletteColors().CopyCellsFrom(paletteColors_);
    palette.CustomColors().CopyCellsFrom(customColors_);
    palette.OnGetColorHintText = OnGetColorHintText;
    palette.SetShowHints(showColorHints_);
    palette.SetOtherCaption(otherBtnCaption_);
    palette.SetOtherColor(otherColor_);
    palette.SetSelectedColor(Color());
    palette.ColorChosen = [this](TColorButtonPalette*, bool isOther, TColor color) {
        SetColor(color);
        if (isOther)
            SetOtherColor(color);
    };
    palette.PaletteClosed = [this](TColorButtonPalette* closed, TCloseAction) {
        PaletteClosed(closed, closed->ClosedByKey());
    };

    paletteShown_ = true;
    Invalidate();
    Update();
    // The tool tips, the button's own among them, would show above the palette.
    if (Application)
        Application->NormalizeTopMosts();
    palette.Show();
    ::SetFocus(palette.Handle()); // the palette takes the keys, not its button
    FlashWindow(FlashTarget(), TRUE);
}

void TColorButton::PaletteClosed(TColorButtonPalette* palette, bool closedByKey) {
    FlashWindow(FlashTarget(), FALSE);
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle(), &cursor);
    if (!closedByKey && cursor.x >= 0 && cursor.x < Width() && cursor.y >= 0 && cursor.y < Height())
        ignoreNextClick_ = true;
    customColors_.Assign(palette->CustomColors());
    paletteShown_ = false;
    Invalidate();
    if (palette_.get() == palette) {
        closedPalette_ = std::move(palette_);
        PostMessageA(Handle(), kFreePalette, 0, 0);
        if (Application)
            Application->RestoreTopMosts();
    }
}

bool TColorButton::CursorInside() const {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT rc{};
    GetWindowRect(Handle(), &rc);
    return PtInRect(&rc, cursor) != FALSE;
}

void TColorButton::TrackMouse() {
    if (!trackingMouse_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        trackingMouse_ = TrackMouseEvent(&track) != FALSE;
    }
    if (flat_ && CursorInside() != mouseInside_)
        Invalidate();
}

LRESULT TColorButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kFreePalette:
        closedPalette_.reset();
        return 0;
    case WM_SETFOCUS:
        focusBefore_ = reinterpret_cast<HWND>(wParam);
        break;
    case WM_MOUSEMOVE:
        TrackMouse();
        break;
    case WM_MOUSELEAVE:
        trackingMouse_ = false;
        if (flat_ && mouseInside_)
            Invalidate();
        break;
    default:
        break;
    }
    return TButton::WndProc(msg, wParam, lParam);
}

void TColorButton::CommandNotify(WORD code) {
    // A double click is one more press.
    if (code == BN_CLICKED || code == BN_DOUBLECLICKED)
        Press();
}

void TColorButton::DrawBackground(HDC dc, RECT rc, bool pressed, UINT frameFlags) const {
    if (pressed) {
        FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rc, -1, -1);
        FrameRect(dc, &rc, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&rc, -1, -1);
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    } else if (flat_ && (frameFlags & DFCS_FLAT) == 0) {
        // A flat button under the mouse or with the focus: a thin raised border.
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        FillSolid(dc, {rc.left, rc.top, rc.right - 1, rc.top + 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
        FillSolid(dc, {rc.left, rc.top, rc.left + 1, rc.bottom - 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
        FillSolid(dc, {rc.right - 1, rc.top, rc.right, rc.bottom}, GetSysColor(COLOR_BTNSHADOW));
        FillSolid(dc, {rc.left, rc.bottom - 1, rc.right, rc.bottom}, GetSysColor(COLOR_BTNSHADOW));
    } else {
        DrawFrameControl(dc, &rc, DFC_BUTTON, frameFlags);
        if ((frameFlags & DFCS_FLAT) != 0) {
            // Hides the frame the platform draws for a flat button.
            InflateRect(&rc, 2, 2);
            FrameRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        }
    }
}

void TColorButton::DrawBar(HDC dc, const clrbtn::TRect& bar, bool enabled) const {
    RECT rc = ToRect(bar);
    if (enabled) {
        FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rc, -1, -1);
        FillSolid(dc, rc, ColorToRGB(Color()));
        return;
    }
    FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&rc, -1, -1);
    // Thin black diagonals over the face: the pattern's set bits black, the rest white, ANDed.
    WORD rows[8];
    for (int i = 0; i < 8; ++i)
        rows[i] = clrbtn::kDisabledHatch[i];
    BitmapHandle pattern(CreateBitmap(8, 8, 1, 1, rows));
    BrushHandle hatch(CreatePatternBrush(pattern.get()));
    const COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255));
    const COLORREF oldBack = SetBkColor(dc, RGB(0, 0, 0));
    SelectionScope select(dc, hatch.get());
    PatBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, 0x00A000C9); // pattern AND dest
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

bool TColorButton::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0 || paletteShown_;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    mouseInside_ = CursorInside();
    UINT flags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (pressed)
        flags |= DFCS_PUSHED;
    if (disabled)
        flags |= DFCS_INACTIVE;
    if (flat_ && !mouseInside_ && !focused)
        flags |= DFCS_FLAT;
    DrawBackground(dc, item.rcItem, pressed, flags);

    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    const BitmapHandle& arrow = (!Enabled() && disabled) ? arrowDisabled_ : arrow_;
    BITMAP info{};
    if (arrow)
        GetObjectA(arrow.get(), sizeof info, &info);
    const clrbtn::TButtonLayout layout = clrbtn::ButtonLayout(width, height, pressed, info.bmHeight);
    // A focused button is the window's active default button, which shows the focus rectangle.
    if (focused) {
        const RECT focus = ToRect(layout.focus);
        DrawFocusRect(dc, &focus);
    }
    DrawBar(dc, layout.bar, Enabled() && !disabled);
    FillSolid(dc, {layout.shadowX, layout.bar.top, layout.shadowX + 1, layout.bar.bottom},
              GetSysColor(COLOR_BTNSHADOW));
    FillSolid(dc, {layout.highlightX, layout.bar.top, layout.highlightX + 1, layout.bar.bottom},
              GetSysColor(COLOR_BTNHIGHLIGHT));
    if (arrow)
        DrawTransparentBitmap(dc, arrow.get(), 0, 0, info.bmWidth, info.bmHeight, layout.arrow.x,
                              layout.arrow.y);
    return true;
}
