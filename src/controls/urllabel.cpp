#include "controls/urllabel.h"

#include "base/FontProps_core.h"
#include "win/Library.h"

namespace {
const TEnumTypeDesc& LabelTypeType() {
    static const TEnumTypeDesc type{"TLabelType", {"hmHTTP", "hmMAIL", "hmFTP"}};
    return type;
}
} // namespace

TURLLabel::TURLLabel(TComponent* owner, TWinControl* parent, int left, int top, const std::string& caption)
    : TLabel(owner, parent, left, top, caption), cursor_(LoadCursorA(GetModuleHandleA(nullptr), "URLHAND")) {
    ShowLook();
}

const TClassDesc& TURLLabel::PublishedClass() const {
    using T = TURLLabel;
    static const TClassDesc desc(
        "TURLLabel", nullptr,
        {published::Enumeration<T>(
             "LabelType", LabelTypeType(), [](const T& l) { return static_cast<int>(l.LabelType()); },
             [](T& l, std::int64_t v) { l.SetLabelType(static_cast<TLabelType>(v)); }),
         published::Integer<T>(
             "URLColStd", [](const T& l) { return l.URLColStd(); },
             [](T& l, std::int64_t v) { l.SetURLColStd(static_cast<TColor>(v)); }),
         published::Integer<T>(
             "URLColPre", [](const T& l) { return l.URLColPre(); },
             [](T& l, std::int64_t v) { l.SetURLColPre(static_cast<TColor>(v)); }),
         published::Boolean<T>(
             "Effect98", [](const T& l) { return l.Effect98(); }, [](T& l, bool v) { l.SetEffect98(v); }),
         published::String<T>(
             "Caption", [](const T& l) { return l.Caption(); },
             [](T& l, const std::string& v) {
                 l.SetCaption(v);
                 l.AdjustSize();
             }),
         published::Font<T>(
             "Font", [](const T& l) { return l.Font().Desc(); },
             [](T& l, const TFontDesc& v) { l.Font().Assign(v); }),
         published::Boolean<T>(
             "Transparent", [](const T& l) { return l.Transparent(); },
             [](T& l, bool v) { l.SetTransparent(v); }),
         published::String<T>(
             "Hint", [](const T& l) { return l.Hint(); }, [](T& l, const std::string& v) { l.SetHint(v); })});
    return desc;
}

void TURLLabel::SetLabelType(TLabelType type) {
    if (labelType_ == type)
        return;
    labelType_ = type;
    Invalidate();
}

void TURLLabel::SetURLColStd(TColor color) {
    look_.SetURLColStd(color);
    ShowLook();
}

void TURLLabel::SetURLColPre(TColor color) {
    if (look_.SetURLColPre(color))
        Invalidate();
}

void TURLLabel::SetEffect98(bool effect98) {
    if (!look_.SetEffect98(effect98))
        return;
    ShowLook();
    Invalidate();
}

void TURLLabel::ShowLook() {
    TFontDesc desc = Font().Desc();
    desc.color = look_.FontColor();
    desc.style = look_.Underlined() ? FontStyleBit(TFontStyle::fsUnderline) : 0;
    Font().Assign(desc);
}

void TURLLabel::Apply(urllabel::TLinkEvent event) {
    const bool repaint = look_.Apply(event);
    ShowLook();
    if (repaint)
        Invalidate();
}

void TURLLabel::Click() {
    if (OnClick)
        OnClick(this);
    // The shell's answer is of no use here: a missing browser or mail program is the system's to report.
    const std::string target = urllabel::ClickTarget(labelType_, Caption());
    syslib::ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool TURLLabel::MouseButton(UINT msg, LPARAM lParam) {
    using urllabel::TLinkEvent;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The second press of a double-click looks pressed but is no new click: the first one has
        // opened the link already.
        leftPressed_ = msg == WM_LBUTTONDOWN;
        SetCapture(Handle());
        Apply(TLinkEvent::leftDown);
        return true;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        Apply(TLinkEvent::otherDown);
        return true;
    case WM_LBUTTONUP: {
        const bool clicked = leftPressed_;
        leftPressed_ = false;
        if (GetCapture() == Handle())
            ReleaseCapture();
        RECT rc{};
        GetClientRect(Handle(), &rc);
        const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (clicked && PtInRect(&rc, pt))
            Click();
        Apply(TLinkEvent::buttonUp);
        return true;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        Apply(TLinkEvent::buttonUp);
        return true;
    default:
        return false;
    }
}

LRESULT TURLLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCHITTEST:
        // A static control lets the mouse fall through to its parent; the link takes it.
        return HTCLIENT;
    case WM_SETCURSOR:
        if (cursor_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (!mouseInside_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            Apply(urllabel::TLinkEvent::mouseEnter);
        }
        break;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        Apply(urllabel::TLinkEvent::mouseLeave);
        return 0;
    case WM_CAPTURECHANGED:
        leftPressed_ = false;
        break;
    default:
        if (MouseButton(msg, lParam))
            return 0;
        break;
    }
    return TLabel::WndProc(msg, wParam, lParam);
}
