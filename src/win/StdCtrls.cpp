#include "win/StdCtrls.h"

#include "win/Forms.h"

// ---------------------------------------------------------------- TButton

TButton::TButton(TComponent* owner, TWinControl* parent, const TBounds& bounds, const std::string& caption)
    : TWinControl(owner, parent) {
    SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    SetTabStop(true);
    TCreateParams params;
    params.className = "BUTTON";
    params.style |= BS_OWNERDRAW;
    params.caption = caption;
    CreateHandle(params);
}

void TButton::SetGlyph(const char* resourceName, int numGlyphs) {
    glyph_ = LoadBitmapResource(resourceName);
    numGlyphs_ = numGlyphs < 1 ? 1 : numGlyphs;
    Invalidate();
}

void TButton::SetDefault(bool isDefault) {
    default_ = isDefault;
    if (TForm* form = GetParentForm(this))
        form->SetDefaultButton(isDefault ? this : nullptr);
    Invalidate();
}

void TButton::Click() {
    if (modalResult_ != 0)
        if (TForm* form = GetParentForm(this))
            form->SetModalResult(modalResult_);
    if (OnClick)
        OnClick(this);
}

void TButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED)
        Click();
}

LRESULT TButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETDLGCODE) {
        // An owner-drawn button still answers as a push button, so Enter and mnemonics reach it.
        return (default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON) | DLGC_BUTTON;
    }
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS)
        Invalidate();
    return TWinControl::WndProc(msg, wParam, lParam);
}

