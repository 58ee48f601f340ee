#include "controls/CBtnForm.h"

#include "win/ToolTips.h"

#include "win/Dialogs.h"

#include <windowsx.h>

using cbtnform::TCell;

namespace {
constexpr int kOtherToolId = 0;

COLORREF FrameColor(cbtnform::TFrameColor color) {
    switch (color) {
    case cbtnform::TFrameColor::Window:
        return ColorToRGB(clBtnFace);
    case cbtnform::TFrameColor::BtnShadow:
        return GetSysColor(COLOR_BTNSHADOW);
    case cbtnform::TFrameColor::BtnHighlight:
        return GetSysColor(COLOR_BTNHIGHLIGHT);
    case cbtnform::TFrameColor::DkShadow3D:
        return GetSysColor(COLOR_3DDKSHADOW);
    case cbtnform::TFrameColor::Light3D:
    default:
        return GetSysColor(COLOR_3DLIGHT);
    }
}

void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    ::FillSolid(dc, RECT{left, top, right, bottom}, color);
}

// A 1-pixel frame: left column and top row in one colour; right column and bottom row, corners
// included, in the other.
void DrawFrame(HDC dc, const cbtnform::TFrameLayer& layer) {
    const clrbtn::TRect& r = layer.rect;
    const COLORREF topLeft = FrameColor(layer.topLeft);
    const COLORREF bottomRight = FrameColor(layer.bottomRight);
    FillSolid(dc, r.left, r.top, r.right - 1, r.top + 1, topLeft);
    FillSolid(dc, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
    FillSolid(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
    FillSolid(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
}

// The colour dialog names its 16 custom colours "ColorA" to "ColorP"; these turn the entries into
// the dialog's colours and back.
std::array<TColor, 16> DialogColors(const std::vector<std::string>& entries) {
    TColorArrayClass grid(clrbtn::kCustomColumns, clrbtn::kCustomRows);
    clrbtn::ReadCustomColorEntries(entries, grid);
    std::array<TColor, 16> colors{};
    for (int i = 0; i < 16; ++i)
        colors[static_cast<std::size_t>(i)] = grid.Item(i + 1);
    return colors;
}

std::vector<std::string> DialogEntries(const std::array<TColor, 16>& colors) {
    TColorArrayClass grid(clrbtn::kCustomColumns, clrbtn::kCustomRows);
    for (int i = 0; i < 16; ++i)
        grid.Set(i % clrbtn::kCustomColumns + 1, i / clrbtn::kCustomColumns + 1,
                 colors[static_cast<std::size_t>(i)]);
    return clrbtn::CustomColorEntries(grid);
}

int ToolId(TCell cell) {
    return cbtnform::IsOtherCell(cell) ? kOtherToolId : (cell.y - 1) * clrbtn::kPaletteColumns + cell.x;
}

TCell CellOfTool(UINT_PTR id) {
    if (id == kOtherToolId)
        return {0, 0};
    const int i = static_cast<int>(id) - 1;
    return {i % clrbtn::kPaletteColumns + 1, i / clrbtn::kPaletteColumns + 1};
}
} // namespace

TColorButtonPalette::TColorButtonPalette(HWND ownerWnd) : TForm(nullptr) {
    SetName("ColorButtonPalette");
    // A dialog frame without a caption bar, owned by the button's window.
    SetWindowLongPtrA(Handle(), GWL_STYLE, static_cast<LONG_PTR>(WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN));
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW));
    SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWnd));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SetOwnerPainted(true);

    btnOther = new TButton(this, this, {cbtnform::kOtherButtonLeft, 97, 50, 21}, "&Other");
    btnOther->SetName("btnOther");
    btnOther->SetTabStop(false);
    btnOther->OnClick = [this](TComponent*) { btnOtherClick(); };

    clrbtn::FillDefaultPalette(palette_, DefaultPenColors());
    for (int y = 1; y <= custom_.YSize(); ++y)
        for (int x = 1; x <= custom_.XSize(); ++x)
            custom_.Set(x, y, clWhite);
    btnOther->SetBounds(cbtnform::kOtherButtonLeft, cbtnform::kOtherButtonTop, cbtnform::kOtherButtonWidth,
                        cbtnform::kOtherButtonHeight);
    SetClientSize(cbtnform::kClientWidth, cbtnform::kClientHeight);
    UpdateHintTools();

    OnCloseQuery = [this](TComponent*, bool& canClose) { canClose = !inColorDialog_; };
    OnClose = [this](TComponent*, TCloseAction& action) {
        action = TCloseAction::caFree;
        closed_ = true;
        if (PaletteClosed)
            PaletteClosed(this, action);
    };
}

