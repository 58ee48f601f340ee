#include "controls/BtChkBox.h"

#include <utility>
#include <vector>

namespace {
const char* ResourceName(TCheckBoxState state) {
    switch (state) {
    case TCheckBoxState::cbChecked:
        return "CHECKED";
    case TCheckBoxState::cbGrayed:
        return "GRAYED";
    case TCheckBoxState::cbUnchecked:
    default:
        return "UNCHECKED";
    }
}

BitmapHandle CopyBitmap(HBITMAP source) {
    return BitmapHandle(static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

class DcMeasurer : public btchkbox::TTextMeasurer {
  public:
    explicit DcMeasurer(HDC dc) : dc_(dc) {}
    int TextWidth(const std::string& text) const override {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    int TextHeight(const std::string& text) const override {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cy;
    }

  private:
    HDC dc_;
};
} // namespace

BitmapHandle BuiltInCheckBoxGlyph(TCheckBoxState state) {
    BitmapHandle fromResource = LoadBitmapResource(ResourceName(state));
    if (fromResource)
        return fromResource;
    // Without the resource the same picture is made from the pixel table.
    const btchkbox::TGlyphRows& rows = state == TCheckBoxState::cbChecked  ? btchkbox::checkedGlyph
                                       : state == TCheckBoxState::cbGrayed ? btchkbox::grayedGlyph
                                                                           : btchkbox::uncheckedGlyph;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = btchkbox::glyphWidth;
    info.bmiHeader.biHeight = -btchkbox::glyphHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return bitmap;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < btchkbox::glyphHeight; ++y)
        for (int x = 0; x < btchkbox::glyphWidth; ++x) {
            const char c = rows[static_cast<std::size_t>(y)][x];
            const int index = c >= 'A' ? c - 'A' + 10 : c - '0';
            pixels[y * btchkbox::glyphWidth + x] = btchkbox::standardPalette[static_cast<std::size_t>(index)];
        }
    return bitmap;
}

TBitCheckBox::TBitCheckBox(TComponent* owner, TWinControl* parent, const TBounds& bounds,
                           const std::string& caption)
    : TWinControl(owner, parent) {
    SetOwnerPainted(true);
    SetTabStop(true);
    SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    TCreateParams params;
    params.caption = caption;
    CreateHandle(params);
    for (auto state : {TCheckBoxState::cbUnchecked, TCheckBoxState::cbChecked, TCheckBoxState::cbGrayed}) {
        glyphs_[Index(state)] = BuiltInCheckBoxGlyph(state);
        numGlyphs_[Index(state)] = 1;
    }
}

const TClassDesc& TBitCheckBox::PublishedClass() const {
    static const TClassDesc desc("TBitCheckBox", nullptr,
                                 {published::Boolean<TBitCheckBox>(
                                     "Checked", [](const TBitCheckBox& c) { return c.Checked(); },
                                     [](TBitCheckBox& c, bool v) { c.SetChecked(v); })});
    return desc;
}

void TBitCheckBox::SetState(TCheckBoxState state) {
    if (state == state_)
        return;
    state_ = state;
    Invalidate();
}

void TBitCheckBox::SetAlignment(TLeftRight alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    Invalidate();
}

void TBitCheckBox::SetCtl3D(bool ctl3D) {
    ctl3D_ = ctl3D;
    Invalidate();
}

void TBitCheckBox::SetGlyph(TCheckBoxState state, HBITMAP bitmap) {
    BitmapHandle& glyph = glyphs_[Index(state)];
    glyph = bitmap ? CopyBitmap(bitmap) : BuiltInCheckBoxGlyph(state);
    BITMAP info{};
    if (glyph)
        GetObjectA(glyph.get(), sizeof info, &info);
    if (auto count = btchkbox::NumGlyphsForGlyph(info.bmWidth, info.bmHeight))
        numGlyphs_[Index(state)] = *count;
    Invalidate();
}

void TBitCheckBox::SetNumGlyphs(TCheckBoxState state, int count) {
    numGlyphs_[Index(state)] = btchkbox::ClampNumGlyphs(count);
    Invalidate();
}

void TBitCheckBox::AdvanceState() {
    SetState(btchkbox::NextState(state_, allowGrayed_));
}

void TBitCheckBox::Click() {
    AdvanceState();
    if (OnClick)
        OnClick(this);
    if (IsWindowVisible(Handle()) && CanFocus())
        SetFocus();
}

bool TBitCheckBox::DialogChar(char ch) {
    if (!btchkbox::IsAccelerator(ch, Caption()) || !Enabled() || !CanFocus())
        return false;
    SetFocus();
    if (Focused())
        AdvanceState();
    return true;
}

LRESULT TBitCheckBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        // A click is a press and a release over the box.
        pressed_ = true;
        break;
    case WM_LBUTTONDBLCLK:
        // A double click arrives as a second press.
        pressed_ = true;
        return 0;
    case WM_MOUSEMOVE:
        // The mouse is not captured: a move without the button shows that a press of ours was
        // released elsewhere.
        if ((wParam & MK_LBUTTON) == 0)
            pressed_ = false;
        break;
    case WM_LBUTTONUP: {
        const bool pressed = std::exchange(pressed_, false);
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT rc;
        GetClientRect(Handle(), &rc);
        if (pressed && PtInRect(&rc, pt))
            Click();
        return 0;
    }
    case WM_GETDLGCODE: {
        // Only the blank is ours; letters stay dialog characters for the window's accelerators.
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        return message && message->message == WM_CHAR && message->wParam == ' ' ? DLGC_WANTCHARS : 0;
    }
    case WM_CHAR:
        DefaultHandler(msg, wParam, lParam);
        if (wParam == ' ')
            Click();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SYSCOLORCHANGE: {
        const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
        Invalidate();
        return result;
    }
    default:
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

void TBitCheckBox::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, BackgroundBrush());
    SetBkMode(dc, TRANSPARENT);
    SelectionScope font(dc, Font().Handle());

