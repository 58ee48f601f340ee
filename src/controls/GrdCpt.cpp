#include "controls/GrdCpt.h"

namespace {
// Widths of the texts of the caption bar, measured on a screen device context in their fonts.
class ScreenMeasurer : public grdcpt::TPieceMeasurer {
  public:
    ScreenMeasurer(TCaptionPieceList& pieces, const TFont& captionFont)
        : pieces_(pieces), captionFont_(captionFont), dc_(nullptr) {}
    int TextWidth(int font, const std::string& text) const override {
        const TFont& f = font == grdcpt::kCaptionFont ? captionFont_ : pieces_.Items(font)->Font();
        SelectionScope select(dc_.get(), f.Handle());
        SIZE size{};
        GetTextExtentPoint32A(dc_.get(), text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

  private:
    TCaptionPieceList& pieces_;
    const TFont& captionFont_;
    WindowDc dc_;
};
} // namespace

// ------------------------------------------------------------------------------- TCaptionPiece

TCaptionPiece::TCaptionPiece(TCaptionPieceList& list) : list_(list) {
    if (TGradientCaption* owner = list_.Owner())
        font_.Assign(owner->Font().Desc());
    else
        font_.SetColor(clCaptionText);
    font_.OnChange = [this] {
        if (!takingParentFont_)
            parentFont_ = false;
        Changed();
    };
}

void TCaptionPiece::SetCaption(const std::string& caption) {
    if (caption_ != caption) {
        caption_ = caption;
        Changed();
    }
}

void TCaptionPiece::SetParentFont(bool parentFont) {
    parentFont_ = parentFont;
    if (parentFont)
        TakeParentFont();
    Changed();
}

void TCaptionPiece::TakeParentFont() {
    TGradientCaption* owner = list_.Owner();
    if (!owner)
        return;
    takingParentFont_ = true;
    font_.Assign(owner->Font().Desc());
    takingParentFont_ = false;
}

void TCaptionPiece::SetInactiveColor(TColor color) {
    if (inactiveColor_ == color)
        return;
    inactiveColor_ = color;
    // Only an inactive bar shows it.
    if (!list_.Owner() || !list_.Owner()->IsFormActive())
        Changed();
}

void TCaptionPiece::SetGlueNext(bool glue) {
    if (glueNext_ != glue) {
        glueNext_ = glue;
        Changed();
    }
}

void TCaptionPiece::SetVisible(bool visible) {
    if (visible_ != visible) {
        visible_ = visible;
        Changed();
    }
}

void TCaptionPiece::Assign(const TCaptionPiece& other) {
    list_.BeginUpdate();
    caption_ = other.caption_;
    SetParentFont(other.parentFont_);
    if (!other.parentFont_)
        font_.Assign(other.font_.Desc());
    inactiveColor_ = other.inactiveColor_;
    glueNext_ = other.glueNext_;
    visible_ = other.visible_;
    list_.EndUpdate();
}

void TCaptionPiece::Changed() {
    list_.Changed();
}

// --------------------------------------------------------------------------- TCaptionPieceList

TCaptionPiece* TCaptionPieceList::Add(const std::string& caption) {
    items_.push_back(std::make_unique<TCaptionPiece>(*this));
    TCaptionPiece* piece = items_.back().get();
    piece->SetCaption(caption);
    Changed();
    return piece;
}

void TCaptionPieceList::Clear() {
    items_.clear();
    Changed();
}

void TCaptionPieceList::EndUpdate() {
    if (--updates_ == 0)
        Changed();
}

void TCaptionPieceList::Changed() {
    if (updates_ == 0 && owner_)
        owner_->Repaint();
}

// --------------------------------------------------------------------------- TGradientCaption

TGradientCaption::TGradientCaption(TComponent* owner) : TComponent(owner), captions_(this) {
    font_.OnChange = [this] { FontChanged(); };
    hook_.BeforeMessage = [this](TMessage& m) { BeforeMessage(m); };
    hook_.AfterMessage = [this](const TMessage& m) { AfterMessage(m); };
    LoadSystemCaptionFont();
}

TGradientCaption::~TGradientCaption() {
    destroying_ = true;
    OnActivate = nullptr;
    OnDeactivate = nullptr;
    hook_.SetWinControl(nullptr);
}

TForm* TGradientCaption::Form() const {
    return dynamic_cast<TForm*>(Owner());
}

bool TGradientCaption::Active() const {
    const DWORD version = GetVersion();
    return active_ && LOBYTE(LOWORD(version)) >= 4 && Form();
}

void TGradientCaption::SetActive(bool active) {
    if (active_ == active)
        return;
    active_ = active;
    rightButtonDown_ = false;
    UpdateCaption();
    if (destroying_ || loading_)
        return;
    const TNotifyEvent& event = active ? OnActivate : OnDeactivate;
    if (event)
        event(this);
}

void TGradientCaption::SetDefaultFont(bool useDefault) {
    if (useDefault == defaultFont_)
        return;
    if (useDefault)
        LoadSystemCaptionFont();
    else
        defaultFont_ = false;
    Repaint();
}

void TGradientCaption::SetFormCaption(const std::string& caption) {
    if (formCaption_ != caption) {
        formCaption_ = caption;
        Repaint();
    }
}

void TGradientCaption::SetFontInactiveColor(TColor color) {
    if (fontInactiveColor_ != color) {
        fontInactiveColor_ = color;
        Repaint(!isFormActive_);
    }
}

void TGradientCaption::SetGradientActive(bool gradient) {
    if (gradientActive_ != gradient) {
        gradientActive_ = gradient;
        Repaint(isFormActive_);
    }
}

void TGradientCaption::SetGradientInactive(bool gradient) {
    if (gradientInactive_ != gradient) {
        gradientInactive_ = gradient;
        Repaint(!isFormActive_);
    }
}

void TGradientCaption::SetGradientSteps(int steps) {
    if (gradientSteps_ != steps) {
        gradientSteps_ = steps;
        Repaint(isFormActive_ ? gradientActive_ : gradientInactive_);
    }
}

void TGradientCaption::SetHideDirection(grdcpt::THideDirection direction) {
    if (hideDirection_ != direction) {
        hideDirection_ = direction;
        Repaint();
    }
}

void TGradientCaption::SetPopupMenu(TPopupMenu* menu) {
    popupMenu_ = menu;
    if (menu)
        menu->FreeNotification(this);
}

void TGradientCaption::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popupMenu_)
        popupMenu_ = nullptr;
}