bool TButton::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    if (default_ || focused) {
        FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&rc, -1, -1);
    }
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED | DFCS_FLAT : 0));
    const int shift = pushed ? 1 : 0;

    const std::string caption = Caption();
    SelectionScope font(dc, Font().Handle());
    SIZE textSize{};
    RECT measure{0, 0, 0, 0};
    if (!caption.empty()) {
        DrawTextA(dc, caption.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
        textSize = {measure.right, measure.bottom};
    }
    int glyphW = 0, glyphH = 0;
    if (glyph_) {
        BITMAP info{};
        GetObjectA(glyph_.get(), sizeof info, &info);
        glyphW = info.bmWidth / numGlyphs_;
        glyphH = info.bmHeight;
    }
    const int spacing = (glyphW && textSize.cx) ? 4 : 0;
    const int total = glyphW + spacing + textSize.cx;
    int x = (rc.left + rc.right - total) / 2 + shift;
    const int midY = (rc.top + rc.bottom) / 2 + shift;
    if (glyph_) {
        if (disabled && numGlyphs_ > 1) {
            DrawTransparentBitmap(dc, glyph_.get(), glyphW, 0, glyphW, glyphH, x, midY - glyphH / 2);
        } else if (disabled) {
            // Without a disabled image of its own, the glyph is drawn embossed in grey.
            DrawDisabledBitmap(dc, glyph_.get(), 0, 0, glyphW, glyphH, x, midY - glyphH / 2);
        } else {
            DrawTransparentBitmap(dc, glyph_.get(), 0, 0, glyphW, glyphH, x, midY - glyphH / 2);
        }
        x += glyphW + spacing;
    }
    if (!caption.empty()) {
        SetBkMode(dc, TRANSPARENT);
        RECT textRect{x, midY - textSize.cy / 2, x + textSize.cx, midY - textSize.cy / 2 + textSize.cy};
        if (disabled) {
            OffsetRect(&textRect, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextA(dc, caption.c_str(), -1, &textRect, DT_SINGLELINE);
            OffsetRect(&textRect, -1, -1);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        } else {
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        }
        DrawTextA(dc, caption.c_str(), -1, &textRect, DT_SINGLELINE);
    }
    if (focused) {
        RECT focus = rc;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
    return true;
}

// ---------------------------------------------------------------- TGroupBox

TGroupBox::TGroupBox(TComponent* owner, TWinControl* parent, const TBounds& bounds,
                     const std::string& caption)
    : TWinControl(owner, parent) {
    SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    TCreateParams params;
    params.className = "BUTTON";
    params.style |= BS_GROUPBOX | WS_CLIPCHILDREN;
    params.exStyle = WS_EX_CONTROLPARENT;
    params.caption = caption;
    CreateHandle(params);
}

LRESULT TGroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        // Drawn here rather than by the system, which under themes ignores the caption's font colour.
        PaintScope paint(Handle());
        HDC dc = paint.get();
        RECT rc;
        GetClientRect(Handle(), &rc);
        FillRect(dc, &rc, BackgroundBrush());
        SelectionScope font(dc, Font().Handle());
        const std::string caption = Caption();
        SIZE text{};
        GetTextExtentPoint32A(dc, caption.empty() ? " " : caption.c_str(),
                              caption.empty() ? 1 : static_cast<int>(caption.size()), &text);
        RECT frame{rc.left, rc.top + text.cy / 2, rc.right, rc.bottom};
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        if (!caption.empty()) {
            RECT label{8, 0, 8 + text.cx + 2, text.cy};
            FillRect(dc, &label, BackgroundBrush());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, IsWindowEnabled(Handle()) ? ColorToRGB(Font().Desc().color)
                                                       : GetSysColor(COLOR_GRAYTEXT));
            OffsetRect(&label, 1, 0);
            DrawTextA(dc, caption.c_str(), -1, &label, DT_SINGLELINE | DT_LEFT | DT_TOP);
        }
        return 0;
    }
    if (msg == WM_ERASEBKGND) {
        // The system's group box leaves its inside unpainted, which a parent clipping its children
        // would never paint either.
        RECT rc;
        GetClientRect(Handle(), &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, BackgroundBrush());
        return 1;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------- TPanel

void Frame3D(HDC dc, RECT& rc, TColor topLeft, TColor bottomRight, int width) {
    BrushHandle light(CreateSolidBrush(ColorToRGB(topLeft)));
    BrushHandle dark(CreateSolidBrush(ColorToRGB(bottomRight)));
    for (int i = 0; i < width; ++i) {
        RECT top{rc.left, rc.top, rc.right - 1, rc.top + 1};
        RECT left{rc.left, rc.top, rc.left + 1, rc.bottom - 1};
        RECT bottom{rc.left, rc.bottom - 1, rc.right, rc.bottom};
        RECT right{rc.right - 1, rc.top, rc.right, rc.bottom};
        FillRect(dc, &top, light.get());
        FillRect(dc, &left, light.get());
        FillRect(dc, &bottom, dark.get());
        FillRect(dc, &right, dark.get());
        InflateRect(&rc, -1, -1);
    }
}

TPanel::TPanel(TComponent* owner, TWinControl* parent, const TBounds& bounds) : TWinControl(owner, parent) {
    SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    SetOwnerPainted(true);
    TCreateParams params;
    params.style |= WS_CLIPCHILDREN;
    params.exStyle = WS_EX_CONTROLPARENT;
    CreateHandle(params);
}

void TPanel::SetBevels(TBevelCut outer, TBevelCut inner, int width) {
    outer_ = outer;
    inner_ = inner;
    bevelWidth_ = width;
    Invalidate();
}

void TPanel::Paint(HDC dc) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    FillRect(dc, &rc, BackgroundBrush());
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone)
            return;
        const bool raised = cut == TBevelCut::bvRaised;
        Frame3D(dc, rc, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight,
                bevelWidth_);
    };
    bevel(outer_);
    bevel(inner_);
}

// ---------------------------------------------------------------- TLabel

TLabel::TLabel(TComponent* owner, TWinControl* parent, int left, int top, const std::string& caption)
    : TWinControl(owner, parent) {
    SetBounds(left, top, 10, 13);
    TCreateParams params;
    params.className = "STATIC";
    params.style |= SS_LEFT;
    params.caption = caption;
    CreateHandle(params);
    AdjustSize();
}