    const int index = Index(state_);
    HBITMAP glyph = glyphs_[index].get();
    BITMAP info{};
    if (glyph)
        GetObjectA(glyph, sizeof info, &info);
    btchkbox::TCheckBoxPaintInput input;
    input.clientWidth = client.right;
    input.clientHeight = client.bottom;
    input.alignment = alignment_;
    input.caption = Caption();
    input.enabled = IsWindowEnabled(Handle()) != FALSE;
    input.glyphWidth = info.bmWidth;
    input.glyphHeight = info.bmHeight;
    input.numGlyphs = numGlyphs_[index];
    const btchkbox::TCheckBoxLayout layout = btchkbox::LayoutCheckBox(input, DcMeasurer(dc));

    RECT text{layout.captionRect.left, layout.captionRect.top, layout.captionRect.right,
              layout.captionRect.bottom};
    const UINT format = DT_SINGLELINE | DT_VCENTER;
    if (input.enabled) {
        SetTextColor(dc, ColorToRGB(Font().Desc().color));
        DrawTextA(dc, input.caption.c_str(), -1, &text, format);
    } else {
        if (ctl3D_) {
            RECT shadow = text;
            OffsetRect(&shadow, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextA(dc, input.caption.c_str(), -1, &shadow, format);
        }
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextA(dc, input.caption.c_str(), -1, &text, format);
    }
    if (Focused())
        DrawFocusRect(dc, &text);
    if (glyph && layout.imageWidth > 0) {
        // Pixels of the glyph's transparent colour show the control's colour.
        DrawTransparentBitmap(dc, glyph, layout.sourceLeft, 0, layout.imageWidth, info.bmHeight,
                              layout.glyphRect.left, layout.glyphRect.top);
    }
}