void TGradientCaption::SetStartColor(TColor color) {
    if (startColor_ != color) {
        startColor_ = color;
        Repaint();
    }
}

void TGradientCaption::Repaint(bool when) {
    if (when && !loading_ && Active())
        UpdateCaption();
}

void TGradientCaption::LoadSystemCaptionFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    TFontDesc desc;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        const TForm* form = Form();
        const bool toolWindow =
            form && (GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
        const LOGFONTA& lf = toolWindow ? metrics.lfSmCaptionFont : metrics.lfCaptionFont;
        desc.name = lf.lfFaceName;
        desc.height = lf.lfHeight;
        desc.style = (lf.lfWeight >= FW_BOLD ? FontStyleBit(TFontStyle::fsBold) : 0) |
                     (lf.lfItalic ? FontStyleBit(TFontStyle::fsItalic) : 0);
    } else {
        desc.name = "MS Sans Serif";
        desc.SetSize(8, ScreenPixelsPerInch());
        desc.style = FontStyleBit(TFontStyle::fsBold);
    }
    desc.color = clCaptionText;
    desc.charset = DEFAULT_CHARSET_VALUE;
    loadingFont_ = true;
    font_.Assign(desc);
    loadingFont_ = false;
    defaultFont_ = true;
    CopyFontIntoParentFontPieces();
}

void TGradientCaption::FontChanged() {
    if (loadingFont_)
        return;
    defaultFont_ = false;
    CopyFontIntoParentFontPieces();
}

void TGradientCaption::CopyFontIntoParentFontPieces() {
    captions_.BeginUpdate();
    for (int i = 0; i < captions_.Count(); ++i)
        if (captions_.Items(i)->ParentFont())
            captions_.Items(i)->TakeParentFont();
    captions_.EndUpdate();
}

void TGradientCaption::Loaded() {
    loading_ = false;
    UpdateCaption();
}

void TGradientCaption::UpdateCaption() {
    TForm* form = Form();
    if (loading_ || !form)
        return;
    const bool active = Active();
    hook_.SetWinControl(active ? form : nullptr);
    HWND wnd = form->Handle();
    // Also while hidden: a form can be the active window before it is shown, and then its showing
    // brings no activation message.
    const HWND foreground = GetActiveWindow();
    isFormActive_ = active && wnd && foreground == wnd &&
                    GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId();
    if (!wnd || !IsWindowVisible(wnd))
        return;
    RECT rc{};
    GetWindowRect(wnd, &rc);
    RegionHandle region(CreateRectRgnIndirect(&rc));
    SendMessageA(wnd, WM_NCPAINT, reinterpret_cast<WPARAM>(region.get()), 0);
}

