#include "win/Controls.h"

#include "win/GraphicControl.h"
#include "win/ToolTips.h"
#include "win/WindowHook.h"

#include "base/SysUtils.h"

#include <mutex>
#include <set>
#include <unordered_map>

namespace {
const char* const kControlClass = "TnwkControl";
const char* const kUnknownException = "Unknown exception";

// The window's rectangle in its parent's client coordinates (the screen's for a top-level window).
TBounds BoundsInParent(HWND wnd, HWND parent) {
    RECT rc;
    GetWindowRect(wnd, &rc);
    if (parent)
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
    return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

// The object of each of our windows, found by its handle. A window property would do, but under Wine
// every property read is a round trip to the window server, and the object is looked up for every
// message. The map only knows this process's windows, so a foreign handle finds nothing.
class TObjectMap {
  public:
    void Bind(HWND wnd, TWinControl* object) {
        const std::lock_guard lock(mutex_);
        objects_[wnd] = object;
    }
    void Unbind(HWND wnd) {
        const std::lock_guard lock(mutex_);
        objects_.erase(wnd);
    }
    TWinControl* Find(HWND wnd) {
        const std::lock_guard lock(mutex_);
        const auto found = objects_.find(wnd);
        return found == objects_.end() ? nullptr : found->second;
    }

  private:
    std::mutex mutex_;
    std::unordered_map<HWND, TWinControl*> objects_;
};

TObjectMap& Objects() {
    static TObjectMap objects;
    return objects;
}

TExceptionHandler& UnhandledExceptionHandler() {
    static TExceptionHandler handler;
    return handler;
}
} // namespace

void SetUnhandledExceptionHandler(TExceptionHandler handler) {
    UnhandledExceptionHandler() = std::move(handler);
}

void ShowUnhandledException(const std::exception& e) noexcept {
    try {
        if (const TExceptionHandler& handler = UnhandledExceptionHandler())
            handler(e);
        else
            MessageBoxA(nullptr, rtl::MessageWithPeriod(rtl::ExceptionText(e)).c_str(), "",
                        MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxA(nullptr, rtl::SOutOfMemory, "", MB_OK | MB_ICONERROR);
    }
}

void ShowCurrentException() noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        ShowUnhandledException(e);
    } catch (...) {
        ShowUnhandledException(Exception(kUnknownException));
    }
}

void RegisterLibraryClass(const char* className, LPCSTR cursor, LPCSTR icon) {
    static std::set<std::string> registered;
    if (!registered.insert(className).second)
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TWinControl::StaticWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = icon ? LoadIconA(wc.hInstance, icon) : nullptr;
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}

TWinControl::TWinControl(TComponent* owner, TWinControl* parent) : TComponent(owner), parent_(parent) {
    if (parent_) {
        font_.Assign(parent_->Font().Desc());
        color_ = parent_->Color();
        id_ = parent_->AllocateChildId();
    }
    font_.OnChange = [this] {
        parentFont_ = false;
        FontChanged();
    };
}

TWinControl::~TWinControl() {
    for (TGraphicControl* graphic : graphics_)
        graphic->parent_ = nullptr;
    for (TWindowHook* hook : hooks_)
        hook->control_ = nullptr;
    if (handle_) {
        HWND wnd = handle_;
        DestroyWindow(wnd);
    }
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
    if (!wnd)
        return nullptr;
    return Objects().Find(wnd);
}

int TWinControl::AllocateChildId() {
    return parent_ ? parent_->AllocateChildId() : 0;
}

HWND TWinControl::HintWindow() {
    return parent_ ? parent_->HintWindow() : nullptr;
}

void TWinControl::CreateHandle(const TCreateParams& params) {
    RegisterLibraryClass(kControlClass);
    DWORD style = params.style;
    if (!visible_)
        style &= ~WS_VISIBLE;
    if (tabStop_)
        style |= WS_TABSTOP;
    HWND parentWnd = parent_ ? parent_->Handle() : params.ownerWnd;
    const char* cls = params.className ? params.className : kControlClass;
    HWND wnd =
        CreateWindowExA(params.exStyle, cls, params.caption.c_str(), style, bounds_.left, bounds_.top,
                        bounds_.width, bounds_.height, parentWnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr), this);
    if (!wnd)
        throw Exception("Cannot create a window of class " + std::string(cls));
    Attach(wnd);
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    if (!enabled_)
        EnableWindow(handle_, FALSE);
}

void TWinControl::Attach(HWND wnd) {
    handle_ = wnd;
    Objects().Bind(wnd, this);
    // A window of a library class was bound at its creation and already runs our procedure.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC)) == &TWinControl::StaticWndProc)
        return;
    systemProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::StaticWndProc)));
}