TColorButtonPalette::~TColorButtonPalette() {
    closed_ = true;
    DestroyForm();
}

void TColorButtonPalette::SetOtherColor(TColor color) {
    otherColor_ = color;
    if (Showing())
        InvalidateRect(Handle(), nullptr, FALSE);
}

TColor TColorButtonPalette::CellColor(TCell cell) const {
    return cbtnform::IsOtherCell(cell) ? otherColor_ : palette_.Get(cell.x, cell.y);
}

void TColorButtonPalette::SetSelectedColor(TColor color) {
    selectedColor_ = color;
    const COLORREF wanted = ColorToRGB(color);
    for (int x = 1; x <= clrbtn::kPaletteColumns; ++x)
        for (int y = 1; y <= clrbtn::kPaletteRows; ++y)
            if (ColorToRGB(palette_.Get(x, y)) == wanted) {
                HighlightCell({x, y});
                return;
            }
    otherColor_ = color;
}

TCell TColorButtonPalette::CellAtCursor() const {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle(), &cursor);
    return cbtnform::CellAt(cursor.x, cursor.y, ClientWidth());
}

void TColorButtonPalette::HighlightCell(TCell cell) {
    WindowDc dc(Handle());
    HighlightCellOn(dc.get(), cell);
}

void TColorButtonPalette::HighlightCellOn(HDC dc, TCell cell) {
    if (cell == highlighted_ || !cbtnform::IsValidCell(cell))
        return;
    if (cbtnform::IsValidCell(highlighted_))
        PaintCell(dc, highlighted_, false, CellColor(highlighted_));
    PaintCell(dc, cell, true, CellColor(cell));
    highlighted_ = cell;
}

void TColorButtonPalette::PaintCell(HDC dc, TCell cell, bool highlighted, TColor color) const {
    const clrbtn::TRect rect = cbtnform::CellRect(cell, ClientWidth(), btnOther->Top(), btnOther->Height());
    if (rect == clrbtn::TRect{})
        return;
    if (cbtnform::IsOtherCell(cell))
        color = otherColor_;
    for (const cbtnform::TFrameLayer& layer : cbtnform::CellFrames(rect, highlighted))
        DrawFrame(dc, layer);
    const clrbtn::TRect fill = cbtnform::CellFill(rect);
    FillSolid(dc, fill.left, fill.top, fill.right, fill.bottom, ColorToRGB(color));
}

void TColorButtonPalette::Paint(HDC dc) {
    const int width = ClientWidth();
    FillSolid(dc, 0, 0, width, ClientHeight(), ColorToRGB(Color()));
    for (int x = 1; x <= clrbtn::kPaletteColumns; ++x)
        for (int y = 1; y <= clrbtn::kPaletteRows; ++y)
            PaintCell(dc, {x, y}, false, palette_.Get(x, y));
    FillSolid(dc, 2, cbtnform::kLineShadowY, width - 2, cbtnform::kLineShadowY + 1,
              GetSysColor(COLOR_BTNSHADOW));
    FillSolid(dc, 2, cbtnform::kLineHighlightY, width - 2, cbtnform::kLineHighlightY + 1,
              GetSysColor(COLOR_BTNHIGHLIGHT));
    PaintCell(dc, {0, 0}, false, otherColor_);
    HighlightCellOn(dc, CellAtCursor());
}

void TColorButtonPalette::ChooseCell(TCell cell) {
    if (ColorChosen && cbtnform::IsValidCell(cell))
        ColorChosen(this, cbtnform::IsOtherCell(cell), CellColor(cell));
}