grdcpt::TCaptionBorder TGradientCaption::Border() const {
    TForm* form = Form();
    if (!form)
        return grdcpt::TCaptionBorder::bsNone;
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE));
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(form->Handle(), GWL_STYLE));
    if ((style & WS_CAPTION) != WS_CAPTION)
        return grdcpt::TCaptionBorder::bsNone;
    if (exStyle & WS_EX_TOOLWINDOW)
        return (style & WS_THICKFRAME) ? grdcpt::TCaptionBorder::bsSizeToolWin
                                       : grdcpt::TCaptionBorder::bsToolWindow;
    switch (form->BorderStyle()) {
    case TBorderStyle::bsDialog:
        return grdcpt::TCaptionBorder::bsDialog;
    case TBorderStyle::bsSizeable:
        return grdcpt::TCaptionBorder::bsSizeable;
    case TBorderStyle::bsSingle:
    default:
        return grdcpt::TCaptionBorder::bsSingle;
    }
}

grdcpt::TRect TGradientCaption::GetCaptionRect(unsigned* buttons) const {
    TForm* form = Form();
    RECT rc{};
    if (form)
        GetWindowRect(form->Handle(), &rc);
    const auto style = form ? static_cast<DWORD>(GetWindowLongPtrA(form->Handle(), GWL_STYLE)) : 0;
    const auto exStyle = form ? static_cast<DWORD>(GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE)) : 0;
    const unsigned icons = ((style & WS_SYSMENU) ? grdcpt::biSystemMenu : 0u) |
                           ((style & WS_MINIMIZEBOX) ? grdcpt::biMinimize : 0u) |
                           ((style & WS_MAXIMIZEBOX) ? grdcpt::biMaximize : 0u) |
                           ((exStyle & WS_EX_CONTEXTHELP) ? grdcpt::biHelp : 0u);
    const grdcpt::TCaptionBorder border = Border();
    if (buttons)
        *buttons = grdcpt::EffectiveButtons(border, icons);
    const grdcpt::TCaptionMetrics metrics{GetSystemMetrics(SM_CXFRAME),     GetSystemMetrics(SM_CYFRAME),
                                          GetSystemMetrics(SM_CXDLGFRAME),  GetSystemMetrics(SM_CYDLGFRAME),
                                          GetSystemMetrics(SM_CYCAPTION),   GetSystemMetrics(SM_CXSIZE),
                                          GetSystemMetrics(SM_CYSMCAPTION), GetSystemMetrics(SM_CXSMSIZE)};
    return grdcpt::CaptionRect({rc.left, rc.top, rc.right, rc.bottom}, border, icons, metrics);
}

void TGradientCaption::BeforeMessage(TMessage& m) {
    if (!Active())
        return;
    switch (m.msg) {
    case WM_NCPAINT: {
        // The system paints everything but the bar, which is painted afterwards, once.
        const grdcpt::TRect bar = GetCaptionRect();
        const RECT barRect{bar.left, bar.top, bar.right, bar.bottom};
        substituteRegion_.reset();
        RegionHandle whole;
        auto region = reinterpret_cast<HRGN>(m.wParam);
        if (m.wParam == 1) {
            RECT rc{};
            GetWindowRect(Form()->Handle(), &rc);
            whole.reset(CreateRectRgnIndirect(&rc));
            region = whole.get();
        }
        if (region && RectInRegion(region, &barRect)) {
            RegionHandle barRegion(CreateRectRgnIndirect(&barRect));
            substituteRegion_.reset(CreateRectRgn(0, 0, 0, 0));
            CombineRgn(substituteRegion_.get(), region, barRegion.get(), RGN_DIFF);
            m.wParam = reinterpret_cast<WPARAM>(substituteRegion_.get());
        }
        break;
    }
    case WM_NCACTIVATE:
        isFormActive_ = m.wParam != 0;
        break;
    case WM_NCRBUTTONDOWN:
        if (popupMenu_ && popupMenu_->AutoPopup()) {
            rightButtonDown_ = true;
            m.result = 0;
            m.handled = true;
        }
        break;
    case WM_NCRBUTTONUP:
        if (rightButtonDown_) {
            rightButtonDown_ = false;
            if (popupMenu_ && Form()) {
                ReleaseCapture();
                popupMenu_->Popup(static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam)),
                                  this, Form()->Handle());
            }
            m.result = 0;
            m.handled = true;
        }
        break;
    default:
        break;
    }
}

void TGradientCaption::AfterMessage(const TMessage& m) {
    if (m.msg == WM_NCPAINT)
        substituteRegion_.reset();
    if (!Active() || !Form())
        return;
    // The system redraws its caption bar also when the window's text changes.
    if (m.msg == WM_NCPAINT || m.msg == WM_NCACTIVATE || m.msg == WM_SETTEXT) {
        const WindowDc dc(Form()->Handle(), WindowDc::WholeWindow);
        if (dc.get())
            PaintCaption(dc.get());
    }
}

