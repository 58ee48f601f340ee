#pragma once
// Windowed controls: every control of the program is a window of its own. One window procedure
// serves every class; it finds the object, dispatches to virtual handlers and hands any exception
// to the application's default handler, so no exception unwinds through the system's code.
#include "base/Component.h"
#include "base/Types.h"
#include "win/Graphics.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

class TWinControl;

// Where an exception that no handler took goes: the application installs its default handler;
// without one, a message box shows the message.
using TExceptionHandler = std::function<void(const std::exception&)>;
void SetUnhandledExceptionHandler(TExceptionHandler handler);
void ShowUnhandledException(const std::exception& e) noexcept;
// Inside a catch block: hands the exception in flight, of whatever type, to the default handler.
void ShowCurrentException() noexcept;
class TGraphicControl;
class TWindowHook;
struct TMessage;

// Registers a window class of the library once per process. Its procedure is the library's own: the
// window is bound to its object at WM_NCCREATE (the object is the creation parameter), so the
// object sees the creation messages too. Windows of system classes are bound once made.
// `icon` names an icon resource of the program, loaded only when the class is registered.
void RegisterLibraryClass(const char* className, LPCSTR cursor = IDC_ARROW, LPCSTR icon = nullptr);
using TNotifyEvent = std::function<void(TComponent* sender)>;

// What the window of a control is made from.
struct TCreateParams {
    const char* className = nullptr; // a system class, or nullptr for the library's own class
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    std::string caption;
    HWND ownerWnd = nullptr; // the owner of a top-level window
};

class TWinControl : public TComponent {
  public:
    // Controls are made with their owner (the form) and their parent control, whose window exists.
    TWinControl(TComponent* owner, TWinControl* parent);
    ~TWinControl() override;
    std::string ClassName() const override { return "TWinControl"; }

    HWND Handle() const { return handle_; }
    TWinControl* Parent() const { return parent_; }
    static TWinControl* FromHandle(HWND wnd);

    void SetBounds(int left, int top, int width, int height);
    TBounds Bounds() const { return bounds_; }
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    int ClientWidth() const;
    int ClientHeight() const;

    std::string Caption() const;
    void SetCaption(const std::string& text);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    TColor Color() const { return color_; }
    virtual void SetColor(TColor color);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    void SetShowHint(bool show);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }

    bool Focused() const { return handle_ && GetFocus() == handle_; }
    bool CanFocus() const;
    void SetFocus();
    void Invalidate() const;
    void Update() const;
    int ControlId() const { return id_; }

    // A typed letter offered as a dialog character (Alt+letter); true when this control took it.
    virtual bool DialogChar(char ch);

    TNotifyEvent OnClick;
    TNotifyEvent OnChange;

  protected:
    // Makes the window; derived constructors call it once their settings are known.
    void CreateHandle(const TCreateParams& params);
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    // A notification of a system control, reflected back from its parent.
    virtual void CommandNotify(WORD code);
    // Colour of a system control, reflected back from its parent; nullptr for the default.
    virtual HBRUSH CtlColor(HDC dc);
    // An owner-drawn control's drawing request, reflected back from its parent.
    virtual bool DrawItem(const DRAWITEMSTRUCT& item);
    virtual void FontChanged();
    virtual void Paint(HDC dc);
    bool OwnerPainted() const { return ownPaint_; }
    void SetOwnerPainted(bool own) { ownPaint_ = own; }
    HBRUSH BackgroundBrush();
    // The top-level window numbers its controls' windows and owns the tooltip of their hints; a
    // control asks its parent.
    virtual int AllocateChildId();
    virtual HWND HintWindow();

  private:
    friend class TForm;
    friend class TGraphicControl;
    friend class TWindowHook;
    friend void RegisterLibraryClass(const char* className, LPCSTR cursor, LPCSTR icon);
    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    static TWinControl* BindAtCreation(HWND wnd, LPARAM createStruct);
    LRESULT HookedWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    void Attach(HWND wnd);
    void UpdateToolTip();
    // Graphic children: painted after this control, in z-order, and given the mouse messages over them.
    void InsertGraphic(TGraphicControl* control);
    void RemoveGraphic(TGraphicControl* control);
    void PaintGraphics(HDC dc);
    TGraphicControl* GraphicAt(int x, int y) const;
    bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    bool SetGraphicCursor();

    HWND handle_ = nullptr;
    WNDPROC systemProc_ = nullptr;
    TWinControl* parent_;
    TBounds bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentFont_ = true;
    bool ownPaint_ = false;
    bool tabStop_ = false;
    bool showHint_ = false;
    TColor color_ = clBtnFace;
    BrushHandle brush_;
    TColor brushColor_ = 0;
    TFont font_;
    std::string hint_;
    int helpContext_ = 0;
    int id_ = 0;
    std::vector<TGraphicControl*> graphics_;
    TGraphicControl* mouseCapture_ = nullptr;
    std::vector<TWindowHook*> hooks_;
};