void TLabel::AdjustSize() {
    WindowDc dc(Handle());
    SelectionScope font(dc.get(), Font().Handle());
    const std::string text = Caption();
    RECT rc{0, 0, 0, 0};
    DrawTextA(dc.get(), text.empty() ? " " : text.c_str(), -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    SetBounds(Left(), Top(), rc.right, rc.bottom);
}

void TLabel::FontChanged() {
    TWinControl::FontChanged();
    AdjustSize();
}

HBRUSH TLabel::CtlColor(HDC dc) {
    // The static control fills its whole rectangle with the brush; a hollow brush would leave whatever
    // was there before. A transparent label stands on its parent's colour, which it took at creation.
    const HBRUSH brush = TWinControl::CtlColor(dc);
    if (transparent_)
        SetBkMode(dc, TRANSPARENT);
    return brush;
}

// ---------------------------------------------------------------- TEdit

TEdit::TEdit(TComponent* owner, TWinControl* parent, const TBounds& bounds, DWORD extraStyle)
    : TWinControl(owner, parent) {
    SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    SetTabStop(true);
    SetColor(clWindow);
    TCreateParams params;
    params.className = "EDIT";
    params.style |= ES_AUTOHSCROLL | extraStyle;
    params.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(params);
}

void TEdit::CommandNotify(WORD code) {
    if (code == EN_CHANGE && OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------- TListBox

TListBox::TListBox(TComponent* owner, TWinControl* parent, const TBounds& bounds, bool border)
    : TWinControl(owner, parent) {
    SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    SetTabStop(true);
    TCreateParams params;
    params.className = "LISTBOX";
    params.style |= LBS_NOTIFY | (border ? WS_BORDER : 0);
    CreateHandle(params);
}

void TListBox::SetItemHeight(int height) {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
    // Whole items only: the height is fitted to the new item height.
    SetBounds(Left(), Top(), Width(), Height());
}

void TListBox::AddItem(const std::string& item) {
    SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int TListBox::Count() const {
    return static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0));
}

// ---------------------------------------------------------------- TBevel

TBevel::TBevel(TComponent* owner, TWinControl* parent, const TBounds& bounds, TBevelShape shape)
    : TWinControl(owner, parent), shape_(shape) {
    SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    SetOwnerPainted(true);
    TCreateParams params;
    params.exStyle = WS_EX_TRANSPARENT;
    CreateHandle(params);
}

LRESULT TBevel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCHITTEST)
        return HTTRANSPARENT;
    return TWinControl::WndProc(msg, wParam, lParam);
}

void TBevel::Paint(HDC dc) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    BrushHandle shadow(CreateSolidBrush(ColorToRGB(clBtnShadow)));
    BrushHandle light(CreateSolidBrush(ColorToRGB(clBtnHighlight)));
    if (shape_ == TBevelShape::bsBottomLine) {
        RECT line{rc.left, rc.bottom - 2, rc.right, rc.bottom - 1};
        FillRect(dc, &line, shadow.get());
        line = {rc.left, rc.bottom - 1, rc.right, rc.bottom};
        FillRect(dc, &line, light.get());
        return;
    }
    // A lowered frame: a shadow rectangle with a highlight one a pixel further right and down.
    RECT outer{rc.left, rc.top, rc.right - 1, rc.bottom - 1};
    FrameRect(dc, &outer, shadow.get());
    RECT inner{rc.left + 1, rc.top + 1, rc.right, rc.bottom};
    FrameRect(dc, &inner, light.get());
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* owner, TWinControl* parent, const TBounds& bounds) : TWinControl(owner, parent) {
    SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    SetOwnerPainted(true);
    TCreateParams params;
    CreateHandle(params);
}

LRESULT TImage::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCHITTEST)
        return HTTRANSPARENT;
    return TWinControl::WndProc(msg, wParam, lParam);
}

void TImage::SetBitmap(const char* resourceName) {
    bitmap_ = LoadBitmapResource(resourceName);
    Invalidate();
}

void TImage::SetIcon(const char* resourceName, bool stretch) {
    icon_ = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), resourceName, IMAGE_ICON, 32, 32, LR_SHARED));
    stretch_ = stretch;
    Invalidate();
}

void TImage::Paint(HDC dc) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    FillRect(dc, &rc, BackgroundBrush());
    if (bitmap_) {
        BITMAP info{};
        GetObjectA(bitmap_.get(), sizeof info, &info);
        MemoryDc source(CreateCompatibleDC(dc));
        SelectionScope select(source.get(), bitmap_.get());
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    } else if (icon_) {
        DrawIconEx(dc, 0, 0, icon_, stretch_ ? rc.right : 32, stretch_ ? rc.bottom : 32, 0, nullptr,
                   DI_NORMAL);
    }
}