TWinControl* TWinControl::BindAtCreation(HWND wnd, LPARAM createStruct) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(createStruct);
    auto* self = create ? static_cast<TWinControl*>(create->lpCreateParams) : nullptr;
    if (!self)
        return nullptr;
    self->handle_ = wnd;
    self->systemProc_ = DefWindowProcA;
    Objects().Bind(wnd, self);
    return self;
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    TWinControl* self = FromHandle(wnd);
    if (!self && msg == WM_NCCREATE)
        self = BindAtCreation(wnd, lParam);
    if (!self)
        return DefWindowProcA(wnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        const WNDPROC proc = self->systemProc_;
        Objects().Unbind(wnd);
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
        self->handle_ = nullptr;
        return CallWindowProcA(proc, wnd, msg, wParam, lParam);
    }
    try {
        if (!self->hooks_.empty())
            return self->HookedWndProc(msg, wParam, lParam);
        return self->WndProc(msg, wParam, lParam);
    } catch (...) {
        ShowCurrentException();
        return 0;
    }
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(systemProc_, handle_, msg, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (lParam) {
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
                child->CommandNotify(HIWORD(wParam));
                return 0;
            }
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (TWinControl* child = FromHandle(item->hwndItem))
            if (child->DrawItem(*item))
                return TRUE;
        break;
    }
    case WM_ERASEBKGND:
        if (ownPaint_)
            return 1;
        if (!systemProc_ || systemProc_ == DefWindowProcA) {
            RECT rc;
            GetClientRect(handle_, &rc);
            FillRect(reinterpret_cast<HDC>(wParam), &rc, BackgroundBrush());
            return 1;
        }
        break;
    case WM_PAINT:
        if (ownPaint_ || (!graphics_.empty() && systemProc_ == DefWindowProcA)) {
            PaintScope paint(handle_);
            Paint(paint.get());
            PaintGraphics(paint.get());
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (ownPaint_ || (!graphics_.empty() && systemProc_ == DefWindowProcA)) {
            Paint(reinterpret_cast<HDC>(wParam));
            PaintGraphics(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        break;
    case WM_SHOWWINDOW:
        for (TGraphicControl* graphic : graphics_)
            graphic->ShowingChanged();
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == handle_ && SetGraphicCursor())
            return TRUE;
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (RouteMouse(msg, wParam, lParam))
            return 0;
        break;
    case WM_SIZE:
    case WM_MOVE:
        bounds_ = BoundsInParent(handle_, parent_ ? parent_->Handle() : nullptr);
        break;
    default:
        break;
    }
    return DefaultHandler(msg, wParam, lParam);
}

void TWinControl::CommandNotify(WORD) {}

HBRUSH TWinControl::CtlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(font_.Desc().color));
    SetBkColor(dc, ColorToRGB(color_));
    return BackgroundBrush();
}

HBRUSH TWinControl::BackgroundBrush() {
    if (!brush_ || brushColor_ != color_) {
        brush_.reset(CreateSolidBrush(ColorToRGB(color_)));
        brushColor_ = color_;
    }
    return brush_.get();
}

void TWinControl::Paint(HDC) {}

bool TWinControl::DrawItem(const DRAWITEMSTRUCT&) {
    return false;
}

void TWinControl::FontChanged() {
    if (!handle_)
        return;
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    // Children that take their parent's font follow it.
    for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        TWinControl* c = FromHandle(child);
        if (c && c->parent_ == this && c->parentFont_) {
            c->font_.Assign(font_.Desc());
            c->parentFont_ = true;
        }
    }
    Invalidate();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    bounds_ = {left, top, width, height};
    if (handle_)
        MoveWindow(handle_, left, top, width, height, TRUE);
}

int TWinControl::ClientWidth() const {
    RECT rc{};
    GetClientRect(handle_, &rc);
    return rc.right;
}

int TWinControl::ClientHeight() const {
    RECT rc{};
    GetClientRect(handle_, &rc);
    return rc.bottom;
}

std::string TWinControl::Caption() const {
    if (!handle_)
        return {};
    const int length = GetWindowTextLengthA(handle_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(handle_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void TWinControl::SetCaption(const std::string& text) {
    if (handle_ && Caption() != text) {
        SetWindowTextA(handle_, text.c_str());
        Invalidate();
    }
}

void TWinControl::SetVisible(bool visible) {
    visible_ = visible;
    if (handle_)
        ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (handle_) {
        EnableWindow(handle_, enabled ? TRUE : FALSE);
        Invalidate();
    }
}

void TWinControl::SetColor(TColor color) {
    color_ = color;
    Invalidate();
}

void TWinControl::SetHint(const std::string& hint) {
    hint_ = hint;
    UpdateToolTip();
}

void TWinControl::SetShowHint(bool show) {
    showHint_ = show;
    UpdateToolTip();
}

void TWinControl::UpdateToolTip() {
    if (!parent_ || !handle_)
        return;
    HWND tip = parent_->HintWindow();
    if (!tip)
        return;
    TOOLINFOA ti =
        ToolInfo(parent_->Handle(), reinterpret_cast<UINT_PTR>(handle_), TTF_IDISHWND | TTF_SUBCLASS);
    SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    if (showHint_ && !hint_.empty()) {
        ti.lpszText = const_cast<char*>(hint_.c_str());
        SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void TWinControl::SetTabStop(bool tabStop) {
    tabStop_ = tabStop;
    if (!handle_)
        return;
    LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
    style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrA(handle_, GWL_STYLE, style);
}

bool TWinControl::CanFocus() const {
    if (!handle_)
        return false;
    for (const TWinControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_)
            return false;
    return IsWindowVisible(handle_) && IsWindowEnabled(handle_);
}

void TWinControl::SetFocus() {
    if (handle_)
        ::SetFocus(handle_);
}

void TWinControl::Invalidate() const {
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() const {
    if (handle_)
        UpdateWindow(handle_);
}

bool TWinControl::DialogChar(char) {
    return false;
}