void TColorButtonPalette::FormKeyDown(WPARAM key) {
    if (!cbtnform::IsValidCell(highlighted_)) {
        HighlightCell({1, 1});
        return;
    }
    using enum cbtnform::TPaletteKey;
    switch (key) {
    case VK_LEFT:
        HighlightCell(cbtnform::KeyTarget(highlighted_, Left));
        break;
    case VK_RIGHT:
        HighlightCell(cbtnform::KeyTarget(highlighted_, Right));
        break;
    case VK_UP:
        HighlightCell(cbtnform::KeyTarget(highlighted_, Up));
        break;
    case VK_DOWN:
        HighlightCell(cbtnform::KeyTarget(highlighted_, Down));
        break;
    default:
        break;
    }
}

void TColorButtonPalette::FormKeyPress(char key) {
    if (key == '\r') {
        ChooseCell(highlighted_);
        closedByKey_ = true;
        Close();
    } else if (key == 27) {
        closedByKey_ = true;
        Close();
    }
}

void TColorButtonPalette::btnOtherClick() {
    TColorDialog dialog(nullptr);
    dialog.SetColor(otherColor_);
    dialog.SetFullOpen(true);
    dialog.CustomColors() = DialogColors(clrbtn::CustomColorEntries(custom_));
    inColorDialog_ = true;
    bool confirmed = false;
    try {
        confirmed = dialog.Execute();
    } catch (...) {
        inColorDialog_ = false;
        throw;
    }
    inColorDialog_ = false;
    if (!confirmed) {
        ::SetFocus(Handle());
        return;
    }
    otherColor_ = dialog.Color();
    clrbtn::ReadCustomColorEntries(DialogEntries(dialog.CustomColors()), custom_);
    if (ColorChosen)
        ColorChosen(this, true, otherColor_);
    Close();
}

void TColorButtonPalette::SetShowHints(bool show) {
    showHints_ = show;
    UpdateHintTools();
}

void TColorButtonPalette::UpdateHintTools() {
    HWND tip = HintWindow();
    auto tool = [&](TCell cell) {
        TOOLINFOA ti = ToolInfo(Handle(), static_cast<UINT_PTR>(ToolId(cell)), TTF_SUBCLASS);
        const clrbtn::TRect r = cbtnform::CellRect(cell, ClientWidth(), btnOther->Top(), btnOther->Height());
        ti.rect = {r.left, r.top, r.right, r.bottom};
        ti.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        if (showHints_)
            SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    };
    tool({0, 0});
    for (int y = 1; y <= clrbtn::kPaletteRows; ++y)
        for (int x = 1; x <= clrbtn::kPaletteColumns; ++x)
            tool({x, y});
}

std::string TColorButtonPalette::GetColorHintText(TCell cell) {
    if (!cbtnform::IsValidCell(cell))
        return {};
    const TColor color = CellColor(cell);
    std::string hint = clrbtn::ColorHintText(ColorToRGB(color));
    DoGetColorHintText(color, cell.x, cell.y, hint);
    return hint;
}

void TColorButtonPalette::DoGetColorHintText(TColor color, int x, int y, std::string& hint) {
    // A drop-down palette has no parent to name as the sender.
    if (OnGetColorHintText)
        OnGetColorHintText(nullptr, color, x, y, hint);
}

LRESULT TColorButtonPalette::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        FormKeyDown(wParam);
        return 0;
    case WM_CHAR:
        FormKeyPress(static_cast<char>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        HighlightCell(cbtnform::CellAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), ClientWidth()));
        break;
    case WM_LBUTTONDOWN:
        mouseDown_ = true;
        break;
    case WM_LBUTTONUP:
        if (mouseDown_ && !closed_) {
            mouseDown_ = false;
            ChooseCell(cbtnform::CellAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), ClientWidth()));
            Close();
        }
        return 0;
    case WM_ACTIVATE:
        // Another window of the program took over.
        if (LOWORD(wParam) == WA_INACTIVE && !closed_)
            Close();
        break;
    case WM_ACTIVATEAPP:
        // Another program took over; the colour dialog keeps the palette open.
        if (!wParam && !closed_ && !inColorDialog_)
            Close();
        break;
    case WM_NOTIFY: {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
        if (info->hdr.code == TTN_GETDISPINFOA && info->hdr.hwndFrom == HintWindow()) {
            hintText_ = GetColorHintText(CellOfTool(info->hdr.idFrom));
            info->lpszText = hintText_.data();
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return TForm::WndProc(msg, wParam, lParam);
}