void TGradientCaption::PaintCaption(HDC windowDc) {
    TForm* form = Form();
    if (!form || Border() == grdcpt::TCaptionBorder::bsNone)
        return;
    unsigned buttons = 0;
    const grdcpt::TRect bar = GetCaptionRect(&buttons);
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    const int width = bar.Width();
    const int height = bar.Height();
    if (width <= 0 || height <= 0)
        return;
    MemoryDc memory(CreateCompatibleDC(windowDc));
    BitmapHandle bitmap(CreateCompatibleBitmap(windowDc, width, height));
    SelectionScope select(memory.get(), bitmap.get());
    PaintBackground(memory.get(), width, height);
    int x = 0;
    if (grdcpt::ShowsIcon(Border(), buttons))
        x = PaintIcon(memory.get(), height);
    if (!formCaption_.empty() || captions_.Count() > 0)
        PaintPieces(memory.get(), x + 2, width, height);
    BitBlt(windowDc, bar.left - window.left, bar.top - window.top, width, height, memory.get(), 0, 0,
           SRCCOPY);
}

void TGradientCaption::PaintBackground(HDC dc, int width, int height) const {
    const TColor end = isFormActive_ ? clActiveCaption : clInactiveCaption;
    const bool gradient = isFormActive_ ? gradientActive_ : gradientInactive_;
    // The ramp starts a quarter of the width left of the bar: a fifth of it lies out of sight.
    const int origin = -(width / 4);
    std::vector<grdcpt::TBand> bands;
    if (gradient)
        bands =
            grdcpt::GradientBands(origin, width - origin, static_cast<TColor>(ColorToRGB(startColor_)),
                                  static_cast<TColor>(ColorToRGB(end)), grdcpt::TFillDirection::fdLeftToRight,
                                  static_cast<unsigned char>(gradientSteps_ & 0xFF));
    else
        bands.push_back({origin, width, static_cast<TColor>(ColorToRGB(end))});
    for (const grdcpt::TBand& band : bands) {
        const RECT rc{band.from, 0, band.to, height};
        SetBkColor(dc, static_cast<COLORREF>(band.color));
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, "", 0, nullptr);
    }
}

int TGradientCaption::PaintIcon(HDC dc, int height) const {
    const int iconWidth = GetSystemMetrics(SM_CXSMICON);
    const int iconHeight = GetSystemMetrics(SM_CYSMICON);
    HWND wnd = Form()->Handle();
    // The window's and the system's icons are borrowed; only the one loaded here is destroyed.
    IconHandle loaded;
    HICON icon = reinterpret_cast<HICON>(SendMessageA(wnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(wnd, GCLP_HICONSM));
    if (!icon) {
        loaded.reset(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, iconWidth, iconHeight, 0)));
        icon = loaded.get();
    }
    if (!icon)
        icon = LoadIconA(nullptr, IDI_APPLICATION);
    DrawIconEx(dc, 1 + (height - iconWidth) / 2, (height - iconHeight) / 2, icon, iconWidth, iconHeight, 0,
               nullptr, DI_NORMAL);
    return height;
}

TColor TGradientCaption::PieceColor(int font) const {
    if (font == grdcpt::kCaptionFont)
        return isFormActive_ ? font_.Desc().color : fontInactiveColor_;
    const TCaptionPiece* piece = captions_.Items(font);
    return isFormActive_ ? piece->Font().Desc().color : piece->InactiveColor();
}

void TGradientCaption::PaintPieces(HDC dc, int x, int width, int height) {
    std::vector<grdcpt::TPieceInfo> pieces;
    for (int i = 0; i < captions_.Count(); ++i) {
        const TCaptionPiece* piece = captions_.Items(i);
        pieces.push_back({piece->Caption(), piece->Visible(), piece->GlueNext()});
    }
    const ScreenMeasurer measurer(captions_, font_);
    SetBkMode(dc, TRANSPARENT);
    for (const grdcpt::TDrawnText& text :
         grdcpt::LayoutPieces(pieces, formCaption_, x, width, hideDirection_, measurer)) {
        const TFont& font = text.font == grdcpt::kCaptionFont ? font_ : captions_.Items(text.font)->Font();
        SelectionScope selectFont(dc, font.Handle());
        SetTextColor(dc, ColorToRGB(PieceColor(text.colorOf)));
        RECT rc{text.x, 0, width, height};
        DrawTextA(dc, text.text.c_str(), static_cast<int>(text.text.size()), &rc,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    }
}
